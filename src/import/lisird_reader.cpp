// LISIRD penticton_radio_flux: "yyyyMMdd_HHmmss.SSS,observed,adjusted" after
// one header line. The time is NRCan's Julian date in UT, so the noon reading
// sits near (not at) 20:00. Before 1996-02-14 there is one value a day, which
// is that day's value wherever it sits; from then on the reading nearest
// 20:00 UT within 19:00..21:00 counts, the first listed winning a tie. Rows
// may be out of time order, so each date keeps its best reading so far.
#include <cstdlib>
#include <map>
#include <set>

#include "data/number_text.h"
#include "import/field_text.h"
#include "import/index_lines.h"
#include "import/index_readers.h"

namespace {

constexpr int Noon = 20 * 3600;
constexpr int ThreeReadingsFrom = 19960214;

// "HHmmss.SSS" as seconds of the day; -1 when malformed.
int SecondsOfDay(std::string_view text)
{
    if (text.size() != 10 || text[6] != '.')
        return -1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i != 6 && (text[i] < '0' || text[i] > '9'))
            return -1;
    }
    const int h = ParseLeadingInt(text.substr(0, 2));
    const int m = ParseLeadingInt(text.substr(2, 2));
    const int s = ParseLeadingInt(text.substr(4, 2));
    if (h > 23 || m > 59 || s > 60)
        return -1;
    return h * 3600 + m * 60 + s;
}

struct Reading {
    int distance = 0;  // seconds from 20:00 UT
    double observed = 0.0;
};

}  // namespace

IndexReadResult ReadLisirdFile(const std::string& path)
{
    IndexReadResult result;
    IndexLines lines(path);
    if (!(result.opened = lines.IsOpen()))
        return result;
    std::map<int, Reading> best;
    int readingDays = 0;
    std::set<int> seen;
    std::string_view line;
    std::vector<std::string_view> f;
    while (lines.Next(&line)) {
        if (lines.Number() == 1 && line.starts_with("time ("))
            continue;
        if (TrimBlanks(line).empty())
            continue;
        SplitAt(line, ',', &f);
        int year = 0, month = 0, day = 0;
        const int seconds = f.size() == 3 && f[0].size() == 19 && f[0][8] == '_'
                                ? SecondsOfDay(f[0].substr(9))
                                : -1;
        const double flux = f.size() == 3 ? WholeNumber(f[1]).value_or(-1.0) : -1.0;
        const double adjusted = f.size() == 3 ? WholeNumber(f[2]).value_or(-1.0) : -1.0;
        if (seconds < 0 || !ParseCompactDate(f[0].substr(0, 8), &year, &month, &day) ||
            !FluxPairPlausible(flux, adjusted)) {
            StopAt(&result, lines.Number(), "not a row \"yyyyMMdd_HHmmss.SSS,observed,adjusted\"");
            break;
        }
        const int key = DateKey(year, month, day);
        if (seen.insert(key).second)
            ++readingDays;
        const int distance = std::abs(seconds - Noon);
        if (key >= ThreeReadingsFrom && distance > 3600)
            continue;
        const auto held = best.find(key);
        if (held == best.end())
            best.emplace(key, Reading{distance, flux});
        else if (distance < held->second.distance)
            held->second = Reading{distance, flux};
    }
    if (lines.Failed())
        result.problem = "read error";
    DayTable table;
    for (const auto& [key, reading] : best)
        table.At(key / 10000, key / 100 % 100, key % 100).flux = reading.observed;
    result.days = table.TakeDays();
    const int withoutNoon = readingDays - static_cast<int>(best.size());
    if (withoutNoon > 0)
        result.notes.push_back(DayCount(withoutNoon) + " without a reading between 19:00 and 21:00 UT (left out)");
    return result;
}
