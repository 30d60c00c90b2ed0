// Where the two plots go in the view, and how days and values map to pixels.
#pragma once

#include <string>
#include <vector>

// No pixel coordinate goes beyond this, far outside any screen or page: a
// value that would map further is held at the limit.
inline constexpr int PixelLimit = 1 << 24;

struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
    bool operator==(const PixelRect&) const = default;
};

// Labels of the readout rows, trailing blank included.
inline constexpr const char* ReadoutLabels[4] = {"Date: ", "Sun Spots: ", "Solar Flux: ",
                                                 "Cursor Value: "};

struct PlotLayout {
    int split = 0;  // the line between the two halves of the view
    PixelRect overall, closeup;  // the PaneRects, inner plotting rectangles
    int overallTitleY = 0, closeupTitleY = 0;  // tops of the title texts
    int overallReadoutY = 0, closeupReadoutY = 0;  // tops of the readout rows
    int labelX[4] = {};  // x of each readout label
};

// Layout of a client rectangle with CloseScrn percent for the overall pane and
// the display font's average character width.
PlotLayout ComputePlotLayout(const PixelRect& client, int closeScrn, int averageCharWidth);

// Day range and scales of one pane.
struct PaneScale {
    int start = 0, end = 0;
    double xScale = 0.0;  // pixels per day
    double yScale = 0.0;  // pixels per unit of value
};

// The common top of the value axis: the larger of the highest flux (whole
// part) and the highest sunspot number, each 400 when it is 0.
int VerticalMaximum();

PaneScale OverallScale(const PixelRect& pane, int recordCount, int maximum);
PaneScale CloseupScale(const PixelRect& pane, int closeupEnd, int closeDays, int maximum);

// y of a value: bottom - trunc(v * yScale) - 1, never below the pane bottom.
int ValueY(double value, double yScale, int bottom);

// x of the overall grid lines, uniformly spaced from the first record.
std::vector<int> OverallGridLines(const PixelRect& pane, int recordCount, int interval);

struct GridLine {
    int x;
    bool solid;
};
// The closeup grid: weeks (every 28th day solid), months or years, tied to record indexes.
std::vector<GridLine> CloseupGridLines(const PixelRect& pane, int closeupEnd, int closeDays,
                                       int interval);

// Days per grid interval setting (0 weeks, 1 months, 2 years), 0 for any other.
int GridIntervalDays(int interval);

// Geometry of the last paint, for the readout and the mouse.
struct PaintedGeometry {
    PlotLayout layout;
    PaneScale overall, closeup;
    int readoutAnchor[4] = {};  // x where each readout value starts
};

// The title of a pane showing count days from first to last (the staggered
// form while the stagger plot is on).
std::string PlotTitle(int count, const std::string& first, const std::string& last);

// x of a record marker in a pane whose range starts at start.
int MarkerX(const PixelRect& pane, int index, int start, double xScale);
