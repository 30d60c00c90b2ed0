// The round-trip checks the fuzzers run on every input (and the tests on each
// a fuzzer once found failing); each returns what went wrong, or "".
#pragma once

#include <string>

// The bytes as a data file in folder (mode 0: as they are, 1/2: after a
// version 3/2 header), averaged, written, read back and written again: each
// day reads back as written, averages stay in range, the saves are identical.
std::string CheckDataFileRoundTrip(const std::string& bytes, int mode, const std::string& folder);

// The bytes as SKYLOG.INI (also through LoadSettings), one key set and saved:
// it reads back, the others read as before, a second save changes nothing.
std::string CheckIniRoundTrip(const std::string& bytes, const std::string& folder);
