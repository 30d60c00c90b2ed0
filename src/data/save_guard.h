// What a save of the data file must respect of the file it replaces: days
// another program added since it was read, a read that failed part way, and
// lines of it that the save drops.
#pragma once

#include <string>

// When a read of the real file (symbolic links resolved) begins.
void RememberReadFile(const std::string& realPath);
// After a read that left lines of the file out: a save would drop them.
void RememberLinesDropped(const std::string& realPath);
// After a read of it that failed part way.
void RememberFailedRead(const std::string& realPath);
// After a save to it (the file is now what the program holds).
void RememberSavedFile(const std::string& realPath);
// Nothing is known of any file (a new read begins).
void ForgetDataFileState();

// Before a save to realPath (shown to the user as shownPath): asks before
// replacing a file changed on disk or read only in part, and copies a file
// whose lines the save drops to a backup first (NAME.BAK, or B00 .. B99).
// False when the save must not go on.
bool SaveMayReplace(const std::string& realPath, const std::string& shownPath);
