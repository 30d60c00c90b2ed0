// What the commands that read or change the data file share.
#pragma once

#include <string>

// Loads the configuration (for the values phrase and the update sources)
// without letting it choose the data file or the stagger filter.
void LoadCommandSettings();

// Opens the data file to import into; a file that does not exist yet starts empty.
bool OpenDataFile(const std::string& path);
