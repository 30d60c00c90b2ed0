// Names that come from an FTP server's listing: what may be used, how it is
// shown, and the listing patterns.
#pragma once

#include <string>
#include <string_view>

// The index entries the archive keeps beside its year folders; never checked.
bool IsIndexName(std::string_view name);

// False for a name that must never be fetched, used in a local path or
// recorded: empty, "." or "..", holding "/", "\", NUL or another control
// character, or longer than 255 bytes.
bool IsSafeRemoteName(std::string_view name);

// The name with every control character written as \xNN, for rows and output.
std::string PrintableName(std::string_view name);

// Listing patterns as the archive's tools understood them: "*" and "?" are
// wildcards, letters match regardless of case, and "*.*" also matches a name
// without a dot.
bool MatchesListingPattern(std::string_view pattern, std::string_view name);

// Remote file name of bulletin number of year: 2002 and 5 give 2002-arlp005.txt.
std::string BulletinFileName(int year, int number);
