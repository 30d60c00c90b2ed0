#include "bulletin/day_merge.h"

#include <algorithm>
#include <map>

#include "bulletin/bulletin_parser.h"
#include "data/day_number.h"
#include "data/record_array.h"

namespace {

SolarRecord NewRecord(const MergeDay& day)
{
    return SolarRecord(FormatDayDate(day.month, day.day, day.year), day.sunspots.value_or(0),
                       day.flux.value_or(0.0), 0, 0);
}

void Overwrite(SolarRecord& record, const MergeDay& day)
{
    record.SetDate(FormatDayDate(day.month, day.day, day.year));
    if (day.sunspots)
        record.m_sunspots = *day.sunspots;
    if (day.flux)
        record.m_flux = *day.flux;
}

}  // namespace

std::vector<DayOutcome> MergeDays(const std::vector<MergeDay>& days,
                                  const std::function<void(std::size_t)>& afterDay)
{
    std::vector<DayOutcome> outcomes(days.size(), DayOutcome::Dropped);
    if (days.empty())
        return outcomes;
    RecordArray& records = Records();
    RecordArray::Lock lock = records.Acquire();

    // Stored dates: day number -> indexes of the records of that date.
    std::multimap<int, int> stored;
    for (int j = 0; j < records.RecordCount(); ++j) {
        const int r = DayNumberFromText(records.At(j).m_date.View());
        if (r != 0)
            stored.emplace_hint(stored.end(), r, j);
    }
    // New days by date; a later day of the same date overwrites an earlier one.
    std::map<int, MergeDay> fresh;
    for (std::size_t i = 0; i < days.size(); ++i) {
        const MergeDay& day = days[i];
        const int d = DayNumber(day.month, day.day, day.year);
        if (d != 0) {
            auto [first, last] = stored.equal_range(d);
            if (first != last) {
                for (auto it = first; it != last; ++it)
                    Overwrite(records.MutableAt(it->second), day);
                outcomes[i] = DayOutcome::Replaced;
            } else if (auto same = fresh.find(d); same != fresh.end()) {
                if (day.sunspots)
                    same->second.sunspots = day.sunspots;
                if (day.flux)
                    same->second.flux = day.flux;
                outcomes[i] = DayOutcome::Replaced;
            } else if (day.sunspots && day.flux) {
                fresh.emplace(d, day);
                outcomes[i] = DayOutcome::Added;
            }
        }
        if (afterDay)
            afterDay(i);
    }
    if (!fresh.empty()) {
        // One pass: each new day goes before the first stored record of a
        // later date, or last when there is none.
        std::vector<SolarRecord> merged;
        merged.reserve(static_cast<std::size_t>(records.RecordCount()) + fresh.size());
        auto next = fresh.begin();
        for (int j = 0; j < records.RecordCount(); ++j) {
            const SolarRecord& record = records.At(j);
            const int r = DayNumberFromText(record.m_date.View());
            for (; r != 0 && next != fresh.end() && next->first < r; ++next)
                merged.push_back(NewRecord(next->second));
            merged.push_back(record);
        }
        for (; next != fresh.end(); ++next)
            merged.push_back(NewRecord(next->second));
        records.ReplaceAll(std::move(merged));
    }
    records.SetDataChanged(1);
    return outcomes;
}
