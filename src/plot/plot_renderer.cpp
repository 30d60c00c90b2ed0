#include "plot/plot_renderer.h"

#include <QFontMetrics>
#include <QPaintEngine>
#include <QPainter>
#include <QPolygon>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "config/plot_settings.h"
#include "data/averages.h"
#include "data/data_file.h"
#include "data/record_array.h"
#include "plot/plot_axes.h"
#include "plot/plot_curves.h"
#include "plot/plot_state.h"
#include "plot/thin_line.h"

namespace {

const QColor FaceColor(0xC0, 0xC0, 0xC0);
const QColor ShadowColor(0x80, 0x80, 0x80);
bool columnShortcut = true;

QColor FromColorRef(std::uint32_t value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

// Widths in logical pixels: on a high-density screen (a scaled painter) lines
// keep their width relative to the plot.
QPen SolidPen(const QColor& color, int width)
{
    return QPen(color, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
}

void Polyline(QPainter& painter, std::initializer_list<QPoint> points)
{
    painter.drawPolyline(std::data(points), static_cast<int>(points.size()));
}

void DrawFrames(QPainter& painter, const PixelRect& c, int s)
{
    const int l = c.left, t = c.top, r = c.right, b = c.bottom;
    const QPen highlight = SolidPen(Qt::white, 1);
    const QPen shadow = SolidPen(ShadowColor, 1);
    painter.setPen(highlight);
    Polyline(painter, {{l, b}, {l, t}, {r, t}});
    Polyline(painter, {{r - 4, t + 3}, {r - 4, s}});
    Polyline(painter, {{r - 4, s + 3}, {r - 4, b - 3}, {l + 3, b - 3}});
    Polyline(painter, {{l + 3, s}, {r - 3, s}});
    painter.setPen(shadow);
    Polyline(painter, {{l + 3, s}, {l + 3, t + 3}, {r - 4, t + 3}});
    Polyline(painter, {{r - 1, t}, {r - 1, b}, {l + 3, b}});
    Polyline(painter, {{l + 3, b - 3}, {l + 3, s + 3}, {r - 4, s + 3}});
    painter.setPen(highlight);
    Polyline(painter, {{l + 15, s - 45}, {l + 15, t + 15}, {r - 15, t + 15}});
    Polyline(painter, {{r - 20, t + 20}, {r - 20, s - 50}, {l + 20, s - 50}});
    painter.setPen(shadow);
    Polyline(painter, {{l + 20, s - 50}, {l + 20, t + 20}, {r - 20, t + 20}});
    Polyline(painter, {{r - 15, t + 15}, {r - 15, s - 45}, {l + 15, s - 45}});
}

void DrawCloseupFrame(QPainter& painter, const PixelRect& c, int s)
{
    const int l = c.left, r = c.right, b = c.bottom;
    painter.setPen(SolidPen(Qt::white, 1));
    Polyline(painter, {{l + 15, b - 55}, {l + 15, s + 15}, {r - 15, s + 15}});
    Polyline(painter, {{r - 20, s + 20}, {r - 20, b - 60}, {l + 20, b - 60}});
    painter.setPen(SolidPen(ShadowColor, 1));
    Polyline(painter, {{l + 20, b - 60}, {l + 20, s + 20}, {r - 20, s + 20}});
    Polyline(painter, {{r - 15, s + 15}, {r - 15, b - 55}, {l + 15, b - 55}});
}

void FillPane(QPainter& painter, const PixelRect& pane, const QBrush& brush)
{
    if (pane.Width() > 0 && pane.Height() > 0)
        painter.fillRect(QRect(pane.left, pane.top, pane.Width(), pane.Height()), brush);
}

void DrawTextTop(QPainter& painter, int x, int top, const QString& text)
{
    painter.drawText(x, top + painter.fontMetrics().ascent(), text);
}

void DrawTitle(QPainter& painter, const PixelRect& closeup, int top, const QString& title)
{
    const int x = closeup.left + (closeup.Width() - painter.fontMetrics().horizontalAdvance(title)) / 2;
    if (x > 0)
        DrawTextTop(painter, x, top, title);
}

// The closeup's grid lines, coarser than set when they would crowd (axis labels on).
std::vector<CloseupLine> CloseupLines(const PixelRect& pane)
{
    const PlotSettings& s = Settings();
    return CloseupGridLinesEvery(pane, Plot().CloseupEnd, s.CloseDays,
                                 CloseupGridDays(pane, s.CloseDays, s.RBCloseup, s.AxisLabels != 0));
}

void DrawGrids(QPainter& painter, const PlotLayout& layout, const PlotPens& pens)
{
    const PlotSettings& settings = Settings();
    const PixelRect& o = layout.overall;
    const int count = Records().RecordCount();
    painter.setPen(pens.dottedGrid);
    // On a long history several lines fall on one column; one of them paints it.
    int previous = INT_MIN;
    for (int x : OverallGridLinesEvery(
             o, count, OverallGridDays(o, count, settings.RBOverall, settings.AxisLabels != 0))) {
        if (x != previous)
            painter.drawLine(x, o.top, x, o.bottom);
        previous = x;
    }
    const PixelRect& c = layout.closeup;
    for (const CloseupLine& line : CloseupLines(c)) {
        painter.setPen(line.solid ? pens.solidGrid : pens.dottedGrid);
        painter.drawLine(line.x, c.top, line.x, c.bottom - 1);
    }
}

// Fills the area under a curve as narrow strips side by side: the curve's
// first and last point of every column, then the closing points (right - 1,
// last y), (right - 1, bottom - 1), (left, bottom - 1). No pixel centre lies
// on a strip's edge, so every pixel is decided by one strip exactly as by the
// whole area, and inside one column the outline only runs up and down, which
// decides nothing of the area. Narrow strips fill far quicker than one long
// outline.
void FillInStrips(QPainter& painter, const PlotPoint* curve, int count, const PixelRect& pane)
{
    std::vector<QPoint> boundary;
    for (int i = 0; i < count;) {
        int j = i + 1;
        while (j < count && curve[j].x == curve[i].x)
            ++j;
        boundary.emplace_back(curve[i].x, curve[i].y);
        if (j - 1 != i)
            boundary.emplace_back(curve[j - 1].x, curve[j - 1].y);
        i = j;
    }
    boundary.emplace_back(pane.right - 1, curve[count - 1].y);
    const int bottom = pane.bottom - 1;
    constexpr int StripWidth = 8;
    const int last = static_cast<int>(boundary.size()) - 1;
    std::vector<QPoint> strip;
    for (int i = 0; i < last;) {
        const int startX = boundary[static_cast<std::size_t>(i)].x();
        strip.clear();
        int j = i;
        while (j < last && boundary[static_cast<std::size_t>(j)].x() < startX + StripWidth)
            strip.push_back(boundary[static_cast<std::size_t>(j++)]);
        // The strip ends on the point where the next one starts.
        strip.push_back(boundary[static_cast<std::size_t>(j)]);
        strip.emplace_back(strip.back().x(), bottom);
        strip.emplace_back(startX, bottom);
        painter.drawPolygon(strip.data(), static_cast<int>(strip.size()));
        i = j;
    }
}

// A 1-pixel line through the points, drawn as one vertical run per column.
void DrawThinLine(QPainter& painter, const PlotPoint* points, int count, const QColor& color)
{
    const ColumnRuns runs = columnShortcut
                                ? [&] {
                                      const std::vector<PlotPoint> reduced = ReduceColumns(points, count);
                                      return ThinPolylineRuns(reduced.data(), static_cast<int>(reduced.size()));
                                  }()
                                : ThinPolylineRuns(points, count);
    for (std::size_t i = 0; i < runs.low.size(); ++i)
        if (runs.low[i] <= runs.high[i])
            painter.fillRect(QRect(runs.firstX + static_cast<int>(i), runs.low[i], 1,
                                   runs.high[i] - runs.low[i] + 1),
                             color);
}

// Vector devices (PDF, SVG, printers) get each area as one polygon: narrow
// strips would show their seams when a viewer smooths the edges.
bool RasterDevice(const QPainter& painter)
{
    return painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Raster;
}

void FillWhole(QPainter& painter, const std::vector<PlotPoint>& points, const CurvePoints& curve)
{
    if (!columnShortcut) {
        painter.drawPolygon(reinterpret_cast<const QPoint*>(points.data()), curve.polygonCount);
        return;
    }
    std::vector<PlotPoint> outline = ReduceColumns(points.data(), curve.count);
    outline.insert(outline.end(), points.begin() + curve.count, points.begin() + curve.polygonCount);
    painter.drawPolygon(reinterpret_cast<const QPoint*>(outline.data()), static_cast<int>(outline.size()));
}

}  // namespace

void DrawCurve(QPainter& painter, const CurveRequest& request, const PlotPens& pens, bool closeup,
               bool printing)
{
    std::vector<PlotPoint>& points = Plot().PointArray;
    const CurvePoints curve = BuildCurve(request, points);
    static_assert(sizeof(PlotPoint) == sizeof(QPoint), "the buffer is drawn as QPoints");
    const QPoint* data = reinterpret_cast<const QPoint*>(points.data());
    QPen pen;
    QBrush brush;
    switch (request.kind) {
    case CurveSunspots:
        pen = closeup ? pens.spotsThick : pens.spotsThin;
        brush = pens.spotsBrush;
        break;
    case CurveFlux:
        pen = closeup ? pens.fluxThick : pens.fluxThin;
        brush = pens.fluxBrush;
        break;
    case CurveAvSunspots:
        pen = pens.avSpotsPen;
        brush = pens.avSpotsBrush;
        break;
    case CurveAvFlux:
        pen = pens.avFluxPen;
        brush = pens.avFluxBrush;
        break;
    }
    const bool black = printing && !Settings().ColorPrints;
    if (black) {
        pen = SolidPen(Qt::black, 1);
        brush = QBrush(Qt::black);
    }
    if (pen.width() > 1) {
        painter.setPen(pen);
        painter.setBrush(brush);
        if (request.filled)
            painter.drawPolygon(data, curve.polygonCount);
        else
            painter.drawPolyline(data, curve.count);
        painter.setBrush(Qt::NoBrush);
    } else {
        if (request.filled) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(brush);
            if (!RasterDevice(painter))
                FillWhole(painter, points, curve);
            else if (columnShortcut)
                FillInStrips(painter, points.data(), curve.count, request.pane);
            else
                painter.drawPolygon(data, curve.polygonCount);
            painter.setBrush(Qt::NoBrush);
            // The outline: the curve, then its closing lines.
            const PixelRect& p = request.pane;
            const int lastY = points[static_cast<std::size_t>(curve.count - 1)].y;
            const QColor color = pen.color();
            painter.fillRect(QRect(p.right - 1, std::min(lastY, p.bottom - 1), 1,
                                   std::abs(p.bottom - 1 - lastY) + 1), color);
            painter.fillRect(QRect(p.left, p.bottom - 1, p.right - p.left, 1), color);
            painter.fillRect(QRect(p.left, std::min(points[0].y, p.bottom - 1), 1,
                                   std::abs(p.bottom - 1 - points[0].y) + 1), color);
        }
        DrawThinLine(painter, points.data(), curve.count, pen.color());
    }

    // Partial averages: white on the screen, black on paper.
    if ((request.kind == CurveAvSunspots || request.kind == CurveAvFlux) &&
        request.cumulativeAverages) {
        const QColor partial = printing ? Qt::black : Qt::white;
        if (curve.trailingFirst >= 0)
            DrawThinLine(painter, points.data() + curve.trailingFirst,
                         curve.trailingLast - curve.trailingFirst + 1, partial);
        if (curve.leadingFirst >= 0 && curve.leadingLast >= curve.leadingFirst)
            DrawThinLine(painter, points.data() + curve.leadingFirst,
                         curve.leadingLast - curve.leadingFirst + 1, partial);
    }
}

PaneCurveSwitches DisplaySwitches(const PlotSettings& s, bool closeup)
{
    if (closeup)
        return {s.DCloseupFluxON, s.DFillCloseupFlux, s.DCloseupSpotsON, s.DFillCloseupSpots,
                s.DCloseupAvfluxON, s.DFillCloseupAvFlux, s.DCloseupAvspotsON, s.DFillCloseupAvSpots};
    return {s.DOverallFluxON, s.DFillOverallFlux, s.DOverallSpotsON, s.DFillOverallSpots,
            s.DOverallAvfluxON, s.DFillOverallAvFlux, s.DOverallAvspotsON, s.DFillOverallAvSpots};
}

PaneCurveSwitches PrintSwitches(const PlotSettings& s, bool closeup)
{
    if (closeup)
        return {s.PCloseupFluxON, s.PFillCloseupFlux, s.PCloseupSpotsON, s.PFillCloseupSpots,
                s.PCloseupAvfluxON, s.PFillCloseupAvFlux, s.PCloseupAvspotsON, s.PFillCloseupAvSpots};
    return {s.POverallFluxON, s.PFillOverallFlux, s.POverallSpotsON, s.PFillOverallSpots,
            s.POverallAvfluxON, s.PFillOverallAvFlux, s.POverallAvspotsON, s.PFillOverallAvSpots};
}

void DrawPaneCurves(QPainter& painter, const PixelRect& pane, const PaneScale& scale, bool closeup,
                    const PlotPens& pens, const PaneCurveSwitches& switches, bool printing)
{
    const PlotSettings& s = Settings();
    if (Records().RecordCount() == 0)
        return;
    CurveRequest request;
    request.pane = pane;
    request.scale = scale;
    request.cumulativeAverages = s.CumavgON != 0;
    request.lagDays = s.LagDays;
    const auto draw = [&](CurveKind kind, int on, int filled) {
        if (!on)
            return;
        request.kind = kind;
        request.filled = filled != 0;
        request.startY = CurveStartY(kind, pane, scale);
        DrawCurve(painter, request, pens, closeup, printing);
    };
    draw(CurveFlux, switches.fluxOn, switches.fluxFilled);
    draw(CurveSunspots, switches.spotsOn, switches.spotsFilled);
    if (Records().RecordCount() < s.AvgInt)
        return;
    draw(CurveAvFlux, switches.avFluxOn, switches.avFluxFilled);
    draw(CurveAvSunspots, switches.avSpotsOn, switches.avSpotsFilled);
}

namespace {

void DrawMarker(QPainter& painter, const PixelRect& pane, int x)
{
    // The bitmap is ANDed with the plot: its black rows paint, its white
    // leaves the plot as it was. Drawn as those rows, it looks the same on
    // devices without raster operations (PDF, SVG).
    for (int row = 0; row < 6; ++row)
        painter.fillRect(QRect(x - 6 + 5 - row, pane.bottom - 6 + row, 2 + 2 * row, 1), Qt::black);
    painter.drawLine(x, pane.top, x, pane.bottom - 1);
}

void DrawRecordMarkers(QPainter& painter, const PaintedGeometry& g)
{
    const PlotSettings& s = Settings();
    const RecordExtremes& stats = RecordStats();
    painter.setPen(SolidPen(Qt::black, 2));
    const int first = Plot().CloseupEnd - s.CloseDays;
    for (auto [on, index] : {std::pair{s.RMHiFlux, stats.HighFluxIndex},
                             {s.RMLoFlux, stats.LowFluxIndex},
                             {s.RMHiSpots, stats.HighSpotsIndex},
                             {s.RMLoSpots, stats.LowSpotsIndex}}) {
        if (!on)
            continue;
        DrawMarker(painter, g.layout.overall, MarkerX(g.layout.overall, index, 0, g.overall.xScale));
        if (index >= first && index < Plot().CloseupEnd)
            DrawMarker(painter, g.layout.closeup,
                       MarkerX(g.layout.closeup, index, first, g.closeup.xScale));
    }
}

}  // namespace

void DrawAxes(QPainter& painter, const PixelRect& pane, const PaneScale& scale, bool closeup,
              int maximum, const PlotPens& pens)
{
    if (pane.Width() <= 0 || pane.Height() <= 0)
        return;
    painter.save();
    painter.setClipRect(QRect(pane.left, pane.top, pane.Width(), pane.Height()));
    painter.setBackgroundMode(Qt::TransparentMode);
    const QFontMetrics metrics = painter.fontMetrics();
    const TextWidth width = [&](const std::string& text) {
        return metrics.horizontalAdvance(QString::fromStdString(text));
    };
    // The text stands out from the pane's background; the ticks are as faint as the grid.
    const QColor background = pens.background.color();
    const QColor text = qGray(background.rgb()) < 140 ? Qt::white : Qt::black;
    const QColor tick = pens.solidGrid.color();
    constexpr int TickLength = 4;

    const std::vector<TimeLabel> times =
        closeup ? CloseupTimeLabels(pane, CloseupLines(pane), Plot().CloseupEnd,
                                    Settings().CloseDays, width)
                : OverallTimeLabels(pane, scale, width);
    for (const TimeLabel& label : times) {
        painter.fillRect(QRect(label.x, pane.top, 1, TickLength), tick);
        painter.setPen(text);
        DrawTextTop(painter, label.textLeft, pane.top + 1, QString::fromStdString(label.text));
    }
    for (const ValueLabel& label :
         ValueLabels(pane, scale.yScale, maximum, metrics.height(), metrics.height() + 4)) {
        painter.fillRect(QRect(pane.left, label.y, TickLength, 1), tick);
        painter.setPen(text);
        DrawTextTop(painter, pane.left + TickLength + LabelInset, label.textTop,
                    QString::fromStdString(label.text));
    }
    painter.restore();
}

void SetColumnShortcut(bool on)
{
    columnShortcut = on;
}

PlotPens CreatePlotPens(const PlotSettings& settings)
{
    PlotPens pens;
    const QColor grid = FromColorRef(settings.Colors[Grid]);
    const QColor avFlux = FromColorRef(settings.Colors[AvFlux]);
    const QColor avSpots = FromColorRef(settings.Colors[AvSpots]);
    const QColor flux = FromColorRef(settings.Colors[Spots]);   // Spots colours the flux curve
    const QColor spots = FromColorRef(settings.Colors[Flux]);   // and Flux the sunspot curve
    pens.background = QBrush(FromColorRef(settings.Colors[Background]));
    pens.avFluxBrush = QBrush(avFlux);
    pens.avSpotsBrush = QBrush(avSpots);
    pens.fluxBrush = QBrush(flux);
    pens.spotsBrush = QBrush(spots);
    pens.solidGrid = SolidPen(grid, 1);
    pens.dottedGrid = SolidPen(grid, 1);
    pens.dottedGrid.setDashPattern({1.0, 1.0});
    pens.avFluxPen = SolidPen(avFlux, 1);
    pens.avSpotsPen = SolidPen(avSpots, 1);
    pens.fluxThin = SolidPen(flux, 1);
    pens.fluxThick = SolidPen(flux, 2);
    pens.spotsThin = SolidPen(spots, 1);
    pens.spotsThick = SolidPen(spots, 2);
    return pens;
}

const QImage& MarkerBitmap()
{
    static const QImage bitmap = [] {
        QImage image(12, 6, QImage::Format_RGB32);
        image.fill(Qt::white);
        for (int row = 0; row < 6; ++row)
            for (int column = 5 - row; column <= 6 + row; ++column)
                image.setPixel(column, row, qRgb(0, 0, 0));
        return image;
    }();
    return bitmap;
}

PaintedGeometry PaintPlot(QPainter& painter, const PixelRect& client, const PlotPens& pens)
{
    const PlotSettings& settings = Settings();
    PaintedGeometry g;
    g.layout = ComputePlotLayout(client, settings.CloseScrn, painter.fontMetrics().averageCharWidth());
    const PlotLayout& layout = g.layout;
    for (int i = 0; i < 4; ++i)
        g.readoutAnchor[i] =
            layout.labelX[i] + painter.fontMetrics().horizontalAdvance(ReadoutLabels[i]);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(client.left, client.top, client.Width(), client.Height()), FaceColor);
    DrawFrames(painter, client, layout.split);
    FillPane(painter, layout.overall, pens.background);
    DrawCloseupFrame(painter, client, layout.split);
    FillPane(painter, layout.closeup, pens.background);

