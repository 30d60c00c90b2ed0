// What the commands that read or change the data file share.
#pragma once

#include <string>
#include <vector>

struct BulletinReadingOptions;

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
