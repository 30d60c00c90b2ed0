#include "plot/thin_line.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

void Mark(ColumnRuns& runs, int x, int y)
{
    const std::size_t column = static_cast<std::size_t>(x - runs.firstX);
    runs.low[column] = std::min(runs.low[column], y);
    runs.high[column] = std::max(runs.high[column], y);
}

// Curves never reach far outside their pane; should a point do so all the
// same, its line is walked only this far, not for billions of pixels.
constexpr int WalkLimit = 1 << 16;

PlotPoint Held(PlotPoint p)
{
    p.y = std::clamp(p.y, -WalkLimit, WalkLimit);
    p.x = std::clamp(p.x, -WalkLimit, WalkLimit);
    return p;
}

void Segment(ColumnRuns& runs, PlotPoint a, PlotPoint b)
{
    a = Held(a);
    b = Held(b);
    if (a.x == b.x) {
        Mark(runs, a.x, a.y);
        Mark(runs, a.x, b.y);
        return;
    }
    const int dx = std::abs(b.x - a.x), sx = a.x < b.x ? 1 : -1;
    const int dy = -std::abs(b.y - a.y), sy = a.y < b.y ? 1 : -1;
    int error = dx + dy;
    int x = a.x, y = a.y;
    for (;;) {
        Mark(runs, x, y);
        if (x == b.x && y == b.y)
            break;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += sx;
        }
        if (twice <= dx) {
            error += dx;
            y += sy;
        }
    }
}

}  // namespace

ColumnRuns ThinPolylineRuns(const PlotPoint* points, int count)
{
    ColumnRuns runs;
    if (count <= 0)
        return runs;
    int minX = Held(points[0]).x, maxX = minX;
    for (int i = 1; i < count; ++i) {
        minX = std::min(minX, Held(points[i]).x);
        maxX = std::max(maxX, Held(points[i]).x);
    }
    runs.firstX = minX;
    runs.low.assign(static_cast<std::size_t>(maxX - minX + 1), INT_MAX);
    runs.high.assign(static_cast<std::size_t>(maxX - minX + 1), INT_MIN);
    if (count == 1)
        Mark(runs, Held(points[0]).x, Held(points[0]).y);
    for (int i = 1; i < count; ++i)
        Segment(runs, points[i - 1], points[i]);
    return runs;
}

std::vector<PlotPoint> ReduceColumns(const PlotPoint* in, int n)
{
    std::vector<PlotPoint> out;
    out.reserve(static_cast<std::size_t>(n));
    const auto push = [&](const PlotPoint& p) {
        if (out.empty() || out.back().x != p.x || out.back().y != p.y)
            out.push_back(p);
    };
    for (int i = 0; i < n;) {
        int j = i + 1, low = i, high = i;
        while (j < n && in[j].x == in[i].x) {
            if (in[j].y < in[low].y)
                low = j;
            if (in[j].y > in[high].y)
                high = j;
            ++j;
        }
        push(in[i]);
        push(in[std::min(low, high)]);
        push(in[std::max(low, high)]);
        push(in[j - 1]);
        i = j;
    }
    return out;
}
