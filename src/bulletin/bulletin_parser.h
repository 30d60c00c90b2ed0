// Days read from a propagation forecast bulletin, and their merge into the
// record array.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

// Result codes of BulletinParser::Parse (0 or more is the number of days).
enum ParseResult {
    ParseCannotOpen = -1,
    ParseNoYear = -2,
    ParseNoValuesSection = -3,
    ParseReadError = -4,
    ParseError = -5,
    ParseNoMemory = -6,
    ParseNoMonth = -7,
    ParseNoSunspots = -8,
    ParseNoFlux = -9,
};

// Texts of the result codes as the insert workflow and the FTP scan show them.
std::string ParseResultMessage(int code, const std::string& valuesPhrase);
std::string ParseResultCaption(int code);
std::string ParseResultStatus(int code);
// A silent parse that found no values section yields 0 days; the command
// line reports it with this text and counts it as a failure.
inline constexpr const char* NoBulletinDaysStatus = "No Days Found";

// Text of a day's date: "%2d/%2d/%2d" with the blank of a one-digit month,
// day or year made 0 (3 July 2002 is 07/03/2002).
std::string FormatDayDate(int month, int day, int year);

class BulletinParser;

// What a merge did: days that became new records, and stored days whose
// values it overwrote.
struct MergeCounts {
    int added = 0;
    int replaced = 0;
};
// "7 days added, 1 day replaced": what the window tells after a merge.
std::string MergeCountsText(const MergeCounts& counts);

// One day as a bulletin states it.
struct BulletinDay {
    int month = 0, day = 0, year = 0, sunspots = 0;
    double flux = 0.0;
    bool operator==(const BulletinDay&) const = default;
};

// A held day as the insert dialog lists it and "skylog parse" prints it:
// the date (03/07/2002), the sunspot number ("%3d") and the flux ("%6.2lf").
struct DayColumns {
    std::string date, sunspots, flux;
};
DayColumns FormatHeldDay(const BulletinParser& parser, int index);

class BulletinParser {
public:
    static constexpr int Capacity = 500;

    BulletinParser() = default;
    ~BulletinParser();
    BulletinParser(const BulletinParser&) = delete;
    BulletinParser& operator=(const BulletinParser&) = delete;

    // Reads the bulletin at path; with interactive set it may ask for the
    // year or another values phrase. Days held, or a negative ParseResult.
    int Parse(const std::string& path, int interactive);

    void Reset();
    // Holds days read some other way (the lenient reading) in place of the
    // last parse's, so the duplicate check and the merge work on them.
    // False, holding nothing, when there are more than Capacity.
    bool HoldDays(const std::vector<BulletinDay>& days);
    // 1 and the outputs filled for a held day, else 0.
    int GetDay(int index, int* sunspots, double* flux, int* year, int* month, int* day) const;
    int GetLastIndex() const { return m_dayCount - 1; }
    int GetDuplicateFlag(int index) const;
    int DayCount() const { return m_dayCount; }

    // Marks the held days whose dates the record array already holds;
    // progress (0..100) is reported to the callback when given.
    int FindDuplicates(const std::function<void(int percent)>& progress = {});
    // ignore = 1 drops the duplicates' values; 0 lets them replace the stored ones.
    void ApplyDuplicatePolicy(int ignore);
    // Appends, inserts or overwrites the held days in date order.
    MergeCounts MergeIntoRecords(int showProgress);

    // Steps of Parse, open to the tests: search from the current position
    // for the next line beginning with phrase (offset of its first non-blank
    // character, or -1); read one values section.
    long FindPhraseLine(const std::string& phrase);
    int ParseSection(long offset, int dateLineMonth, int year, int phraseLength);
    // Opens a file for FindPhraseLine and ParseSection (false when it cannot be).
    bool OpenForTest(const std::string& path);

private:
    int m_dayCount = 0;
    int m_duplicateCount = 0;
    int m_sunspotValues[Capacity] = {};
    int m_days[Capacity] = {};
    int m_months[Capacity] = {};
    int m_years[Capacity] = {};
    int m_duplicateFlags[Capacity] = {};
    double m_fluxValues[Capacity] = {};
    std::FILE* m_file = nullptr;
    bool capacityReached_ = false;

    void Close();
    // One read of at most 253 characters through the next line feed; false
    // when the read reached the end of the file (its text is then not used).
    bool ReadLine(std::string* line);
    long FindDateLine(const std::vector<std::string>& cities);
    int ParseDateLine(long offset, int* month);
    // Closes the file and drops every held day; returns code.
    int Fail(int code);
};

// Years a bulletin's days may fall in: from 1900 to next year. A year outside
// comes from a misread date line and would file the days in the wrong place.
inline constexpr int FirstBulletinYear = 1900;
bool BulletinYearInRange(int year);

// The cities whose lines carry a bulletin's date: the built-in ones, then
// those of CITIES.TXT in the program folder.
std::vector<std::string> BulletinCities();
