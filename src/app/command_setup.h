// What the commands that read or change the data file share.
#pragma once

#include <QCommandLineOption>
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
