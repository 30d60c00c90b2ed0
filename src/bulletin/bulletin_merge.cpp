// Bringing a parsed bulletin's days into the record array.
#include <vector>

#include "bulletin/bulletin_parser.h"
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

}  // namespace

int BulletinParser::FindDuplicates(const std::function<void(int percent)>& progress)
{
    m_duplicateCount = 0;
    std::fill(std::begin(m_duplicateFlags), std::end(m_duplicateFlags), 0);
    RecordArray& records = Records();
    RecordArray::Lock lock = records.Acquire();
    const std::vector<int> numbers = RecordDayNumbers(records);
    const long long recordCount = records.RecordCount();
    const long long total = m_dayCount * recordCount;
    int shown = -1;
    for (int i = 0; i < m_dayCount; ++i) {
        const int d = DayNumber(m_months[i], m_days[i], m_years[i]);
        if (d == 0)
            continue;  // an invalid date is nobody's duplicate
        for (long long j = 0; j < recordCount; ++j) {
            if (progress) {
                const int percent = static_cast<int>(
                    static_cast<double>(recordCount * i + j) / static_cast<double>(total) * 100.0);
                if (percent != shown)
                    progress(shown = percent);
            }
            if (numbers[static_cast<std::size_t>(j)] == d) {
                m_duplicateFlags[i] = 1;
                ++m_duplicateCount;
                break;
            }
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

void BulletinParser::MergeIntoRecords(int showProgress)
{
    if (m_dayCount == 0)
        return;
    RecordArray& records = Records();
    RecordArray::Lock lock = records.Acquire();
    if (showProgress) {
        Prompt().BeginProgress(MergeProgressText);
        Prompt().BeginWaitCursor();
    }
    const bool wasEmpty = records.RecordCount() == 0;
    std::vector<int> numbers = RecordDayNumbers(records);
    for (int i = 0; i < m_dayCount; ++i) {
        if (m_years[i] > 0) {
            const std::string date = FormatDayDate(m_months[i], m_days[i], m_years[i]);
            const SolarRecord record(date, m_sunspotValues[i], m_fluxValues[i], 0, 0);
            const int d = DayNumber(m_months[i], m_days[i], m_years[i]);
            if (!wasEmpty && d == 0) {
                // An invalid date has no place in a dated array; a blank
                // record (whose date is no date either) must not take it.
            } else if (wasEmpty || numbers.back() < d) {
                // An empty array takes every day as it is; later days go last.
                records.AppendRecord(record);
                numbers.push_back(d);
            } else {
                int previous = 0;
                for (int j = 0; j < records.RecordCount(); ++j) {
                    const int r = numbers[static_cast<std::size_t>(j)];
                    if (r == d) {
                        records.SetRecordValues(j, date, record.m_sunspots, record.m_flux);
                    } else if (r > d && previous < d) {
                        records.InsertRecords(j, &record, 1);
                        numbers.insert(numbers.begin() + j, d);
                        break;
                    }
                    previous = r;
                }
            }
        }
        if (showProgress) {
            Prompt().SetProgress(static_cast<int>(static_cast<double>(i) / m_dayCount * 100.0));
            PumpMessages();
        }
    }
    if (showProgress) {
        Prompt().EndProgress();
        Prompt().EndWaitCursor();
    }
    records.SetDataChanged(1);
}
