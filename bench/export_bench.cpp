// The printed page of the sample into a 600 dpi PDF, and the CSV export of a
// long history against writing the same days as the data file.
#include <benchmark/benchmark.h>

#include "generated_history.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <cstdio>
#include <filesystem>

#include "config/plot_settings.h"
#include "data/averages.h"
#include "data/csv_export.h"
#include "data/data_file.h"
#include "data/record_array.h"
#include "plot/plot_renderer.h"
#include "plot/plot_state.h"
#include "plot/print_page.h"

namespace {

std::string TempFile(const char* name)
{
    return (std::filesystem::temp_directory_path() / name).string();
}

void Load(const std::string& path)
{
    Records().SetDataChanged(0);
    DataFile().path = path;
    ConnectPlotToDataFile();
    ReadDataFile();
}

// Argument: 1 with every curve and average printed and filled.
void BM_PrintPage600Dpi(benchmark::State& state)
{
    Settings() = PlotSettings();
    PlotSettings& s = Settings();
    if (state.range(0)) {
        s.POverallAvspotsON = s.POverallAvfluxON = s.PCloseupAvspotsON = s.PCloseupAvfluxON = 1;
        s.PFillOverallFlux = s.PFillOverallSpots = s.PFillCloseupFlux = s.PFillCloseupSpots = 1;
    }
    Load(std::string(SKYLOG_SAMPLE_DIR) + "/GRAPH.DAT");
    PrepareAveragesForPrinting();
    const PlotPens pens = CreatePlotPens(s);
    for (auto _ : state) {
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&pdf);
            writer.setResolution(600);
            writer.setPageSize(QPageSize(QPageSize::Letter));
            writer.setPageMargins(QMarginsF(0, 0, 0, 0));
            QPainter painter(&writer);
            PrintPage(painter, PageDeviceOf(writer), pens, 1015761600);
        }
        benchmark::DoNotOptimize(pdf.data().size());
    }
}

const std::string& LargePath()
{
    return GeneratedHistoryPath();
}

void LoadLarge()
{
    Settings() = PlotSettings();
    Load(LargePath());
    int computed = 0;
    ComputeAverages(28, 13, computed);
}

void BM_ExportCsv250k(benchmark::State& state)
{
    LoadLarge();
    const std::string out = TempFile("skylog-bench-export.csv");
    std::string error;
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteCsvFile(out, 28, 13, &error));
}

void BM_WriteDataFile250k(benchmark::State& state)
{
    LoadLarge();
    DataFile().path = TempFile("skylog-bench-export-copy.dat");
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteDataFile());
}

}  // namespace

BENCHMARK(BM_PrintPage600Dpi)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportCsv250k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteDataFile250k)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
