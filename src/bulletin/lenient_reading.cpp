#include "bulletin/lenient_reading.h"

#include <algorithm>
#include <regex>
#include <string_view>

#include "bulletin/bulletin_date.h"
#include "data/day_number.h"
#include "data/number_text.h"
#include "data/solar_record.h"

namespace {

constexpr const char* MonthNames[12] = {"JANUARY", "FEBRUARY", "MARCH",     "APRIL",
                                        "MAY",     "JUNE",     "JULY",      "AUGUST",
                                        "SEPTEMBER", "OCTOBER", "NOVEMBER", "DECEMBER"};

// Dashes and blanks that real bulletins carry in UTF-8, and what they mean here.
struct Replacement {
    std::string_view from;
    char to;
};
constexpr Replacement Replacements[] = {
    {"\xE2\x80\x90", '-'}, {"\xE2\x80\x91", '-'}, {"\xE2\x80\x92", '-'}, {"\xE2\x80\x93", '-'},
    {"\xE2\x80\x94", '-'}, {"\xE2\x88\x92", '-'}, {"\xC2\xA0", ' '},
};

bool IsLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string Upper(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// The file's lines in upper case, with tabs as blanks and the UTF-8 dashes
// as hyphens; CR LF, LF and a lone CR all end a line.
std::vector<std::string> NormalisedLines(const std::string& fileText)
{
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < fileText.size(); ++i) {
        const char c = fileText[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < fileText.size() && fileText[i + 1] == '\n')
                ++i;
            lines.emplace_back();
            continue;
        }
        bool replaced = false;
        for (const Replacement& r : Replacements) {
            if (std::string_view(fileText).substr(i, r.from.size()) == r.from) {
                lines.back() += r.to;
                i += r.from.size() - 1;
                replaced = true;
                break;
            }
        }
        if (!replaced)
            lines.back() += c == '\t' ? ' ' : c;
    }
    for (std::string& line : lines)
        line = Upper(std::move(line));
    return lines;
}

struct Paragraph {
    std::string text;  // its lines joined by single blanks
    std::size_t firstLine = 0;
};

// Blank lines and the end markers NNNN and /EX separate paragraphs; a
// paragraph's wrapped lines are joined at blanks.
std::vector<Paragraph> Paragraphs(const std::vector<std::string>& lines)
{
    std::vector<Paragraph> paragraphs;
    bool open = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::size_t start = lines[i].find_first_not_of(' ');
        const std::string_view line =
            start == std::string::npos ? std::string_view() : std::string_view(lines[i]).substr(start);
        if (line.empty() || line.starts_with("NNNN") || line.starts_with("/EX")) {
            open = false;
            continue;
        }
        if (!open) {
            paragraphs.push_back({{}, i});
            open = true;
        } else {
            paragraphs.back().text += ' ';
        }
        paragraphs.back().text += line;
    }
    for (Paragraph& p : paragraphs) {
        std::string& t = p.text;
        t.erase(std::unique(t.begin(), t.end(), [](char a, char b) { return a == ' ' && b == ' '; }),
                t.end());
    }
    return paragraphs;
}

// Reads the text of a section from a position, blank-insensitively.
class Cursor {
public:
    Cursor(const std::string& text, std::size_t at) : text_(text), at_(at) {}

    std::size_t At() const { return at_; }
    void SkipBlanks()
    {
        while (at_ < text_.size() && text_[at_] == ' ')
            ++at_;
    }
    bool Char(char c)
    {
        SkipBlanks();
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }
    // A whole word (not the start of a longer one).
    bool Word(std::string_view word)
    {
        SkipBlanks();
        if (std::string_view(text_).substr(at_, word.size()) != word)
            return false;
        const std::size_t end = at_ + word.size();
        if (end < text_.size() && IsLetter(text_[end]))
            return false;
        at_ = end;
        return true;
    }
    int Month()
    {
        for (int m = 0; m < 12; ++m)
            if (Word(MonthNames[m]))
                return m + 1;
        return 0;
    }
    // Digits (count between min and max) not followed by another digit; the
    // text they stand for, or empty.
    std::string Digits(std::size_t min, std::size_t max)
    {
        SkipBlanks();
        std::size_t end = at_;
        while (end < text_.size() && IsDigit(text_[end]))
            ++end;
        if (end - at_ < min || end - at_ > max)
            return {};
        std::string digits = text_.substr(at_, end - at_);
        at_ = end;
        return digits;
    }
    // A day of the month, with an optional ordinal ending (7TH).
    int Day()
    {
        const std::string digits = Digits(1, 2);
        if (digits.empty())
            return 0;
        for (std::string_view ending : {"ST", "ND", "RD", "TH"})
            if (std::string_view(text_).substr(at_, 2) == ending &&
                (at_ + 2 >= text_.size() || !IsLetter(text_[at_ + 2])))
                at_ += 2;
        return ParseLeadingInt(digits);
    }
    // An optional four-digit year, with the commas around it.
    int OptionalYear()
    {
        const std::size_t start = at_;
        Char(',');
        const std::string digits = Digits(4, 4);
        if (digits.empty()) {
            at_ = start;
            return 0;
        }
        Char(',');
        return ParseLeadingInt(digits);
    }

private:
    const std::string& text_;
    std::size_t at_;
};

