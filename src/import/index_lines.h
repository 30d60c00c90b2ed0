// Line-by-line reading shared by the importers: numbered lines without
// their line breaks, and the table that keeps one value set per date.
#pragma once

#include <utility>
#include <vector>
#include <string>
#include <string_view>

#include "data/text_file.h"
#include "import/daily_value.h"

class IndexLines {
public:
    explicit IndexLines(const std::string& path) : reader_(path, MaxLine) {}
    bool IsOpen() const { return reader_.IsOpen(); }
    // The next line without its line break; false at the end of the file.
    bool Next(std::string_view* line);
    long Number() const { return number_; }
    bool Failed() const { return reader_.Failed(); }
    long long FileSize() const { return reader_.FileSize(); }

    // Longer lines than this are damage in every format we read.
    static constexpr std::size_t MaxLine = 4096;

private:
    LineReader reader_;
    long number_ = 0;
};

// Days by date; a later row of a date adds to (or overwrites) what the
// earlier rows gave.
class DayTable {
public:
    // Room for the days of a file of that many bytes with rows of rowBytes.
    void Reserve(long long fileBytes, int rowBytes);
    DailyValue& At(int year, int month, int day);
    // Date order, days with a number only; empties the table.
    std::vector<DailyValue> TakeDays();

private:
    // Sorted by key; files come in date order, so a new date is nearly
    // always appended.
    std::vector<std::pair<int, DailyValue>> days_;
};

// Stops a reader at a damaged row: the days so far are kept.
inline void StopAt(IndexReadResult* result, long line, const std::string& what)
{
    result->problem = "line " + std::to_string(line) + ": " + what;
}

// The observed and the 1 AU flux of one reading differ by the Earth-Sun
// distance only (at most about 7 %); anything else is a damaged row.
bool FluxPairPlausible(double observed, double adjusted);
