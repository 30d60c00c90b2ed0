// What the plot keeps between paints, and the step every change of the
// record count goes through.
#pragma once

#include <functional>
#include <vector>

struct PlotPoint {
    int x = 0, y = 0;
};

struct PlotState {
    int loading = 0;            // a data file is being read: no cursor readout
    int AveragesComputed = 0;
    int CloseupEnd = 0;         // one past the last record of the closeup pane
    int drawingSuspended = 0;   // paint only the frames (records change elsewhere)
    std::vector<PlotPoint> PointArray;  // room for every curve: RecordCount + 5 points
    // Called after PreparePlotData, so the window can set its scroll bar.
    std::function<void()> scrollRangeChanged;
};

PlotState& Plot();

// Connects the plot to the data file's notifications: a cleared array resets
// the record statistics and the closeup; a finished read prepares the data.
void ConnectPlotToDataFile();

// Sizes PointArray, puts the closeup at the latest days, lowers CloseDays to
// the record count, computes averages (when a curve shows them) and the record
// highs and lows, and tells the scroll bar.
void PreparePlotData();

struct PlotSettings;

// Fits the closeup length to a file of count days: lowers CloseDays to count,
// remembering the user's length in CloseDaysChosen, and gives it back (up to
// count) when a longer file comes. A short file never costs the user's setting.
void FitCloseDays(PlotSettings& settings, int count);

// Sets the closeup length the user asked for (the options sheet, Ctrl+wheel),
// lowered to count as FitCloseDays does.
void ChooseCloseDays(PlotSettings& settings, int days, int count);

// The scroll bar of the closeup: range 0..ScrollMaximum(), position ScrollPosition().
int ScrollMaximum();
int ScrollPosition();
