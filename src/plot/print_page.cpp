#include "plot/print_page.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include "config/plot_settings.h"
#include "data/averages.h"
#include "data/data_file.h"
#include "data/number_text.h"
#include "data/record_array.h"
#include "plot/plot_renderer.h"
#include "plot/plot_state.h"

namespace {

constexpr const char* Months[12] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                    "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

QPen PagePen(const QColor& color, int width, Qt::PenStyle style = Qt::SolidLine)
{
    QPen pen(color, width, style, Qt::FlatCap, Qt::MiterJoin);
    if (style == Qt::DotLine)
        pen.setDashPattern({1.0, 1.0});
    return pen;
}

// Text drawn with its top at y, as the page's positions are given.
void TextAt(QPainter& painter, int x, int y, const QString& text)
{
    painter.drawText(x, y + painter.fontMetrics().ascent(), text);
}

int TextWidth(const QPainter& painter, const QString& text)
{
    return painter.fontMetrics().horizontalAdvance(text);
}

void Centred(QPainter& painter, int a, int b, int y, const QString& text)
{
    TextAt(painter, a + (b - TextWidth(painter, text) - a) / 2, y, text);
}

void RightAligned(QPainter& painter, int right, int y, const QString& text)
{
    TextAt(painter, right - TextWidth(painter, text), y, text);
}

// A record index from the statistics, kept inside the array.
int Held(int index)
{
    return index >= 0 && index < Records().RecordCount() ? index : 0;
}

QString RecordDate(int index)
{
    return QString::fromStdString(Records().At(Held(index)).GetDate());
}

// The title of one plot: one line, or two while the stagger plot is on.
void PlotTitles(QPainter& painter, int left, int right, int bottom, int tm, int first, int last,
                int days)
{
    const QString range = QString("From %1 to %2 - %3 Days").arg(RecordDate(first), RecordDate(last)).arg(days);
    if (Stagger().enabled) {
        Centred(painter, left, right, bottom + static_cast<int>(0.5 * tm),
                QString("%1 Day Staggered Solar Data Plot").arg(Stagger().interval));
        Centred(painter, left, right, bottom + static_cast<int>(1.5 * tm), range);
    } else {
        Centred(painter, left, right, bottom + static_cast<int>(0.5 * tm), "Solar Data Plot " + range);
    }
}

QColor GridColor(const PlotPens& pens, bool colour)
{
    return colour ? pens.solidGrid.color() : QColor(Qt::black);
}

void OverallGrid(QPainter& painter, const PixelRect& frame, int count, const PlotPens& pens, bool colour)
{
    const int days = GridIntervalDays(Settings().RBOverall);
    if (days == 0)
        return;
    const double step = static_cast<double>(frame.Width()) / count * days;
    if (step <= 0)
        return;
    painter.setPen(PagePen(GridColor(pens, colour), 1, Qt::DotLine));
    for (double x = frame.left + step; static_cast<int>(x) < frame.right; x += step)
        painter.drawLine(static_cast<int>(x), frame.top, static_cast<int>(x), frame.bottom);
}

void CloseupGrid(QPainter& painter, const PixelRect& frame, const PlotPens& pens, bool colour)
{
    const PlotSettings& s = Settings();
    const QColor color = GridColor(pens, colour);
    const QPen ordinary = s.RBCloseup == 0 ? PagePen(color, 1, Qt::DotLine) : PagePen(color, 1);
    const QPen fourWeeks = PagePen(Qt::black, 2);
    for (const GridLine& line : CloseupGridLines(frame, Plot().CloseupEnd, s.CloseDays, s.RBCloseup)) {
        painter.setPen(s.RBCloseup == 0 && line.solid ? fourWeeks : ordinary);
        painter.drawLine(line.x, frame.top, line.x, frame.bottom - 1);
    }
}

void RecordTable(QPainter& painter, const PixelRect& plot, int y1, int tm)
{
    const RecordExtremes& stats = RecordStats();
    const RecordArray& records = Records();
    // The date columns are as wide as a four-digit-year date: a template of
    // two-digit years would put the dates over the row labels.
    const QString templ = "Solar Flux: XX/XX/XXXX   XXX.X      XX/XX/XXXX   XXX.X";
    const int w = TextWidth(painter, templ);
    const int x0 = plot.left + (plot.right - w - plot.left) / 2;
    const int c1 = x0 + TextWidth(painter, templ.left(22));
    const int c2 = x0 + TextWidth(painter, templ.left(30));
    const int c3 = x0 + TextWidth(painter, templ.left(46));
    const int c4 = x0 + w;
    const auto flux = [&](int index) {
        return QString::fromStdString(FormatFixed(records.At(Held(index)).m_flux, 0, 1));
    };
    const auto spots = [&](int index) { return QString::number(records.At(Held(index)).m_sunspots); };

    TextAt(painter, x0, y1, "Solar Flux:");
    RightAligned(painter, c1, y1, RecordDate(stats.HighFluxIndex));
    RightAligned(painter, c2, y1, flux(stats.HighFluxIndex));
    RightAligned(painter, c3, y1, RecordDate(stats.LowFluxIndex));
    RightAligned(painter, c4, y1, flux(stats.LowFluxIndex));
    const int y2 = y1 + tm;
    TextAt(painter, x0, y2, "SunSpots:  ");
    RightAligned(painter, c1, y2, RecordDate(stats.HighSpotsIndex));
    RightAligned(painter, c2, y2, spots(stats.HighSpotsIndex));
    RightAligned(painter, c3, y2, RecordDate(stats.LowSpotsIndex));
    RightAligned(painter, c4, y2, spots(stats.LowSpotsIndex));

    const int dw = TextWidth(painter, RecordDate(stats.HighSpotsIndex));
    const int yh = y1 - static_cast<int>(1.5 * tm);
    Centred(painter, c1 - dw, c2, yh, "Highest");
    Centred(painter, c3 - dw, c4, yh, "Lowest");
    painter.setPen(PagePen(Qt::black, 1));
    painter.drawLine(c1 - dw, yh + tm, c2, yh + tm);
    painter.drawLine(c3 - dw, yh + tm, c4, yh + tm);
}

}  // namespace

