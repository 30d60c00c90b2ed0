// Reading a bulletin file: the exact parse first; where it fails, and the
// user allows it, the lenient reading. Every path that adds days from a
// bulletin goes through here, so each reports how its days were read.
#pragma once

#include <optional>
#include <string>

#include "bulletin/bulletin_parser.h"

enum class ReadingKind { Exact, Lenient };

struct BulletinReadingOptions {
    // May ask the user for the year and for another values phrase.
    bool interactive = false;
    // The lenient reading may run where the exact parse fails (LenientParse,
    // off for one run with --exact).
    bool lenient = true;
    // The year of the first day for a bulletin that prints none (--year).
    std::optional<int> year;
};

struct BulletinReading {
    int result = 0;  // days held by the parser, or a negative ParseResult
    ReadingKind kind = ReadingKind::Exact;
};

// What a result read leniently carries in messages: "(read leniently)".
inline constexpr const char* LenientNote = "(read leniently)";

// The options as the settings give them, for the program's own paths.
BulletinReadingOptions SettingsReadingOptions(bool interactive);

// Reads the bulletin at path into parser. Where the exact parse succeeds,
// its result stands; the lenient reading runs only where it fails (any code
// but ParseCannotOpen and ParseNoMemory, or no day found) and only with
// options.lenient.
BulletinReading ReadBulletin(BulletinParser& parser, const std::string& path,
                             const BulletinReadingOptions& options);
