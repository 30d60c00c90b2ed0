// The kinds of file "skylog import" reads, told apart by their content.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "bulletin/bulletin_reading.h"
#include "import/daily_value.h"

enum class IndexFormat { Bulletin, Silso, Nrcan, Lisird, CelestrakCsv, CelestrakTxt, Swpc };

// The name used on the command line and in reports ("silso", "celestrak-csv").
std::string FormatName(IndexFormat format);
std::optional<IndexFormat> FormatFromName(std::string_view name);
// "bulletin, silso, nrcan, lisird, celestrak-csv, celestrak-txt, swpc".
std::string KnownFormatNames();

// Looks at the file's first lines (header lines, separators); a file that is
// none of the daily index formats but holds the bulletin values phrase is a
// bulletin. Empty when the content is unknown or the file cannot be read.
std::optional<IndexFormat> DetectFormat(const std::string& path, const std::string& valuesPhrase);

// Reads the file with the format's importer; a bulletin as bulletinReading says.
IndexReadResult ReadIndexFile(const std::string& path, IndexFormat format,
                              const BulletinReadingOptions& bulletinReading = {});
