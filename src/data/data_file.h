// The data file: its state, reader and writer.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr const char* Version3Header = "! SKYLOG Solar Data Plot Version 3 Data File";
inline constexpr const char* Version2Header = "! SKYLOG Solar Data Plot Version 2 Data File";

// Full path of the open data file; empty when none.
extern std::string DataFilePath;
// 1: four-digit years (version 3); 0: two-digit years (version 2). Set by the
// reader so that a file is written back in the version it was read in.
extern int FileIsVersion3;
// 1 when the file read last ended its lines with CR LF; the writer keeps that.
extern int DataFileUsesCrlf;

// Load only every Nth day, counted from one day of the file.
struct StaggerRequest {
    int enabled = 0;
    int interval = 28;
    std::string day = "01/01/1989";  // mm/dd/yyyy
};
StaggerRequest& Stagger();

// Handlers other parts of the program register on the reader and writer.
struct DataFileEvents {
    std::vector<std::function<void()>> recordsCleared;
    std::vector<std::function<void()>> loadStarted;
    std::vector<std::function<void(bool recordsRead)>> loadFinished;
    // Asks the user for a path and stores it in DataFilePath (or leaves it empty).
    std::function<void()> pathNeeded;
};
DataFileEvents& DataFileNotifications();

enum class ReadOutcome {
    Read,              // the file's records are loaded
    NoPath,            // DataFilePath was empty; the array is empty
    SaveFailed,        // the changed records could not be saved first; nothing was read
    OpenFailed,        // the file could not be opened; the path was forgotten
    Refused,           // not a data file, or its update was declined or failed
};

// Replaces the record array with the file named by DataFilePath.
ReadOutcome ReadDataFile();

// Writes the record array to DataFilePath. False when nothing was written
// (no path given, or the write failed; the old file is then untouched).
bool WriteDataFile();

// One data line split into its fields.
struct DataLine {
    std::string date;
    int sunspots = 0;
    double flux = 0.0;
};

// Splits a line (without its line break). False for comments, short lines and
// lines that are not valid data lines. A version 2 date is given four digits.
bool ParseDataLine(std::string_view line, bool version3, DataLine* out);

// The mm/dd/yy date of a version 2 line given its century: yy below 50 is 20yy.
std::string ExpandVersion2Date(std::string_view date);

// Number of lines the last read skipped because they were not valid data lines
// (long enough to be data, but malformed); saving drops them.
int SkippedDataLines();
