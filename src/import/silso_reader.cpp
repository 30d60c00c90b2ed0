// SILSO: "YYYY;MM;DD;YYYY.yyy;SSSS;DDD.D;NNNN;F", no header; -1 = no data;
// flag 0 = provisional (kept, but worth telling).
#include "import/field_text.h"
#include "import/index_lines.h"
#include "import/index_readers.h"

IndexReadResult ReadSilsoFile(const std::string& path)
{
    IndexReadResult result;
    IndexLines lines(path);
    if (!(result.opened = lines.IsOpen()))
        return result;
    DayTable table;
    table.Reserve(lines.FileSize(), 38);
    int missing = 0;
    int provisional = 0;
    std::string_view line;
    std::vector<std::string_view> f;
    while (lines.Next(&line)) {
        if (TrimBlanks(line).empty())
            continue;
        SplitAt(line, ';', &f);
        if (f.size() != 8) {
            StopAt(&result, lines.Number(), "not a row of 8 fields separated by \";\"");
            break;
        }
        const auto year = WholeInt(f[0]), month = WholeInt(f[1]), day = WholeInt(f[2]);
        const auto fraction = WholeNumber(f[3]);
        const auto sunspots = WholeInt(f[4]);
        const auto deviation = WholeNumber(f[5]);
        const auto count = WholeInt(f[6]);
        const auto flag = WholeInt(f[7]);
        // The fractional year must lie in the row's year: a cheap check that
        // the date fields were not damaged.
        if (!year || !month || !day || !fraction || !sunspots || !deviation || !count || !flag ||
            !IsCalendarDate(*year, *month, *day) || *fraction < *year || *fraction >= *year + 1 ||
            (*flag != 0 && *flag != 1) || *sunspots < -1) {
            StopAt(&result, lines.Number(), "damaged row");
            break;
        }
        if (*sunspots == -1) {
            ++missing;
            continue;
        }
        if (*flag == 0)
            ++provisional;
        table.At(*year, *month, *day).sunspots = *sunspots;
    }
    if (lines.Failed())
        result.problem = "read error";
    result.days = table.TakeDays();
    if (missing > 0)
        result.notes.push_back(DayCount(missing) + " marked as without data (-1)");
    if (provisional > 0)
        result.notes.push_back(std::to_string(provisional) +
                               " provisional values (the publisher may still revise them)");
    return result;
}
