#include "data/day_number.h"

#include <climits>
#include <ctime>

int DaysInMonth(int month, int year)
{
    static constexpr int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    if (month == 2 && year % 4 == 0)
        return 29;
    return lengths[month - 1];
}

int DayNumber(int month, int day, int year)
{
    if (month < 1 || month > 12)
        return 0;
    if (year >= 0 && year < 100)
        year += 1900;
    if (day < 1 || day > DaysInMonth(month, year) || year < 1859)
        return 0;
    // Day numbers of far-future years would overflow; no such date is valid.
    if (year > 5000000)
        return 0;
    const long long yearsBefore = year - 1859;
    // Leap years among 1859..year-1: those divisible by 4 (the first is 1860).
    const long long leapYears = (year - 1 ) / 4 - 1858 / 4;
    // Days of the year before each month's first, February taken as 28.
    static constexpr int daysBefore[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    long long number = 44 + yearsBefore * 365 + leapYears + daysBefore[month - 1];
    if (month > 2 && year % 4 == 0)
        ++number;
    number += day - 1;
    return number > INT_MAX ? 0 : static_cast<int>(number);
}

int DayNumberFromText(std::string_view text)
{
    // The stored form, mm/dd/yyyy, read straight: merges read every record's
    // date once per bulletin.
    const auto digit = [&](std::size_t i) { return text[i] >= '0' && text[i] <= '9'; };
    if (text.size() == 10 && text[2] == '/' && text[5] == '/' && digit(0) && digit(1) && digit(3) &&
        digit(4) && digit(6) && digit(7) && digit(8) && digit(9)) {
        const auto value = [&](std::size_t i) { return text[i] - '0'; };
        return DayNumber(value(0) * 10 + value(1), value(3) * 10 + value(4),
                         value(6) * 1000 + value(7) * 100 + value(8) * 10 + value(9));
    }
    long long fields[3] = {0, 0, 0};
    int field = 0;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            fields[field] = fields[field] * 10 + (c - '0');
            if (fields[field] > INT_MAX)
                return 0;
        } else if (c == '/' || c == '-' || c == ' ') {
            if (++field > 2)
                return 0;  // more than three fields is not a date
        } else {
            return 0;
        }
    }
    return DayNumber(static_cast<int>(fields[0]), static_cast<int>(fields[1]),
                     static_cast<int>(fields[2]));
}

int FindChar(std::string_view text, char ch)
{
    const std::size_t pos = text.find(ch);
    return pos == std::string_view::npos ? -1 : static_cast<int>(pos);
}

int CurrentYear()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_year + 1900;
}