// A printed range of days, years as printed (0 where none is).
struct PrintedRange {
    int firstMonth = 0, firstDay = 0, firstYear = 0;
    int lastMonth = 0, lastDay = 0, lastYear = 0;
};

// A list of numbers: "61, 46, 45 AND 39", "143,7, 150" (a comma between
// digits may be a decimal comma).
struct NumberList {
    std::vector<std::string> numbers;
    std::vector<bool> tightCommaAfter;  // a comma right between two digits follows
    std::size_t end = 0;
};

NumberList ScanList(const std::string& text, std::size_t at)
{
    NumberList list;
    for (;;) {
        Cursor start(text, at);
        start.SkipBlanks();
        const std::size_t first = start.At();
        std::size_t end = first;
        while (end < text.size() && IsDigit(text[end]))
            ++end;
        if (end == first)
            break;
        if (end + 1 < text.size() && text[end] == '.' && IsDigit(text[end + 1])) {
            ++end;
            while (end < text.size() && IsDigit(text[end]))
                ++end;
        }
        list.numbers.push_back(text.substr(first, end - first));
        list.tightCommaAfter.push_back(end + 1 < text.size() && text[end] == ',' &&
                                       IsDigit(text[end + 1]));
        list.end = end;
        Cursor separator(text, end);
        if (separator.Char(','))
            separator.Word("AND");
        else if (!separator.Word("AND"))
            break;
        at = separator.At();
    }
    return list;
}

// The values of a list when every comma separates, or with the commas
// right between digits read as decimal points.
std::vector<std::string> Values(const NumberList& list, bool decimalCommas)
{
    std::vector<std::string> values;
    for (std::size_t i = 0; i < list.numbers.size(); ++i) {
        const std::string& number = list.numbers[i];
        if (decimalCommas && list.tightCommaAfter[i] && i + 1 < list.numbers.size() &&
            number.find('.') == std::string::npos &&
            list.numbers[i + 1].find('.') == std::string::npos) {
            values.push_back(number + "." + list.numbers[i + 1]);
            ++i;
        } else {
            values.push_back(number);
        }
    }
    return values;
}

// The flux sentence's opening in its wordings over the years.
const std::regex& FluxPhrase()
{
    static const std::regex phrase(
        "10\\.7(?: ?- ?| ?)(?:CM|CENTIMETERS?)\\.? (?:SOLAR )?FLUX(?: LEVELS)?"
        "(?: FOR THE SAME PERIOD)? (?:WAS|WERE)\\b,?");
    return phrase;
}

// One values sentence as printed, before any year is known.
struct Section {
    PrintedRange range;
    bool eachDay = false;  // "WERE 0 EACH DAY"
    int eachDayValue = 0;
    NumberList sunspots;
    NumberList flux;
};

// Reads a values sentence; 0 or a negative ParseResult.
int ReadSection(const std::string& text, std::size_t at, Section* section)
{
    Cursor cursor(text, at);
    PrintedRange& r = section->range;
    r.firstMonth = cursor.Month();
    r.firstDay = cursor.Day();
    r.firstYear = cursor.OptionalYear();
    if (!(cursor.Word("THROUGH") || cursor.Word("THRU") || cursor.Word("TO") || cursor.Char('-')))
        return ParseError;
    r.lastMonth = cursor.Month();
    if (r.lastMonth == 0)
        r.lastMonth = r.firstMonth;
    r.lastDay = cursor.Day();
    r.lastYear = cursor.OptionalYear();
    if (r.lastDay == 0 || !cursor.Word("WERE"))
        return ParseError;
    cursor.Char(',');

    Cursor each = cursor;
    const std::string value = each.Digits(1, 4);
    if ((!value.empty() || each.Word("ZERO")) && each.Word("EACH") && each.Word("DAY")) {
        section->eachDay = true;
        section->eachDayValue = ParseLeadingInt(value);
        section->sunspots.end = each.At();
    } else {
        cursor.SkipBlanks();
        section->sunspots = ScanList(text, cursor.At());
        if (section->sunspots.numbers.empty())
            return ParseNoSunspots;
        for (const std::string& number : section->sunspots.numbers)
            if (number.find('.') != std::string::npos)
                return ParseNoSunspots;  // sunspot numbers are whole
    }

    std::smatch match;
    const auto from = text.begin() + static_cast<std::ptrdiff_t>(section->sunspots.end);
    if (!std::regex_search(from, text.end(), match, FluxPhrase()))
        return ParseNoFlux;
    section->flux = ScanList(text, section->sunspots.end +
                                       static_cast<std::size_t>(match.position(0) + match.length(0)));
    if (section->flux.numbers.empty())
        return ParseNoFlux;
    return 0;
}

}  // namespace

