#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "config/plot_settings.h"
#include "data/averages.h"
#include "data/data_file.h"
#include "plot/plot_renderer.h"
#include "plot/plot_state.h"
#include "support/data_state.h"

namespace {

const QRgb Red = qRgb(255, 0, 0);
const QRgb Cyan = qRgb(0, 255, 255);
const QRgb Green = qRgb(0, 255, 0);
const QRgb Grey = qRgb(128, 128, 128);
const QRgb White = qRgb(255, 255, 255);
const QRgb Black = qRgb(0, 0, 0);

int CountColor(const QImage& image, QRgb color, const PixelRect& area)
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += image.pixel(x, y) == color ? 1 : 0;
    return count;
}

// Text is drawn smoothed: its pixels are dark rather than exactly black.
int CountDark(const QImage& image, const PixelRect& area)
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += qGray(image.pixel(x, y)) < 90 ? 1 : 0;
    return count;
}

}  // namespace

class RenderTest : public ::testing::Test {
protected:
    PaintedGeometry geometry;

    void SetUp() override
    {
        ResetDataState();
        Settings() = PlotSettings();
        Settings().GridON = 0;
        Settings().AxisLabels = 0;  // the bare plot; the axes have tests of their own
        Plot() = PlotState();
        RecordStats() = RecordExtremes();
    }
    void TearDown() override { SetUp(); }

    QImage Render(int width = 800, int height = 613)
    {
        QImage image(width, height, QImage::Format_RGB32);
        QPainter painter(&image);
        geometry = PaintPlot(painter, {0, 0, width, height}, CreatePlotPens(Settings()));
        return image;
    }
};

TEST_F(RenderTest, CurvesSitWhereTheScalesPutThem)
{
    for (int i = 0; i < 10; ++i)
        AddRecord("01/01/2000", 100, 200.0);
    PreparePlotData();
    const QImage image = Render();
    const PixelRect& o = geometry.layout.overall;
    // Maximum 200: the flux runs along the top, the sunspots at half height.
    const int spotsY = o.bottom - static_cast<int>(100 * geometry.overall.yScale) - 1;
    const int fluxY = o.bottom - static_cast<int>(200 * geometry.overall.yScale) - 1;
    const int x = o.left + static_cast<int>(5 * geometry.overall.xScale);
    EXPECT_EQ(image.pixel(x, spotsY), Red);
    EXPECT_EQ(image.pixel(x, fluxY), Cyan);
    EXPECT_EQ(image.pixel(x, (spotsY + o.bottom) / 2), Grey);  // not filled
    EXPECT_EQ(image.pixel(x, (spotsY + fluxY) / 2), Grey);
    EXPECT_EQ(image.pixel(8, 8), qRgb(192, 192, 192));  // the face

    Settings().DFillOverallSpots = 1;
    const QImage filled = Render();
    EXPECT_EQ(filled.pixel(x, (spotsY + o.bottom) / 2), Red);
    EXPECT_EQ(filled.pixel(o.right - 1, o.bottom - 1), Red);  // closed along bottom - 1 and right - 1
    EXPECT_EQ(filled.pixel(x, fluxY), Cyan);
}

TEST_F(RenderTest, AveragesNeedAFullIntervalAndShowPartialStretchesInWhite)
{
    Settings().DOverallAvspotsON = 1;
    for (int i = 0; i < 27; ++i)
        AddRecord("01/01/2000", 50 + i, 100.0);
    PreparePlotData();
    QImage image = Render();
    EXPECT_EQ(CountColor(image, Green, geometry.layout.overall), 0);

    for (int i = 0; i < 60; ++i)
        AddRecord("01/01/2000", 50 + (i % 7) * 10, 100.0);
    PreparePlotData();
    image = Render();
    EXPECT_GT(CountColor(image, Green, geometry.layout.overall), 20);
    const PixelRect head{geometry.layout.overall.left, geometry.layout.overall.top,
                         geometry.layout.overall.left + 60, geometry.layout.overall.bottom};
    EXPECT_GT(CountColor(image, White, head), 5);  // the leading partial stretch

    Settings().CumavgON = 0;
    image = Render();
    EXPECT_EQ(CountColor(image, White, head), 0);
}

TEST_F(RenderTest, RecordMarkersInOneOrBothPanes)
{
    for (int i = 0; i < 400; ++i)
        AddRecord("01/01/2000", i == 380 ? 300 : i == 10 ? 5 : 100, 150.0);
    Settings().CloseDays = 100;
    PreparePlotData();
    Settings().RMHiSpots = Settings().RMLoSpots = 1;
    const QImage image = Render();
    const PlotLayout& l = geometry.layout;
    const int highOverall = MarkerX(l.overall, 380, 0, geometry.overall.xScale);
    const int highCloseup = MarkerX(l.closeup, 380, 300, geometry.closeup.xScale);
    const int lowOverall = MarkerX(l.overall, 10, 0, geometry.overall.xScale);
    // The triangle's widest row lies on the pane bottom - 1, the line above it.
    EXPECT_EQ(image.pixel(highOverall - 6, l.overall.bottom - 1), Black);
    EXPECT_EQ(image.pixel(highOverall + 5, l.overall.bottom - 1), Black);
    EXPECT_EQ(image.pixel(highOverall, l.overall.top + 5), Black);
    EXPECT_EQ(image.pixel(highCloseup, l.closeup.top + 5), Black);
    EXPECT_EQ(image.pixel(lowOverall, l.overall.top + 5), Black);
    // The low day lies left of the closeup window: no line there.
    EXPECT_EQ(CountColor(image, Black, {l.closeup.left, l.closeup.top + 2, highCloseup - 3,
                                        l.closeup.top + 6}),
              0);
}

