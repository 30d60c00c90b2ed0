// NOAA SWPC Daily Solar Data: ":" and "#" header lines, then one 75-character
// row a day: date, the 10.7 cm flux (integer, the Penticton noon value
// rounded) and the SESC sunspot number (SWPC's own count, the scale of the
// propagation bulletins, not SILSO's), then areas, fields and flare counts.
#include "import/field_text.h"
#include "import/index_lines.h"
#include "import/index_readers.h"

namespace {

constexpr std::size_t RowWidth = 75;

// The X-ray background: "*" or a class letter with a number ("B1.4").
bool XrayField(std::string_view text)
{
    if (text == "*")
        return true;
    return text.size() >= 2 && std::string_view("ABCMX").find(text[0]) != std::string_view::npos &&
           WholeNumber(text.substr(1)).has_value();
}

}  // namespace

IndexReadResult ReadSwpcFile(const std::string& path)
{
    IndexReadResult result;
    IndexLines lines(path);
    if (!(result.opened = lines.IsOpen()))
        return result;
    DayTable table;
    table.Reserve(lines.FileSize(), 76);
    int missing = 0;
    std::string_view line;
    std::vector<std::string_view> f;
    while (lines.Next(&line)) {
        if (line.starts_with(":") || line.starts_with("#") || TrimBlanks(line).empty())
            continue;
        SplitBlanks(line, &f);
        bool valid = line.size() == RowWidth && f.size() == 16 && XrayField(f[8]);
        for (std::size_t i = 0; valid && i < f.size(); ++i)
            valid = i == 8 || WholeInt(f[i]).has_value();
        const int year = valid ? *WholeInt(f[0]) : 0;
        const int month = valid ? *WholeInt(f[1]) : 0;
        const int day = valid ? *WholeInt(f[2]) : 0;
        if (!valid || f[0].size() != 4 || f[1].size() != 2 || f[2].size() != 2 ||
            !IsCalendarDate(year, month, day)) {
            StopAt(&result, lines.Number(), "not a Daily Solar Data row of 75 characters");
            break;
        }
        const int flux = *WholeInt(f[3]);
        const int sunspots = *WholeInt(f[4]);
        if (flux < -1 || sunspots < -1) {
            StopAt(&result, lines.Number(), "damaged row");
            break;
        }
        // -1 marks a missing value in SWPC's files.
        if (flux == -1 || sunspots == -1)
            ++missing;
        DailyValue& value = table.At(year, month, day);
        if (sunspots >= 0)
            value.sunspots = sunspots;
        if (flux >= 0)
            value.flux = flux;
    }
    if (lines.Failed())
        result.problem = "read error";
    result.days = table.TakeDays();
    if (missing > 0)
        result.notes.push_back(DayCount(missing) + " with a missing value (-1)");
    // Worth saying every time: mixed with SILSO's numbers this makes steps
    // in the curve that are no change of the Sun.
    if (!result.days.empty())
        result.notes.push_back("the sunspot numbers are SWPC's SESC count, not on SILSO's scale");
    return result;
}
