// One import: several files read, their days combined and merged into the
// record array in one go, with a report per file.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "data/data_file.h"

#include "import/index_format.h"

enum class DuplicatePolicy {
    Ignore,   // a date already stored keeps its values
    Replace,  // the file's values replace the stored ones
};

struct ImportSource {
    std::string path;
    std::string name;                   // how the report names it (path or address)
    std::optional<IndexFormat> format;  // empty: told by the content
};

struct FileReport {
    std::string name;
    std::optional<IndexFormat> format;
    bool opened = false;
    std::string problem;  // empty when the whole file was read
    std::vector<std::string> notes;
    bool readLeniently = false;  // a bulletin read leniently
    int read = 0;        // days with at least one number
    int added = 0;       // new records
    int replaced = 0;    // stored records whose numbers changed
    int skipped = 0;     // already stored (or no change)
    int refused = 0;     // a date or value the data file cannot hold
    int incomplete = 0;  // a new date with only one of the two numbers

    bool Failed() const { return !opened || !format || !problem.empty(); }
};

class ImportRun {
public:
    // Reads every file; nothing in the records changes yet.
    // Bulletins are read as bulletinReading says (lenient reading, year).
    void Read(const std::vector<ImportSource>& sources, const std::string& valuesPhrase,
              const BulletinReadingOptions& bulletinReading = {});
    // Days of the files whose dates the record array already holds.
    int StoredDays() const;
    // Merges under the duplicate policy; true when a record was added or changed.
    bool Merge(DuplicatePolicy policy);

    const std::vector<FileReport>& Reports() const { return reports_; }
    bool AllRead() const;

private:
    std::vector<FileReport> reports_;
    std::vector<std::vector<DailyValue>> days_;  // per file: in range, one per date
};

// "NAME: FORMAT, 10 days read, 7 added, 0 replaced, 3 skipped (already stored),
// 0 refused (out of range)", then a line for each note and the problem.
std::string ReportText(const FileReport& report);

// The limits of what the data file holds are the reader's (MaxSunspots,
// MaxFlux in data/data_file.h): a day outside them would not read back.
