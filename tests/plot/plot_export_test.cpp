// The plot written to a file (PNG, SVG, PDF) and painted for a high-density screen.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include "plot/plot_export.h"
#include "plot/plot_image.h"
#include "support/plot_fixture.h"
#include "support/run_skylog.h"

namespace {

class PlotExportTest : public PlotFixture {
protected:
    bool Export(const std::string& name, QSize size)
    {
        std::string error;
        return ExportPlot(folder.File(name), size, 1.0, QGuiApplication::font(), CreatePlotPens(Settings()), &error);
    }
};

// The format by the extension; vector files as large as on a screen of 96 pixels an inch.
TEST_F(PlotExportTest, FormatByExtensionAndVectorSizes)
{
    using F = std::optional<PlotFormat>;
    for (const auto& [name, format] : {std::pair{"PLOT.PNG", F(PlotFormat::Png)}, {"a/b.svg", F(PlotFormat::Svg)},
                                       {"x.Pdf", F(PlotFormat::Pdf)}, {"plot.jpg", F()}, {"dir.png/plot", F()}})
        EXPECT_EQ(PlotFormatOf(name), format) << name;
    EXPECT_FALSE(Export("plot.gif", {400, 300}));
    EXPECT_FALSE(PathExists(folder.File("plot.gif")));

    for (int i = 0; i < 100; ++i)
        AddRecord("01/01/2000", 50 + i, 120.0 + i / 2.0);
    PreparePlotData();
    ASSERT_TRUE(Export("plot.svg", {800, 500}));
    const std::string svg = ReadTextFile(folder.File("plot.svg"));
    EXPECT_NE(svg.find("width=\"211.6"), std::string::npos) << svg.substr(0, 400);  // 800 / 96 inch in mm
    ASSERT_TRUE(Export("plot.pdf", {960, 600}));
    const std::string info = RunCommand("pdfinfo " + folder.File("plot.pdf")).output;
    EXPECT_NE(info.find("Page size:       720 x 450 pts"), std::string::npos) << info;
}

// The share of area's pixels whose 2 by 2 block in the double image is all their colour.
double DoubledShare(const QImage& single, const QImage& twice, const PixelRect& area)
{
    int same = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            same += twice.pixel(2 * x, 2 * y) == single.pixel(x, y) &&
                twice.pixel(2 * x + 1, 2 * y) == single.pixel(x, y) &&
                twice.pixel(2 * x, 2 * y + 1) == single.pixel(x, y) &&
                twice.pixel(2 * x + 1, 2 * y + 1) == single.pixel(x, y);
    return static_cast<double>(same) / (area.Width() * area.Height());
}

// At twice the density the same picture doubled with sharper titles; the layout stays.
TEST_F(PlotExportTest, DenserScreensGetTheSamePictureWithSharperText)
{
    Settings().AxisLabels = 0;  // text inside the panes would differ too
    LoadSample();
    QImage single, twice, fractional;
    const auto paint = [&](QImage& image, double ratio) {
        return PaintPlotImage(image, QSize(800, 500), ratio, QGuiApplication::font(),
                              CreatePlotPens(Settings()))
            .layout;
    };
    const PlotLayout l1 = paint(single, 1.0), l2 = paint(twice, 2.0), l15 = paint(fractional, 1.5);
    EXPECT_EQ(std::pair(twice.size(), fractional.size()), std::pair(QSize(1600, 1000), QSize(1200, 750)));
    for (const PlotLayout& l : {l2, l15})
        EXPECT_TRUE(l.overall == l1.overall && l.closeup == l1.closeup);
    EXPECT_GT(DoubledShare(single, twice, l1.overall), 0.99);
    EXPECT_GT(DoubledShare(single, twice, {0, 0, 800, 500}), 0.85);
    EXPECT_LT(DoubledShare(single, twice, {0, l1.overallTitleY, 800, l1.overallTitleY + 12}), 0.99);
    EXPECT_TRUE(PlotImageFits(fractional, QSize(800, 500), 1.5));  // painted again in place
    EXPECT_FALSE(PlotImageFits(fractional, QSize(800, 500), 2.0));
}

}  // namespace
