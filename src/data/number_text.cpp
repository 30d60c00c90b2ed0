#include "data/number_text.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>

namespace {

std::size_t SkipSpace(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    return i;
}

}  // namespace

long ParseLeadingLong(std::string_view text)
{
    std::size_t i = SkipSpace(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > LONG_MAX)
            return negative ? LONG_MIN : LONG_MAX;
    }
    return static_cast<long>(negative ? -value : value);
}

int ParseLeadingInt(std::string_view text)
{
    const long value = ParseLeadingLong(text);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

double ParseLeadingDouble(std::string_view text)
{
    std::size_t i = SkipSpace(text);
    if (i < text.size() && text[i] == '+')
        ++i;
    double value = 0.0;
    const char* first = text.data() + i;
    const auto [end, error] = std::from_chars(first, text.data() + text.size(), value,
                                              std::chars_format::general);
    if (error == std::errc::result_out_of_range)
        return 0.0;
    if (end == first || error != std::errc())
        return 0.0;
    if (!std::isfinite(value))
        return 0.0;
    return value;
}

std::string FormatFixed(double value, int width, int precision)
{
    char digits[400];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value,
                                            std::chars_format::fixed, precision);
    std::string text = error == std::errc() ? std::string(digits, end) : std::string("0");
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
}
