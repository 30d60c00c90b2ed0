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
    long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const int digit = text[i] - '0';
        if (value > (LONG_MAX - digit) / 10)
            return negative ? LONG_MIN : LONG_MAX;
        value = value * 10 + digit;
    }
    return negative ? -value : value;
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

// The common case of data files, "ddd.d": digits with an optional point and
// no exponent. Exact: the digits form an integer below 2^53 and the divisor is
// an exact power of ten, so the one division rounds just as a full parse would.
static bool ParsePlainDecimal(std::string_view text, double* value)
{
    static constexpr double powers[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9,
                                        1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    std::size_t i = 0;
    const bool negative = i < text.size() && text[i] == '-';
    if (negative)
        ++i;
    long long digits = 0;
    int count = 0, decimals = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            if (++count > 15)
                return false;
            digits = digits * 10 + (c - '0');
            decimals += point ? 1 : 0;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (count == 0 || (i < text.size() && (text[i] == 'e' || text[i] == 'E')))
        return false;
    const double magnitude = static_cast<double>(digits) / powers[decimals];
    *value = negative ? -magnitude : magnitude;
    return true;
}

double ParseLeadingDouble(std::string_view text)
{
    std::size_t i = SkipSpace(text);
    if (i < text.size() && text[i] == '+')
        ++i;
    double plain = 0.0;
    if (ParsePlainDecimal(text.substr(i), &plain))
        return plain;
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

// Sign, digits and at most one point, checked and converted in one pass.
// The value is the digits as an integer divided by the power of ten of the
// decimals: both exact, so the division rounds as a decimal conversion does.
std::optional<double> ParseWholeDecimal(std::string_view text, bool allowPoint)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    long long digits = 0;
    int count = 0;
    int decimals = -1;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            if (++count > 15)
                return std::nullopt;  // beyond any value of these files
            digits = digits * 10 + (c - '0');
            if (decimals >= 0)
                ++decimals;
        } else if (c == '.' && allowPoint && decimals < 0) {
            decimals = 0;
        } else {
            return std::nullopt;
        }
    }
    if (count == 0)
        return std::nullopt;
    static constexpr double powers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7,
                                        1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const double value = static_cast<double>(digits) / powers[decimals < 0 ? 0 : decimals];
    return negative ? -value : value;
}

std::string FormatShortest(double value)
{
    char digits[64];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
    return error == std::errc() ? std::string(digits, end) : std::string("0");
}