TEST_F(RenderTest, TitlesLabelsAndTheWidthRule)
{
    for (int i = 0; i < 30; ++i)
        AddRecord("01/01/2000", 100, 150.0);
    PreparePlotData();
    const auto titleRow = [&](const PlotLayout& l) {
        return PixelRect{l.closeup.left, l.closeupTitleY, l.closeup.right, l.closeupTitleY + 12};
    };
    QImage image = Render();
    EXPECT_GT(CountDark(image, titleRow(geometry.layout)), 50);
    EXPECT_EQ(CountColor(image, White, titleRow(geometry.layout)), 0);  // transparent
    const PixelRect labels{0, geometry.layout.closeupReadoutY, 200, geometry.layout.closeupReadoutY + 12};
    EXPECT_GT(CountDark(image, labels), 10);

    Settings().PosdataON = 0;
    image = Render();
    EXPECT_GT(CountColor(image, White, titleRow(geometry.layout)), 100);  // on a white box
    EXPECT_EQ(CountDark(image, labels), 0);

    // A title much wider than the closeup pane is left out.
    image = Render(120, 613);
    EXPECT_EQ(CountDark(image, {0, geometry.layout.closeupTitleY, 120,
                                geometry.layout.closeupTitleY + 12}),
              0);
}

TEST_F(RenderTest, EmptyAndSuspendedPaintOnlyFrames)
{
    QImage image = Render();
    EXPECT_EQ(CountDark(image, {0, 0, 800, 613}), 0);
    for (int i = 0; i < 30; ++i)
        AddRecord("01/01/2000", 100, 150.0);
    PreparePlotData();
    Plot().drawingSuspended = 1;
    image = Render();
    EXPECT_EQ(CountColor(image, Red, geometry.layout.overall), 0);
    EXPECT_EQ(CountDark(image, {0, 0, 800, 613}), 0);
}

// The column shortcut must paint exactly what drawing every point paints.
TEST_F(RenderTest, ColumnShortcutPaintsTheSamePixels)
{
    DataFile().path = std::string(SKYLOG_SAMPLE_DIR) + "/GRAPH.DAT";
    ReadDataFile();
    PlotSettings& s = Settings();
    s.GridON = 1;
    s.DOverallAvspotsON = s.DOverallAvfluxON = 1;
    PreparePlotData();
    for (int filled = 0; filled <= 1; ++filled) {
        s.DFillOverallFlux = s.DFillOverallSpots = s.DFillOverallAvFlux = s.DFillOverallAvSpots = filled;
        for (const QSize size : {QSize(1600, 1000), QSize(733, 517), QSize(300, 260)}) {
            SetColumnShortcut(true);
            const QImage quick = Render(size.width(), size.height());
            SetColumnShortcut(false);
            const QImage plain = Render(size.width(), size.height());
            SetColumnShortcut(true);
            EXPECT_TRUE(quick == plain) << "filled " << filled << " at " << size.width();
            if (quick != plain && std::getenv("SKYLOG_SCREENSHOTS")) {
                int shown = 0;
                for (int y = 0; y < quick.height() && shown < 20; ++y)
                    for (int x = 0; x < quick.width() && shown < 20; ++x)
                        if (quick.pixel(x, y) != plain.pixel(x, y)) {
                            std::printf("diff at %d,%d quick %08x plain %08x\n", x, y, quick.pixel(x, y), plain.pixel(x, y));
                            ++shown;
                        }
            }
        }
    }
}

// Grid lines are drawn with flat ends, from the pane's top row down to the
// row above its last one: the last row (where filled curves close and record
// markers stand) and the frame below keep no grid.
TEST_F(RenderTest, GridLinesStayInsideThePanes)
{
    for (int i = 0; i < 400; ++i)
        AddRecord("01/01/2000", 100, 150.0);
    Settings().CloseDays = 100;
    PreparePlotData();
    const QImage plain = Render();
    Settings().GridON = 1;
    const QImage grid = Render();
    const PixelRect& c = geometry.layout.closeup;
    const auto rowDiffers = [&](int y) {
        int differing = 0;
        for (int x = c.left; x < c.right; ++x)
            differing += plain.pixel(x, y) != grid.pixel(x, y) ? 1 : 0;
        return differing;
    };
    EXPECT_GT(rowDiffers(c.top), 0);         // the lines are there
    EXPECT_GT(rowDiffers(c.bottom - 2), 0);  // down to the row above the last
    EXPECT_EQ(rowDiffers(c.bottom - 1), 0);  // and no further
    EXPECT_EQ(rowDiffers(c.bottom), 0);
}

// Curves are 2 pixels thick in the closeup and 1 pixel in the overall view.
TEST_F(RenderTest, CloseupCurvesAreDrawnThick)
{
    for (int i = 0; i < 400; ++i)
        AddRecord("01/01/2000", 100, 300.0);
    Settings().CloseDays = 100;
    PreparePlotData();
    const QImage image = Render();
    const PlotLayout& l = geometry.layout;
    const auto redInColumn = [&](const PixelRect& pane) {
        const int x = (pane.left + pane.right) / 2;
        return CountColor(image, Red, {x, pane.top, x + 1, pane.bottom});
    };
    EXPECT_EQ(redInColumn(l.overall), 1);
    EXPECT_EQ(redInColumn(l.closeup), 2);
}
