// With AxisLabels=0 the plot must paint exactly what it painted before the
// axis labels existed. The fixtures in tests/plot/fixtures were rendered by
// that earlier renderer (commit 0d4118a) from sample/GRAPH.DAT. Text rows
// (titles and readout labels) are left out of the comparison, since their
// pixels depend on the installed font; everything else must match exactly.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <functional>

#include "config/plot_settings.h"
#include "data/averages.h"
#include "data/data_file.h"
#include "plot/plot_renderer.h"
#include "plot/plot_state.h"
#include "support/data_state.h"

namespace {

struct BareCase {
    const char* fixture;
    int width, height;
    std::function<void(PlotSettings&)> configure;
};

const BareCase BareCases[] = {
    {"bare-800x613.png", 800, 613,
     [](PlotSettings& s) {
         s.DOverallAvspotsON = s.DOverallAvfluxON = s.DCloseupAvspotsON = 1;
         s.RMHiFlux = s.RMLoFlux = s.RMHiSpots = s.RMLoSpots = 1;
     }},
    {"bare-1280x800-filled.png", 1280, 800,
     [](PlotSettings& s) {
         s.RBOverall = 2;
         s.RBCloseup = 1;
         s.DFillOverallFlux = s.DFillCloseupFlux = s.DFillCloseupSpots = 1;
         s.DCloseupAvfluxON = s.DFillCloseupAvFlux = 1;
         s.CloseDays = 900;
         s.PosdataON = 0;
     }},
    {"bare-320x300-weeks.png", 320, 300,
     [](PlotSettings& s) {
         s.RBOverall = 0;
         s.CloseDays = 60;
         s.CloseScrn = 40;
     }},
};

// Rows holding text: the two readout rows and the two titles.
bool InTextRow(const PlotLayout& layout, int textHeight, int y)
{
    for (int top : {layout.overallReadoutY, layout.closeupReadoutY, layout.overallTitleY,
                    layout.closeupTitleY})
        if (y >= top - 2 && y < top + textHeight + 2)
            return true;
    return false;
}

}  // namespace

class BarePlotTest : public ::testing::TestWithParam<BareCase> {
protected:
    void SetUp() override
    {
        ResetDataState();
        Settings() = PlotSettings();
        Plot() = PlotState();
        RecordStats() = RecordExtremes();
    }
    void TearDown() override { SetUp(); }
};

TEST_P(BarePlotTest, PaintsTheFixturePixels)
{
    const BareCase& c = GetParam();
    ConnectPlotToDataFile();
    DataFile().path = std::string(SKYLOG_SAMPLE_DIR) + "/GRAPH.DAT";
    c.configure(Settings());
    Settings().AxisLabels = 0;
    ASSERT_EQ(ReadDataFile(), ReadOutcome::Read);
    PreparePlotData();  // the notifications may have been reset by another test

    QImage image(c.width, c.height, QImage::Format_RGB32);
    QPainter painter(&image);
    const PaintedGeometry geometry =
        PaintPlot(painter, {0, 0, c.width, c.height}, CreatePlotPens(Settings()));
    const int textHeight = painter.fontMetrics().height();
    painter.end();

    const QString fixturePath = QString(SKYLOG_TEST_DATA_DIR) + "/plot/fixtures/" + c.fixture;
    if (const char* folder = std::getenv("SKYLOG_SCREENSHOTS"))
        image.save(QString(folder) + "/" + c.fixture);
    const QImage fixture = QImage(fixturePath).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(fixture.isNull()) << fixturePath.toStdString();
    ASSERT_EQ(fixture.size(), image.size());
    int differing = 0, compared = 0;
    for (int y = 0; y < c.height; ++y) {
        if (InTextRow(geometry.layout, textHeight, y))
            continue;
        for (int x = 0; x < c.width; ++x) {
            ++compared;
            if (image.pixel(x, y) != fixture.pixel(x, y) && differing++ < 5)
                std::printf("%s: (%d,%d) is %08x, fixture %08x\n", c.fixture, x, y,
                            image.pixel(x, y), fixture.pixel(x, y));
        }
    }
    EXPECT_EQ(differing, 0);
    // Most of the picture is compared, not just a strip of it.
    EXPECT_GT(compared, c.width * c.height * 3 / 4);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, BarePlotTest, ::testing::ValuesIn(BareCases),
                         [](const ::testing::TestParamInfo<BareCase>& info) {
                             return std::to_string(info.param.width) + "x" +
                                    std::to_string(info.param.height);
                         });
