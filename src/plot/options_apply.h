// Taking over the values edited in the options sheet.
#pragma once

struct PlotSettings;

struct OptionsApplied {
    bool closeupChanged = false;   // CloseDays or PanDays differ from before
    bool averagesComputed = false; // the running averages were worked out again
};

// Copies every value the sheet edits from edited into Settings(), in this
// order: the averaging values; CloseDays (lowered to the record count),
// PanDays and CloseScrn; the grid intervals, colours, configuration-file
// switches, display switches and bulletin phrases. Then the averages are
// computed when they were not yet, or when the averaging interval or lag
// changed (what the plot shows must match the settings), and the closeup
// is kept within its range. Nothing is written to the configuration file.
OptionsApplied ApplyOptions(const PlotSettings& edited);
