// What the commands that read or change the data file share.
#pragma once

#include <QCommandLineOption>
#include <optional>
#include <string>
#include <vector>

#include "app/command.h"
#include "bulletin/bulletin_reading.h"
#include "data/data_file.h"

// Loads the configuration (for the values phrase and the update sources)
// without letting it choose the data file or the stagger filter.
void LoadCommandSettings();

// Opens the data file to import into; a file that does not exist yet starts
// empty. Call it holding the data file's lock (DataFileLock) until the save.
ReadOutcome OpenDataFile(const std::string& path);

// Exit status of a command whose data file could not be read: 2 when it is
// not a data file, 1 otherwise.
int OpenFailureStatus(ReadOutcome outcome);

// --exact and --year YYYY of the commands that read bulletins.
std::vector<QCommandLineOption> BulletinReadingCommandOptions();

// How the call's bulletins are read: the LenientParse setting, then --exact
// and --year. ExitSuccess, or the usage error for a year that is not one.
int BulletinReadingOf(const CommandCall& call, BulletinReadingOptions* options);

// For the commands that draw the plots: reads the configuration (when the
// program folder has one; none is created), then the data file: dataPath
// (made a full path), or the configured file, or GRAPH.DAT in the program
// folder, with the configured stagger plot. Returns the exit code when the
// file could not be read.
std::optional<int> LoadCommandData(const std::string& dataPath);

// The lower-case extension of a path ("pdf" for "plot.PDF"), empty when none.
std::string LowerExtension(const std::string& path);
