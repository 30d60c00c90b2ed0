// The data file: its state, reader and writer.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr const char* Version3Header = "! SKYLOG Solar Data Plot Version 3 Data File";
inline constexpr const char* Version2Header = "! SKYLOG Solar Data Plot Version 2 Data File";

// The data file the program has open. One instance (DataFile()), owned by the
// reader and writer below; main thread only.
struct OpenDataFile {
    std::string path;       // full path; empty when none
    bool version3 = true;   // four-digit years; false: two-digit years (version 2).
                            // Set by the reader so the file is written back as read.
    bool usesCrlf = false;  // the file read last ended its lines with CR LF; the writer keeps that
};
OpenDataFile& DataFile();

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
    // Asks the user for a path and stores it in DataFile().path (or leaves it empty).
    std::function<void()> pathNeeded;
};
DataFileEvents& DataFileNotifications();

enum class ReadOutcome {
    Read,              // the file's records are loaded
    NoPath,            // DataFile().path was empty; the array is empty
    SaveFailed,        // the changed records could not be saved first; nothing was read
    OpenFailed,        // the file could not be opened; the path was forgotten
    ReadFailed,        // a read error, or not a regular file; nothing is loaded
    Refused,           // not a data file, or its update was declined or failed
};

// Replaces the record array with the file named by DataFile().path.
ReadOutcome ReadDataFile();

// Writes the record array to DataFile().path (the real file behind a symbolic
// link), holding the data file's lock. The file's own comment lines follow the
// fixed comment block. Asks before replacing a file that changed on disk since
// it was read. False when nothing was written (no path given, the user said
// No, or the write failed; the old file is then untouched).
bool WriteDataFile();

// The values a day can have; a line outside them is not a data line.
inline constexpr int MinSunspots = 0;
inline constexpr int MaxSunspots = 1000;
inline constexpr double MinFlux = 0.0;
inline constexpr double MaxFlux = 2000.0;

// A day whose date cannot be written so that it reads back is saved as a
// comment line beginning with this mark instead.
inline constexpr const char* UnwritableDayMark = "! UNREADABLE DATE: ";

// One data line split into its fields.
struct DataLine {
    std::string date;
    int sunspots = 0;
    double flux = 0.0;
};

// Splits a line (without its line break). False for comments, short lines and
// lines that are not valid data lines (values out of range included). A date
// that can be read is given the mm/dd/yyyy form; a version 2 date four digits.
bool ParseDataLine(std::string_view line, bool version3, DataLine* out);

// The mm/dd/yy date of a version 2 line given its century: yy below 50 is 20yy.
std::string ExpandVersion2Date(std::string_view date);

// Number of lines the last read skipped because they were not valid data lines
// (long enough to be data, but malformed); saving drops them, after copying
// the file to a backup (NAME.BAK) once.
int SkippedDataLines();

// Tells the user once, when the window opens a file, how many of its lines
// are not kept by a save. Nothing is shown when every line is kept.
void ReportLinesNotKept();
