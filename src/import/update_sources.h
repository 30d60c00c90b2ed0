// The daily index files "skylog update" keeps the history current from:
// keys UpdateSource1 .. UpdateSource4 of the configuration, and the time
// stamp of each one's last import (so an unchanged file is not fetched again).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// CelesTrak's SW-All.csv: the most complete public daily file with both
// numbers (SILSO's sunspot number and the observed noon flux since 1957).
inline constexpr const char* DefaultUpdateSource = "https://celestrak.org/SpaceData/SW-All.csv";
inline constexpr int UpdateSourceCount = 4;

struct UpdateSource {
    int number = 0;  // 1..4
    std::string url;
};

// The configured sources in key order; UpdateSource1 defaults to
// DefaultUpdateSource, an empty value switches a source off.
std::vector<UpdateSource> ConfiguredUpdateSources(const std::string& iniPath);

// The server's time stamp of the source's last import, when it was for this url.
std::optional<std::int64_t> LastImportStamp(const std::string& iniPath, const UpdateSource& source);
bool SaveImportStamp(const std::string& iniPath, const UpdateSource& source, std::int64_t stamp);
