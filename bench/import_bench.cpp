// Importing a 75-year daily index file, against reading as many days from a
// data file: into an empty history, and into the full sample, where every
// day is already stored.
#include <benchmark/benchmark.h>

#include "generated_history.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "data/data_file.h"
#include "data/record_array.h"
#include "import/import_run.h"

namespace {

std::string SamplePath() { return std::string(SKYLOG_SAMPLE_DIR) + "/GRAPH.DAT"; }

void LoadSample()
{
    Records().SetDataChanged(0);
    DataFile().path = SamplePath();
    ReadDataFile();
}

// The sample's days (02/14/1947 .. 06/30/2026, about 28,000) written as a
// CelesTrak SW-All.csv with both numbers.
const std::string& IndexPath()
{
    static const std::string path = [] {
        LoadSample();
        const std::string p =
            (std::filesystem::temp_directory_path() / "skylog-bench-sw-all.csv").string();
        std::FILE* f = std::fopen(p.c_str(), "wb");
        std::fputs("DATE,BSRN,ND,KP1,KP2,KP3,KP4,KP5,KP6,KP7,KP8,KP_SUM,AP1,AP2,AP3,AP4,AP5,AP6,"
                   "AP7,AP8,AP_AVG,CP,C9,ISN,F10.7_OBS,F10.7_ADJ,F10.7_DATA_TYPE,"
                   "F10.7_OBS_CENTER81,F10.7_OBS_LAST81,F10.7_ADJ_CENTER81,F10.7_ADJ_LAST81\r\n", f);
        for (int i = 0; i < Records().RecordCount(); ++i) {
            const SolarRecord& r = Records().At(i);
            const std::string date = r.GetDate();  // mm/dd/yyyy
            std::fprintf(f,
                         "%s-%s-%s,2372,18,27,20,10,13,20,27,27,7,150,12,7,4,5,7,12,12,3,8,0.4,2,"
                         "%d,%.1f,%.1f,OBS,74.8,73.7,76.8,74.6\r\n",
                         date.substr(6, 4).c_str(), date.substr(0, 2).c_str(),
                         date.substr(3, 2).c_str(), r.m_sunspots, r.m_flux, r.m_flux * 1.02);
        }
        std::fclose(f);
        Records().FreeRecords();
        return p;
    }();
    return path;
}

void BM_ReadDataFile(benchmark::State& state)
{
    for (auto _ : state) {
        LoadSample();
        benchmark::DoNotOptimize(Records().RecordCount());
    }
    state.counters["days"] = Records().RecordCount();
}

// The floor: the index file's lines read and nothing done with them (it
// holds about five times the bytes per day of the data file).
void BM_GetlineIndexFile(benchmark::State& state)
{
    const std::string& path = IndexPath();
    for (auto _ : state) {
        benchmark::DoNotOptimize(CountLines(path));
    }
}

void Import(benchmark::State& state, bool intoSample)
{
    const std::string& path = IndexPath();
    ImportRun run;
    for (auto _ : state) {
        state.PauseTiming();
        if (intoSample)
            LoadSample();
        else
            Records().FreeRecords();
        state.ResumeTiming();
        run.Read({{path, path, std::nullopt}}, "SUNSPOT NUMBERS FOR");
        run.Merge(DuplicatePolicy::Ignore);
    }
    const FileReport& report = run.Reports().front();
    state.counters["days"] = report.read;
    state.counters["added"] = report.added;
    state.counters["skipped"] = report.skipped;
}

void BM_ImportIntoEmpty(benchmark::State& state) { Import(state, false); }
void BM_ImportIntoFullSample(benchmark::State& state) { Import(state, true); }

}  // namespace

BENCHMARK(BM_ReadDataFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetlineIndexFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportIntoEmpty)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportIntoFullSample)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
