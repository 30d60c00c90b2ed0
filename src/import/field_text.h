// Strict reading of the fields of daily index files: a field is taken only
// when all of it is a number, so a damaged row is refused, never misread.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

std::string_view TrimBlanks(std::string_view text);

// The whole (trimmed) text as a decimal integer with an optional sign.
std::optional<int> WholeInt(std::string_view text);
// The whole (trimmed) text as a decimal number: sign, digits, one point.
std::optional<double> WholeNumber(std::string_view text);

std::vector<std::string_view> SplitAt(std::string_view text, char separator);
std::vector<std::string_view> SplitBlanks(std::string_view text);
// The same into a vector kept between rows (no allocation per row).
void SplitAt(std::string_view text, char separator, std::vector<std::string_view>* fields);
void SplitBlanks(std::string_view text, std::vector<std::string_view>* fields);

// Characters first..last (1-based, inclusive) of a fixed-width row.
std::string_view Columns(std::string_view row, std::size_t first, std::size_t last);

// True when year-month-day is a calendar date (Gregorian leap years).
bool IsCalendarDate(int year, int month, int day);

// "YYYYMMDD" (digits only) as a date.
bool ParseCompactDate(std::string_view text, int* year, int* month, int* day);
// "YYYY-MM-DD" as a date.
bool ParseIsoDate(std::string_view text, int* year, int* month, int* day);

// "1 day", "2 days": counts in reports.
std::string DayCount(long long count);

// A row's place for error texts: "line 57".
std::string LineText(long lineNumber);

// Key that sorts by date: year * 10000 + month * 100 + day.
inline int DateKey(int year, int month, int day) { return year * 10000 + month * 100 + day; }
