// The plot painted for a high-density screen: the same layout, every line
// and area at the scale, text at the full resolution.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include "config/plot_settings.h"
#include "data/averages.h"
#include "data/data_file.h"
#include "plot/plot_image.h"
#include "plot/plot_state.h"
#include "support/data_state.h"

namespace {

class PlotImageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetDataState();
        Settings() = PlotSettings();
        Settings().AxisLabels = 0;  // text inside the panes is compared apart
        Plot() = PlotState();
        RecordStats() = RecordExtremes();
        ConnectPlotToDataFile();
        DataFile().path = std::string(SKYLOG_SAMPLE_DIR) + "/GRAPH.DAT";
        ASSERT_EQ(ReadDataFile(), ReadOutcome::Read);
    }
    void TearDown() override
    {
        ResetDataState();
        Plot() = PlotState();
    }

    PaintedGeometry Paint(QImage& image, double ratio)
    {
        return PaintPlotImage(image, QSize(800, 500), ratio, QGuiApplication::font(),
                              CreatePlotPens(Settings()));
    }
};

bool SameLayout(const PlotLayout& a, const PlotLayout& b)
{
    const auto same = [](const PixelRect& r, const PixelRect& s) {
        return r.left == s.left && r.top == s.top && r.right == s.right && r.bottom == s.bottom;
    };
    return a.split == b.split && same(a.overall, b.overall) && same(a.closeup, b.closeup) &&
           a.overallTitleY == b.overallTitleY && a.closeupTitleY == b.closeupTitleY;
}

// Pixels of area (in plot pixels) whose 2 by 2 block in the double image is
// all the colour of the pixel in the single one.
double DoubledShare(const QImage& single, const QImage& twice, const PixelRect& area)
{
    int same = 0, all = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const QRgb colour = single.pixel(x, y);
            ++all;
            same += twice.pixel(2 * x, 2 * y) == colour && twice.pixel(2 * x + 1, 2 * y) == colour &&
                            twice.pixel(2 * x, 2 * y + 1) == colour &&
                            twice.pixel(2 * x + 1, 2 * y + 1) == colour
                        ? 1
                        : 0;
        }
    return static_cast<double>(same) / all;
}

}  // namespace

// Grids, fills, frames and the one-pixel curves are the single picture
// doubled; the closeup's thick curves run in finer steps along their edges,
// so a few of their pixels differ; the titles are drawn at the full
// resolution. The layout stays, so the mouse maps the same way, and a
// fitting image is painted again in place.
TEST_F(PlotImageTest, DenserScreensGetTheSamePictureWithSharperText)
{
    QImage single, twice, fractional;
    const PaintedGeometry g1 = Paint(single, 1.0);
    const PaintedGeometry g2 = Paint(twice, 2.0);
    const PaintedGeometry g15 = Paint(fractional, 1.5);
    EXPECT_EQ(single.size(), QSize(800, 500));
    EXPECT_EQ(twice.size(), QSize(1600, 1000));
    EXPECT_EQ(fractional.size(), QSize(1200, 750));
    EXPECT_EQ(twice.devicePixelRatio(), 2.0);
    EXPECT_TRUE(SameLayout(g1.layout, g2.layout));
    EXPECT_TRUE(SameLayout(g1.layout, g15.layout));

    EXPECT_GT(DoubledShare(single, twice, g1.layout.overall), 0.99);
    EXPECT_GT(DoubledShare(single, twice, g1.layout.closeup), 0.9);
    EXPECT_GT(DoubledShare(single, twice, {0, 0, 800, 500}), 0.85);
    const PixelRect title{0, g1.layout.overallTitleY, 800, g1.layout.overallTitleY + 12};
    EXPECT_LT(DoubledShare(single, twice, title), 0.99);

    EXPECT_TRUE(PlotImageFits(fractional, QSize(800, 500), 1.5));
    EXPECT_FALSE(PlotImageFits(fractional, QSize(800, 500), 2.0));
    EXPECT_FALSE(PlotImageFits(fractional, QSize(801, 500), 1.5));
    const uchar* pixels = fractional.constBits();
    Paint(fractional, 1.5);
    EXPECT_EQ(fractional.constBits(), pixels);
}
