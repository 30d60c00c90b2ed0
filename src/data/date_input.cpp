#include "data/date_input.h"

#include <cstdio>
#include <vector>

namespace {

bool IsLeap(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// The numbers of the text and the separators between them; false for any
// other character.
bool Split(const std::string& text, std::vector<std::string>* fields, std::string* separators)
{
    std::string current;
    std::size_t begin = text.find_first_not_of(' ');
    std::size_t end = text.find_last_not_of(' ');
    if (begin == std::string::npos)
        return false;
    for (std::size_t i = begin; i <= end; ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            current += c;
        } else if (c == '/' || c == '-') {
            if (current.empty())
                return false;
            fields->push_back(current);
            *separators += c;
            current.clear();
        } else {
            return false;
        }
    }
    if (current.empty())
        return false;
    fields->push_back(current);
    return true;
}

}  // namespace

int ExpandTwoDigitYear(int yy)
{
    return yy < 50 ? 2000 + yy : 1900 + yy;
}

namespace {

bool IsCalendarDate(int month, int day, int year)
{
    static constexpr int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1)
        return false;
    return day <= (month == 2 && IsLeap(year) ? 29 : lengths[month - 1]);
}

// The numbers of "mm/dd/yyyy", when the text has exactly that shape.
bool ReadCanonicalShape(std::string_view text, int* month, int* day, int* year)
{
    const auto digit = [&](std::size_t i) { return text[i] >= '0' && text[i] <= '9'; };
    if (text.size() != 10 || text[2] != '/' || text[5] != '/' || !digit(0) || !digit(1) ||
        !digit(3) || !digit(4) || !digit(6) || !digit(7) || !digit(8) || !digit(9))
        return false;
    const auto number = [&](std::size_t i, std::size_t n) {
        int value = 0;
        for (std::size_t k = i; k < i + n; ++k)
            value = value * 10 + (text[k] - '0');
        return value;
    };
    *month = number(0, 2);
    *day = number(3, 2);
    *year = number(6, 4);
    return true;
}

}  // namespace

bool IsCanonicalDate(std::string_view text)
{
    int month = 0, day = 0, year = 0;
    return ReadCanonicalShape(text, &month, &day, &year) && IsCalendarDate(month, day, year);
}

std::string FormatRecordDate(int month, int day, int year)
{
    if (!IsCalendarDate(month, day, year))
        return {};
    // Every day of a data file passes here while it loads: no printf.
    std::string text = "00/00/0000";
    const auto put = [&text](std::size_t at, int value, int digits) {
        for (int k = digits - 1; k >= 0; --k, value /= 10)
            text[at + static_cast<std::size_t>(k)] = static_cast<char>('0' + value % 10);
    };
    put(0, month, 2);
    put(3, day, 2);
    put(6, year, 4);
    return text;
}

std::string ParseNumericDate(const std::string& text)
{
    // Most texts (every date of a data file) are already mm/dd/yyyy.
    int month = 0, day = 0, year = 0;
    if (ReadCanonicalShape(text, &month, &day, &year))
        return FormatRecordDate(month, day, year);
    std::vector<std::string> fields;
    std::string separators;
    if (!Split(text, &fields, &separators) || fields.size() != 3)
        return {};
    for (const std::string& field : fields)
        if (field.size() > 4)
            return {};
    const auto number = [](const std::string& s) { return std::stoi(s); };
    if (fields[0].size() == 4 && separators == "--" && fields[1].size() <= 2 &&
        fields[2].size() <= 2)
        return FormatRecordDate(number(fields[1]), number(fields[2]), number(fields[0]));
    if (separators[0] != separators[1] || fields[0].size() > 2 || fields[1].size() > 2)
        return {};
    year = number(fields[2]);
    if (fields[2].size() == 2)
        year = ExpandTwoDigitYear(year);
    else if (fields[2].size() != 4)
        return {};
    return FormatRecordDate(number(fields[0]), number(fields[1]), year);
}

std::string ParseUserDate(const std::string& text,
                          const std::function<std::string(const std::string&)>& localeForms)
{
    std::string date = ParseNumericDate(text);
    if (date.empty() && localeForms)
        date = localeForms(text);
    return date;
}
