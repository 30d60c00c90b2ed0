#include <gtest/gtest.h>

#include "config/plot_settings.h"
#include "data/averages.h"
#include "plot/plot_curves.h"
#include "plot/plot_geometry.h"
#include "plot/plot_navigation.h"
#include "plot/plot_state.h"
#include "plot/thin_line.h"
#include "support/data_state.h"

class PlotTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetDataState();
        Settings() = PlotSettings();
        Plot().CloseupEnd = 0;
        RecordStats() = RecordExtremes();
    }
    void TearDown() override { SetUp(); }

    void FillRecords(int n, int spots = 100, double flux = 150.0)
    {
        for (int i = 0; i < n; ++i)
            AddRecord("01/01/2000", spots, flux);
    }
};

TEST_F(PlotTest, PaneLayoutOfTheWorkedExampleAndOthers)
{
    PlotLayout l = ComputePlotLayout({0, 0, 800, 613}, 50, 7);
    EXPECT_EQ(l.split, 300);
    EXPECT_EQ(l.overall, (PixelRect{21, 21, 780, 250}));
    EXPECT_EQ(l.closeup, (PixelRect{21, 321, 780, 553}));
    EXPECT_EQ(l.overallTitleY, 280);
    EXPECT_EQ(l.closeupTitleY, 588);
    EXPECT_EQ(l.overallReadoutY, 260);
    EXPECT_EQ(l.closeupReadoutY, 563);
    // q = (800 - 420 - 35) / 3 = 115
    EXPECT_EQ(l.labelX[0], 15);
    EXPECT_EQ(l.labelX[1], 15 + 115 + 98);
    EXPECT_EQ(l.labelX[2], 228 + 115 + 98);
    EXPECT_EQ(l.labelX[3], 441 + 115 + 105);

    EXPECT_EQ(ComputePlotLayout({0, 0, 800, 1000}, 10, 7).split, 98);
    EXPECT_EQ(ComputePlotLayout({0, 0, 800, 1000}, 90, 7).split, 882);
}

TEST_F(PlotTest, TitlesNormalAndStaggered)
{
    EXPECT_EQ(PlotTitle(252, "10/21/2025", "06/30/2026"),
              "Solar Data Plot From 10/21/2025 to 06/30/2026 - 252 Days");
    Stagger().enabled = 1;
    Stagger().interval = 7;
    EXPECT_EQ(PlotTitle(40, "01/01/1989", "09/30/1989"),
              "7 Day Staggered Solar Data Plot From 01/01/1989 to 09/30/1989 - 40 Days");
}

TEST_F(PlotTest, VerticalScaleAndItsFallbacks)
{
    AddRecord("01/01/2000", 310, 100.0);
    AddRecord("01/02/2000", 10, 250.7);
    FindRecordHighsLows();
    EXPECT_EQ(VerticalMaximum(), 310);
    ResetDataState();
    AddRecord("01/01/2000", 0, 0.0);
    FindRecordHighsLows();
    EXPECT_EQ(VerticalMaximum(), 400);
    const PaneScale s = OverallScale({21, 21, 780, 250}, 1, 400);
    EXPECT_DOUBLE_EQ(s.yScale, 228.0 / 400);
    EXPECT_DOUBLE_EQ(s.xScale, 758.0);
    EXPECT_EQ(ValueY(400, 0.5, 250), 250 - 200 - 1);
    EXPECT_EQ(ValueY(99.99, 1.0, 250), 250 - 99 - 1);  // truncated toward zero
    EXPECT_EQ(ValueY(-50, s.yScale, 250), 250);  // never below the pane
}

TEST_F(PlotTest, PreparePlotDataSettlesTheCloseup)
{
    FillRecords(100);
    PreparePlotData();
    EXPECT_EQ(Settings().CloseDays, 100);
    EXPECT_EQ(Plot().CloseupEnd, 100);
    EXPECT_EQ(Plot().PointArray.size(), 105u);
    EXPECT_EQ(ScrollMaximum(), 0);

    ResetDataState();
    PreparePlotData();
    EXPECT_EQ(Settings().CloseDays, 0);  // an empty file...
    FillRecords(500);
    PreparePlotData();
    EXPECT_EQ(Settings().CloseDays, 500);  // ...lets the next load show every record

    Settings().CloseDays = 252;
    Settings().DCloseupAvfluxON = 1;
    PreparePlotData();
    EXPECT_EQ(Plot().AveragesComputed, 1);
    EXPECT_EQ(ScrollMaximum(), 248);
    EXPECT_EQ(ScrollPosition(), 248);  // the thumb at the right end
}

