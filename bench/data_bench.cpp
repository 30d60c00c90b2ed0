// Loading, preparing and saving a long history, against plain line reading.
#include <benchmark/benchmark.h>

#include "generated_history.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <string>

#include "data/averages.h"
#include "data/data_file.h"
#include "data/record_array.h"

namespace {

std::string SamplePath()
{
    return std::string(SKYLOG_SAMPLE_DIR) + "/GRAPH.DAT";
}

// A generated history of 250,000 days.
const std::string& LargePath()
{
    return GeneratedHistoryPath();
}

const std::string& PathFor(int which)
{
    static const std::string sample = SamplePath();
    return which == 0 ? sample : LargePath();
}

void BM_GetlineBaseline(benchmark::State& state)
{
    const std::string& path = PathFor(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(CountLines(path));
    }
}

void BM_LoadAndPrepare(benchmark::State& state)
{
    const std::string& path = PathFor(static_cast<int>(state.range(0)));
    double bytesPerRecord = 0;
    for (auto _ : state) {
        Records().FreeRecords();
        const std::size_t before = mallinfo2().uordblks;
        DataFile().path = path;
        ReadDataFile();
        int computed = 0;
        ComputeAverages(28, 13, computed);
        FindRecordHighsLows();
        const std::size_t after = mallinfo2().uordblks;
        bytesPerRecord = static_cast<double>(after - before) / Records().RecordCount();
    }
    state.counters["records"] = Records().RecordCount();
    state.counters["bytes_per_record"] = bytesPerRecord;
}

void BM_Write(benchmark::State& state)
{
    DataFile().path = PathFor(static_cast<int>(state.range(0)));
    ReadDataFile();
    DataFile().path = (std::filesystem::temp_directory_path() / "skylog-bench-out.dat").string();
    for (auto _ : state)
        WriteDataFile();
    std::filesystem::remove(DataFile().path);
}

}  // namespace

// Argument 0: the sample (about 28,000 days); 1: 250,000 generated days.
BENCHMARK(BM_GetlineBaseline)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadAndPrepare)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Write)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
