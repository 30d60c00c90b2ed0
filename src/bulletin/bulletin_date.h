// The date a bulletin prints in its header: a city line, a date stamp or a
// title with a date, for bulletins the exact parser cannot date.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct BulletinDate {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 0 when only the month and year are printed
};

// The first full date in one line of text (upper case): "JANUARY 21, 1994",
// "21 JANUARY 1994", "03/05/2010", "12-30-21", "2010-03-05", or a month name
// with a year ("JANUARY 2009"). Numeric dates are month first, as the
// bulletins print them; a two-digit year is the latest such year that is not
// after next year.
std::optional<BulletinDate> FindDateInLine(const std::string& upperLine);

// The bulletin's date from its header lines (upper case, before the values):
// the first line that begins with a known city and carries a date, else the
// first short line (a title, date stamp or date line, not prose) with a date.
std::optional<BulletinDate> FindBulletinDate(const std::vector<std::string>& upperHeaderLines,
                                             const std::vector<std::string>& cities);

// The four-digit year meant by a two-digit one.
int FullYear(int twoDigitYear);
