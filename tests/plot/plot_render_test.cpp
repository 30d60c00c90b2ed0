// The plot as painted, without axis labels (tested on their own): against
// fixture pictures, and what they do not show (averages of short histories,
// titles, empty and huge histories).
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <climits>
#include <cstdio>
#include <functional>

#include "support/plot_fixture.h"

namespace {

const QRgb Red = qRgb(255, 0, 0), Green = qRgb(0, 255, 0), White = qRgb(255, 255, 255), Black = qRgb(0, 0, 0);

const QRgb Dark = 1;  // text is drawn smoothed: its pixels are dark rather than exactly black

int Count(const QImage& image, QRgb color, const PixelRect& area)
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += color == Dark ? qGray(image.pixel(x, y)) < 90 : image.pixel(x, y) == color;
    return count;
}

}  // namespace

class RenderTest : public PlotFixture {
protected:
    void SetUp() override
    {
        PlotFixture::SetUp();
        Settings().GridON = 0;
        Settings().AxisLabels = 0;
    }
};

TEST_F(RenderTest, AveragesNeedAFullIntervalAndShowPartialStretchesInWhite)
{
    Settings().DOverallAvspotsON = 1;
    for (int i = 0; i < 27; ++i)
        AddRecord("01/01/2000", 50 + i, 100.0);
    PreparePlotData();
    const PixelRect& o = geometry.layout.overall;
    EXPECT_EQ(Count(Render(), Green, o), 0);

    for (int i = 0; i < 60; ++i)
        AddRecord("01/01/2000", 50 + (i % 7) * 10, 100.0);
    PreparePlotData();
    QImage image = Render();
    EXPECT_GT(Count(image, Green, o), 20);
    const PixelRect head{o.left, o.top, o.left + 60, o.bottom};
    EXPECT_GT(Count(image, White, head), 5);  // the leading partial stretch
    Settings().CumavgON = 0;
    EXPECT_EQ(Count(Render(), White, head), 0);
}

// A record marker stands where the curve peaks on the record day (found in
// the picture without markers), and only in panes that show that day.
TEST_F(RenderTest, RecordMarkersStandOnTheRecordDay)
{
    for (int i = 0; i < 400; ++i)
        AddRecord("01/01/2000", i == 380 ? 300 : i == 299 ? 5 : 100, 150.0);
    Settings().CloseDays = 100;
    Settings().DOverallFluxON = Settings().DCloseupFluxON = 0;
    PreparePlotData();
    const QImage plain = Render();
    Settings().RMHiSpots = Settings().RMLoSpots = 1;
    const QImage marked = Render();
    const PlotLayout& l = geometry.layout;
    for (const PixelRect& pane : {l.overall, l.closeup}) {
        int peakTop = pane.bottom, peakLeft = 0, peakRight = 0;  // the top row of red
        for (int y = pane.top; y < pane.bottom && peakTop == pane.bottom; ++y)
            for (int x = pane.left; x < pane.right; ++x)
                if (plain.pixel(x, y) == Red) {
                    peakLeft = peakTop == pane.bottom ? x : peakLeft;
                    peakTop = y;
                    peakRight = x;
                }
        ASSERT_LT(peakTop, pane.bottom);
        // The marker's line up the pane over the peak, nowhere beside it.
        EXPECT_GT(Count(marked, Black, {peakLeft, pane.top + 5, peakRight + 1, pane.top + 6}), 0);
        EXPECT_EQ(Count(marked, Black, {peakRight + 1, pane.top + 5, pane.right, pane.top + 6}), 0);
    }
    // The low day (299) is the one before the closeup's first: no line at its left edge.
    EXPECT_EQ(Count(marked, Black, {0, l.closeup.top + 2, l.closeup.left + 60, l.closeup.top + 6}), 0);
    EXPECT_GT(Count(marked, Black, {l.overall.left + 540, l.overall.top + 2, l.overall.left + 600, l.overall.top + 6}), 0);
}

