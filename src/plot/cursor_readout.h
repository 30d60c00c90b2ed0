// What the readout rows show for a point of the view, and which day lies under it.
#pragma once

#include <optional>
#include <string>

#include "plot/plot_geometry.h"

enum class Pane { Overall, Closeup };

// The record under a point: the pane it lies in (edges included) and the day.
struct DayUnderCursor {
    Pane pane;
    int day;
};
std::optional<DayUnderCursor> FindDayUnderCursor(const PaintedGeometry& geometry, int x, int y);

struct Readout {
    Pane pane;
    int rowY;             // top of the readout row
    std::string texts[4];  // date, sunspots, flux, cursor value, each with its wiping blanks
};

// The readout for a point, or nothing (outside the panes, no records, or
// while a data file is being read).
std::optional<Readout> ReadoutAt(const PaintedGeometry& geometry, int x, int y);
