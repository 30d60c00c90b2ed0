// The points of one curve of a pane, built in the plot's point buffer.
#pragma once

#include <vector>

#include "plot/plot_geometry.h"
#include "plot/plot_state.h"

enum CurveKind { CurveSunspots = 0, CurveFlux = 1, CurveAvSunspots = 2, CurveAvFlux = 3 };

struct CurveRequest {
    CurveKind kind = CurveSunspots;
    PixelRect pane;
    int startY = 0;
    bool filled = false;
    PaneScale scale;
    bool cumulativeAverages = true;  // CumavgON: partial averages drawn and marked
    int lagDays = 13;
};

// Points built for one curve: points[0..count) is the line; a filled curve
// has its closing points after it (count + 4 in all). The partial-average
// stretches are point ranges [first, last], or first = -1 when absent.
struct CurvePoints {
    int count = 0;
    int polygonCount = 0;
    int leadingFirst = -1, leadingLast = -1;
    int trailingFirst = -1, trailingLast = -1;
};

// Builds the curve into points (which must hold end - start + 5 entries).
CurvePoints BuildCurve(const CurveRequest& request, std::vector<PlotPoint>& points);

// Start value of a curve of the pane: the first record's value mapped like
// the curve itself (sunspots and flux without the 1-pixel lift of the line).
int CurveStartY(CurveKind kind, const PixelRect& pane, const PaneScale& scale);
