// Bringing a parsed bulletin's days into the record array.
#include <algorithm>
#include <vector>

#include "bulletin/bulletin_parser.h"
#include "bulletin/day_merge.h"
#include "data/day_number.h"
#include "data/prompt.h"
#include "data/record_array.h"

namespace {

constexpr const char* MergeProgressText =
    "Merging new data into the array.  This could take some time, please wait.";

// Day numbers of every record, worked out once per call instead of once per
// comparison; kept in step with the array while the merge changes it.
std::vector<int> RecordDayNumbers(const RecordArray& records)
{
    std::vector<int> numbers(static_cast<std::size_t>(records.RecordCount()));
    for (int j = 0; j < records.RecordCount(); ++j)
        numbers[static_cast<std::size_t>(j)] = DayNumberFromText(records.At(j).m_date.View());
    return numbers;
}

std::string DaysText(int count)
{
    return std::to_string(count) + (count == 1 ? " day" : " days");
}

}  // namespace

std::string MergeCountsText(const MergeCounts& counts)
{
    return DaysText(counts.added) + " added, " + DaysText(counts.replaced) + " replaced";
}

int BulletinParser::FindDuplicates(const std::function<void(int percent)>& progress)
{
    m_duplicateCount = 0;
    std::fill(std::begin(m_duplicateFlags), std::end(m_duplicateFlags), 0);
    RecordArray& records = Records();
    RecordArray::Lock lock = records.Acquire();
    const std::vector<int> numbers = RecordDayNumbers(records);
    const long long recordCount = records.RecordCount();
    // The first record of each held day, found in one pass over the records.
    std::vector<std::pair<int, int>> held;
    for (int i = 0; i < m_dayCount; ++i) {
        const int d = DayNumber(m_months[i], m_days[i], m_years[i]);
        if (d != 0)  // an invalid date is nobody's duplicate
            held.emplace_back(d, i);
    }
    std::sort(held.begin(), held.end());
    std::vector<long long> firstMatch(static_cast<std::size_t>(m_dayCount), -1);
    for (long long j = recordCount - 1; j >= 0 && !held.empty(); --j) {
        const int r = numbers[static_cast<std::size_t>(j)];
        if (r < held.front().first || r > held.back().first)
            continue;  // most records: outside the bulletin's days
        auto it = std::lower_bound(held.begin(), held.end(), std::pair<int, int>(r, 0));
        for (; it != held.end() && it->first == r; ++it)
            firstMatch[static_cast<std::size_t>(it->second)] = j;
    }
    const long long total = m_dayCount * recordCount;
    int shown = -1;
    for (int i = 0; i < m_dayCount; ++i) {
        if (DayNumber(m_months[i], m_days[i], m_years[i]) == 0)
            continue;
        const long long first = firstMatch[static_cast<std::size_t>(i)];
        if (progress) {
            // As far as a record-by-record comparison goes for this day.
            const long long last = first >= 0 ? first : recordCount - 1;
            for (long long j = 0; j <= last; ++j) {
                const int percent = static_cast<int>(
                    static_cast<double>(recordCount * i + j) / static_cast<double>(total) * 100.0);
                if (percent != shown)
                    progress(shown = percent);
            }
        }
        if (first >= 0) {
            m_duplicateFlags[i] = 1;
            ++m_duplicateCount;
        }
    }
    return m_duplicateCount;
}

void BulletinParser::ApplyDuplicatePolicy(int ignore)
{
    if (ignore) {
        for (int i = 0; i < m_dayCount; ++i) {
            if (m_duplicateFlags[i] == 1)
                m_days[i] = m_months[i] = m_years[i] = -1;
        }
    }
    m_duplicateCount = 0;
}

MergeCounts BulletinParser::MergeIntoRecords(int showProgress)
{
    MergeCounts counts;
    if (m_dayCount == 0)
        return counts;
    // Removed days (year not positive) take no part; progress still counts them.
    std::vector<MergeDay> days;
    std::vector<int> heldIndex;
    for (int i = 0; i < m_dayCount; ++i) {
        if (m_years[i] > 0) {
            days.push_back({m_months[i], m_days[i], m_years[i], m_sunspotValues[i], m_fluxValues[i]});
            heldIndex.push_back(i);
        }
    }
    if (showProgress) {
        Prompt().BeginProgress(MergeProgressText);
        Prompt().BeginWaitCursor();
    }
    const auto afterDay = [&](std::size_t k) {
        const int i = heldIndex[k];
        Prompt().SetProgress(static_cast<int>(static_cast<double>(i) / m_dayCount * 100.0));
        PumpMessages();
    };
    const std::vector<DayOutcome> outcomes =
        MergeDays(days, showProgress ? std::function<void(std::size_t)>(afterDay) : nullptr);
    counts.added = static_cast<int>(std::count(outcomes.begin(), outcomes.end(), DayOutcome::Added));
    counts.replaced =
        static_cast<int>(std::count(outcomes.begin(), outcomes.end(), DayOutcome::Replaced));
    if (showProgress) {
        Prompt().EndProgress();
        Prompt().EndWaitCursor();
    }
    Records().SetDataChanged(1);
    return counts;
}
