// The printed page: frames at their inches, headline, titles, record table, black printing.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "plot/print_page.h"
#include "support/plot_fixture.h"
#include "support/run_skylog.h"

namespace {

bool Dark(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 60; }

// The run of dark pixels across a line through (x, y), as [first, last].
std::pair<int, int> DarkRunAcross(const QImage& image, int x, int y, bool horizontal)
{
    int first = horizontal ? x : y, last = first;
    const auto dark = [&](int at) { return horizontal ? Dark(image, at, y) : Dark(image, x, at); };
    while (dark(first - 1))
        --first;
    while (dark(last + 1))
        ++last;
    return {first, last};
}

// An image of a Letter page at dpi, as a printer's drawing surface.
QImage LetterPage(int dpi, QImage::Format format)
{
    QImage image(dpi * 17 / 2, dpi * 11, format);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    return image;
}

PageDevice LetterDevice(int dpi) { return {dpi, dpi, dpi * 17 / 2, dpi * 11, 0, 0}; }

// Runs of blanks become one, so columns can be compared as words.
std::string Squeezed(const std::string& text)
{
    std::string out;
    for (char c : text)
        if (!(c == ' ' && !out.empty() && out.back() == ' '))
            out += c;
    return out;
}

const std::time_t PrintTime = 1015761600;  // 10 March 2002, 12:00 UTC

}  // namespace

class PrintPageTest : public PlotFixture {
protected:
    void SetUp() override
    {
        PlotFixture::SetUp();
        DataFile().path = "/data/solar/GRAPH.DAT";
    }

    void AddDays(int count)
    {
        for (int i = 0; i < count; ++i)
            AddRecord(DayDate(i, 1990).c_str(), 50 + (i * 37) % 150, 70.0 + (i * 13) % 200 / 2.0);
        PreparePlotData();
    }

    PrintedPage Print(QImage& image, const PageDevice& device)
    {
        QPainter painter(&image);
        return PrintPage(painter, device, CreatePlotPens(Settings()), PrintTime);
    }

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
        return Squeezed(RunCommand("pdftotext -layout " + pdf + " -").output);
    }
};

// The page frame: 1.25 inch from the left, 0.75 from the other edges, 13
// pixels wide; plot frames 3 and 4 pixels wide, each M high from what the
// text rows leave.
TEST_F(PrintPageTest, FramesAtTheirInchesInDevicePixels)
{
    AddDays(400);
    for (const int dpi : {300, 600}) {
        SCOPED_TRACE(dpi);
        // 600 dpi in grey keeps the picture to a third of the memory.
        QImage image = LetterPage(dpi, dpi == 300 ? QImage::Format_RGB32 : QImage::Format_Grayscale8);
        const PrintedPage page = Print(image, LetterDevice(dpi));

        const int left = dpi * 5 / 4, top = dpi * 3 / 4;
        const int right = dpi * 17 / 2 - dpi * 3 / 4, bottom = dpi * 11 - dpi * 3 / 4;
        const int middleY = dpi * 11 / 2, middleX = dpi * 4;
        EXPECT_EQ(DarkRunAcross(image, left, middleY, true), std::make_pair(left - 6, left + 6));
        EXPECT_EQ(DarkRunAcross(image, right, middleY, true), std::make_pair(right - 6, right + 6));
        EXPECT_EQ(DarkRunAcross(image, middleX, top, false), std::make_pair(top - 6, top + 6));
        EXPECT_EQ(DarkRunAcross(image, middleX, bottom, false), std::make_pair(bottom - 6, bottom + 6));

        QImage probe(1, 1, QImage::Format_RGB32);
        probe.setDotsPerMeterX(image.dotsPerMeterX());
        probe.setDotsPerMeterY(image.dotsPerMeterY());
        const int tm = QFontMetrics(QPainter(&probe).font(), &probe).height();
        EXPECT_EQ(page.lineHeight, tm);
        const int m = (bottom - static_cast<int>(22.5 * tm) - top) / 2;
        const PixelRect overall{left + dpi / 4, top + 6 * tm, right - dpi / 4, top + 6 * tm + m};
        EXPECT_EQ(page.overall, overall);
        const int closeupTop = overall.bottom + static_cast<int>(4.5 * tm);
        EXPECT_EQ(page.closeup, (PixelRect{overall.left, closeupTop, overall.right, closeupTop + m}));

        const int y = (overall.top + overall.bottom) / 2;
        const auto [firstO, lastO] = DarkRunAcross(image, overall.left, y, true);
        EXPECT_EQ(lastO - firstO + 1, 3);
        const auto [firstC, lastC] = DarkRunAcross(image, page.closeup.left, closeupTop + m / 3, true);
        EXPECT_EQ(lastC - firstC + 1, 4);
        EXPECT_FALSE(Dark(image, left - 8, middleY));
        EXPECT_FALSE(Dark(image, middleX, bottom + 8));
    }
}

