#include "plot/plot_curves.h"

#include <cstdlib>

#include "data/clamped_cast.h"
#include "data/record_array.h"

namespace {

double Value(const SolarRecord& record, CurveKind kind)
{
    switch (kind) {
    case CurveSunspots:
        return record.m_sunspots;
    case CurveFlux:
        return record.m_flux;
    case CurveAvSunspots:
        return record.m_avgSunspots;
    case CurveAvFlux:
        return record.m_avgFlux;
    }
    return 0.0;
}

int Truncated(double value)
{
    return TruncateToInt(value, -PixelLimit, PixelLimit);
}

}  // namespace

int CurveStartY(CurveKind kind, const PixelRect& pane, const PaneScale& scale)
{
    const RecordArray& records = Records();
    if (scale.start >= records.RecordCount())
        return pane.bottom;
    const double v = Value(records.At(scale.start), kind);
    const int y = kind == CurveSunspots || kind == CurveFlux
                      ? pane.bottom - Truncated(v * scale.yScale)
                      : pane.bottom - Truncated(std::abs(v) * scale.yScale) - 1;
    return y > pane.bottom ? pane.bottom : y;
}

CurvePoints BuildCurve(const CurveRequest& request, std::vector<PlotPoint>& points)
{
    CurvePoints result;
    const RecordArray& records = Records();
    const PixelRect& pane = request.pane;
    const int baseline = pane.bottom;
    const int start = request.scale.start;
    const int end = request.scale.end < records.RecordCount() ? request.scale.end
                                                                : records.RecordCount();
    const double yScale = request.scale.yScale;
    const bool average = request.kind == CurveAvSunspots || request.kind == CurveAvFlux;
    const std::size_t needed = static_cast<std::size_t>(end > start ? end - start : 0) + 5;
    if (points.size() < needed)
        points.resize(needed);

    points[0] = {pane.left, request.startY};
    double x = pane.left;
    int k = 1;
    for (int i = start; i < end; ++i, ++k) {
        const double v = Value(records.At(i), request.kind);
        int y;
        if (!average || v > 0) {
            y = baseline - Truncated(v * yScale) - 1;
        } else if (v < 0 && request.cumulativeAverages) {
            y = baseline - Truncated(-v * yScale) - 1;
            if (i > request.lagDays && result.trailingFirst < 0)
                result.trailingFirst = k;
            if (i < request.lagDays && result.leadingFirst < 0)
                result.leadingFirst = k;
        } else {
            y = points[static_cast<std::size_t>(k - 1)].y;
        }
        if (y > baseline)
            y = baseline;
        // A value above the scale (none is, unless it came in unchecked)
        // stops just above the pane instead of far outside it.
        if (y < pane.top - 1)
            y = pane.top - 1;
        x += request.scale.xScale;
        int px = TruncateToInt(x, -PixelLimit, PixelLimit);
        if (px > pane.right - 1)
            px = pane.right - 1;
        points[static_cast<std::size_t>(k)] = {px, y};
    }
    result.count = k;
    if (result.trailingFirst >= 0)
        result.trailingLast = result.count - 1;
    if (result.leadingFirst >= 0) {
        const int lastLeading = request.lagDays - 1 - start + 1;
        result.leadingLast = lastLeading < result.count - 1 ? lastLeading : result.count - 1;
    }
    result.polygonCount = result.count;
    if (request.filled) {
        const int n = result.count;
        points[static_cast<std::size_t>(n)] = {pane.right - 1, points[static_cast<std::size_t>(n - 1)].y};
        points[static_cast<std::size_t>(n + 1)] = {pane.right - 1, pane.bottom - 1};
        points[static_cast<std::size_t>(n + 2)] = {pane.left, pane.bottom - 1};
        points[static_cast<std::size_t>(n + 3)] = points[0];
        result.polygonCount = n + 4;
    }
    return result;
}
