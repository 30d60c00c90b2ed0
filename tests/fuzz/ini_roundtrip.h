// The configuration-file check the INI fuzzer runs on every input, and the
// regular tests on every input the fuzzer once found failing.
#pragma once

#include <string>

// Loads the bytes as SKYLOG.INI in folder (also through LoadSettings), sets
// one key and saves. Returns what went wrong, or an empty text: the new key
// reads back, every other key of the section reads as before, and a second
// load and save changes nothing.
std::string CheckIniRoundTrip(const std::string& bytes, const std::string& folder);
