// NRCan fluxtable.txt: two header lines, then one row per measurement with
// seven blank-separated fields (their widths and zero padding changed over
// the years). The local-noon value is the 20:00 UT reading; a date with two
// of them takes the last, as CelesTrak does.
#include <cmath>
#include <set>

#include "import/field_text.h"
#include "import/index_lines.h"
#include "import/index_readers.h"

namespace {

// Julian date at 0 h UT of a Gregorian date.
double JulianDateAtMidnight(int year, int month, int day)
{
    const int a = (14 - month) / 12;
    const int y = year + 4800 - a;
    const int m = month + 12 * a - 3;
    const long jdn = day + (153 * m + 2) / 5 + 365L * y + y / 4 - y / 100 + y / 400 - 32045;
    return static_cast<double>(jdn) - 0.5;
}

}  // namespace

IndexReadResult ReadNrcanFile(const std::string& path)
{
    IndexReadResult result;
    IndexLines lines(path);
    if (!(result.opened = lines.IsOpen()))
        return result;
    DayTable table;
    std::set<int> measured, atNoon, doubled;
    std::string_view line;
    std::vector<std::string_view> f;
    while (lines.Next(&line)) {
        if (lines.Number() == 1 && line.starts_with("fluxdate"))
            continue;
        if (lines.Number() == 2 && line.starts_with("---"))
            continue;
        if (TrimBlanks(line).empty())
            continue;
        SplitBlanks(line, &f);
        int year = 0, month = 0, day = 0;
        const auto time = WholeInt(f.size() == 7 ? f[1] : std::string_view());
        const auto julian = f.size() == 7 ? WholeNumber(f[2]) : std::nullopt;
        const auto carrington = f.size() == 7 ? WholeNumber(f[3]) : std::nullopt;
        const auto observed = f.size() == 7 ? WholeNumber(f[4]) : std::nullopt;
        const auto adjusted = f.size() == 7 ? WholeNumber(f[5]) : std::nullopt;
        const auto ursi = f.size() == 7 ? WholeNumber(f[6]) : std::nullopt;
        // The Julian date may be a day off (a known fault of the table), not more.
        const bool valid = f.size() == 7 && ParseCompactDate(f[0], &year, &month, &day) &&
                           f[1].size() == 6 && time && *time >= 0 && *time < 240000 && julian &&
                           carrington && observed && adjusted && ursi &&
                           std::fabs(*julian - JulianDateAtMidnight(year, month, day) - 0.5) < 1.6 &&
                           FluxPairPlausible(*observed, *adjusted);
        if (!valid) {
            StopAt(&result, lines.Number(), "not a fluxtable row of seven fields");
            break;
        }
        const int key = DateKey(year, month, day);
        measured.insert(key);
        if (*time == 200000) {
            if (!atNoon.insert(key).second)
                doubled.insert(key);
            table.At(year, month, day).flux = *observed;
        }
    }
    if (lines.Failed())
        result.problem = "read error";
    result.days = table.TakeDays();
    const std::size_t withoutNoon = measured.size() - atNoon.size();
    if (withoutNoon > 0)
        result.notes.push_back(DayCount(withoutNoon) + " without a 20:00 UT reading (left out)");
    if (!doubled.empty())
        result.notes.push_back(DayCount(doubled.size()) + " with two 20:00 UT readings (the last one taken)");
    return result;
}
