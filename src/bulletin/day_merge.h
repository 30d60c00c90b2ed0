// The one merge of new days into the record array: bulletins and daily index
// files both go through it.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

// One day to merge. A day may carry only one of the two numbers: on a stored
// date it then changes only that number; a new date needs both.
struct MergeDay {
    int month = 0;
    int day = 0;
    int year = 0;
    std::optional<int> sunspots;
    std::optional<double> flux;
};

enum class DayOutcome {
    Added,      // a new record
    Replaced,   // a stored record's numbers were overwritten
    Dropped,    // an invalid date, or a new date without both numbers
};

// Puts the days into Records() in date order, under the array's lock: a day
// newer than the last record is appended, a day of a stored date overwrites
// that record's numbers (its averages stay), any other day is inserted
// before the first later record; a day whose date is no date is dropped, also
// on an empty array (once saved it would read back as no day). Sets
// DataChanged when at least one day was given. afterDay is called with each
// day's index once it is placed. One outcome per day.
//
// The records must be in date order (records whose date is no date, such as
// blank records, may stand anywhere and are left alone). The work is one
// pass over the array, so a file of decades merges as fast as a bulletin.
std::vector<DayOutcome> MergeDays(const std::vector<MergeDay>& days,
                                  const std::function<void(std::size_t index)>& afterDay = {});
