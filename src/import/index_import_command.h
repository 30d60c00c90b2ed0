// The window's Bulletins > Import Daily Index File... command, as logic: it
// talks to the user only through the prompt interface.
#pragma once

#include <string>

inline constexpr const char* IndexFileFilter =
    "Daily Index Files (*.csv *.txt);;All Files (*)";
inline constexpr const char* ImportCaption = "IMPORT DAILY INDEX FILE";

// Asks for a file (starting in initialFolder), reads it, asks whether days
// already stored are replaced (only when there are some), merges and shows
// the report. The data file is not saved: the user saves as after a
// bulletin. True when a record was added or changed.
bool ImportIndexFileInteractively(const std::string& initialFolder);
