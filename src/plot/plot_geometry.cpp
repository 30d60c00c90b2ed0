#include "plot/plot_geometry.h"

#include <cstdio>

#include "data/averages.h"
#include "data/clamped_cast.h"
#include "data/data_file.h"
#include "data/record_array.h"
#include "plot/plot_axes.h"

PlotLayout ComputePlotLayout(const PixelRect& client, int closeScrn, int averageCharWidth)
{
    const int l = client.left, t = client.top, r = client.right, b = client.bottom;
    const int h = b - t;
    PlotLayout layout;
    layout.split = TruncateToInt(closeScrn * 0.0098 * h, -PixelLimit, PixelLimit);
    const int s = layout.split;
    layout.overall = {l + 21, t + 21, r - 20, s - 50};
    layout.closeup = {l + 21, s + 21, r - 20, b - 60};
    layout.overallTitleY = s - 20;
    layout.closeupTitleY = b - 25;
    layout.overallReadoutY = s - 40;
    layout.closeupReadoutY = b - 50;
    const int w = averageCharWidth;
    const int q = (r - 60 * w - l - 35) / 3;
    layout.labelX[0] = l + 15;
    layout.labelX[1] = layout.labelX[0] + q + 14 * w;
    layout.labelX[2] = layout.labelX[1] + q + 14 * w;
    layout.labelX[3] = layout.labelX[2] + q + 15 * w;
    return layout;
}

int VerticalMaximum()
{
    const RecordArray& records = Records();
    if (records.RecordCount() == 0)
        return 400;
    const RecordExtremes& stats = RecordStats();
    const auto clampIndex = [&](int index) {
        return index >= 0 && index < records.RecordCount() ? index : 0;
    };
    int flux = TruncateToInt(records.At(clampIndex(stats.HighFluxIndex)).m_flux);
    int spots = records.At(clampIndex(stats.HighSpotsIndex)).m_sunspots;
    if (flux == 0)
        flux = 400;
    if (spots == 0)
        spots = 400;
    return flux > spots ? flux : spots;
}

PaneScale OverallScale(const PixelRect& pane, int recordCount, int maximum)
{
    PaneScale scale;
    scale.start = 0;
    scale.end = recordCount;
    scale.xScale = recordCount > 0 ? (pane.Width() - 1.0) / recordCount : 0.0;
    scale.yScale = (pane.Height() - 1.0) / maximum;
    return scale;
}

PaneScale CloseupScale(const PixelRect& pane, int closeupEnd, int closeDays, int maximum)
{
    PaneScale scale;
    scale.start = closeupEnd - closeDays < 0 ? 0 : closeupEnd - closeDays;
    scale.end = closeupEnd;
    scale.xScale = closeDays > 0 ? (pane.Width() - 1.0) / closeDays : 0.0;
    scale.yScale = (pane.Height() - 1.0) / maximum;
    return scale;
}

int ValueY(double value, double yScale, int bottom)
{
    const long long y = bottom - TruncateClamped(value * yScale, -PixelLimit, PixelLimit) - 1LL;
    return y > bottom ? bottom : static_cast<int>(y);
}

int GridIntervalDays(int interval)
{
    switch (interval) {
    case 0:
        return 7;
    case 1:
        return 28;
    case 2:
        return 365;
    default:
        return 0;
    }
}

std::vector<int> OverallGridLines(const PixelRect& pane, int recordCount, int interval)
{
    return OverallGridLinesEvery(pane, recordCount, GridIntervalDays(interval));
}

std::vector<GridLine> CloseupGridLines(const PixelRect& pane, int closeupEnd, int closeDays,
                                       int interval)
{
    std::vector<GridLine> lines;
    for (const CloseupLine& line :
         CloseupGridLinesEvery(pane, closeupEnd, closeDays, GridIntervalDays(interval)))
        lines.push_back({line.x, line.solid});
    return lines;
}

int MarkerX(const PixelRect& pane, int index, int start, double xScale)
{
    return pane.left + TruncateToInt((static_cast<double>(index) - start + 1) * xScale,
                                     -PixelLimit, PixelLimit);
}

std::string PlotTitle(int count, const std::string& first, const std::string& last)
{
    char text[256];
    if (Stagger().enabled)
        std::snprintf(text, sizeof text, "%d Day Staggered Solar Data Plot From %s to %s - %d Days",
                      Stagger().interval, first.c_str(), last.c_str(), count);
    else
        std::snprintf(text, sizeof text, "Solar Data Plot From %s to %s - %d Days", first.c_str(),
                      last.c_str(), count);
    return text;
}
