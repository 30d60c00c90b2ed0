// What makes the plots readable at a glance: year and date labels along the
// top of the panes, round values along their left edge, and grid intervals
// that never crowd into a hatch. Positions only; the renderer draws them.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "plot/plot_geometry.h"

// Width in pixels of a label's text, as the drawing font measures it.
using TextWidth = std::function<int(const std::string&)>;

// Grid lines closer than this many pixels read as a hatch.
inline constexpr double MinGridStep = 3.0;

// The grid interval in days actually drawn for an interval of days at
// pixelsPerDay: weeks become months, months years, years decades (and so on
// by tens) until the lines lie at least MinGridStep apart. 0 stays 0.
int ReadableGridDays(int days, double pixelsPerDay);

// The grid interval setting (0 weeks, 1 months, 2 years) as days per line;
// with readable set, made coarser as ReadableGridDays says.
int OverallGridDays(const PixelRect& pane, int recordCount, int interval, bool readable);
int CloseupGridDays(const PixelRect& pane, int closeDays, int interval, bool readable);

// Overall grid every days records, uniformly spaced from the first record.
std::vector<int> OverallGridLinesEvery(const PixelRect& pane, int recordCount, int days);
// Closeup grid every days records, tied to record indexes; with days 7 every
// line on a multiple of 28 is solid, with any other interval every line.
// Each line also names the record it falls on.
struct CloseupLine {
    int x;
    bool solid;
    int record;
};
std::vector<CloseupLine> CloseupGridLinesEvery(const PixelRect& pane, int closeupEnd,
                                               int closeDays, int days);

// A label of the time axis: a tick at x down from the pane's top, the text
// starting at textLeft.
struct TimeLabel {
    int x = 0;
    int textLeft = 0;
    std::string text;
};

// Pixels between a tick and its text, and at least between two labels.
inline constexpr int LabelInset = 3;
inline constexpr int LabelGap = 6;

// Year labels of the overall pane: the first record of each new year, every
// year, 5, 10, 50 or 100 years, the finest spacing whose texts do not overlap.
std::vector<TimeLabel> OverallTimeLabels(const PixelRect& pane, const PaneScale& scale,
                                         const TextWidth& width);

// Date labels at the closeup's solid grid lines ("03/07" while the closeup
// spans at most a year, else "Mar 2026"), thinned to every 2nd, 3rd, 4th,
// 6th, 12th ... line until no two overlap.
// The closeup shows the records closeupEnd - closeDays .. closeupEnd - 1.
std::vector<TimeLabel> CloseupTimeLabels(const PixelRect& pane, const std::vector<CloseupLine>& lines,
                                         int closeupEnd, int closeDays, const TextWidth& width);

// A label of the value scale: a tick at y from the pane's left edge, the text
// top at textTop.
struct ValueLabel {
    int y = 0;
    int textTop = 0;
    std::string text;
};

// Round values (1, 2 or 5 times a power of ten apart) from 0 up to maximum,
// at the y the curves use, at least two text heights apart, none reaching
// into the top reservedTop pixels of the pane (where the time labels go).
std::vector<ValueLabel> ValueLabels(const PixelRect& pane, double yScale, int maximum,
                                    int textHeight, int reservedTop);
