#include "bulletin/bulletin_date.h"

#include <regex>

#include "data/day_number.h"
#include "data/number_text.h"

namespace {

// A header line with more words than this is prose, whose dates are about
// something else ("the minimum of December 2019").
constexpr int HeaderLineWords = 8;

const char* const MonthPattern =
    "(JANUARY|FEBRUARY|MARCH|APRIL|MAY|JUNE|JULY|AUGUST|SEPTEMBER|OCTOBER|NOVEMBER|DECEMBER|"
    "JAN|FEB|MAR|APR|JUN|JUL|AUG|SEPT|SEP|OCT|NOV|DEC)\\.?";

int MonthNumber(const std::string& name)
{
    static const char* const prefixes[12] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                             "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    for (int m = 0; m < 12; ++m)
        if (name.compare(0, 3, prefixes[m]) == 0)
            return m + 1;
    return 0;
}

int WordCount(const std::string& line)
{
    int words = 0;
    bool inWord = false;
    for (char c : line) {
        const bool blank = c == ' ' || c == '\t' || c == '\r' || c == '\n';
        if (!blank && !inWord)
            ++words;
        inWord = !blank;
    }
    return words;
}

std::optional<BulletinDate> Checked(int year, int month, int day)
{
    if (month < 1 || month > 12 || year < 1000)
        return std::nullopt;
    if (day != 0 && DayNumber(month, day, year) == 0)
        return std::nullopt;
    return BulletinDate{year, month, day};
}

struct DateForm {
    std::regex pattern;
    int year, month, day;  // submatch of each part (0: none)
    bool monthIsName;
};

const std::vector<DateForm>& DateForms()
{
    const std::string month = MonthPattern;
    static const std::vector<DateForm> forms = {
        {std::regex("\\b" + month + " (\\d{1,2})(ST|ND|RD|TH)?,? (\\d{4})\\b"), 4, 1, 2, true},
        {std::regex("\\b(\\d{1,2}) " + month + ",? (\\d{4})\\b"), 3, 2, 1, true},
        {std::regex("\\b(\\d{4})-(\\d{1,2})-(\\d{1,2})\\b"), 1, 2, 3, false},
        {std::regex("\\b(\\d{1,2})([/-])(\\d{1,2})\\2(\\d{4}|\\d{2})\\b"), 4, 1, 3, false},
        {std::regex("\\b" + month + ",? (\\d{4})\\b"), 2, 1, 0, true},
    };
    return forms;
}

}  // namespace

int FullYear(int twoDigitYear)
{
    const int latest = CurrentYear() + 1;
    const int year = latest / 100 * 100 + twoDigitYear;
    return year <= latest ? year : year - 100;
}

std::optional<BulletinDate> FindDateInLine(const std::string& upperLine)
{
    std::optional<BulletinDate> first;
    std::ptrdiff_t firstAt = 0;
    for (const DateForm& form : DateForms()) {
        for (std::sregex_iterator it(upperLine.begin(), upperLine.end(), form.pattern), end;
             it != end; ++it) {
            const std::smatch& m = *it;
            if (first && m.position(0) >= firstAt)
                break;
            const std::string yearText = m[form.year].str();
            int year = ParseLeadingInt(yearText);
            if (yearText.size() == 2)
                year = FullYear(year);
            const int month = form.monthIsName ? MonthNumber(m[form.month].str())
                                               : ParseLeadingInt(m[form.month].str());
            const int day = form.day ? ParseLeadingInt(m[form.day].str()) : 0;
            if (std::optional<BulletinDate> date = Checked(year, month, day)) {
                first = date;
                firstAt = m.position(0);
                break;
            }
        }
    }
    return first;
}

std::optional<BulletinDate> FindBulletinDate(const std::vector<std::string>& upperHeaderLines,
                                             const std::vector<std::string>& cities)
{
    for (const std::string& line : upperHeaderLines) {
        const std::size_t start = line.find_first_not_of(' ');
        if (start == std::string::npos)
            continue;
        for (const std::string& city : cities) {
            if (line.compare(start, city.size(), city) == 0) {
                if (std::optional<BulletinDate> date = FindDateInLine(line))
                    return date;
            }
        }
    }
    for (const std::string& line : upperHeaderLines) {
        if (WordCount(line) > HeaderLineWords)
            continue;
        if (std::optional<BulletinDate> date = FindDateInLine(line))
            return date;
    }
    return std::nullopt;
}
