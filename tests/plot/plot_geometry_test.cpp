// Where the plot puts things: panes, scales, closeup moves, curve points, the thin line.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <tuple>
#include <vector>

#include "plot/plot_navigation.h"
#include "plot/thin_line.h"
#include "support/plot_fixture.h"

using PlotTest = PlotFixture;

TEST_F(PlotTest, PaneLayoutScalesAndTitles)
{
    const PlotLayout l = ComputePlotLayout({0, 0, 800, 613}, 50, 7);
    EXPECT_EQ(std::tuple(l.split, l.overall, l.closeup),
              std::tuple(300, PixelRect{21, 21, 780, 250}, PixelRect{21, 321, 780, 553}));
    EXPECT_EQ(std::vector({l.overallTitleY, l.closeupTitleY, l.overallReadoutY, l.closeupReadoutY}),
              std::vector({280, 588, 260, 563}));
    // q = (800 - 420 - 35) / 3 = 115
    EXPECT_EQ(std::vector(l.labelX, l.labelX + 4), std::vector({15, 15 + 115 + 98, 228 + 115 + 98, 441 + 115 + 105}));
    EXPECT_EQ(ComputePlotLayout({0, 0, 800, 1000}, 10, 7).split, 98);
    EXPECT_EQ(ComputePlotLayout({0, 0, 800, 600}, INT_MAX, 8).split, PixelLimit);  // a hand-edited share

    // The pane's height less one spans 0 to the highest value (400 when all are 0).
    AddRecord("01/01/2000", 310, 100.0);
    AddRecord("01/02/2000", 10, 250.7);
    FindRecordHighsLows();
    EXPECT_EQ(VerticalMaximum(), 310);
    ResetDataState();
    AddRecord("01/01/2000", 0, 0.0);
    FindRecordHighsLows();
    EXPECT_EQ(VerticalMaximum(), 400);
    const PaneScale overall = OverallScale({21, 21, 780, 250}, 1, 400);
    EXPECT_EQ(std::tuple(overall.xScale, overall.yScale), std::tuple(758.0, 228.0 / 400));
    const PaneScale closeup = CloseupScale({21, 321, 780, 553}, 300, 100, 200);
    EXPECT_EQ(std::tuple(closeup.start, closeup.xScale, closeup.yScale), std::tuple(200, 758.0 / 100, 231.0 / 200));

    EXPECT_EQ(PlotTitle(4, "03/01/2002", "03/04/2002"), "Solar Data Plot From 03/01/2002 to 03/04/2002 - 4 Days");
    Stagger() = {1, 7, "01/01/1989"};
    EXPECT_EQ(PlotTitle(4, "03/01/2002", "03/04/2002"),
              "7 Day Staggered Solar Data Plot From 03/01/2002 to 03/04/2002 - 4 Days");
}

// A value that many pixels (truncated) above the bottom row, never below nor beyond a painter.
TEST(PlotScale, ValuesAndMarkersStayWithinThePainter)
{
    const struct { double value, yScale; int expected; } values[] = {
        {400, 0.5, 250 - 200 - 1},  {99.99, 1.0, 250 - 99 - 1},  // truncated toward zero
        {-50, 0.57, 250},  {-1e300, 1.0, 250},                     // never below the pane
        {3e9, 1.0, 250 - PixelLimit - 1},  {1e300, 1e300, 250 - PixelLimit - 1},  {std::nan(""), 1.0, 249},
    };
    for (const auto& v : values)
        EXPECT_EQ(ValueY(v.value, v.yScale, 250), v.expected) << v.value;
    EXPECT_EQ(MarkerX({0, 0, 100, 100}, INT_MAX, 0, 1e9), PixelLimit);
}

