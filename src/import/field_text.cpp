#include "import/field_text.h"

#include <algorithm>

#include "data/number_text.h"

std::string_view TrimBlanks(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<int> WholeInt(std::string_view text)
{
    text = TrimBlanks(text);
    if (text.size() > 10)
        return std::nullopt;
    const std::optional<double> value = ParseWholeDecimal(text, false);
    if (!value)
        return std::nullopt;
    return static_cast<int>(*value);
}

std::optional<double> WholeNumber(std::string_view text)
{
    return ParseWholeDecimal(TrimBlanks(text), true);
}

void SplitAt(std::string_view text, char separator, std::vector<std::string_view>* fields)
{
    fields->clear();
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == separator) {
            fields->push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    fields->push_back(text.substr(start));
}

std::vector<std::string_view> SplitAt(std::string_view text, char separator)
{
    std::vector<std::string_view> fields;
    SplitAt(text, separator, &fields);
    return fields;
}

void SplitBlanks(std::string_view text, std::vector<std::string_view>* fields)
{
    fields->clear();
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && blank(text[i]))
            ++i;
        const std::size_t start = i;
        while (i < text.size() && !blank(text[i]))
            ++i;
        if (i > start)
            fields->push_back(text.substr(start, i - start));
    }
}

std::vector<std::string_view> SplitBlanks(std::string_view text)
{
    std::vector<std::string_view> fields;
    SplitBlanks(text, &fields);
    return fields;
}

std::string_view Columns(std::string_view row, std::size_t first, std::size_t last)
{
    if (first < 1 || first > row.size())
        return {};
    return row.substr(first - 1, last - first + 1);
}

bool IsCalendarDate(int year, int month, int day)
{
    static constexpr int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1)
        return false;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int length = lengths[month - 1] + (month == 2 && leap ? 1 : 0);
    return day <= length;
}

bool ParseCompactDate(std::string_view text, int* year, int* month, int* day)
{
    if (text.size() != 8)
        return false;
    for (char c : text) {
        if (!IsDigit(c))
            return false;
    }
    const auto digit = [&](std::size_t i) { return text[i] - '0'; };
    *year = digit(0) * 1000 + digit(1) * 100 + digit(2) * 10 + digit(3);
    *month = digit(4) * 10 + digit(5);
    *day = digit(6) * 10 + digit(7);
    return IsCalendarDate(*year, *month, *day);
}

bool ParseIsoDate(std::string_view text, int* year, int* month, int* day)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return false;
    char compact[8];
    std::copy(text.begin(), text.begin() + 4, compact);
    std::copy(text.begin() + 5, text.begin() + 7, compact + 4);
    std::copy(text.begin() + 8, text.end(), compact + 6);
    return ParseCompactDate(std::string_view(compact, 8), year, month, day);
}

std::string DayCount(long long count)
{
    return std::to_string(count) + (count == 1 ? " day" : " days");
}

std::string LineText(long lineNumber) { return "line " + std::to_string(lineNumber); }
