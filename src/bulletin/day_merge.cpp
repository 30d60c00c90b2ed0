#include "bulletin/day_merge.h"

#include <algorithm>
#include <optional>
#include <utility>

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

    // Day numbers of the records, worked out once; and the stored dates
    // sorted for lookup (records whose date is no date take no part).
    const int count = records.RecordCount();
    std::vector<int> numbers(static_cast<std::size_t>(count));
    std::vector<std::pair<int, int>> stored;
    stored.reserve(numbers.size());
    for (int j = 0; j < count; ++j) {
        const int r = DayNumberFromText(records.At(j).m_date.View());
        numbers[static_cast<std::size_t>(j)] = r;
        if (r != 0)
            stored.emplace_back(r, j);
    }
    const auto byNumber = [](const std::pair<int, int>& a, const std::pair<int, int>& b) {
        return a.first < b.first;
    };
    if (!std::is_sorted(stored.begin(), stored.end(), byNumber))
        std::stable_sort(stored.begin(), stored.end(), byNumber);

    // New dates, in the order given; sorted and combined below.
    std::vector<std::pair<int, std::size_t>> fresh;
    for (std::size_t i = 0; i < days.size(); ++i) {
        const MergeDay& day = days[i];
        const int d = DayNumber(day.month, day.day, day.year);
        if (d == 0)
            continue;
        const auto [first, last] =
            std::equal_range(stored.begin(), stored.end(), std::pair<int, int>(d, 0), byNumber);
        if (first != last) {
            for (auto it = first; it != last; ++it)
                Overwrite(records.MutableAt(it->second), day);
            outcomes[i] = DayOutcome::Replaced;
        } else {
            fresh.emplace_back(d, i);
        }
        if (afterDay)
            afterDay(i);
    }
    const auto earlier = [](const auto& a, const auto& b) { return a.first < b.first; };
    if (!std::is_sorted(fresh.begin(), fresh.end(), earlier))
        std::stable_sort(fresh.begin(), fresh.end(), earlier);
    // Per new date: the first day with both numbers makes the record, later
    // days of that date overwrite what they carry; days before it drop.
    std::vector<std::pair<int, MergeDay>> made;
    for (std::size_t k = 0; k < fresh.size();) {
        std::size_t end = k;
        while (end < fresh.size() && fresh[end].first == fresh[k].first)
            ++end;
        std::optional<MergeDay> record;
        for (std::size_t m = k; m < end; ++m) {
            const std::size_t i = fresh[m].second;
            const MergeDay& day = days[i];
            if (record) {
                if (day.sunspots)
                    record->sunspots = day.sunspots;
                if (day.flux)
                    record->flux = day.flux;
                outcomes[i] = DayOutcome::Replaced;
            } else if (day.sunspots && day.flux) {
                record = day;
                outcomes[i] = DayOutcome::Added;
            }
        }
        if (record)
            made.emplace_back(fresh[k].first, *record);
        k = end;
    }
    if (!made.empty() && (stored.empty() || made.front().first > stored.back().first)) {
        // Every new day is later than every stored one: they go last, as the
        // pass below would put them, without copying the array.
        for (const auto& [number, day] : made)
            records.AppendRecord(NewRecord(day));
    } else if (!made.empty()) {
        // One pass: each new day goes before the first stored record of a
        // later date, or last when there is none.
        std::vector<SolarRecord> merged;
        merged.reserve(numbers.size() + made.size());
        auto next = made.begin();
        for (int j = 0; j < count; ++j) {
            const int r = numbers[static_cast<std::size_t>(j)];
            for (; r != 0 && next != made.end() && next->first < r; ++next)
                merged.push_back(NewRecord(next->second));
            merged.push_back(records.At(j));
        }
        for (; next != made.end(); ++next)
            merged.push_back(NewRecord(next->second));
        records.ReplaceAll(std::move(merged));
    }
    records.SetDataChanged(1);
    return outcomes;
}
