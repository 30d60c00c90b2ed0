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

TEST_F(PlotImageTest, DoubleDensityIsTheSamePictureWithSharperText)
{
    QImage single, twice;
    const PaintedGeometry g1 = Paint(single, 1.0);
    const PaintedGeometry g2 = Paint(twice, 2.0);
    EXPECT_EQ(single.size(), QSize(800, 500));
    EXPECT_EQ(twice.size(), QSize(1600, 1000));
    EXPECT_EQ(twice.devicePixelRatio(), 2.0);
    EXPECT_TRUE(SameLayout(g1.layout, g2.layout));  // the mouse maps the same way

    // Grids, fills, frames and the one-pixel curves are the single picture
    // doubled; the closeup's thick curves run in finer steps along their
    // edges, so a few of their pixels differ.
    EXPECT_GT(DoubledShare(single, twice, g1.layout.overall), 0.99);
    EXPECT_GT(DoubledShare(single, twice, g1.layout.closeup), 0.9);
    EXPECT_GT(DoubledShare(single, twice, {0, 0, 800, 500}), 0.85);
    // ...but the titles are drawn at the full resolution, not doubled.
    const PixelRect title{0, g1.layout.overallTitleY, 800, g1.layout.overallTitleY + 12};
    EXPECT_LT(DoubledShare(single, twice, title), 0.99);
}

TEST_F(PlotImageTest, FractionalDensityKeepsTheLayoutAndReusesTheImage)
{
    QImage image;
    const PaintedGeometry g1 = Paint(image, 1.0);
    const PaintedGeometry g15 = Paint(image, 1.5);
    EXPECT_EQ(image.size(), QSize(1200, 750));
    EXPECT_TRUE(SameLayout(g1.layout, g15.layout));
    EXPECT_TRUE(PlotImageFits(image, QSize(800, 500), 1.5));
    EXPECT_FALSE(PlotImageFits(image, QSize(800, 500), 2.0));
    EXPECT_FALSE(PlotImageFits(image, QSize(801, 500), 1.5));
    const uchar* pixels = image.constBits();
    Paint(image, 1.5);
    EXPECT_EQ(image.constBits(), pixels);  // painted again in place
}
