// CelesTrak SW-All.csv: a header naming the columns, then one row per day.
// F10.7_DATA_TYPE tells observed (OBS) from interpolated (INT: no
// measurement, so only the sunspot number is taken) and predicted rows (PRD,
// PRM: never imported).
#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include "import/field_text.h"
#include "import/index_lines.h"
#include "import/index_readers.h"

namespace {

// Bit 7 of each byte of the result is set where word has a comma (exact,
// no carries between bytes): rows are scanned eight bytes at a time.
std::uint64_t CommaBytes(std::uint64_t word)
{
    constexpr std::uint64_t Commas = 0x2C2C2C2C2C2C2C2CULL;
    constexpr std::uint64_t Low7 = 0x7F7F7F7F7F7F7F7FULL;
    const std::uint64_t x = word ^ Commas;  // a comma byte becomes 0
    return ~(((x & Low7) + Low7) | x | Low7);
}

// Splits the first keep fields into fields; returns how many fields the row has.
std::size_t SplitCounting(std::string_view text, std::size_t keep,
                          std::vector<std::string_view>* fields)
{
    fields->resize(keep);
    std::string_view* kept = fields->data();
    std::size_t count = 1;
    std::size_t start = 0;
    const auto comma = [&](std::size_t i) {
        if (count <= keep)
            kept[count - 1] = text.substr(start, i - start);
        ++count;
        start = i + 1;
    };
    std::size_t i = 0;
    for (; std::endian::native == std::endian::little && i + 8 <= text.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, 8);
        for (std::uint64_t hits = CommaBytes(word); hits != 0; hits &= hits - 1)
            comma(i + static_cast<std::size_t>(std::countr_zero(hits)) / 8);
    }
    for (; i < text.size(); ++i) {
        if (text[i] == ',')
            comma(i);
    }
    if (count <= keep)
        kept[count - 1] = text.substr(start);
    fields->resize(std::min(count, keep));
    return count;
}

int ColumnOf(const std::vector<std::string_view>& header, std::string_view name)
{
    const auto it = std::find(header.begin(), header.end(), name);
    return it == header.end() ? -1 : static_cast<int>(it - header.begin());
}

}  // namespace

IndexReadResult ReadCelestrakCsvFile(const std::string& path)
{
    IndexReadResult result;
    IndexLines lines(path);
    if (!(result.opened = lines.IsOpen()))
        return result;
    std::string_view line;
    if (!lines.Next(&line)) {
        result.problem = "the file is empty";
        return result;
    }
    const std::string headerText(line);
    const std::vector<std::string_view> header = SplitAt(headerText, ',');
    const int dateColumn = ColumnOf(header, "DATE");
    const int isnColumn = ColumnOf(header, "ISN");
    const int observedColumn = ColumnOf(header, "F10.7_OBS");
    const int adjustedColumn = ColumnOf(header, "F10.7_ADJ");
    const int typeColumn = ColumnOf(header, "F10.7_DATA_TYPE");
    if (dateColumn < 0 || isnColumn < 0 || observedColumn < 0 || adjustedColumn < 0 ||
        typeColumn < 0) {
        result.problem = "line 1: the header lacks DATE, ISN, F10.7_OBS, F10.7_ADJ or F10.7_DATA_TYPE";
        return result;
    }
    const std::size_t lastUsed = static_cast<std::size_t>(
        std::max({dateColumn, isnColumn, observedColumn, adjustedColumn, typeColumn}));
    DayTable table;
    table.Reserve(lines.FileSize(), 110);
    int interpolated = 0;
    int predicted = 0;
    std::vector<std::string_view> f;
    while (lines.Next(&line)) {
        if (TrimBlanks(line).empty())
            continue;
        // Only the columns up to the last one used are kept; the rest are counted.
        const std::size_t fieldCount = SplitCounting(line, lastUsed + 1, &f);
        int year = 0, month = 0, day = 0;
        if (fieldCount != header.size() || !ParseIsoDate(f[dateColumn], &year, &month, &day)) {
            StopAt(&result, lines.Number(), "not a row of " + std::to_string(header.size()) +
                                                " fields beginning with a date");
            break;
        }
        const std::string_view type = f[typeColumn];
        if (type == "PRD" || type == "PRM") {
            ++predicted;
            continue;
        }
        const std::string_view isnText = TrimBlanks(f[isnColumn]);
        const auto isn = WholeInt(isnText);
        const auto observed = WholeNumber(f[observedColumn]);
        const auto adjusted = WholeNumber(f[adjustedColumn]);
        const bool fluxValid = observed && adjusted && FluxPairPlausible(*observed, *adjusted);
        if ((type != "OBS" && type != "INT") || (!isnText.empty() && (!isn || *isn < 0)) ||
            (type == "OBS" && !fluxValid)) {
            StopAt(&result, lines.Number(), "damaged row");
            break;
        }
        DailyValue& value = table.At(year, month, day);
        if (isn)
            value.sunspots = *isn;
        if (type == "OBS")
            value.flux = *observed;
        else
            ++interpolated;
    }
    if (lines.Failed())
        result.problem = "read error";
    result.days = table.TakeDays();
    if (interpolated > 0)
        result.notes.push_back(std::to_string(interpolated) +
                               " interpolated flux values (INT) left out");
    if (predicted > 0)
        result.notes.push_back(std::to_string(predicted) + " predicted rows left out");
    return result;
}
