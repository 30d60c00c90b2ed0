#include <gtest/gtest.h>

#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QXmlStreamReader>

#include "config/plot_settings.h"
#include "data/averages.h"
#include "plot/plot_export.h"
#include "plot/plot_renderer.h"
#include "plot/plot_state.h"
#include "support/data_state.h"
#include "support/run_skylog.h"
#include "support/temp_folder.h"

class PlotExportTest : public ::testing::Test {
protected:
    TempFolder folder;
    void SetUp() override
    {
        ResetDataState();
        Settings() = PlotSettings();
        Plot() = PlotState();
        RecordStats() = RecordExtremes();
        for (int i = 0; i < 100; ++i)
            AddRecord("01/01/2000", 50 + i, 120.0 + i / 2.0);
        PreparePlotData();
    }
    void TearDown() override { ResetDataState(); }

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
    struct Case {
        const char* name;
        std::optional<PlotFormat> format;
    };
    for (const Case& c : {Case{"plot.png", PlotFormat::Png}, Case{"PLOT.PNG", PlotFormat::Png},
                          Case{"a/b.svg", PlotFormat::Svg}, Case{"x.Pdf", PlotFormat::Pdf},
                          Case{"plot.jpg", std::nullopt}, Case{"plot", std::nullopt},
                          Case{"dir.png/plot", std::nullopt}})
        EXPECT_EQ(PlotFormatOf(c.name), c.format) << c.name;
    std::string error;
    EXPECT_FALSE(ExportPlot(folder.File("plot.gif"), {400, 300}, 1, QGuiApplication::font(),
                            CreatePlotPens(Settings()), &error));
    EXPECT_FALSE(PathExists(folder.File("plot.gif")));
}

TEST_F(PlotExportTest, PngHasTheAskedSizeAndTheWindowsPixels)
{
    ASSERT_TRUE(Export("plot.png", {640, 480}));
    const QImage image(QString::fromStdString(folder.File("plot.png")));
    EXPECT_EQ(image.size(), QSize(640, 480));
    EXPECT_EQ(image.pixel(5, 5), qRgb(0xC0, 0xC0, 0xC0));  // the face around the panes
    ASSERT_TRUE(Export("double.png", {640, 480}, 2.0));
    EXPECT_EQ(QImage(QString::fromStdString(folder.File("double.png"))).size(), QSize(1280, 960));
}

TEST_F(PlotExportTest, SvgParsesWithTheAskedSize)
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
    EXPECT_EQ(viewBox, "0 0 800 500");
    // 800 by 500 pixels at 96 per inch.
    EXPECT_TRUE(width.startsWith("211.") && width.endsWith("mm")) << width.toStdString();
    EXPECT_TRUE(height.startsWith("132.") && height.endsWith("mm")) << height.toStdString();
}

TEST_F(PlotExportTest, PdfIsOnePageOfTheAskedSize)
{
    ASSERT_TRUE(Export("plot.pdf", {960, 600}));
    const std::string info = RunCommand("pdfinfo " + folder.File("plot.pdf")).output;
    EXPECT_NE(info.find("Pages:           1"), std::string::npos) << info;
    // 960 by 600 pixels at 96 per inch are 720 by 450 points.
    EXPECT_NE(info.find("Page size:       720 x 450 pts"), std::string::npos) << info;
    const std::string text = RunCommand("pdftotext " + folder.File("plot.pdf") + " -").output;
    EXPECT_NE(text.find("Solar Data Plot From 01/01/2000 to 01/01/2000 - 100 Days"), std::string::npos)
        << text;
}
