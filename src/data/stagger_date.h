// The stagger plot's start day as the user types it.
#pragma once

#include <optional>
#include <string>

// The typed date as the 10 characters the data file's dates are compared
// with: one-digit fields get a leading "0", fields are cut to two
// characters, and a two-digit year gets its century by the program's rule
// (below 50: 20yy, else 19yy). The fields keep the order they were typed
// in; a date that is no mm/dd/yyyy simply matches no day of the file. No
// value when there is no "/" after the first character.
std::optional<std::string> NormalizeStaggerDate(const std::string& text);
