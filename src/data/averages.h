// Running averages and the record highs and lows.
#pragma once

// Fills every record's averages with a running average over avgInt days that
// starts lagDays before the record; averages over fewer days at the ends of
// the data are stored negative. Sets averagesComputed to 1 when it ran. An
// interval that cannot be computed (avgInt < 1, lagDays < 0 or
// lagDays >= avgInt) changes nothing.
void ComputeAverages(int avgInt, int lagDays, int& averagesComputed);

// Whether ComputeAverages stores a partial average (over fewer than avgInt
// days) for the record at index of count records: the first lagDays records
// and the last avgInt - lagDays - 1 (every record when count is avgInt).
// Meaningful when count >= avgInt; with fewer records no average is computed.
bool IsPartialAverage(int index, int count, int avgInt, int lagDays);

// Indexes of the records holding the extremes; the latest record wins a tie.
struct RecordExtremes {
    int HighSpotsIndex = 0;
    int LowSpotsIndex = 0;
    int HighFluxIndex = 0;
    int LowFluxIndex = 0;
};
RecordExtremes& RecordStats();

void FindRecordHighsLows();
