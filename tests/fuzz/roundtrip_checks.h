// The round-trip checks the fuzzers run on every input, and the regular tests
// on every input a fuzzer once found failing. Each returns what went wrong,
// or an empty text.
#pragma once

#include <string>

// Reads the bytes as a data file in folder (mode 0: as they are, 1: after a
// version 3 header, 2: after a version 2 header), computes the averages,
// writes the records, reads them back and writes again: every day read back
// equals the day written field by field, the averages stay within the
// values' range, and the second save is byte for byte the first.
std::string CheckDataFileRoundTrip(const std::string& bytes, int mode, const std::string& folder);

// Loads the bytes as SKYLOG.INI in folder (also through LoadSettings), sets
// one key and saves: the new key reads back, every other key of the section
// reads as before, and a second load and save changes nothing.
std::string CheckIniRoundTrip(const std::string& bytes, const std::string& folder);
