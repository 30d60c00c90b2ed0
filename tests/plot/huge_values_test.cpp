// Values no day can have (they enter only around the range checks: a merge,
// a hand-edited record in memory, a settings file) never make a coordinate
// overflow, a buffer run out or a line take forever.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <climits>
#include <cmath>

#include "config/plot_settings.h"
#include "data/averages.h"
#include "plot/plot_geometry.h"
#include "plot/plot_renderer.h"
#include "plot/plot_state.h"
#include "plot/thin_line.h"
#include "support/data_state.h"

TEST(HugeValues, ValuesMapToHeldPixels)
{
    const int bottom = 250;
    EXPECT_EQ(ValueY(3e9, 1.0, bottom), bottom - PixelLimit - 1);
    EXPECT_EQ(ValueY(1e300, 1e300, bottom), bottom - PixelLimit - 1);
    EXPECT_EQ(ValueY(-1e300, 1.0, bottom), bottom);
    EXPECT_EQ(ValueY(std::nan(""), 1.0, bottom), bottom - 1);
    EXPECT_EQ(MarkerX({0, 0, 100, 100}, INT_MAX, 0, 1e9), PixelLimit);

    // The closeup share of the window from a hand-edited file.
    const PlotLayout layout = ComputePlotLayout({0, 0, 800, 600}, INT_MAX, 8);
    EXPECT_EQ(layout.split, PixelLimit);
}

TEST(HugeValues, ALineBetweenFarPointsIsWalkedOnlyNearThePlot)
{
    const PlotPoint points[] = {{10, -2000000000}, {11, 2000000000}, {12, 5}};
    const ColumnRuns runs = ThinPolylineRuns(points, 3);
    ASSERT_EQ(runs.low.size(), 3u);
    EXPECT_EQ(runs.firstX, 10);
    EXPECT_GE(runs.low[0], -(1 << 16));
    EXPECT_LE(runs.high[1], 1 << 16);
    EXPECT_EQ(runs.low[2], 5);
}

TEST(HugeValues, AHistoryWithAHugeFluxIsAveragedAndDrawn)
{
    ResetDataState();
    Settings() = PlotSettings();
    Settings().DOverallAvfluxON = 1;
    Settings().DCloseupAvfluxON = 1;
    Settings().DFillCloseupFlux = 1;
    Settings().CloseDays = 40;
    Plot() = PlotState();
    RecordStats() = RecordExtremes();
    for (int i = 0; i < 100; ++i)
        AddRecord("01/01/2000", 100, i == 50 ? 3e9 : i == 60 ? 1e300 : 150.0);
    PreparePlotData();
    EXPECT_EQ(Records().At(50).m_avgFlux, Records().At(50).m_avgFlux);  // computed, no trap
    EXPECT_LE(std::abs(static_cast<long long>(Records().At(55).m_avgFlux)), INT_MAX);

    QImage image(800, 600, QImage::Format_RGB32);
    QPainter painter(&image);
    const PaintedGeometry geometry =
        PaintPlot(painter, {0, 0, 800, 600}, CreatePlotPens(Settings()));
    painter.end();
    // The huge day sets the scale: the ordinary days lie on the bottom line.
    EXPECT_GT(geometry.overall.yScale, 0.0);
    EXPECT_LT(geometry.overall.yScale * 150.0, 1.0);
    ResetDataState();
    Settings() = PlotSettings();
    Plot() = PlotState();
}