    PlotState& plot = Plot();
    RecordArray& records = Records();
    // The record array is read from here on; a merge on another thread waits.
    RecordArray::Lock lock = records.Acquire();
    const int count = records.RecordCount();
    if (!plot.drawingSuspended && count > 0) {
        painter.setPen(Qt::black);
        painter.setBackground(Qt::white);
        if (settings.PosdataON) {
            painter.setBackgroundMode(Qt::TransparentMode);
            for (int i = 0; i < 4; ++i) {
                DrawTextTop(painter, layout.labelX[i], layout.overallReadoutY, ReadoutLabels[i]);
                DrawTextTop(painter, layout.labelX[i], layout.closeupReadoutY, ReadoutLabels[i]);
            }
        } else {
            painter.setBackgroundMode(Qt::OpaqueMode);
        }
        DrawTitle(painter, layout.closeup, layout.overallTitleY,
                  QString::fromStdString(
                      PlotTitle(count, records.At(0).GetDate(), records.At(count - 1).GetDate())));
        const int first = plot.CloseupEnd - settings.CloseDays;
        if (first >= 0 && plot.CloseupEnd >= 1 && plot.CloseupEnd <= count)
            DrawTitle(painter, layout.closeup, layout.closeupTitleY,
                      QString::fromStdString(PlotTitle(settings.CloseDays, records.At(first).GetDate(),
                                                       records.At(plot.CloseupEnd - 1).GetDate())));
        painter.setBackgroundMode(Qt::TransparentMode);

        if (settings.GridON)
            DrawGrids(painter, layout, pens);

        const int maximum = VerticalMaximum();
        g.overall = OverallScale(layout.overall, count, maximum);
        g.closeup = CloseupScale(layout.closeup, plot.CloseupEnd, settings.CloseDays, maximum);
        DrawPaneCurves(painter, layout.overall, g.overall, false, pens,
                       DisplaySwitches(settings, false), false);
        DrawPaneCurves(painter, layout.closeup, g.closeup, true, pens,
                       DisplaySwitches(settings, true), false);
        DrawRecordMarkers(painter, g);
        if (settings.AxisLabels) {
            DrawAxes(painter, layout.overall, g.overall, false, maximum, pens);
            DrawAxes(painter, layout.closeup, g.closeup, true, maximum, pens);
        }
    }
    painter.restore();
    plot.loading = 0;
    return g;
}
