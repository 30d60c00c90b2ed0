// CelesTrak SW-All.csv: a header naming the columns, then one row per day.
// F10.7_DATA_TYPE tells observed (OBS) from interpolated (INT: no
// measurement, so only the sunspot number is taken) and predicted rows (PRD,
// PRM: never imported).
#include <algorithm>

#include "import/field_text.h"
#include "import/index_lines.h"
#include "import/index_readers.h"

namespace {

int ColumnOf(const std::vector<std::string_view>& header, std::string_view name)
{
    const auto it = std::find(header.begin(), header.end(), name);
    return it == header.end() ? -1 : static_cast<int>(it - header.begin());
}

bool ParseIsoDate(std::string_view text, int* year, int* month, int* day)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return false;
    std::string compact;
    compact.append(text.substr(0, 4)).append(text.substr(5, 2)).append(text.substr(8, 2));
    return ParseCompactDate(compact, year, month, day);
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
    DayTable table;
    int interpolated = 0;
    int predicted = 0;
    while (lines.Next(&line)) {
        if (TrimBlanks(line).empty())
            continue;
        const std::vector<std::string_view> f = SplitAt(line, ',');
        int year = 0, month = 0, day = 0;
        if (f.size() != header.size() || !ParseIsoDate(f[dateColumn], &year, &month, &day)) {
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
    result.days = table.Days();
    if (interpolated > 0)
        result.notes.push_back(std::to_string(interpolated) +
                               " interpolated flux values (INT) left out");
    if (predicted > 0)
        result.notes.push_back(std::to_string(predicted) + " predicted rows left out");
    return result;
}