// Titles on a transparent ground with the readout labels, or on a white box
// without them; none where the title is much wider than the pane; empty or
// suspended, only frames.
TEST_F(RenderTest, TitlesReadoutsAndEmptyOrSuspendedPlots)
{
    EXPECT_EQ(Count(Render(), Dark, {0, 0, 800, 613}), 0);
    for (int i = 0; i < 30; ++i)
        AddRecord("01/01/2000", 100, 150.0);
    PreparePlotData();
    QImage image = Render();
    const PlotLayout& l = geometry.layout;
    const PixelRect title{l.closeup.left, l.closeupTitleY, l.closeup.right, l.closeupTitleY + 12};
    const PixelRect labels{0, l.closeupReadoutY, 200, l.closeupReadoutY + 12};
    EXPECT_GT(Count(image, Dark, title), 50);
    EXPECT_EQ(Count(image, White, title), 0);
    EXPECT_GT(Count(image, Dark, labels), 10);
    Settings().PosdataON = 0;
    image = Render();
    EXPECT_GT(Count(image, White, title), 100);
    EXPECT_EQ(Count(image, Dark, labels), 0);
    EXPECT_EQ(Count(Render(120, 613), Dark, {0, l.closeupTitleY, 120, l.closeupTitleY + 12}), 0);

    Plot().drawingSuspended = 1;
    image = Render();
    EXPECT_EQ(Count(image, Red, l.overall), 0);
    EXPECT_EQ(Count(image, Dark, {0, 0, 800, 613}), 0);
}

// Values no day can have never overflow a coordinate or a buffer; the huge
// day sets the scale, the ordinary days lie on the bottom line.
TEST_F(RenderTest, AHistoryWithAHugeFluxIsAveragedAndDrawn)
{
    Settings().AxisLabels = Settings().DOverallAvfluxON = Settings().DCloseupAvfluxON = Settings().DFillCloseupFlux = 1;
    Settings().CloseDays = 40;
    for (int i = 0; i < 100; ++i)
        AddRecord("01/01/2000", 100, i == 50 ? 3e9 : i == 60 ? 1e300 : 150.0);
    PreparePlotData();
    EXPECT_LE(std::abs(static_cast<long long>(Records().At(55).m_avgFlux)), INT_MAX);
    Render(800, 600);
    EXPECT_TRUE(geometry.overall.yScale > 0.0 && geometry.overall.yScale * 150.0 < 1.0) << geometry.overall.yScale;
}

// With AxisLabels=0 the plot paints exactly the fixtures (rendered from
// sample/GRAPH.DAT by the renderer of commit 0d4118a), text rows aside since
// they depend on the installed font.
struct BareCase { const char* fixture; int width, height; std::function<void(PlotSettings&)> configure; };

const BareCase BareCases[] = {
    {"bare-800x613.png", 800, 613,
     [](PlotSettings& s) {
         s.DOverallAvspotsON = s.DOverallAvfluxON = s.DCloseupAvspotsON = 1;
         s.RMHiFlux = s.RMLoFlux = s.RMHiSpots = s.RMLoSpots = 1;
     }},
    {"bare-1280x800-filled.png", 1280, 800,
     [](PlotSettings& s) {
         s.RBOverall = 2;
         s.RBCloseup = s.DCloseupAvfluxON = s.DFillCloseupAvFlux = 1;
         s.DFillOverallFlux = s.DFillCloseupFlux = s.DFillCloseupSpots = 1;
         s.CloseDays = 900;
         s.PosdataON = 0;
     }},
    {"bare-320x300-weeks.png", 320, 300, [](PlotSettings& s) { s.RBOverall = 0, s.CloseDays = 60, s.CloseScrn = 40; }},
};

class BarePlotTest : public PlotFixture, public ::testing::WithParamInterface<BareCase> {};

TEST_P(BarePlotTest, PaintsTheFixturePixels)
{
    const BareCase& c = GetParam();
    c.configure(Settings());
    Settings().AxisLabels = 0;
    LoadSample();
    QImage image = Render(c.width, c.height);
    const PlotLayout& l = geometry.layout;
    const int textHeight = QPainter(&image).fontMetrics().height();
    const auto inTextRow = [&](int y) {
        for (const int top : {l.overallReadoutY, l.closeupReadoutY, l.overallTitleY, l.closeupTitleY})
            if (y >= top - 2 && y < top + textHeight + 2)
                return true;
        return false;
    };
    const QString fixturePath = QString(SKYLOG_TEST_DATA_DIR) + "/plot/fixtures/" + c.fixture;
    const QImage fixture = QImage(fixturePath).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(fixture.size(), image.size()) << fixturePath.toStdString();
    int differing = 0, compared = 0;
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width && !inTextRow(y); ++x, ++compared)
            if (image.pixel(x, y) != fixture.pixel(x, y) && differing++ < 5)
                std::printf("%s: (%d,%d) is %08x, fixture %08x\n", c.fixture, x, y, image.pixel(x, y), fixture.pixel(x, y));
    EXPECT_EQ(differing, 0);
    EXPECT_GT(compared, c.width * c.height * 3 / 4);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, BarePlotTest, ::testing::ValuesIn(BareCases),
                         [](const ::testing::TestParamInfo<BareCase>& info) {
                             return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
                         });
