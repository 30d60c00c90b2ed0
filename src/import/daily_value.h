// What a daily index file gives for one day.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct DailyValue {
    int year = 0;
    int month = 0;
    int day = 0;
    std::optional<int> sunspots;
    std::optional<double> flux;  // observed 10.7 cm flux at local noon, sfu
};

// A whole file as one importer read it.
struct IndexReadResult {
    bool opened = false;
    // Days in date order, one per date, each with at least one number.
    std::vector<DailyValue> days;
    // Empty when the whole file was read; else why reading stopped (the days
    // before that point are kept).
    std::string problem;
    // Things worth telling that did not stop the reading.
    std::vector<std::string> notes;
    // A bulletin whose days came from the lenient reading.
    bool readLeniently = false;
};
