// One reader per daily index format. Each streams its file, applies the
// publisher's rules for the day's value, and stops at the first damaged row
// (keeping the days before it), so that a damaged file is never misread.
#pragma once

#include <string>

#include "bulletin/bulletin_reading.h"
#include "import/daily_value.h"

// WDC-SILSO daily total sunspot number (SN_d_tot_V2.0.csv).
IndexReadResult ReadSilsoFile(const std::string& path);
// NRCan DRAO fluxtable.txt: the 20:00 UT reading, the last when doubled.
IndexReadResult ReadNrcanFile(const std::string& path);
// LISIRD penticton_radio_flux CSV: the reading nearest 20:00 UT.
IndexReadResult ReadLisirdFile(const std::string& path);
// CelesTrak SW-All.csv (and SW-Last5Years.csv).
IndexReadResult ReadCelestrakCsvFile(const std::string& path);
// CelesTrak sw19571001.txt, fixed width.
IndexReadResult ReadCelestrakTxtFile(const std::string& path);
// NOAA SWPC Daily Solar Data (yearly YYYY_DSD.txt, last-30-days DSD.txt).
IndexReadResult ReadSwpcFile(const std::string& path);
// A propagation forecast bulletin: the exact parse, then (where it fails
// and the options allow it) the lenient reading.
IndexReadResult ReadBulletinFile(const std::string& path, const BulletinReadingOptions& options);
