// The loaded days as CSV, for spreadsheets and scripts.
#pragma once

#include <string>

inline constexpr const char* CsvHeader = "date,sunspots,flux,avg_sunspots,avg_flux,avg_partial";

// "2002-03-07" for "03/07/2002"; any other date text unchanged.
std::string IsoDate(const std::string& date);

// A field quoted as RFC 4180 asks when it holds a comma, a quote or a line break.
std::string CsvField(const std::string& text);

// Writes every record to path (atomically): the header row, then one row per
// day with its ISO date, sunspot number, flux (as exactly as it is held), the
// running averages as stored (magnitudes) and 1 when they are partial. The
// averages must have been computed with avgInt and lagDays; with fewer than
// avgInt records there are none and their fields stay empty. Rows end in
// CR LF. False with the reason in error when the file could not be written.
bool WriteCsvFile(const std::string& path, int avgInt, int lagDays, std::string* error);
