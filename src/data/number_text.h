// Locale-independent number conversions for the program's text files.
// (The C library's conversions follow the user's locale, which would read
// "150.9" as 150 under a decimal-comma locale.)
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Like atoi: skips leading white space, optional sign, then digits; 0 when
// there are none. Values beyond the int range are clamped.
int ParseLeadingInt(std::string_view text);
long ParseLeadingLong(std::string_view text);

// Like atof: skips leading white space, then the longest decimal real number
// (optional sign, digits, point, exponent); 0.0 when there is none.
double ParseLeadingDouble(std::string_view text);

// The whole text as a decimal number: optional sign, digits (at most 15) and,
// with allowPoint, at most one point; empty when anything else is in it. For
// strict readers that must refuse a damaged field rather than take its
// leading part. Rounds as a decimal conversion does.
std::optional<double> ParseWholeDecimal(std::string_view text, bool allowPoint = true);

// printf "%*.*f" in the C locale: right-aligned in width, precision decimals.
std::string FormatFixed(double value, int width, int precision);

// The shortest text that reads back as exactly the same double ("150.9",
// "123.45", "0"), in the C locale.
std::string FormatShortest(double value);
