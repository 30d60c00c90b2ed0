// Bringing old data files (two-digit years, or no header) to version 3.
#pragma once

#include <string>

// Puts the version 2 header line in front of the data file's text.
// 1 when done; 0 (reported to the user) when the file was left as it was.
int AddVersion2Header();

// Rewrites the data file with four-digit years after copying it to a backup.
// 1 when converted; 0 when not (the data file is then unchanged).
int ConvertToVersion3();

// 0: copied; 1: the source could not be opened; 2: the target could not be
// created or written.
int CopyDataFile(const std::string& source, const std::string& target);

// The path with the file name's extension replaced (or, without one, added).
std::string ReplaceExtension(const std::string& path, const std::string& extension);

// BAK when free, else the first free of B00..B99; empty when all are taken.
std::string ChooseBackupPath(const std::string& dataPath);
