// The plot as painted, without axis labels: against fixture pictures, and what they do not show.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <array>
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

// Averages need a full interval, their partial stretches white; titles
// transparent with readouts, on a white box without, none when too wide;
// empty or suspended, only frames.
TEST_F(RenderTest, AveragesTitlesReadoutsAndEmptyOrSuspendedPlots)
{
    EXPECT_EQ(Count(Render(), Dark, {0, 0, 800, 613}), 0);
    Settings().DOverallAvspotsON = 1;
    for (int i = 0; i < 27; ++i)
        AddRecord("01/01/2000", 50 + i, 100.0);
    PreparePlotData();
    const PlotLayout& l = geometry.layout;
    EXPECT_EQ(Count(Render(), Green, l.overall), 0);
    for (int i = 0; i < 60; ++i)
        AddRecord("01/01/2000", 50 + (i % 7) * 10, 100.0);
    PreparePlotData();
    QImage image = Render();
    const PixelRect head{l.overall.left, l.overall.top, l.overall.left + 60, l.overall.bottom};
    const PixelRect title{l.closeup.left, l.closeupTitleY, l.closeup.right, l.closeupTitleY + 12};
    const PixelRect labels{0, l.closeupReadoutY, 200, l.closeupReadoutY + 12};
    EXPECT_GT(Count(image, Green, l.overall), 20);
    EXPECT_GT(Count(image, White, head), 5);
    EXPECT_GT(Count(image, Dark, title), 50);
    EXPECT_EQ(Count(image, White, title), 0);
    EXPECT_GT(Count(image, Dark, labels), 10);
    Settings().CumavgON = Settings().PosdataON = 0;
    image = Render();
    EXPECT_EQ(Count(image, White, head), 0);
    EXPECT_GT(Count(image, White, title), 100);
    EXPECT_EQ(Count(image, Dark, labels), 0);
    EXPECT_EQ(Count(Render(120, 613), Dark, {0, l.closeupTitleY, 120, l.closeupTitleY + 12}), 0);
    Plot().drawingSuspended = 1;
    image = Render();
    EXPECT_EQ(Count(image, Red, l.overall), 0);
    EXPECT_EQ(Count(image, Dark, {0, 0, 800, 613}), 0);
}

// A record marker stands over its day (at (index + 1) * xScale), only in panes showing it.
TEST_F(RenderTest, RecordMarkersStandOnTheirDay)
{
    for (int i = 0; i < 400; ++i)
        AddRecord("01/01/2000", i == 380 ? 300 : i == 299 ? 5 : 100, 150.0);
    Settings().CloseDays = 100;  // the closeup from day 300
    PreparePlotData();
    Settings().RMLoSpots = Settings().RMHiSpots = 1;
    const QImage image = Render();
    const PixelRect &o = geometry.layout.overall, &c = geometry.layout.closeup;
    const int low = o.left + 300 * (o.Width() - 1) / 400, high = c.left + 81 * (c.Width() - 1) / 100;
    EXPECT_GT(Count(image, Black, {low - 1, o.top + 2, low + 2, o.top + 6}), 0);
    EXPECT_GT(Count(image, Black, {high - 1, c.top + 2, high + 2, c.top + 6}), 0);
    EXPECT_EQ(Count(image, Black, {c.left, c.top + 2, high - 1, c.top + 6}) +
                  Count(image, Black, {high + 2, c.top + 2, c.right, c.top + 6}),
              0);
}

// Values no day can have overflow nothing; the huge day sets the scale.
TEST_F(RenderTest, AHistoryWithAHugeFluxIsAveragedAndDrawn)
{
    PlotSettings& s = Settings();
    s.AxisLabels = s.DOverallAvfluxON = s.DCloseupAvfluxON = s.DFillCloseupFlux = 1;
    s.CloseDays = 40;
    for (int i = 0; i < 100; ++i)
        AddRecord("01/01/2000", 100, i == 50 ? 3e9 : i == 60 ? 1e300 : 150.0);
    PreparePlotData();
    EXPECT_LE(std::abs(static_cast<long long>(Records().At(55).m_avgFlux)), INT_MAX);
    Render(800, 600);
    EXPECT_TRUE(geometry.overall.yScale > 0.0 && geometry.overall.yScale * 150.0 < 1.0) << geometry.overall.yScale;
}

// Exactly the fixtures (the sample by the renderer of commit 0d4118a) but the font's text rows.
struct BareCase { const char* fixture; int width, height; std::function<void(PlotSettings&)> configure; };

const BareCase BareCases[] = {
    {"bare-800x613.png", 800, 613,
     [](PlotSettings& s) {
         s.DOverallAvspotsON = s.DOverallAvfluxON = s.DCloseupAvspotsON = s.RMHiFlux = s.RMLoFlux =
             s.RMHiSpots = s.RMLoSpots = 1;
     }},
    {"bare-1280x800-filled.png", 1280, 800,
     [](PlotSettings& s) {
         s.RBOverall = 2;
         s.CloseDays = 900;
         s.PosdataON = 0;
         s.RBCloseup = s.DCloseupAvfluxON = s.DFillCloseupAvFlux = s.DFillOverallFlux = s.DFillCloseupFlux =
             s.DFillCloseupSpots = 1;
     }},
    {"bare-320x300-weeks.png", 320, 300,
     [](PlotSettings& s) { s.RBOverall = 0, s.CloseDays = 60, s.CloseScrn = 40; }},
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
        return std::ranges::any_of(std::array{l.overallReadoutY, l.closeupReadoutY, l.overallTitleY, l.closeupTitleY},
                                   [&](int top) { return y >= top - 2 && y < top + textHeight + 2; });
    };
    const QString fixturePath = QString(SKYLOG_TEST_DATA_DIR) + "/plot/fixtures/" + c.fixture;
    const QImage fixture = QImage(fixturePath).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(fixture.size(), image.size()) << fixturePath.toStdString();
    int differing = 0, compared = 0;
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width && !inTextRow(y); ++x, ++compared)
            if (image.pixel(x, y) != fixture.pixel(x, y) && differing++ < 5)
                std::printf("%s: (%d,%d) is %08x, fixture %08x\n", c.fixture, x, y, image.pixel(x, y),
                            fixture.pixel(x, y));
    EXPECT_EQ(differing, 0);
    EXPECT_GT(compared, c.width * c.height * 3 / 4);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, BarePlotTest, ::testing::ValuesIn(BareCases), [](const auto& info) {
    return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
});