std::vector<std::string> ValuesPhraseForms(const std::string& valuesPhrase)
{
    std::string phrase = Upper(valuesPhrase);
    while (!phrase.empty() && phrase.back() == ' ')
        phrase.pop_back();
    while (!phrase.empty() && phrase.front() == ' ')
        phrase.erase(0, 1);
    if (phrase.empty())
        return {};
    std::vector<std::string> forms{phrase};
    if (phrase.size() > 4 && phrase.ends_with(" FOR"))
        forms.push_back(phrase.substr(0, phrase.size() - 3) + "FROM");
    return forms;
}

namespace {

struct SectionStart {
    std::size_t paragraph, at;  // at: just after the phrase
    std::size_t phraseAt;
};

std::vector<SectionStart> FindPhrases(const std::vector<Paragraph>& paragraphs,
                                      const std::vector<std::string>& forms)
{
    std::vector<SectionStart> starts;
    for (std::size_t p = 0; p < paragraphs.size(); ++p) {
        const std::string& text = paragraphs[p].text;
        for (const std::string& form : forms) {
            for (std::size_t at = text.find(form); at != std::string::npos;
                 at = text.find(form, at + 1)) {
                const std::size_t end = at + form.size();
                const bool wordStart = at == 0 || !(IsLetter(text[at - 1]) || IsDigit(text[at - 1]));
                const bool wordEnd = end == text.size() || !IsLetter(text[end]);
                if (wordStart && wordEnd)
                    starts.push_back({p, end, at});
            }
        }
    }
    std::sort(starts.begin(), starts.end(), [](const SectionStart& a, const SectionStart& b) {
        return a.paragraph != b.paragraph ? a.paragraph < b.paragraph : a.at < b.at;
    });
    return starts;
}

// The values sentence starts with a month and a day; the phrase elsewhere in
// prose ("sunspot numbers for the past year") is not one.
bool StartsWithMonthAndDay(const std::string& text, std::size_t at)
{
    Cursor cursor(text, at);
    return cursor.Month() != 0 && cursor.Day() != 0;
}

struct Date {
    int month, day, year;
};

Date NextDay(Date d)
{
    if (++d.day > DaysInMonth(d.month, d.year)) {
        d.day = 1;
        if (++d.month > 12) {
            d.month = 1;
            ++d.year;
        }
    }
    return d;
}

// The days of a range once its first year is known; ParseError unless it is
// a run of 1 to LenientRangeLimit real days.
int RangeDays(const PrintedRange& r, int firstYear, int lastYear, std::vector<Date>* days)
{
    const int first = DayNumber(r.firstMonth, r.firstDay, firstYear);
    const int last = DayNumber(r.lastMonth, r.lastDay, lastYear);
    if (first == 0 || last == 0 || r.firstDay > DaysInMonth(r.firstMonth, firstYear) ||
        r.lastDay > DaysInMonth(r.lastMonth, lastYear))
        return ParseError;
    const int count = last - first + 1;
    if (count < 1 || count > LenientRangeLimit)
        return ParseError;
    Date d{r.firstMonth, r.firstDay, firstYear};
    for (int k = 0; k < count; ++k, d = NextDay(d))
        days->push_back(d);
    return 0;
}

// The years of a range's first and last day: printed, else from the
// bulletin's date (a range in a later month than the bulletin's belongs to
// the year before), else the year given; 0 when none is known.
std::pair<int, int> RangeYears(const PrintedRange& r, const std::optional<BulletinDate>& date,
                               std::optional<int> givenYear)
{
    const bool wraps = r.lastMonth < r.firstMonth;
    if (r.firstYear != 0)
        return {r.firstYear, r.lastYear != 0 ? r.lastYear : r.firstYear + (wraps ? 1 : 0)};
    if (r.lastYear != 0)
        return {r.lastYear - (wraps ? 1 : 0), r.lastYear};
    int first = 0;
    if (date)
        first = r.firstMonth <= date->month ? date->year : date->year - 1;
    else if (givenYear)
        first = *givenYear;
    return {first, first == 0 ? 0 : first + (wraps ? 1 : 0)};
}

// A range printed with a year must agree with the bulletin's own date: it
// ends on or before that date (a day's grace), at most two months earlier.
bool AgreesWithDate(const std::vector<Date>& days, const BulletinDate& date)
{
    const Date& last = days.back();
    const int end = DayNumber(last.month, last.day, last.year);
    const int issued =
        DayNumber(date.month, date.day != 0 ? date.day : DaysInMonth(date.month, date.year), date.year);
    return issued != 0 && end <= issued + 1 && issued - end <= 62;
}

}  // namespace

