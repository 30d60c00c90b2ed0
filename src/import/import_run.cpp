#include "import/import_run.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "bulletin/day_merge.h"
#include "data/day_number.h"
#include "data/number_text.h"
#include "data/record_array.h"
#include "data/text_file.h"
#include "import/field_text.h"

namespace {

bool InRange(const DailyValue& value)
{
    if (DayNumber(value.month, value.day, value.year) == 0)
        return false;  // before 1859 or no date: no place in the data file
    if (value.sunspots && (*value.sunspots < 0 || *value.sunspots > MaxSunspots))
        return false;
    return !value.flux || (*value.flux >= 0.0 && *value.flux <= MaxFlux);
}

// Stored records by day number (the array is in date order).
std::vector<std::pair<int, int>> StoredDates()
{
    RecordArray& records = Records();
    RecordArray::Lock lock = records.Acquire();
    std::vector<std::pair<int, int>> stored;
    stored.reserve(static_cast<std::size_t>(records.RecordCount()));
    for (int j = 0; j < records.RecordCount(); ++j) {
        const int d = DayNumberFromText(records.At(j).m_date.View());
        if (d != 0)
            stored.emplace_back(d, j);
    }
    std::stable_sort(stored.begin(), stored.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    return stored;
}

// Index of the first stored record of day number d, or -1.
int FindStored(const std::vector<std::pair<int, int>>& stored, int d)
{
    const auto it = std::lower_bound(stored.begin(), stored.end(), d,
                                     [](const auto& entry, int key) { return entry.first < key; });
    return it != stored.end() && it->first == d ? it->second : -1;
}

// The data file keeps one decimal of the flux.
bool SameFlux(double a, double b) { return std::fabs(a - b) < 0.05; }

// One date of the run: what the files give for it, and who gave what.
struct RunDay {
    MergeDay day;
    int storedIndex = -1;
    int sunspotsFrom = -1;  // file whose number is kept
    int fluxFrom = -1;
    std::vector<int> files;  // every file with this date
};

}  // namespace

void ImportRun::Read(const std::vector<ImportSource>& sources, const std::string& valuesPhrase)
{
    reports_.clear();
    days_.clear();
    for (const ImportSource& source : sources) {
        FileReport report;
        report.name = source.name.empty() ? source.path : source.name;
        report.format = source.format ? source.format : DetectFormat(source.path, valuesPhrase);
        std::vector<DailyValue> kept;
        if (!report.format) {
            report.opened = FileExists(source.path);
            report.problem = report.opened ? "unknown content; the formats known are " +
                                                 KnownFormatNames()
                                           : "cannot be opened";
        } else {
            IndexReadResult result = ReadIndexFile(source.path, *report.format);
            report.opened = result.opened;
            report.problem = result.opened ? result.problem : "cannot be opened";
            report.notes = std::move(result.notes);
            // One day per date; a later one of the same date wins.
            std::map<int, DailyValue> byDate;
            for (const DailyValue& value : result.days)
                byDate[DateKey(value.year, value.month, value.day)] = value;
            report.read = static_cast<int>(byDate.size());
            for (const auto& [key, value] : byDate) {
                if (InRange(value))
                    kept.push_back(value);
                else
                    ++report.refused;
            }
        }
        reports_.push_back(std::move(report));
        days_.push_back(std::move(kept));
    }
}

int ImportRun::StoredDays() const
{
    const std::vector<std::pair<int, int>> stored = StoredDates();
    int count = 0;
    for (const auto& days : days_) {
        for (const DailyValue& value : days) {
            if (FindStored(stored, DayNumber(value.month, value.day, value.year)) >= 0)
                ++count;
        }
    }
    return count;
}

bool ImportRun::Merge(DuplicatePolicy policy)
{
    RecordArray& records = Records();
    RecordArray::Lock lock = records.Acquire();
    const std::vector<std::pair<int, int>> stored = StoredDates();
    const bool replace = policy == DuplicatePolicy::Replace;

    // Gather the files' numbers per date, in the order the files were given.
    std::map<int, RunDay> run;
    for (std::size_t f = 0; f < days_.size(); ++f) {
        const int file = static_cast<int>(f);
        for (const DailyValue& value : days_[f]) {
            const int d = DayNumber(value.month, value.day, value.year);
            auto [it, isNew] = run.try_emplace(d);
            RunDay& entry = it->second;
            if (isNew) {
                entry.day.month = value.month;
                entry.day.day = value.day;
                entry.day.year = value.year;
                entry.storedIndex = FindStored(stored, d);
            }
            entry.files.push_back(file);
            // A stored date changes only under Replace; a new date takes the
            // first file's number unless a later file may replace it.
            const bool held = entry.storedIndex >= 0;
            if (value.sunspots && (held ? replace : (!entry.day.sunspots || replace))) {
                entry.day.sunspots = value.sunspots;
                entry.sunspotsFrom = file;
            }
            if (value.flux && (held ? replace : (!entry.day.flux || replace))) {
                entry.day.flux = value.flux;
                entry.fluxFrom = file;
            }
        }
    }

    std::vector<MergeDay> merge;
    for (auto& [d, entry] : run) {
        const bool held = entry.storedIndex >= 0;
        if (held) {
            // Numbers equal to the stored ones change nothing.
            const SolarRecord& record = records.At(entry.storedIndex);
            if (entry.day.sunspots && *entry.day.sunspots == record.m_sunspots) {
                entry.day.sunspots.reset();
                entry.sunspotsFrom = -1;
            }
            if (entry.day.flux && SameFlux(*entry.day.flux, record.m_flux)) {
                entry.day.flux.reset();
                entry.fluxFrom = -1;
            }
        }
        const bool complete = entry.day.sunspots && entry.day.flux;
        const bool changes = held ? (entry.day.sunspots || entry.day.flux) : complete;
        for (int file : entry.files) {
            FileReport& report = reports_[static_cast<std::size_t>(file)];
            const bool contributed = entry.sunspotsFrom == file || entry.fluxFrom == file;
            if (!held && !complete)
                ++report.incomplete;
            else if (!contributed)
                ++report.skipped;
            else if (held)
                ++report.replaced;
            else
                ++report.added;
        }
        if (changes)
            merge.push_back(entry.day);
    }
    if (merge.empty())
        return false;
    MergeDays(merge);
    return true;
}

bool ImportRun::AllRead() const
{
    return std::none_of(reports_.begin(), reports_.end(),
                        [](const FileReport& report) { return report.Failed(); });
}

std::string ReportText(const FileReport& report)
{
    std::string text = report.name + ": ";
    if (!report.format)
        return text + report.problem;
    text += FormatName(*report.format);
    if (!report.opened)
        return text + ", " + report.problem;
    text += ", " + std::to_string(report.read) + " days read, " + std::to_string(report.added) +
            " added, " + std::to_string(report.replaced) + " replaced, " +
            std::to_string(report.skipped) + " skipped (already stored), " +
            std::to_string(report.refused) + " refused (out of range)";
    if (report.incomplete > 0)
        text += ", " + std::to_string(report.incomplete) +
                " not added (only one of the two numbers)";
    for (const std::string& note : report.notes)
        text += "\n  " + note;
    if (!report.problem.empty())
        text += "\n  stopped at " + report.problem + "; the days before it were read";
    return text;
}
