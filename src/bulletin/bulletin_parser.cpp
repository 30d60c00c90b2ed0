#include "bulletin/bulletin_parser.h"

#include <algorithm>
#include <filesystem>
#include <new>
#include <optional>
#include <string_view>

#include "config/plot_settings.h"
#include "config/program_folder.h"
#include "data/day_number.h"
#include "data/number_text.h"
#include "data/prompt.h"
#include "data/solar_record.h"

namespace {

constexpr std::size_t BulletinLineLimit = 253;
constexpr std::size_t CityLineLimit = 254;
// The sunspot and flux lists are worked on in areas of this many characters;
// a longer one would be read cut off, so it is not read at all.
constexpr std::size_t ListAreaLength = 255;

constexpr const char* MonthNames[12] = {"JANUARY", "FEBRUARY", "MARCH",     "APRIL",
                                        "MAY",     "JUNE",     "JULY",      "AUGUST",
                                        "SEPTEMBER", "OCTOBER", "NOVEMBER", "DECEMBER"};

constexpr const char* BuiltInCities[] = {"SEATTLE, WA", "KANE'OHE, HI", "FT WAYNE, IN",
                                         "FORT WAYNE, IN"};

void ToUpper(std::string* text)
{
    for (char& c : *text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
}

void RemoveLeadingBlanks(std::string* text)
{
    const std::size_t first = text->find_first_not_of(' ');
    text->erase(0, first == std::string::npos ? text->size() : first);
}

void RemoveTrailingBlanks(std::string* text)
{
    while (!text->empty() && text->back() == ' ')
        text->pop_back();
}

bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

// Removes the text up to and including the first blank (all of it when none).
void RemoveWord(std::string* text)
{
    const std::size_t blank = text->find(' ');
    text->erase(0, blank == std::string::npos ? text->size() : blank + 1);
}

std::string FirstWord(const std::string& text)
{
    return text.substr(0, text.find(' '));
}

void RemoveFirst(std::string* text, std::string_view what)
{
    const std::size_t at = text->find(what);
    if (at != std::string::npos)
        text->erase(at, what.size());
}

void RemoveAll(std::string* text, char what)
{
    text->erase(std::remove(text->begin(), text->end(), what), text->end());
}

// A values list cut down to its words: cut at "RESPECTIVELY", trailing blanks
// and one trailing comma off, the first " AND" and every comma removed.
void CleanList(std::string* list)
{
    const std::size_t respectively = list->find("RESPECTIVELY");
    if (respectively != std::string::npos)
        list->erase(respectively);
    RemoveTrailingBlanks(list);
    if (!list->empty() && list->back() == ',')
        list->pop_back();
}

void RemoveAndAndCommas(std::string* list)
{
    RemoveFirst(list, " AND");
    RemoveAll(list, ',');
}

// The values of a list, one per blank-separated word, when there is one
// for each of the count days and every one is a number. A list cut short,
// one too long or a word that is no number would put values on the wrong
// days (or 0 on a day the bulletin gives none): nothing is read then.
std::optional<std::vector<std::string>> ListValues(const std::string& list, int count)
{
    std::vector<std::string> values;
    std::size_t start = 0;
    while (start < list.size()) {
        std::size_t end = list.find(' ', start);
        if (end == std::string::npos)
            end = list.size();
        if (end > start) {
            if (list[start] < '0' || list[start] > '9')
                return std::nullopt;
            values.push_back(list.substr(start, end - start));
        }
        start = end + 1;
    }
    if (values.size() != static_cast<std::size_t>(count))
        return std::nullopt;
    return values;
}

int MonthLength(int month, int bulletinYear)
{
    if (month == 2)
        return bulletinYear % 4 == 0 ? 29 : 28;
    return DaysInMonth(month, 2001);
}

}  // namespace

std::string FormatDayDate(int month, int day, int year)
{
    // The common case (a real date of a four-digit year) without printf:
    // a long file's merge makes one of these per day.
    if (month >= 1 && month <= 12 && day >= 1 && day <= 31 && year >= 1000 && year <= 9999) {
        const char text[] = {static_cast<char>('0' + month / 10), static_cast<char>('0' + month % 10), '/',
                             static_cast<char>('0' + day / 10),   static_cast<char>('0' + day % 10),   '/',
                             static_cast<char>('0' + year / 1000), static_cast<char>('0' + year / 100 % 10),
                             static_cast<char>('0' + year / 10 % 10), static_cast<char>('0' + year % 10)};
        return std::string(text, sizeof text);
    }
    char text[48];
    std::snprintf(text, sizeof text, "%2d/%2d/%2d", month, day, year);
    std::string date = text;
    for (std::size_t position : {0u, 3u, 6u})
        if (position < date.size() && date[position] == ' ')
            date[position] = '0';
    return date;
}

DayColumns FormatHeldDay(const BulletinParser& parser, int index)
{
    int spots = 0, year = 0, month = 0, day = 0;
    double flux = 0.0;
    parser.GetDay(index, &spots, &flux, &year, &month, &day);
    char spotsText[16];
    std::snprintf(spotsText, sizeof spotsText, "%3d", spots);
    return {FormatDayDate(month, day, year), spotsText, FormatFixed(flux, 6, 2)};
}

std::vector<std::string> BulletinCities()
{
    std::vector<std::string> cities(std::begin(BuiltInCities), std::end(BuiltInCities));
    std::FILE* file = std::fopen(ProgramFile("CITIES.TXT").c_str(), "rb");
    if (!file)
        return cities;
    std::string piece;
    for (;;) {
        piece.clear();
        int c = 0;
        while (piece.size() < CityLineLimit && (c = std::getc(file)) != EOF) {
            piece += static_cast<char>(c);
            if (c == '\n')
                break;
        }
        // A piece read together with the end of the file does not count.
        if (c == EOF || (piece.size() < CityLineLimit && piece.back() != '\n'))
            break;
        if (piece.size() >= 2 && piece.compare(piece.size() - 2, 2, "\r\n") == 0)
            piece.erase(piece.size() - 2, 1);
        if (piece.front() == '!')
            continue;
        ToUpper(&piece);
        if (piece.back() == '\n')
            piece.pop_back();
        if (!piece.empty())
            cities.push_back(piece);
    }
    std::fclose(file);
    return cities;
}

BulletinParser::~BulletinParser()
{
    Close();
}

void BulletinParser::Close()
{
    if (m_file) {
        std::fclose(m_file);
        m_file = nullptr;
    }
}

bool BulletinParser::OpenForTest(const std::string& path)
{
    Close();
    m_file = std::fopen(path.c_str(), "rb");
    return m_file != nullptr;
}

void BulletinParser::Reset()
{
    m_dayCount = 0;
    m_duplicateCount = 0;
}

bool BulletinParser::HoldDays(const std::vector<BulletinDay>& days)
{
    m_dayCount = 0;
    if (days.size() > static_cast<std::size_t>(Capacity))
        return false;
    for (const BulletinDay& day : days) {
        m_months[m_dayCount] = day.month;
        m_days[m_dayCount] = day.day;
        m_years[m_dayCount] = day.year;
        m_sunspotValues[m_dayCount] = day.sunspots;
        m_fluxValues[m_dayCount] = day.flux;
        m_duplicateFlags[m_dayCount] = 0;
        ++m_dayCount;
    }
    return true;
}

int BulletinParser::GetDay(int index, int* sunspots, double* flux, int* year, int* month,
                           int* day) const
{
    if (index < 0 || index >= m_dayCount)
        return 0;
    *sunspots = m_sunspotValues[index];
    *flux = m_fluxValues[index];
    *year = m_years[index];
    *month = m_months[index];
    *day = m_days[index];
    return 1;
}

int BulletinParser::GetDuplicateFlag(int index) const
{
    return index >= 0 && index < Capacity ? m_duplicateFlags[index] : 0;
}

bool BulletinParser::ReadLine(std::string* line)
{
    line->clear();
    if (!m_file)
        return false;
    int c = 0;
    while (line->size() < BulletinLineLimit && (c = std::getc(m_file)) != EOF) {
        *line += static_cast<char>(c);
        if (c == '\n')
            return true;
    }
    return c != EOF;
}

long BulletinParser::FindPhraseLine(const std::string& phrase)
{
    std::string line;
    while (ReadLine(&line)) {
        ToUpper(&line);
        RemoveLeadingBlanks(&line);
        if (StartsWith(line, phrase))
            return std::ftell(m_file) - static_cast<long>(line.size());
    }
    return -1;
}

long BulletinParser::FindDateLine(const std::vector<std::string>& cities)
{
    for (const std::string& city : cities) {
        std::rewind(m_file);
        const long offset = FindPhraseLine(city);
        if (offset >= 0)
            return offset;
    }
    return -1;
}

// Reads the date line at offset: its month (0 when it names none) and the
// year it names, the last four-digit number on it (0 when there is none).
// Whatever follows the year (blanks, a full stop) does not matter.
int BulletinParser::ParseDateLine(long offset, int* month)
{
    std::fseek(m_file, offset, SEEK_SET);
    std::string line;
    ReadLine(&line);
    ToUpper(&line);
    *month = 0;
    for (int m = 0; m < 12; ++m) {
        if (line.find(MonthNames[m]) != std::string::npos) {
            *month = m + 1;
            break;
        }
    }
    int year = 0;
    std::size_t start = 0;
    while ((start = line.find_first_of("0123456789", start)) != std::string::npos) {
        std::size_t end = line.find_first_not_of("0123456789", start);
        if (end == std::string::npos)
            end = line.size();
        if (end - start == 4)
            year = ParseLeadingInt(std::string_view(line).substr(start, 4));
        start = end;
    }
    return year;
}

bool BulletinYearInRange(int year)
{
    return year >= FirstBulletinYear && year <= CurrentYear() + 1;
}

int BulletinParser::Fail(int code)
{
    Close();
    m_dayCount = 0;  // a failed parse holds nothing that could be merged
    return code;
}

int BulletinParser::Parse(const std::string& path, int interactive)
{
    m_dayCount = 0;
    capacityReached_ = false;
    Close();
    // A folder opens on some systems and a FIFO would block: only a regular
    // file is a bulletin.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return ParseCannotOpen;
    m_file = std::fopen(path.c_str(), "rb");
    if (!m_file)
        return ParseCannotOpen;

    int dateLineMonth = 0;
    int year = 0;
    const long dateLine = FindDateLine(BulletinCities());
    if (dateLine >= 0)
        year = ParseDateLine(dateLine, &dateLineMonth);
    if (year == 0) {
        // No date line, or one that names no year.
        if (!interactive)
            return Fail(ParseNoYear);
        const std::optional<int> entered = Prompt().AskBulletinYear(2001);
        if (!entered)
            return Fail(ParseNoYear);
        year = *entered;
        dateLineMonth = 0;
    }

    std::string phrase = Settings().Phrase2;
    std::rewind(m_file);
    for (;;) {
        const long offset = FindPhraseLine(phrase);
        if (offset >= 0) {
            const int result =
                ParseSection(offset, dateLineMonth, year, static_cast<int>(phrase.size()));
            if (result < 0)
                return Fail(result);
            if (capacityReached_)
                break;
            continue;
        }
        if (std::ferror(m_file))
            return Fail(ParseReadError);
        if (m_dayCount > 0 || !interactive)
            break;
        const std::optional<std::string> entered = Prompt().AskSearchText(phrase);
        if (!entered)
            return Fail(ParseNoValuesSection);
        phrase = *entered;
        std::rewind(m_file);
    }
    Close();
    return m_dayCount;
}

int BulletinParser::ParseSection(long offset, int dateLineMonth, int year, int phraseLength)
{
    // Gather the section: its lines up to an end marker, a short line or the
    // end of the file.
    std::fseek(m_file, offset, SEEK_SET);
    std::string line;
    int lineCount = 0;
    std::size_t totalLength = 0;
    while (ReadLine(&line)) {
        RemoveLeadingBlanks(&line);
        if (StartsWith(line, "NNNN") || StartsWith(line, "/EX") || line.size() < 3)
            break;
        ++lineCount;
        totalLength += line.size() + 4;
    }
    std::string text;
    try {
        text.reserve(totalLength);
    } catch (const std::bad_alloc&) {
        return ParseNoMemory;
    }
    std::fseek(m_file, offset, SEEK_SET);
    for (int i = 0; i < lineCount; ++i) {
        ReadLine(&line);
        RemoveLeadingBlanks(&line);
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
            line.pop_back();
        ToUpper(&line);
        text += ' ';
        text += line;
    }

    // Normalise: no leading blanks, single blanks, the values phrase off.
    RemoveLeadingBlanks(&text);
    text.erase(std::unique(text.begin(), text.end(),
                           [](char a, char b) { return a == ' ' && b == ' '; }),
               text.end());
    text.erase(0, std::min(text.size(), static_cast<std::size_t>(std::max(phraseLength, 0))));
    if (!text.empty() && text.front() == ' ')
        text.erase(0, 1);

    // Day range.
    int month = 0;
    for (int m = 0; m < 12 && month == 0; ++m)
        if (StartsWith(text, MonthNames[m]))
            month = m + 1;
    if (month == 0)
        return ParseNoMonth;
    RemoveWord(&text);
    const int firstDay = ParseLeadingInt(FirstWord(text));
    RemoveWord(&text);
    RemoveWord(&text);  // THROUGH, TO or whatever connects the two days
    const std::string_view monthName = MonthNames[month - 1];
    if (StartsWith(text, monthName))
        text.erase(0, std::min(text.size(), monthName.size() + 1));
    const int sectionYear = month == 12 && dateLineMonth == 1 ? year - 1 : year;

    struct Day {
        int month, day, year;
    };
    std::vector<Day> days;
    const auto addDays = [&](int m, int from, int to, int y) {
        for (long long d = from; d <= to && days.size() <= Capacity; ++d)
            days.push_back({m, static_cast<int>(d), y});
    };
    long long count = 0;
    if (!text.empty() && text.front() >= '0' && text.front() <= '9') {
        const int lastDay = ParseLeadingInt(FirstWord(text));
        count = static_cast<long long>(lastDay) - firstDay + 1;
        addDays(month, firstDay, lastDay, sectionYear);
    } else {
        RemoveWord(&text);  // the following month's name, whatever it says
        const int lastDay = ParseLeadingInt(FirstWord(text));
        const int length = MonthLength(month, year);
        count = std::max(0LL, static_cast<long long>(length) - firstDay + 1) + std::max(0, lastDay);
        addDays(month, firstDay, length, sectionYear);
        if (month == 12)
            addDays(1, 1, lastDay, sectionYear + 1);
        else
            addDays(month + 1, 1, lastDay, sectionYear);
    }
    // A range backwards, or one longer than the whole store, is no week of
    // values; later sections past the store's end are left unread.
    if (count < 1 || count > Capacity)
        return ParseError;
    if (m_dayCount + count > Capacity) {
        capacityReached_ = true;
        return m_dayCount;
    }
    const int n = static_cast<int>(count);
    for (int k = 0; k < n; ++k)
        if (!BulletinYearInRange(days[static_cast<std::size_t>(k)].year))
            return ParseNoYear;
    const int first = m_dayCount;
    for (int k = 0; k < n; ++k) {
        m_months[first + k] = days[static_cast<std::size_t>(k)].month;
        m_days[first + k] = days[static_cast<std::size_t>(k)].day;
        m_years[first + k] = days[static_cast<std::size_t>(k)].year;
        m_sunspotValues[first + k] = 0;
        m_fluxValues[first + k] = 0.0;
    }

    // Sunspot list.
    if (text.find("WERE 0 EACH DAY") == std::string::npos) {
        const std::size_t mean = text.find(" WITH A MEAN OF");
        if (mean == std::string::npos || mean > ListAreaLength)
            return ParseNoSunspots;
        std::string list = text.substr(0, mean);
        CleanList(&list);
        std::size_t were = list.find("WERE ");
        if (were == std::string::npos)
            were = list.find("WERE, ");
        if (were == std::string::npos)
            return ParseNoSunspots;
        list.erase(0, were + 5);
        RemoveAndAndCommas(&list);
        RemoveLeadingBlanks(&list);
        const std::optional<std::vector<std::string>> values = ListValues(list, n);
        if (!values)
            return ParseNoSunspots;
        for (int k = 0; k < n; ++k)
            m_sunspotValues[first + k] = ParseLeadingInt((*values)[static_cast<std::size_t>(k)]);
    }

    // Flux list.
    std::string_view match = "10.7 CM FLUX WAS ";
    std::size_t flux = text.find(match);
    if (flux == std::string::npos) {
        match = "10.7 CM FLUX LEVELS FOR THE SAME PERIOD WERE, ";
        flux = text.find(match);
    }
    if (flux == std::string::npos)
        return ParseNoFlux;
    const std::string rest = text.substr(flux + match.size());
    std::size_t mean = rest.find(" WITH A MEAN OF");
    if (mean == std::string::npos)
        mean = rest.find(" WITH A MEAN LEVEL OF");
    if (mean == std::string::npos || mean > ListAreaLength)
        return ParseNoFlux;
    std::string list = rest.substr(0, mean);
    CleanList(&list);
    RemoveAndAndCommas(&list);
    const std::optional<std::vector<std::string>> values = ListValues(list, n);
    if (!values)
        return ParseNoFlux;
    for (int k = 0; k < n; ++k)
        m_fluxValues[first + k] = ParseLeadingDouble((*values)[static_cast<std::size_t>(k)]);

    // A value no day can have means the bulletin was misread (or is damaged).
    for (int k = first; k < first + n; ++k)
        if (!SunspotsInRange(m_sunspotValues[k]) || !FluxInRange(m_fluxValues[k]))
            return ParseError;

    m_dayCount += n;
    return m_dayCount;
}

std::string ParseResultMessage(int code, const std::string& valuesPhrase)
{
    switch (code) {
    case ParseCannotOpen:
        return "Could Not Open The Specified File";
    case ParseNoYear:
        return "Could Not Determine The Year Of The Bulletin";
    case ParseNoValuesSection:
        return "The text that denotes the beginning of the data section\n" + valuesPhrase +
               "\nwas not located";
    case ParseReadError:
        return "Error Reading Bulletin File";
    case ParseError:
        return "Error Parsing Bulletin File";
    case ParseNoMemory:
        return "Error Allocating Parser Memory";
    case ParseNoMonth:
        return "Cannot Parse Solar Data";
    case ParseNoSunspots:
        return "Sun Spot Data not located in bulletin file";
    case ParseNoFlux:
        return "Solar Flux Data not located in bulletin file";
    default:
        return {};
    }
}

std::string ParseResultCaption(int code)
{
    return code == ParseCannotOpen ? "FILE OPEN ERROR" : "PARSE ERROR";
}

std::string ParseResultStatus(int code)
{
    switch (code) {
    case ParseCannotOpen:
        return "Could Not Open File";
    case ParseNoYear:
        return "Could Not Parse File (02)";
    case ParseNoValuesSection:
        return "Could Not Parse File (03)";
    case ParseReadError:
        return "Error Reading File";
    case ParseError:
        return "Could Not Parse File (05)";
    case ParseNoMemory:
        return "Parser Memory Error";
    case ParseNoMonth:
        return "Could Not Parse File (07)";
    case ParseNoSunspots:
        return "Sunspot Data Not Located";
    case ParseNoFlux:
        return "Solar Flux Data Not Located";
    default:
        return {};
    }
}