// A printable area inside the paper: the page keeps its place on the paper.
TEST_F(PrintPageTest, PrintableAreaOffsetMovesThePageOntoThePaper)
{
    AddDays(50);
    QImage image = LetterPage(300, QImage::Format_RGB32);
    const PrintedPage page = Print(image, {300, 300, 2550, 3300, 50, 40});
    EXPECT_EQ(page.frame, (PixelRect{375 - 50, 225 - 40, 2550 - 225 - 50, 3300 - 40 - 225}));
    EXPECT_EQ(DarkRunAcross(image, 325, 1600, true), std::make_pair(319, 331));
}

TEST_F(PrintPageTest, HeadlineTitlesAndRecordTable)
{
    AddRecord("03/01/2002", 120, 150.5);
    AddRecord("03/02/2002", 310, 250.7);  // highest sunspots and flux
    AddRecord("03/03/2002", 7, 64.1);     // lowest of both
    AddRecord("03/04/2002", 90, 100.0);
    Settings().CloseDays = 2;
    PreparePlotData();

    const std::string text = PrintedText();
    // 10 March noon UTC is that day from UTC-11 to UTC+11.
    for (const char* part : {"SKYLOG SOLAR DATA PLOT OF /data/solar/GRAPH.DAT", "10-MAR-2002",
                             "Solar Data Plot From 03/01/2002 to 03/04/2002 - 4 Days",
                             "Solar Data Plot From 03/03/2002 to 03/04/2002 - 2 Days",
                             "DATA FILE RECORD INFORMATION", "Highest Lowest",
                             "Solar Flux: 03/02/2002 250.7 03/03/2002 64.1",
                             "SunSpots: 03/02/2002 310 03/03/2002 7"})
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;

    Stagger() = {1, 7, "01/01/1989"};
    const std::string staggered = PrintedText();
    // Two lines each: "7 Day Staggered Solar Data Plot", then "From ... - N Days".
    const std::size_t first = staggered.find("7 Day Staggered Solar Data Plot");
    ASSERT_NE(first, std::string::npos) << staggered;
    EXPECT_NE(staggered.find("7 Day Staggered Solar Data Plot", first + 1), std::string::npos);
    EXPECT_EQ(staggered.find("Solar Data Plot From"), std::string::npos);
    EXPECT_NE(staggered.find("From 03/01/2002 to 03/04/2002 - 4 Days"), std::string::npos);
    EXPECT_NE(staggered.find("From 03/03/2002 to 03/04/2002 - 2 Days"), std::string::npos);
}

TEST_F(PrintPageTest, PrintDateHasABlankPaddedDayAndCapitalMonth)
{
    const auto printed = [](int year, int month, int day, int hour, int minute, int second) {
        std::tm time{};
        time.tm_year = year - 1900, time.tm_mon = month - 1, time.tm_mday = day;
        time.tm_hour = hour, time.tm_min = minute, time.tm_sec = second;
        return PrintDateText(time) + " " + PrintTimeText(time);
    };
    EXPECT_EQ(printed(2002, 3, 15, 9, 5, 7), "15-MAR-2002 09:05:07");
    EXPECT_EQ(printed(1999, 12, 5, 23, 59, 0), " 5-DEC-1999 23:59:00");
}

// Without ColorPrints every curve is black, and a filled area solid black.
TEST_F(PrintPageTest, BlackPrintingOfFilledCurves)
{
    AddDays(300);
    PlotSettings& s = Settings();
    s.GridON = 0;
    s.PFillOverallSpots = s.PFillCloseupSpots = 1;
    const auto countColoured = [](const QImage& image, const PixelRect& r) {
        int n = 0;
        for (int y = r.top + 3; y < r.bottom - 3; ++y)
            for (int x = r.left + 3; x < r.right - 3; ++x) {
                const QColor c = image.pixelColor(x, y);
                n += c.saturation() > 100 ? 1 : 0;
            }
        return n;
    };
    QImage colour = LetterPage(300, QImage::Format_RGB32);
    const PrintedPage page = Print(colour, LetterDevice(300));
    EXPECT_GT(countColoured(colour, page.overall), 1000);

    s.ColorPrints = 0;
    QImage black = LetterPage(300, QImage::Format_RGB32);
    Print(black, LetterDevice(300));
    EXPECT_EQ(countColoured(black, page.overall), 0);
    EXPECT_EQ(countColoured(black, page.closeup), 0);
    for (const PixelRect& r : {page.overall, page.closeup}) {  // the filled area above the bottom
        const int x = (r.left + r.right) / 2, y = r.bottom - 5;
        EXPECT_EQ(black.pixel(x, y), qRgb(0, 0, 0)) << r.top;
        EXPECT_NE(colour.pixel(x, y), qRgb(0, 0, 0));
    }
}

// Average curves on paper are computed first, not drawn from stale zeros.
TEST_F(PrintPageTest, PrintedAveragesAreComputedFirst)
{
    AddDays(200);
    EXPECT_EQ(Plot().AveragesComputed, 0);
    EXPECT_EQ(Records().At(100).m_avgSunspots, 0);
    PrepareAveragesForPrinting();
    EXPECT_EQ(Plot().AveragesComputed, 0);  // no average printed: nothing to do
    Settings().PCloseupAvspotsON = 1;
    PrepareAveragesForPrinting();
    EXPECT_EQ(Plot().AveragesComputed, 1);
    EXPECT_GT(Records().At(100).m_avgSunspots, 0);
}
