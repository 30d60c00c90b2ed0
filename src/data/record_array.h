// The program-wide, date-ordered array of days.
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "data/solar_record.h"

class RecordArray {
public:
    using Lock = std::unique_lock<std::recursive_mutex>;

    // Every change takes this lock; so does the whole of a merge and every
    // reader on another thread than the one that changes the array. The
    // plot holds it while it reads, so it never sees a half-made change.
    Lock Acquire() const { return Lock(mutex_); }

    int RecordCount() const;
    int DataChanged() const { return dataChanged_; }
    void SetDataChanged(int changed);
    // Told when DataChanged takes a new value, on the thread that set it
    // (the window marks its title); empty for none.
    void SetDataChangedListener(std::function<void(bool)> listener);

    // 0 and the outputs filled when the index is valid, else 1 and nothing touched.
    int GetRecord(int index, std::string* date, int* sunspots, double* flux, int* avgSunspots,
                  int* avgFlux) const;
    int GetRecordValues(int index, std::string* date, int* sunspots, double* flux) const;
    // Direct read access for hot loops (the caller checks the index and holds the lock).
    const SolarRecord& At(int index) const { return records_[static_cast<std::size_t>(index)]; }
    SolarRecord& MutableAt(int index) { return records_[static_cast<std::size_t>(index)]; }

    void SetRecord(int index, const std::string& date, int sunspots, double flux, int avgSunspots,
                   int avgFlux);
    void SetRecordValues(int index, const std::string& date, int sunspots, double flux);

    void AppendRecord(const SolarRecord& record);
    // Inserts the records at index (0..RecordCount); out of range does nothing.
    void InsertRecords(int index, const SolarRecord* records, int n);
    // Removes n records from index on; the range is clipped to the array.
    void RemoveRecords(int index, int n);
    void FreeRecords();
    // Takes records as the whole new content (one move instead of many inserts).
    void ReplaceAll(std::vector<SolarRecord> records);

    void Reserve(int count);

private:
    mutable std::recursive_mutex mutex_;
    std::vector<SolarRecord> records_;
    int dataChanged_ = 0;
    std::function<void(bool)> dataChangedListener_;

    bool Valid(int index) const { return index >= 0 && index < RecordCount(); }
};

// The single record array of the program.
RecordArray& Records();

// Called by FreeRecords, so the plot can drop its point buffer at the same time.
void SetRecordsFreedHandler(void (*handler)());