// Moving the closeup over 1000 records; the end stays within CloseDays..the record count.
TEST_F(PlotTest, CloseupMovesByTheirRules)
{
    for (int i = 0; i < 1000; ++i)
        AddRecord("01/01/2000", 100, 150.0);
    PreparePlotData();
    enum Move { Back, Forward, OneBack, OneForward, Jump, Centre };
    const struct { Move move; int argument, end, closeDays, panDays, expected; bool moved; } cases[] = {
        {Back, 0, 1000, 50, 100, 900, true}, {Back, 0, 599, 50, 300, 300, true}, {Back, 0, 601, 50, 300, 301, true},
        {Back, 0, 100, 50, 100, 100, false}, {Back, 0, 300, 252, 100, 252, true},
        {Forward, 0, 950, 50, 100, 1000, true}, {Forward, 0, 1000, 50, 100, 1000, false},
        {Forward, 0, 504, 252, 252, 756, true},
        {OneBack, 0, 1000, 252, 252, 999, true}, {OneBack, 0, 252, 252, 252, 252, false},
        {OneForward, 0, 999, 252, 252, 1000, true}, {OneForward, 0, 1000, 252, 252, 1000, false},
        {Jump, 100, 1000, 252, 252, 352, true}, {Jump, 900, 252, 252, 252, 1000, true},
        {Centre, 500, 1000, 200, 50, 600, true}, {Centre, 1200, 900, 200, 50, 1000, true},
        {Centre, -5, 1000, 200, 50, 200, true}, {Centre, 0, 1000, 252, 300, 300, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("move " + std::to_string(c.move) + " from " + std::to_string(c.end) + " by " +
                     std::to_string(c.argument));
        Settings().CloseDays = c.closeDays;
        Settings().PanDays = c.panDays;
        Plot().CloseupEnd = c.end;
        const bool moved = c.move == Back      ? PageBack()
                           : c.move == Forward ? PageForward()
                           : c.move == OneBack ? MoveOneDayBack()
                           : c.move == OneForward ? MoveOneDayForward()
                           : c.move == Jump    ? JumpTo(c.argument)
                                               : CentreOn(c.argument);
        EXPECT_EQ(Plot().CloseupEnd, c.expected);
        EXPECT_EQ(moved, c.moved);
    }
}

// Record k at left + k * xScale, point 0 at the start height; partial average stretches.
TEST_F(PlotTest, CurvePointsPartialStretchesAndFill)
{
    for (int i = 0; i < 10; ++i)
        Records().AppendRecord(SolarRecord("01/01/2000", 10 * i, 0.0, i < 3 ? -50 : i > 7 ? -60 : 55, 0));
    CurveRequest request;
    request.kind = CurveAvSunspots;
    request.pane = {10, 10, 110, 110};
    request.scale = {0, 10, 9.9, 1.0};
    request.lagDays = 2;
    request.startY = CurveStartY(CurveAvSunspots, request.pane, request.scale);
    EXPECT_EQ(request.startY, 110 - 50 - 1);
    std::vector<PlotPoint> points;
    CurvePoints curve = BuildCurve(request, points);
    ASSERT_EQ(curve.count, 11);
    EXPECT_EQ(points[4].y, 110 - 55 - 1);
    // Records 0 and 1 lie before LagDays, through record LagDays - 1; 8 and 9 after.
    EXPECT_EQ(std::vector({curve.leadingFirst, curve.leadingLast, curve.trailingFirst, curve.trailingLast}),
              std::vector({1, 2, 9, 10}));

    request.cumulativeAverages = false;
    request.filled = true;
    curve = BuildCurve(request, points);
    EXPECT_EQ(std::vector({points[1].y, points[9].y, curve.leadingFirst}),
              std::vector({request.startY, points[8].y, -1}));
    ASSERT_EQ(curve.polygonCount, 15);  // closed along the bottom back to the start
    EXPECT_EQ(std::vector({points[11].x, points[12].y, points[13].x, points[14].y}),
              std::vector({109, 109, 10, points[0].y}));

    request.kind = CurveSunspots;
    request.filled = false;
    for (const double xScale : {9.9, 10.5, 12.0}) {
        request.scale = {0, 10, xScale, 0.5};
        ASSERT_EQ(BuildCurve(request, points).count, 11);
        for (int k = 1; k <= 10; ++k)
            EXPECT_EQ(points[static_cast<std::size_t>(k)].x, std::min(10 + static_cast<int>(k * xScale), 109))
                << k << " at " << xScale;
    }
}

// The thin line's runs; the column shortcut keeps them; far points are walked only near the plot.
TEST(ThinLine, RunsOfLinesPointsAndFarPoints)
{
    const PlotPoint line[] = {{0, 0}, {3, 1}, {3, 4}}, single[] = {{5, 7}};  // a line ending in a vertical step
    EXPECT_EQ(ThinPolylineRuns(line, 3).high, (std::vector<int>{0, 0, 1, 4}));
    EXPECT_EQ(ThinPolylineRuns(single, 1).high, std::vector<int>{7});
    std::vector<PlotPoint> dense;  // many points a column
    for (int i = 0; i < 400; ++i)
        dense.push_back({10 + i / 7, 500 + (i * 37) % 41 - 20});
    const ColumnRuns all = ThinPolylineRuns(dense.data(), 400);
    const std::vector<PlotPoint> reduced = ReduceColumns(dense.data(), 400);
    const ColumnRuns quick = ThinPolylineRuns(reduced.data(), static_cast<int>(reduced.size()));
    EXPECT_EQ(std::tie(all.firstX, all.low, all.high), std::tie(quick.firstX, quick.low, quick.high));
    EXPECT_LE(reduced.size(), 4 * all.low.size());
    const PlotPoint far[] = {{10, -2000000000}, {11, 2000000000}, {12, 5}};
    const ColumnRuns runs = ThinPolylineRuns(far, 3);
    ASSERT_EQ(runs.low.size(), 3u);
    EXPECT_TRUE(runs.low[0] >= -(1 << 16) && runs.high[1] <= 1 << 16);
    EXPECT_EQ(runs.low[2], 5);
}