TEST_F(PlotTest, GridLines)
{
    const PixelRect pane{21, 21, 721, 250};  // 700 pixels wide
    const std::vector<int> overall = OverallGridLines(pane, 700, 0);
    ASSERT_EQ(overall.size(), 100u);
    EXPECT_EQ(overall[0], 21 + 7 - 1);
    EXPECT_EQ(overall[1], 21 + 14 - 1);
    EXPECT_TRUE(OverallGridLines(pane, 700, 3).empty());  // unknown interval: none

    // Weeks with the closeup from record 0: lines on 7, 14, 21, solid 28.
    const std::vector<GridLine> weeks = CloseupGridLines(pane, 70, 70, 0);
    ASSERT_GE(weeks.size(), 4u);
    EXPECT_EQ(weeks[0].x, 21 + 8 * 10);
    EXPECT_FALSE(weeks[0].solid);
    EXPECT_FALSE(weeks[2].solid);
    EXPECT_TRUE(weeks[3].solid);
    EXPECT_EQ(weeks[3].x, 21 + 29 * 10);
    const std::vector<GridLine> months = CloseupGridLines(pane, 100, 70, 1);
    ASSERT_FALSE(months.empty());
    EXPECT_EQ(months[0].x, 21 + (28 - 29 % 28) * 10);  // record 56
    EXPECT_TRUE(months[0].solid);
    EXPECT_TRUE(CloseupGridLines(pane, 10000, 10000, 0).empty());  // under a pixel a week
}

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
    EXPECT_EQ(points[1].x, 19);
    EXPECT_EQ(points[10].x, 109);  // the last record lands on right - 1
    EXPECT_EQ(points[4].y, 110 - 55 - 1);
    EXPECT_EQ(curve.leadingFirst, 1);  // records 0 and 1 lie before LagDays
    EXPECT_EQ(curve.leadingLast, 2);   // through record LagDays - 1
    EXPECT_EQ(curve.trailingFirst, 9);
    EXPECT_EQ(curve.trailingLast, 10);

    request.cumulativeAverages = false;  // partial averages keep the previous height
    request.filled = true;
    curve = BuildCurve(request, points);
    EXPECT_EQ(points[1].y, request.startY);
    EXPECT_EQ(points[9].y, points[8].y);
    EXPECT_EQ(curve.leadingFirst, -1);
    ASSERT_EQ(curve.polygonCount, 15);
    EXPECT_EQ(points[11].x, 109);
    EXPECT_EQ(points[12].y, 109);
    EXPECT_EQ(points[13].x, 10);
    EXPECT_EQ(points[14].y, points[0].y);
}

TEST_F(PlotTest, PagingAndThumb)
{
    FillRecords(1000);
    Settings().CloseDays = Settings().PanDays = 252;
    PreparePlotData();
    std::vector<int> ends;
    while (PageBack())
        ends.push_back(Plot().CloseupEnd);
    EXPECT_EQ(ends, (std::vector<int>{748, 496, 252}));
    ends.clear();
    while (PageForward())
        ends.push_back(Plot().CloseupEnd);
    EXPECT_EQ(ends, (std::vector<int>{504, 756, 1000}));

    Settings().PanDays = 100;
    Plot().CloseupEnd = 300;
    EXPECT_TRUE(PageBack());
    EXPECT_EQ(Plot().CloseupEnd, 252);
    JumpTo(0);
    EXPECT_EQ(Plot().CloseupEnd, 252);
    JumpTo(ScrollMaximum());
    EXPECT_EQ(Plot().CloseupEnd, 1000);
    EXPECT_FALSE(MoveOneDayForward());
    EXPECT_TRUE(MoveOneDayBack());
    EXPECT_EQ(Plot().CloseupEnd, 999);
    CentreOn(0);
    EXPECT_EQ(Plot().CloseupEnd, 252);
    CentreOn(1000);
    EXPECT_EQ(Plot().CloseupEnd, 1000);
}

