// The bulletin scan against a local archive of 30 years of 53 bulletins
// (1,590 files) on the pyftpdlib test server: a first scan that fetches,
// parses and merges every file, a rescan that finds every name checked, and,
// for comparison, wget --mirror fetching the same tree from the same server.
// (The curl command line of libcurl 7.88 is no yardstick: it waits about a
// second before each passive data connection.)
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "bulletin/bulletin_parser.h"
#include "data/record_array.h"
#include "internet/checked_file_list.h"
#include "internet/ftp_locate_worker.h"
#include "internet/scan_observer.h"
#include "support/ftp_server.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

constexpr int Years = 30;
constexpr int BulletinsPerYear = 53;
constexpr int FirstYear = 1990;

const char* const MonthNames[] = {"JANUARY", "FEBRUARY", "MARCH",     "APRIL",   "MAY",      "JUNE",
                                  "JULY",    "AUGUST",   "SEPTEMBER", "OCTOBER", "NOVEMBER", "DECEMBER"};

int MonthLength(int month, int year)
{
    static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return lengths[month - 1] + (month == 2 && year % 4 == 0 ? 1 : 0);
}

// A bulletin of about 3 KB, like the real ones, for week `week` of year.
std::string MakeBulletin(int year, int week)
{
    int month = 1, day = 1 + 7 * (week - 1);
    while (month <= 12 && day > MonthLength(month, year))
        day -= MonthLength(month++, year);
    if (month > 12) {
        month = 12;
        day = 25;
    }
    int endMonth = month, endDay = day + 6;
    if (endDay > MonthLength(month, year)) {
        endDay -= MonthLength(month, year);
        endMonth = month == 12 ? 1 : month + 1;
    }
    std::string text = "ZCZC AP" + std::to_string(week) + "\nQST de W1AW\nPropagation Forecast Bulletin " +
                       std::to_string(week) + "  ARLP0" + std::to_string(week) + "\n";
    text += "SEATTLE, WA  " + std::string(MonthNames[endMonth - 1]) + " " + std::to_string(endDay) + ", " +
            std::to_string(year) + "\n";
    for (int i = 0; i < 30; ++i)
        text += "Solar activity was moderate this week, and the outlook for the coming days is\n";
    text += "\nSunspot numbers for " + std::string(MonthNames[month - 1]) + " " + std::to_string(day) +
            " through " + (endMonth != month ? std::string(MonthNames[endMonth - 1]) + " " : "") +
            std::to_string(endDay) + " were 101, 102, 103, 104, 105, 106 and 107 with a mean of\n104.  "
            "10.7 cm flux was 150.1, 150.2, 150.3, 150.4, 150.5, 150.6 and 150.7, with a\nmean of 150.4.\n\nNNNN\n/EX\n";
    return text;
}

// Counts nothing, shows nothing: the scan's own cost.
class SilentObserver : public ScanObserver {
public:
    int OperationRowCount() override { return rows_; }
    int AddOperationRow(const std::string&) override { return rows_++; }
    void SetOperationMessage(int, const std::string&) override {}
    void SetOperationStatus(int, const std::string&) override {}
    void SetOperationColor(int, std::uint32_t) override {}
    void ClearFileRows() override { files_ = 0; }
    int AddFileRow(const std::string&) override { return files_++; }
    void SetFileOperation(int, const std::string&) override {}
    void SetFileColor(int, std::uint32_t) override {}
    int files_ = 0;

private:
    int rows_ = 0;
};

struct Archive {
    TempFolder folder;
    std::unique_ptr<FtpTestServer> server;
    Archive()
    {
        std::vector<ArchiveFile> files;
        for (int y = FirstYear; y < FirstYear + Years; ++y) {
            for (int w = 1; w <= BulletinsPerYear; ++w) {
                char name[64];
                std::snprintf(name, sizeof name, "%d/%d-arlp%03d.txt", y, y, w);
                files.push_back({name, MakeBulletin(y, w)});
            }
        }
        WriteArchive(folder.File("site"), "pub/bulletins", files);
        server = std::make_unique<FtpTestServer>(folder.File("site"));
    }
};

Archive& TheArchive()
{
    static Archive archive;
    return archive;
}

ScanSettings ArchiveSettings()
{
    ScanSettings settings;
    settings.site = TheArchive().server->Url();
    settings.dir = "pub/bulletins";
    return settings;
}

// Argument: the days already stored, all before the archive's first year
// (0, or about 77 years of history as a user's data file holds).
void BM_FirstScan(benchmark::State& state)
{
    Archive& archive = TheArchive();
    SilentObserver observer;
    BulletinParser parser;
    const auto wanted = static_cast<std::size_t>(state.range(0));
    std::vector<SolarRecord> history;
    for (int year = FirstYear - 1; history.size() < wanted; --year) {
        for (int month = 12; month >= 1; --month) {
            for (int day = MonthLength(month, year); day >= 1 && history.size() < wanted; --day)
                history.emplace_back(FormatDayDate(month, day, year), 100, 150.0, 0, 0);
        }
    }
    std::reverse(history.begin(), history.end());
    for (auto _ : state) {
        state.PauseTiming();
        Records().ReplaceAll(history);
        CheckedFileList checked;
        FtpLocateWorker worker(checked, parser, observer);
        state.ResumeTiming();
        const ScanResult result = worker.Run(ArchiveSettings());
        if (result.outcome != ScanOutcome::Completed || checked.Count() != Years * BulletinsPerYear)
            state.SkipWithError("the scan did not fetch every file");
    }
    state.counters["files"] = Years * BulletinsPerYear;
    state.counters["days"] = Records().RecordCount();
    (void)archive;
}

void BM_Rescan(benchmark::State& state)
{
    SilentObserver observer;
    BulletinParser parser;
    CheckedFileList checked;
    Records().FreeRecords();
    {
        FtpLocateWorker worker(checked, parser, observer);
        worker.Run(ArchiveSettings());
    }
    for (auto _ : state) {
        FtpLocateWorker worker(checked, parser, observer);
        worker.Run(ArchiveSettings());
        if (observer.files_ != 0)
            state.SkipWithError("the rescan fetched files");
    }
}

// Runs a command line; the time is the benchmark's.
void RunTool(benchmark::State& state, const std::string& tool, const std::string& command)
{
    if (std::system(("command -v " + tool + " >/dev/null").c_str()) != 0) {
        state.SkipWithError((tool + " is not installed").c_str());
        return;
    }
    const std::string out = TheArchive().folder.File("mirror");
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(out);
        fs::create_directories(out);
        state.ResumeTiming();
        if (std::system(("cd " + out + " && " + command).c_str()) != 0)
            state.SkipWithError((tool + " failed").c_str());
    }
}

void BM_WgetMirror(benchmark::State& state)
{
    RunTool(state, "wget", "wget -q --mirror --no-host-directories " + TheArchive().server->Url() + "/pub/bulletins/");
}

}  // namespace

BENCHMARK(BM_FirstScan)->Arg(0)->Arg(28000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_WgetMirror)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Rescan)->Unit(benchmark::kMillisecond)->Iterations(5);

BENCHMARK_MAIN();
