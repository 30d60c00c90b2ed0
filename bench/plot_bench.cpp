// Repainting the plot view, and the start-up to the first painted plot.
#include <benchmark/benchmark.h>

#include "generated_history.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QThread>
#include <cstdio>
#include <filesystem>

#include "ui/frame.h"
#include "ui/view.h"
#include "ui/data_editor_dlg.h"
#include "plot/plot_navigation.h"
#include <QTableView>
#include "config/plot_settings.h"
#include "data/data_file.h"
#include "data/record_array.h"
#include "plot/plot_image.h"
#include "plot/plot_renderer.h"
#include "plot/plot_state.h"

namespace {

const std::string& LargePath()
{
    return GeneratedHistoryPath();
}

void Load(const std::string& path)
{
    Settings() = PlotSettings();
    PlotSettings& s = Settings();
    s.DOverallAvspotsON = s.DOverallAvfluxON = s.DCloseupAvspotsON = s.DCloseupAvfluxON = 1;
    s.RMHiFlux = s.RMLoFlux = s.RMHiSpots = s.RMLoSpots = 1;
    Records().SetDataChanged(0);
    DataFile().path = path;
    ConnectPlotToDataFile();
    ReadDataFile();
}

void SetFilled(bool filled)
{
    PlotSettings& s = Settings();
    s.DFillOverallFlux = s.DFillOverallAvFlux = s.DFillOverallSpots = s.DFillOverallAvSpots = filled;
    s.DFillCloseupFlux = s.DFillCloseupSpots = s.DFillCloseupAvFlux = s.DFillCloseupAvSpots = filled;
}

// Argument 0: the sample; 1: 250,000 days. Second argument: filled curves.
void BM_Repaint1600x1000(benchmark::State& state)
{
    Load(state.range(0) == 0 ? std::string(SKYLOG_SAMPLE_DIR) + "/GRAPH.DAT" : LargePath());
    SetFilled(state.range(1) != 0);
    if (std::getenv("SKYLOG_BENCH_OVERALL_ONLY"))
        Settings().DCloseupFluxON = Settings().DCloseupSpotsON = Settings().DCloseupAvspotsON = Settings().DCloseupAvfluxON = 0;
    if (std::getenv("SKYLOG_BENCH_NO_GRID"))
        Settings().GridON = 0;
    if (std::getenv("SKYLOG_BENCH_NO_AVERAGES"))
        Settings().DOverallAvspotsON = Settings().DOverallAvfluxON = Settings().DCloseupAvspotsON = Settings().DCloseupAvfluxON = 0;
    QImage image(1600, 1000, QImage::Format_RGB32);
    const PlotPens pens = CreatePlotPens(Settings());
    for (auto _ : state) {
        QPainter painter(&image);
        PaintPlot(painter, {0, 0, 1600, 1000}, pens);
    }
    state.counters["records"] = Records().RecordCount();
}

// The sample's 1600x1000 view painted for a screen of density range(0) / 100
// (100, 150, 200 percent): four times the pixels at 200%.
void BM_RepaintAtDensity(benchmark::State& state)
{
    Load(std::string(SKYLOG_SAMPLE_DIR) + "/GRAPH.DAT");
    SetFilled(false);
    const double ratio = static_cast<double>(state.range(0)) / 100;
    const PlotPens pens = CreatePlotPens(Settings());
    const QFont font = QGuiApplication::font();
    QImage image;
    for (auto _ : state)
        PaintPlotImage(image, QSize(1600, 1000), ratio, font, pens);
    state.counters["pixels"] = image.width() * image.height();
}

void BM_StartupToFirstPaint(benchmark::State& state)
{
    for (auto _ : state) {
        Records().FreeRecords();
        Settings() = PlotSettings();
        QElapsedTimer timer;
        timer.start();
        Frame frame;
        frame.resize(1280, 800);
        frame.show();
        frame.PlotView()->InitialUpdate();
        while (frame.PlotView()->StartupTimer().isActive() || Records().RecordCount() == 0) {
            QApplication::processEvents();
            QThread::usleep(200);
        }
        frame.PlotView()->repaint();
        state.SetIterationTime(timer.nsecsElapsed() / 1e9);
        frame.hide();
    }
}

// Opening the data editor on 250,000 days until its first rows are painted.
void BM_EditorFirstRows250k(benchmark::State& state)
{
    Load(LargePath());
    for (auto _ : state) {
        DataEditorDlg editor;
        editor.show();
        editor.List()->repaint();
        benchmark::DoNotOptimize(editor.List()->model()->index(0, 0).data());
    }
}

// A mouse move's readout and a page step of the closeup, in a 1280x800 window.
void BM_ViewInteraction(benchmark::State& state)
{
    Load(std::string(SKYLOG_SAMPLE_DIR) + "/GRAPH.DAT");
    Frame frame;
    frame.resize(1280, 800);
    frame.show();
    View* view = frame.PlotView();
    PreparePlotData();
    view->InvalidatePlot();
    while (view->Geometry().overall.xScale <= 0) {
        QApplication::processEvents();
        view->repaint();
    }
    const PaintedGeometry& g = view->Geometry();
    int x = g.layout.overall.left;
    for (auto _ : state) {
        if (state.range(0) == 0) {
            view->ShowCursorValues(x, g.layout.overall.top + 50);
            view->repaint();
            x = x + 7 < g.layout.overall.right ? x + 7 : g.layout.overall.left;
        } else {
            if (!PageBack())
                JumpTo(ScrollMaximum());
            view->InvalidatePlot();
            view->repaint();
        }
    }
}

}  // namespace

BENCHMARK(BM_EditorFirstRows250k)->Unit(benchmark::kMillisecond);
// Argument 0: the readout of a mouse move; 1: a page step with its repaint.
BENCHMARK(BM_ViewInteraction)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Repaint1600x1000)->Args({0, 0})->Args({0, 1})->Args({1, 0})->Args({1, 1})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintAtDensity)->Arg(100)->Arg(150)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartupToFirstPaint)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The start-up reads the sample as the program folder's data file.
    const auto home = std::filesystem::temp_directory_path() / "skylog-bench-home";
    std::filesystem::create_directories(home);
    std::filesystem::copy_file(std::string(SKYLOG_SAMPLE_DIR) + "/GRAPH.DAT", home / "GRAPH.DAT",
                               std::filesystem::copy_options::overwrite_existing);
    std::FILE* ini = std::fopen((home / "SKYLOG.INI").c_str(), "wb");
    std::fputs("[SOLAR_DATA]\nVersion=ORB Version 2.01 Configuration File\n", ini);
    std::fclose(ini);
    setenv("SKYLOG_HOME", home.c_str(), 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