PageDevice PageDeviceOf(const QPagedPaintDevice& device)
{
    const QPageLayout layout = device.pageLayout();
    const int dpi = device.logicalDpiX();
    const QRect full = layout.fullRectPixels(dpi);
    const QRect paint = layout.paintRectPixels(dpi);
    PageDevice page;
    page.dpiX = dpi;
    page.dpiY = device.logicalDpiY();
    page.pageWidth = full.width();
    page.pageHeight = full.height();
    page.offsetX = paint.left();
    page.offsetY = paint.top();
    return page;
}

std::string PrintDateText(const std::tm& time)
{
    char text[32];
    std::snprintf(text, sizeof text, "%2d-%s-%04d", time.tm_mday, Months[time.tm_mon % 12],
                  time.tm_year + 1900);
    return text;
}

std::string PrintTimeText(const std::tm& time)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", time.tm_hour, time.tm_min, time.tm_sec);
    return text;
}

void PrepareAveragesForPrinting()
{
    const PlotSettings& s = Settings();
    const bool printed = s.POverallAvfluxON || s.POverallAvspotsON || s.PCloseupAvfluxON ||
                         s.PCloseupAvspotsON;
    if (printed && !Plot().AveragesComputed)
        ComputeAverages(s.AvgInt, s.LagDays, Plot().AveragesComputed);
}

