#include "data/stagger_date.h"

#include "data/date_input.h"

namespace {

// A day or month field: two characters, a single digit with a "0" in front.
std::string Field(std::string field)
{
    if (field.size() == 1)
        field.insert(0, "0");
    return field.substr(0, 2);
}

bool TwoDigits(const std::string& text)
{
    return text.size() == 2 && text[0] >= '0' && text[0] <= '9' && text[1] >= '0' && text[1] <= '9';
}

}  // namespace

std::optional<std::string> NormalizeStaggerDate(const std::string& text)
{
    const std::size_t first = text.find('/');
    if (first == std::string::npos || first == 0)
        return std::nullopt;
    const std::size_t second = text.find('/', first + 1);
    const std::string year = second == std::string::npos ? std::string() : text.substr(second + 1);
    std::string result = Field(text.substr(0, first)) + "/" +
                         Field(text.substr(first + 1, second == std::string::npos
                                                          ? std::string::npos
                                                          : second - first - 1)) +
                         "/";
    if (TwoDigits(year)) {
        result += std::to_string(ExpandTwoDigitYear(std::stoi(year)));
    } else {
        result += year;
        if (result.size() != 10) {
            // Short texts are padded with blanks: they then match no day.
            if (result.size() < 10)
                result.resize(10, ' ');
            result[8] = result[6];
            result[9] = result[7];
            result[6] = '1';
            result[7] = '9';
        }
    }
    return result.substr(0, 2) + "/" + result.substr(3, 2) + "/" + result.substr(6, 4);
}
