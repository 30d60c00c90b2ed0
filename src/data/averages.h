// Running averages and the record highs and lows.
#pragma once

// Fills every record's averages with a running average over avgInt days that
// starts lagDays before the record; averages over fewer days at the ends of
// the data are stored negative. Sets averagesComputed to 1 when it ran. An
// interval that cannot be computed (avgInt < 1, lagDays < 0 or
// lagDays >= avgInt) changes nothing.
void ComputeAverages(int avgInt, int lagDays, int& averagesComputed);

// Indexes of the records holding the extremes; the latest record wins a tie.
struct RecordExtremes {
    int HighSpotsIndex = 0;
    int LowSpotsIndex = 0;
    int HighFluxIndex = 0;
    int LowFluxIndex = 0;
};
RecordExtremes& RecordStats();

void FindRecordHighsLows();
