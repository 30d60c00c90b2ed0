#include "import/field_text.h"

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

// Sign, digits, optionally one point (with digits on at least one side).
bool IsDecimal(std::string_view text, bool allowPoint)
{
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        ++i;
    bool digits = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (IsDigit(text[i])) {
            digits = true;
        } else if (text[i] == '.' && allowPoint && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digits;
}

}  // namespace

std::optional<int> WholeInt(std::string_view text)
{
    text = TrimBlanks(text);
    if (!IsDecimal(text, false) || text.size() > 9)
        return std::nullopt;
    return ParseLeadingInt(text);
}

std::optional<double> WholeNumber(std::string_view text)
{
    text = TrimBlanks(text);
    if (!IsDecimal(text, true) || text.size() > 20)
        return std::nullopt;
    return ParseLeadingDouble(text);
}

std::vector<std::string_view> SplitAt(std::string_view text, char separator)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        if (end == std::string_view::npos) {
            fields.push_back(text.substr(start));
            return fields;
        }
        fields.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

std::vector<std::string_view> SplitBlanks(std::string_view text)
{
    std::vector<std::string_view> fields;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\r'))
            ++i;
        const std::size_t start = i;
        while (i < text.size() && text[i] != ' ' && text[i] != '\t' && text[i] != '\r')
            ++i;
        if (i > start)
            fields.push_back(text.substr(start, i - start));
    }
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
    *year = ParseLeadingInt(text.substr(0, 4));
    *month = ParseLeadingInt(text.substr(4, 2));
    *day = ParseLeadingInt(text.substr(6, 2));
    return IsCalendarDate(*year, *month, *day);
}

std::string LineText(long lineNumber) { return "line " + std::to_string(lineNumber); }
