// The data-file check the fuzzer runs on every input, and the regular tests
// on every input the fuzzer once found failing.
#pragma once

#include <string>

// Reads the bytes as a data file in folder (mode 0: as they are, 1: after a
// version 3 header, 2: after a version 2 header), computes the averages,
// writes the records, reads them back and writes again. Returns what went
// wrong, or an empty text: every day read back equals the day written field
// by field, the averages stay within the values' range, and the second save
// is byte for byte the first.
std::string CheckDataFileRoundTrip(const std::string& bytes, int mode, const std::string& folder);