LenientOutcome ReadLeniently(const std::string& fileText, const std::string& valuesPhrase,
                             std::optional<int> givenYear, const std::vector<std::string>& cities)
{
    const std::vector<std::string> lines = NormalisedLines(fileText);
    const std::vector<Paragraph> paragraphs = Paragraphs(lines);
    const std::vector<SectionStart> phrases = FindPhrases(paragraphs, ValuesPhraseForms(valuesPhrase));
    if (phrases.empty())
        return {ParseNoValuesSection, {}};

    // Read every values sentence; each runs to the next phrase or the end of
    // its paragraph.
    std::vector<Section> sections;
    for (std::size_t i = 0; i < phrases.size(); ++i) {
        const Paragraph& paragraph = paragraphs[phrases[i].paragraph];
        if (!StartsWithMonthAndDay(paragraph.text, phrases[i].at))
            continue;
        // Every sentence holds a day at least: more than a parse can hold is
        // not a bulletin.
        if (sections.size() == static_cast<std::size_t>(BulletinParser::Capacity))
            return {ParseError, {}};
        const bool nextInSame = i + 1 < phrases.size() && phrases[i + 1].paragraph == phrases[i].paragraph;
        const std::size_t end = nextInSame ? phrases[i + 1].phraseAt : paragraph.text.size();
        const std::string text = paragraph.text.substr(phrases[i].at, end - phrases[i].at);
        Section section;
        const int result = ReadSection(text, 0, &section);
        if (result < 0)
            return {result, {}};
        sections.push_back(section);
    }
    // The phrase in prose only: no values sentence.
    if (sections.empty())
        return {ParseNoValuesSection, {}};

    // The header, where the bulletin's date is, comes before the first
    // values sentence.
    const std::size_t firstSectionLine = [&] {
        for (const SectionStart& s : phrases)
            if (StartsWithMonthAndDay(paragraphs[s.paragraph].text, s.at))
                return paragraphs[s.paragraph].firstLine;
        return lines.size();
    }();
    const std::vector<std::string> header(lines.begin(),
                                          lines.begin() + static_cast<std::ptrdiff_t>(firstSectionLine));
    const std::optional<BulletinDate> date = FindBulletinDate(header, cities);

    LenientOutcome outcome;
    for (const Section& section : sections) {
        const auto [firstYear, lastYear] = RangeYears(section.range, date, givenYear);
        if (firstYear == 0)
            return {ParseNoYear, {}};
        std::vector<Date> days;
        if (const int result = RangeDays(section.range, firstYear, lastYear, &days); result < 0)
            return {result, {}};
        if (date && !AgreesWithDate(days, *date))
            return {ParseNoYear, {}};
        const std::size_t count = days.size();

        std::vector<int> sunspots;
        if (section.eachDay) {
            sunspots.assign(count, section.eachDayValue);
        } else {
            const std::vector<std::string> values = Values(section.sunspots, false);
            if (values.size() != count)
                return {ParseNoSunspots, {}};
            for (const std::string& v : values)
                sunspots.push_back(ParseLeadingInt(v));
        }
        std::vector<std::string> flux = Values(section.flux, false);
        if (flux.size() != count)
            flux = Values(section.flux, true);
        if (flux.size() != count)
            return {ParseNoFlux, {}};

        for (std::size_t k = 0; k < count; ++k) {
            const BulletinDay day{days[k].month, days[k].day, days[k].year, sunspots[k],
                                  ParseLeadingDouble(flux[k])};
            // The exact parse's limits: a year no bulletin can have, a value
            // no day can have.
            if (!BulletinYearInRange(day.year))
                return {ParseNoYear, {}};
            if (!SunspotsInRange(day.sunspots) || !FluxInRange(day.flux))
                return {ParseError, {}};
            // The same day twice must say the same thing.
            for (const BulletinDay& held : outcome.days)
                if (held.month == day.month && held.day == day.day && held.year == day.year &&
                    !(held == day))
                    return {ParseError, {}};
            outcome.days.push_back(day);
        }
    }
    if (outcome.days.size() > static_cast<std::size_t>(BulletinParser::Capacity))
        return {ParseError, {}};
    outcome.result = static_cast<int>(outcome.days.size());
    return outcome;
}
