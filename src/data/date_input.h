// Dates typed by the user (the record dialog).
#pragma once

#include <functional>
#include <string>
#include <string_view>

// Reads "m/d/yyyy" (one or two digits for month and day, "/" or "-" between),
// "m/d/yy" and "yyyy-mm-dd", and returns the date as "mm/dd/yyyy", or an
// empty text when it is no such date. A two-digit year yy is 20yy below 50
// and 19yy from 50 on, as in two-digit-year data files.
std::string ParseNumericDate(const std::string& text);

// True for a text already in the canonical form "mm/dd/yyyy" of a calendar
// date: what ParseNumericDate would give back unchanged.
bool IsCanonicalDate(std::string_view text);

// "mm/dd/yyyy" of a calendar date, or empty when the date does not exist.
std::string FormatRecordDate(int month, int day, int year);

// Two-digit years: below 50 in the 2000s, from 50 on in the 1900s.
int ExpandTwoDigitYear(int yy);

// A date the user typed, as "mm/dd/yyyy": the program's own forms above are
// read first, always, so that 01/05/2002 stays the 5th of January under a
// day-first locale; only text they cannot read goes to localeForms (the
// user's own date formats, from the window layer; may be empty). Empty when
// neither reads it.
std::string ParseUserDate(const std::string& text,
                          const std::function<std::string(const std::string&)>& localeForms);
