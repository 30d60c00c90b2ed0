// Parsing a weekly bulletin, and merging one week into a long history.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "bulletin/bulletin_parser.h"
#include "data/record_array.h"

namespace {

const std::string BulletinPath = std::string(SKYLOG_BULLETIN_DIR) + "/arlp011.txt";

void BM_ParseBulletin(benchmark::State& state)
{
    BulletinParser parser;
    for (auto _ : state)
        benchmark::DoNotOptimize(parser.Parse(BulletinPath, 0));
}

// 250,000 consecutive days ending on 03/10/2002; the bulletin's week
// (03/07 to 03/13) overlaps its last four days and adds three.
void FillHistory()
{
    Records().FreeRecords();
    Records().Reserve(250000);
    int month = 3, day = 10, year = 2002;
    std::vector<SolarRecord> reversed;
    reversed.reserve(250000);
    for (int i = 0; i < 250000; ++i) {
        char date[32];
        std::snprintf(date, sizeof date, "%02d/%02d/%04d", month, day, year);
        reversed.emplace_back(date, 100, 150.0, 0, 0);
        if (--day == 0) {
            if (--month == 0) {
                month = 12;
                --year;
            }
            static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
            day = lengths[month - 1] + (month == 2 && year % 4 == 0 ? 1 : 0);
        }
    }
    for (auto it = reversed.rbegin(); it != reversed.rend(); ++it)
        Records().AppendRecord(*it);
}

void BM_MergeWeekInto250kDays(benchmark::State& state)
{
    const bool replace = state.range(0) == 1;
    BulletinParser parser;
    for (auto _ : state) {
        state.PauseTiming();
        FillHistory();
        parser.Parse(BulletinPath, 0);
        state.ResumeTiming();
        if (parser.FindDuplicates() > 0)
            parser.ApplyDuplicatePolicy(replace ? 0 : 1);
        parser.MergeIntoRecords(0);
    }
    state.counters["records"] = Records().RecordCount();
}

}  // namespace

BENCHMARK(BM_ParseBulletin)->Unit(benchmark::kMicrosecond);
// Argument 0: duplicates ignored; 1: duplicates replace the stored days.
BENCHMARK(BM_MergeWeekInto250kDays)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