TEST(ThinLine, ReducedColumnsKeepEveryRun)
{
    std::srand(11);
    for (int trial = 0; trial < 200; ++trial) {
        std::vector<PlotPoint> points;
        double x = 10;
        int y = 500;
        const double step = 0.05 + (trial % 20) * 0.3;  // from many points a column to sparse ones
        for (int i = 0; i < 400; ++i) {
            x += step;
            y += std::rand() % 41 - 20;
            points.push_back({static_cast<int>(x), y});
        }
        const ColumnRuns all = ThinPolylineRuns(points.data(), static_cast<int>(points.size()));
        const std::vector<PlotPoint> reduced = ReduceColumns(points.data(), static_cast<int>(points.size()));
        const ColumnRuns quick = ThinPolylineRuns(reduced.data(), static_cast<int>(reduced.size()));
        ASSERT_EQ(all.firstX, quick.firstX);
        ASSERT_EQ(all.low, quick.low) << trial;
        ASSERT_EQ(all.high, quick.high) << trial;
        EXPECT_LE(reduced.size(), 4 * all.low.size());
    }
    // Both ends are drawn; a lone point is one pixel.
    const PlotPoint line[] = {{0, 0}, {3, 1}};
    const ColumnRuns runs = ThinPolylineRuns(line, 2);
    EXPECT_EQ(runs.low, (std::vector<int>{0, 0, 1, 1}));
    const PlotPoint single[] = {{5, 7}};
    EXPECT_EQ(ThinPolylineRuns(single, 1).high, std::vector<int>{7});
}

// Paging back moves the closeup end back by PanDays, unless fewer than
// PanDays would then remain before it: then the end goes to PanDays.
TEST_F(PlotTest, PageBackStopsAtPanDays)
{
    FillRecords(1000);
    PreparePlotData();
    struct Case {
        int end, panDays, closeDays, expected;
    };
    for (const Case& c : {Case{1000, 100, 50, 900}, Case{250, 100, 50, 150},
                          Case{200, 100, 50, 100}, Case{400, 300, 50, 300},
                          Case{599, 300, 50, 300}, Case{600, 300, 50, 300}, Case{601, 300, 50, 301}}) {
        Settings().PanDays = c.panDays;
        Settings().CloseDays = c.closeDays;
        Plot().CloseupEnd = c.end;
        EXPECT_TRUE(PageBack()) << "from " << c.end;
        EXPECT_EQ(Plot().CloseupEnd, c.expected) << "from " << c.end << " by " << c.panDays;
    }
}

// Centring puts the day half a closeup before the window's end.
TEST_F(PlotTest, CentreOnPutsTheDayInTheMiddle)
{
    FillRecords(1000);
    Settings().CloseDays = 200;
    Settings().PanDays = 50;
    PreparePlotData();
    struct Case {
        int day, expected;
    };
    for (const Case& c : {Case{500, 500 + 200 / 2}, Case{301, 301 + 100}, Case{899, 999},
                          Case{950, 1000}, Case{20, 200}}) {
        CentreOn(c.day);
        EXPECT_EQ(Plot().CloseupEnd, c.expected) << "day " << c.day;
    }
}

// However the scale rounds, no curve point lies right of the pane's last column.
TEST_F(PlotTest, CurvePointsStopAtTheLastColumn)
{
    FillRecords(10);
    const PixelRect pane{10, 10, 110, 110};
    for (const double xScale : {9.9, 10.0, 10.5, 12.0}) {
        CurveRequest request;
        request.kind = CurveSunspots;
        request.pane = pane;
        request.scale = {0, 10, xScale, 0.5};
        request.startY = CurveStartY(CurveSunspots, pane, request.scale);
        std::vector<PlotPoint> points;
        const CurvePoints curve = BuildCurve(request, points);
        ASSERT_EQ(curve.count, 11);
        for (int k = 1; k <= 10; ++k) {
            const int unclamped = 10 + static_cast<int>(k * xScale);
            EXPECT_EQ(points[static_cast<std::size_t>(k)].x, std::min(unclamped, 109))
                << "point " << k << " at scale " << xScale;
        }
    }
}
