// The plot written to a file (PNG, SVG, PDF) and painted for a high-density screen.
#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QXmlStreamReader>

#include "plot/plot_export.h"
#include "plot/plot_image.h"
#include "support/plot_fixture.h"
#include "support/run_skylog.h"

namespace {

class PlotExportTest : public PlotFixture {
protected:
    void SetUp() override
    {
        PlotFixture::SetUp();
        for (int i = 0; i < 100; ++i)
            AddRecord("01/01/2000", 50 + i, 120.0 + i / 2.0);
        PreparePlotData();
    }

    bool Export(const std::string& name, QSize size, double ratio = 1.0)
    {
        std::string error;
        const bool ok = ExportPlot(folder.File(name), size, ratio, QGuiApplication::font(),
                                   CreatePlotPens(Settings()), &error);
        EXPECT_TRUE(ok) << error;
        return ok;
    }
};

TEST_F(PlotExportTest, FormatByExtension)
{
    using F = std::optional<PlotFormat>;
    for (const auto& [name, format] : {std::pair{"PLOT.PNG", F(PlotFormat::Png)}, {"a/b.svg", F(PlotFormat::Svg)},
                                       {"x.Pdf", F(PlotFormat::Pdf)}, {"plot.jpg", F()}, {"dir.png/plot", F()}})
        EXPECT_EQ(PlotFormatOf(name), format) << name;
    std::string error;
    EXPECT_FALSE(ExportPlot(folder.File("plot.gif"), {400, 300}, 1, QGuiApplication::font(),
                            CreatePlotPens(Settings()), &error));
    EXPECT_FALSE(PathExists(folder.File("plot.gif")));
}

// Vector files are as large as the picture on a screen of 96 pixels an inch.
TEST_F(PlotExportTest, VectorFilesHaveTheAskedSize)
{
    ASSERT_TRUE(Export("plot.svg", {800, 500}));
    QFile file(QString::fromStdString(folder.File("plot.svg")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QString width, height, viewBox;
    int elements = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement) {
            ++elements;
            if (xml.name() == u"svg") {
                width = xml.attributes().value("width").toString();
                height = xml.attributes().value("height").toString();
                viewBox = xml.attributes().value("viewBox").toString();
            }
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_GT(elements, 20);
    EXPECT_EQ(viewBox, "0 0 800 500");  // 211.7 by 132.3 mm
    EXPECT_TRUE(width.startsWith("211.") && width.endsWith("mm")) << width.toStdString();
    EXPECT_TRUE(height.startsWith("132.") && height.endsWith("mm")) << height.toStdString();

    ASSERT_TRUE(Export("plot.pdf", {960, 600}));
    const std::string info = RunCommand("pdfinfo " + folder.File("plot.pdf")).output;
    EXPECT_NE(info.find("Pages:           1"), std::string::npos) << info;
    EXPECT_NE(info.find("Page size:       720 x 450 pts"), std::string::npos) << info;
    const std::string text = RunCommand("pdftotext " + folder.File("plot.pdf") + " -").output;
    EXPECT_NE(text.find("Solar Data Plot From 01/01/2000 to 01/01/2000 - 100 Days"), std::string::npos)
        << text;
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
            bool doubled = true;
            for (const int dy : {0, 1})
                for (const int dx : {0, 1})
                    doubled = doubled && twice.pixel(2 * x + dx, 2 * y + dy) == colour;
            same += doubled ? 1 : 0;
        }
    return static_cast<double>(same) / all;
}

// At twice the density the picture is the single one doubled (the thick
// curves' edges aside) with sharper titles; the layout, which the mouse
// maps, stays.
TEST_F(PlotExportTest, DenserScreensGetTheSamePictureWithSharperText)
{
    ResetDataState();
    Settings().AxisLabels = 0;  // text inside the panes would differ too
    LoadSample();
    QImage single, twice, fractional;
    const auto paint = [&](QImage& image, double ratio) {
        return PaintPlotImage(image, QSize(800, 500), ratio, QGuiApplication::font(),
                              CreatePlotPens(Settings())).layout;
    };
    const PlotLayout l1 = paint(single, 1.0), l2 = paint(twice, 2.0), l15 = paint(fractional, 1.5);
    EXPECT_EQ(single.size(), QSize(800, 500));
    EXPECT_EQ(twice.size(), QSize(1600, 1000));
    EXPECT_EQ(fractional.size(), QSize(1200, 750));
    EXPECT_EQ(twice.devicePixelRatio(), 2.0);
    for (const PlotLayout& l : {l2, l15}) {
        EXPECT_EQ(l.overall, l1.overall);
        EXPECT_EQ(l.closeup, l1.closeup);
        EXPECT_EQ(l.closeupTitleY, l1.closeupTitleY);
    }

    EXPECT_GT(DoubledShare(single, twice, l1.overall), 0.99);
    EXPECT_GT(DoubledShare(single, twice, l1.closeup), 0.9);
    EXPECT_GT(DoubledShare(single, twice, {0, 0, 800, 500}), 0.85);
    const PixelRect title{0, l1.overallTitleY, 800, l1.overallTitleY + 12};
    EXPECT_LT(DoubledShare(single, twice, title), 0.99);
    EXPECT_TRUE(PlotImageFits(fractional, QSize(800, 500), 1.5));  // painted again in place
    EXPECT_FALSE(PlotImageFits(fractional, QSize(800, 500), 2.0));
    EXPECT_FALSE(PlotImageFits(fractional, QSize(801, 500), 1.5));
}

}  // namespace
