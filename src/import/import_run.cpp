#include "import/import_run.h"

#include <algorithm>
#include <cmath>

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
    const auto earlier = [](const auto& a, const auto& b) { return a.first < b.first; };
    if (!std::is_sorted(stored.begin(), stored.end(), earlier))
        std::stable_sort(stored.begin(), stored.end(), earlier);
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
};

}  // namespace

void ImportRun::Read(const std::vector<ImportSource>& sources, const std::string& valuesPhrase,
                     const BulletinReadingOptions& bulletinReading)
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
            IndexReadResult result = ReadIndexFile(source.path, *report.format, bulletinReading);
            report.opened = result.opened;
            report.readLeniently = result.readLeniently;
            report.problem = result.opened ? result.problem : "cannot be opened";
            report.notes = std::move(result.notes);
            // One day per date (a later one of the same date wins), in date order.
            std::vector<DailyValue>& days = result.days;
            const auto key = [](const DailyValue& v) { return DateKey(v.year, v.month, v.day); };
            const auto earlier = [&](const DailyValue& a, const DailyValue& b) { return key(a) < key(b); };
            if (!std::is_sorted(days.begin(), days.end(), earlier))
                std::stable_sort(days.begin(), days.end(), earlier);
            // Kept in place: a later day of a date wins, out-of-range days go.
            std::size_t out = 0;
            for (std::size_t i = 0; i < days.size(); ++i) {
                if (i + 1 < days.size() && key(days[i + 1]) == key(days[i]))
                    continue;
                ++report.read;
                if (InRange(days[i]))
                    days[out++] = days[i];
                else
                    ++report.refused;
            }
            days.resize(out);
            kept = std::move(days);
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

    // Every file's days by date, files in the order given within a date.
    struct Entry {
        int dayNumber;
        int file;
        const DailyValue* value;
    };
    std::vector<Entry> entries;
    std::size_t total = 0;
    for (const auto& days : days_)
        total += days.size();
    entries.reserve(total);
    for (std::size_t f = 0; f < days_.size(); ++f) {
        for (const DailyValue& value : days_[f])
            entries.push_back({DayNumber(value.month, value.day, value.year), static_cast<int>(f), &value});
    }
    // Each file is in date order already: with one file this is no work.
    const auto earlier = [](const Entry& a, const Entry& b) { return a.dayNumber < b.dayNumber; };
    if (!std::is_sorted(entries.begin(), entries.end(), earlier))
        std::stable_sort(entries.begin(), entries.end(), earlier);

    std::vector<MergeDay> merge;
    auto storedAt = stored.begin();  // both in date order: one walk finds the stored dates
    for (std::size_t first = 0; first < entries.size();) {
        std::size_t last = first;
        while (last < entries.size() && entries[last].dayNumber == entries[first].dayNumber)
            ++last;
        RunDay entry;
        const DailyValue& head = *entries[first].value;
        entry.day.month = head.month;
        entry.day.day = head.day;
        entry.day.year = head.year;
        while (storedAt != stored.end() && storedAt->first < entries[first].dayNumber)
            ++storedAt;
        if (storedAt != stored.end() && storedAt->first == entries[first].dayNumber)
            entry.storedIndex = storedAt->second;
        const bool held = entry.storedIndex >= 0;
        // A stored date changes only under Replace; a new date takes the
        // first file's number unless a later file may replace it.
        for (std::size_t i = first; i < last; ++i) {
            const DailyValue& value = *entries[i].value;
            if (value.sunspots && (held ? replace : (!entry.day.sunspots || replace))) {
                entry.day.sunspots = value.sunspots;
                entry.sunspotsFrom = entries[i].file;
            }
            if (value.flux && (held ? replace : (!entry.day.flux || replace))) {
                entry.day.flux = value.flux;
                entry.fluxFrom = entries[i].file;
            }
        }
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
        for (std::size_t i = first; i < last; ++i) {
            const int file = entries[i].file;
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
        first = last;
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
    if (report.readLeniently)
        text += std::string(" ") + LenientNote;
    if (!report.opened)
        return text + ", " + report.problem;
    text += ", " + DayCount(report.read) + " read, " + std::to_string(report.added) +
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
