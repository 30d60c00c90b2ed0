// Date arithmetic for comparing days.
#pragma once

#include <string_view>

// Day number of a date (equal to the Modified Julian Day from 1 March 1900
// on), or 0 for an invalid date. Years below 100 are 1900 + year; every year
// divisible by 4 is a leap year; dates before 1859 are invalid.
int DayNumber(int month, int day, int year);

// Parses "month/day/year" (separators "/", "-" or blank) and returns its day
// number, or 0 when the text is not such a date.
int DayNumberFromText(std::string_view text);

// Index of the first occurrence of ch in text, or -1.
int FindChar(std::string_view text, char ch);

// Days in a month (1..12) of a year, with the every-fourth-year leap rule.
int DaysInMonth(int month, int year);

// The calendar year of today, in local time.
int CurrentYear();
