// The round-trip checks the fuzzers run on every input, and the tests on those once found failing.
#pragma once

#include <string>

// The bytes as a data file in folder (mode 0: as they are, 1/2: after a version 3/2 header), written, read
// back and written again: the days read back as written, the saves are identical. "" or what went wrong.
std::string CheckDataFileRoundTrip(const std::string& bytes, int mode, const std::string& folder);
// The bytes as SKYLOG.INI (also through LoadSettings), one key set and saved: it reads back, the others as before.
std::string CheckIniRoundTrip(const std::string& bytes, const std::string& folder);
