// The pixels of a 1-pixel line through a row of points whose x never
// decreases (a curve of the plot), as one vertical run per pixel column.
#pragma once

#include <vector>

#include "plot/plot_state.h"

struct ColumnRuns {
    int firstX = 0;
    std::vector<int> low, high;  // per column from firstX; low > high: no pixel
};

// Each segment is drawn with Bresenham's line, both ends included. Within a
// column the pixels of a curve always form one unbroken run: the segments
// meet at their points, and each covers an unbroken run of every column it
// crosses.
ColumnRuns ThinPolylineRuns(const PlotPoint* points, int count);

// The same row of points with every run of points in one column reduced to
// its first, lowest, highest and last point: it has the same runs.
std::vector<PlotPoint> ReduceColumns(const PlotPoint* points, int count);
