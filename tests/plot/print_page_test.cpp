// The printed page: frames at their inches, headline, titles, record table, black printing.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

#include "plot/print_page.h"
#include "support/plot_fixture.h"
#include "support/run_skylog.h"

namespace {

// The run of dark pixels across a line through (x, y), as [first, last].
std::pair<int, int> DarkRunAcross(const QImage& image, int x, int y, bool horizontal)
{
    const auto dark = [&](int at) { return qGray(horizontal ? image.pixel(at, y) : image.pixel(x, at)) < 60; };
    int first = horizontal ? x : y, last = first;
    while (dark(first - 1))
        --first;
    while (dark(last + 1))
        ++last;
    return {first, last};
}

const std::time_t PrintTime = 1015329600;  // 5 March 2002, 12:00 UTC: that day from UTC-11 to UTC+11

}  // namespace

class PrintPageTest : public PlotFixture {
protected:
    void AddDays(int count)
    {
        for (int i = 0; i < count; ++i)
            AddRecord(DayDate(i, 1990).c_str(), 50 + (i * 37) % 150, 70.0 + (i * 13) % 200 / 2.0);
        PreparePlotData();
    }
    // A Letter page printed at dpi onto an image, as onto a printer whose printable area is offset.
    QImage Print(int dpi, int offsetX = 0, int offsetY = 0, QImage::Format format = QImage::Format_RGB32,
                 PrintedPage* page = nullptr)
    {
        QImage image(dpi * 17 / 2, dpi * 11, format);
        image.setDotsPerMeterX(qRound(dpi / 0.0254));
        image.setDotsPerMeterY(qRound(dpi / 0.0254));
        image.fill(Qt::white);
        QPainter painter(&image);
        const PrintedPage printed = PrintPage(painter, {dpi, dpi, dpi * 17 / 2, dpi * 11, offsetX, offsetY},
                                              CreatePlotPens(Settings()), PrintTime);
        if (page)
            *page = printed;
        return image;
    }
    // The page's text, runs of blanks made one so columns compare as words.
    std::string PrintedText()
    {
        const std::string pdf = folder.File("page.pdf");
        {
            QPdfWriter writer(QString::fromStdString(pdf));
            writer.setResolution(600);
            writer.setPageSize(QPageSize(QPageSize::Letter));
            writer.setPageMargins(QMarginsF(0, 0, 0, 0));
            QPainter painter(&writer);
            PrintPage(painter, PageDeviceOf(writer), CreatePlotPens(Settings()), PrintTime);
        }
        std::string out = RunCommand("pdftotext -layout " + pdf + " -").output;
        out.erase(std::unique(out.begin(), out.end(), [](char a, char b) { return a == ' ' && b == ' '; }), out.end());
        return out;
    }
};

// The page frame 1.25 inch from the left, 0.75 from the others, 13 pixels wide; plot frames 3 and 4.
TEST_F(PrintPageTest, FramesAtTheirInchesInDevicePixels)
{
    AddDays(400);
    const struct { int dpi, offsetX, offsetY; } devices[] = {{300, 0, 0}, {600, 50, 40}};
    for (const auto& [dpi, offsetX, offsetY] : devices) {
        SCOPED_TRACE(dpi);
        PrintedPage page;  // 600 dpi in grey keeps the picture to a third of the memory
        QImage image = Print(dpi, offsetX, offsetY,
                             dpi == 300 ? QImage::Format_RGB32 : QImage::Format_Grayscale8, &page);

        const int left = dpi * 5 / 4 - offsetX, top = dpi * 3 / 4 - offsetY;
        const int right = dpi * 31 / 4 - offsetX, bottom = dpi * 41 / 4 - offsetY;
        const int middleY = dpi * 11 / 2, middleX = dpi * 4;
        EXPECT_EQ(std::vector({DarkRunAcross(image, left, middleY, true),
                               DarkRunAcross(image, right, middleY, true),
                               DarkRunAcross(image, middleX, top, false),
                               DarkRunAcross(image, middleX, bottom, false)}),
                  std::vector({std::pair(left - 6, left + 6), std::pair(right - 6, right + 6),
                               std::pair(top - 6, top + 6), std::pair(bottom - 6, bottom + 6)}));

        const int tm = QFontMetrics(QPainter(&image).font(), &image).height();
        const int m = (bottom - static_cast<int>(22.5 * tm) - top) / 2;
        const PixelRect overall{left + dpi / 4, top + 6 * tm, right - dpi / 4, top + 6 * tm + m};
        const int closeupTop = overall.bottom + static_cast<int>(4.5 * tm);
        EXPECT_EQ(std::pair(page.overall, page.closeup),
                  std::pair(overall, PixelRect{overall.left, closeupTop, overall.right, closeupTop + m}));
        const auto [firstO, lastO] = DarkRunAcross(image, overall.left, (overall.top + overall.bottom) / 2, true);
        const auto [firstC, lastC] = DarkRunAcross(image, page.closeup.left, closeupTop + m / 3, true);
        EXPECT_EQ(std::pair(lastO - firstO + 1, lastC - firstC + 1), std::pair(3, 4));
    }
}