PrintedPage PrintPage(QPainter& painter, const PageDevice& device, const PlotPens& pens,
                      std::time_t now)
{
    const PlotSettings& s = Settings();
    PrintedPage page;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBackgroundMode(Qt::TransparentMode);
    const int tm = painter.fontMetrics().height();
    page.lineHeight = tm;

    // 1.25 inch on the left, 0.75 inch elsewhere, from the paper's edges.
    PixelRect& f = page.frame;
    f.left = static_cast<int>(device.dpiX * 1.25) - device.offsetX;
    f.top = static_cast<int>(device.dpiY * 0.75) - device.offsetY;
    f.right = device.pageWidth - static_cast<int>(device.dpiX * 0.75) - device.offsetX;
    f.bottom = device.pageHeight - device.offsetY - static_cast<int>(device.dpiY * 0.75);
    const int m = (f.bottom - static_cast<int>(22.5 * tm) - f.top) / 2;
    const int plotLeft = f.left + device.dpiX / 4;
    const int plotRight = f.right - device.dpiX / 4;

    painter.setPen(PagePen(Qt::black, 13));
    painter.setBrush(Qt::white);
    painter.drawRect(QRect(f.left, f.top, f.Width(), f.Height()));

    const QString headline = "SKYLOG SOLAR DATA PLOT OF " + QString::fromStdString(DataFile().path);
    page.headlineWidth = TextWidth(painter, headline);
    page.headlineX = f.left + (f.right - page.headlineWidth - f.left) / 2;
    int y = f.top + 2 * tm;
    page.headlineY = y;
    painter.setPen(PagePen(Qt::black, 1));
    TextAt(painter, page.headlineX, y, headline);
    const int underline = y + static_cast<int>(1.5 * tm);
    painter.drawLine(page.headlineX, underline, page.headlineX + page.headlineWidth, underline);

    y += 2 * tm;
    std::tm local{};
    localtime_r(&now, &local);
    TextAt(painter, page.headlineX, y, QString::fromStdString(PrintDateText(local)));
    RightAligned(painter, page.headlineX + page.headlineWidth, y,
                 QString::fromStdString(PrintTimeText(local)));

    PixelRect& o = page.overall;
    o = {plotLeft, y + 2 * tm, plotRight, y + 2 * tm + m};
    painter.setPen(PagePen(Qt::black, 3));
    painter.setBrush(Qt::white);
    painter.drawRect(QRect(o.left, o.top, o.Width(), o.Height()));

    PixelRect& c = page.closeup;
    c.left = plotLeft;
    c.right = plotRight;
    c.top = o.bottom + static_cast<int>(4.5 * tm);
    c.bottom = c.top + m;

    RecordArray& records = Records();
    RecordArray::Lock lock = records.Acquire();
    const int count = records.RecordCount();
    const bool colour = s.ColorPrints != 0;
    if (count > 0) {
        if (s.GridON)
            OverallGrid(painter, o, count, pens, colour);
        const int maximum = VerticalMaximum();
        page.overallScale.start = 0;
        page.overallScale.end = count;
        page.overallScale.xScale = static_cast<double>(o.Width()) / count;
        page.overallScale.yScale = static_cast<double>(o.Height()) / maximum;
        DrawPaneCurves(painter, o, page.overallScale, false, pens, PrintSwitches(s, false), true);
        // Axis labels in black on the white paper (grey ticks only in colour).
        PlotPens paper = pens;
        paper.background = QBrush(Qt::white);
        if (!colour)
            paper.solidGrid.setColor(Qt::black);
        if (s.AxisLabels)
            DrawAxes(painter, o, page.overallScale, false, maximum, paper);
        painter.setPen(PagePen(Qt::black, 1));
        painter.setBrush(Qt::NoBrush);
        PlotTitles(painter, plotLeft, plotRight, o.bottom, tm, 0, count - 1, count);

        if (s.GridON)
            CloseupGrid(painter, c, pens, colour);
        const int closeupEnd = Plot().CloseupEnd;
        const int first = closeupEnd - s.CloseDays < 0 ? 0 : closeupEnd - s.CloseDays;
        page.closeupScale.start = first;
        page.closeupScale.end = closeupEnd;
        page.closeupScale.xScale = s.CloseDays > 0 ? static_cast<double>(c.Width()) / s.CloseDays : 0.0;
        page.closeupScale.yScale = static_cast<double>(c.Height()) / maximum;
        DrawPaneCurves(painter, c, page.closeupScale, true, pens, PrintSwitches(s, true), true);
        if (s.AxisLabels)
            DrawAxes(painter, c, page.closeupScale, true, maximum, paper);
    }
    painter.setPen(PagePen(Qt::black, 4));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(c.left, c.top, c.Width(), c.Height()));

    painter.setPen(PagePen(Qt::black, 1));
    if (count > 0) {
        const int closeupEnd = Plot().CloseupEnd;
        if (closeupEnd >= 1 && closeupEnd <= count && closeupEnd - s.CloseDays >= 0)
            PlotTitles(painter, plotLeft, plotRight, c.bottom, tm, closeupEnd - s.CloseDays,
                       closeupEnd - 1, s.CloseDays);
        const int info = c.bottom + static_cast<int>(3.5 * tm);
        Centred(painter, plotLeft, plotRight, info, "DATA FILE RECORD INFORMATION");
        page.tableY = info + static_cast<int>(3.5 * tm);
        RecordTable(painter, {plotLeft, 0, plotRight, 0}, page.tableY, tm);
    }
    painter.restore();
    return page;
}