TEST_F(PrintPageTest, HeadlineTitlesAndRecordTable)
{
    AddRecord("03/01/2002", 120, 150.5);
    AddRecord("03/02/2002", 310, 250.7);  // the highest of both
    AddRecord("03/03/2002", 7, 64.1);     // the lowest of both
    AddRecord("03/04/2002", 90, 100.0);
    Settings().CloseDays = 2;
    PreparePlotData();
    DataFile().path = "/data/solar/GRAPH.DAT";
    const std::string text = PrintedText();
    for (const char* part : {"SKYLOG SOLAR DATA PLOT OF /data/solar/GRAPH.DAT", " 5-MAR-2002",
                             "Solar Data Plot From 03/01/2002 to 03/04/2002 - 4 Days",
                             "Solar Data Plot From 03/03/2002 to 03/04/2002 - 2 Days",
                             "Solar Flux: 03/02/2002 250.7 03/03/2002 64.1", "SunSpots: 03/02/2002 310 03/03/2002 7"})
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;

    Stagger() = {1, 7, "01/01/1989"};  // each title on two lines
    const std::string staggered = PrintedText();
    EXPECT_NE(staggered.find("7 Day Staggered Solar Data Plot\n"), std::string::npos) << staggered;
    EXPECT_NE(staggered.find("From 03/03/2002 to 03/04/2002 - 2 Days"), std::string::npos);
    EXPECT_EQ(staggered.find("Solar Data Plot From"), std::string::npos);
    std::tm time{};  // the day blank-padded, the time zero-padded
    ASSERT_TRUE(strptime("1999-12-05 09:05:07", "%Y-%m-%d %H:%M:%S", &time));
    EXPECT_EQ(PrintDateText(time) + " " + PrintTimeText(time), " 5-DEC-1999 09:05:07");
}

// Without ColorPrints every curve and fill is black; printed averages are computed first.
TEST_F(PrintPageTest, BlackPrintingAndAveragesComputedFirst)
{
    AddDays(300);
    PlotSettings& s = Settings();
    s.GridON = 0;
    s.PFillOverallSpots = s.PFillCloseupSpots = 1;
    const auto coloured = [](const QImage& image, const PixelRect& r, int n = 0) {
        for (int y = r.top + 3; y < r.bottom - 3; ++y)
            for (int x = r.left + 3; x < r.right - 3; ++x)
                n += image.pixelColor(x, y).saturation() > 100 ? 1 : 0;
        return n;
    };
    PrintedPage page;
    const QImage colour = Print(300, 0, 0, QImage::Format_RGB32, &page);
    EXPECT_GT(coloured(colour, page.overall), 1000);
    s.ColorPrints = 0;
    const QImage black = Print(300);
    for (const PixelRect& r : {page.overall, page.closeup}) {  // the filled area above the bottom
        EXPECT_EQ(coloured(black, r), 0);
        EXPECT_EQ(black.pixel((r.left + r.right) / 2, r.bottom - 5), qRgb(0, 0, 0)) << r.top;
    }

    EXPECT_EQ(Records().At(100).m_avgSunspots, 0);
    s.PCloseupAvspotsON = 1;
    PrepareAveragesForPrinting();
    EXPECT_GT(Records().At(100).m_avgSunspots, 0);
}
