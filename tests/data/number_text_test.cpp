#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "data/number_text.h"
#include "support/decimal_comma_locale.h"

TEST(NumberText, ReadsLikeTheCLibraryInTheCLocaleWhateverTheUsersLocale)
{
    std::mt19937 random(7);
    for (int i = 0; i < 20000; ++i) {
        std::string text = std::to_string(random() % 1000000000000000ULL);
        const std::size_t decimals = random() % 16;
        if (decimals < text.size())
            text.insert(text.size() - decimals, ".");
        text = (i % 3 == 0 ? "-" : "") + text;
        EXPECT_EQ(ParseLeadingDouble(text), std::strtod(text.c_str(), nullptr)) << text;
    }
    for (const char* text : {"  203.5xyz", "1e3", "+7.25", ".5", "5.", "1.5e-2 ", "abc", "", "-", ".",
                             "12345678901234567890.5", "0.1000000000000000055511"})
        EXPECT_EQ(ParseLeadingDouble(text), std::strtod(text, nullptr)) << text;
    EXPECT_EQ(ParseLeadingDouble("1e400"), 0.0);
    for (double v : {0.0, 150.9, 123.45, 64.1, 1e-7, 0.1 + 0.2})
        EXPECT_EQ(ParseLeadingDouble(FormatShortest(v)), v) << v;  // read back exactly
    EXPECT_EQ(FormatShortest(100.0), "100");
    for (const auto& [text, value] : {std::pair{"  42abc", 42}, {"-17", -17}, {"x12", 0},
                                      {"99999999999999999999", 2147483647}})
        EXPECT_EQ(ParseLeadingInt(text), value) << text;
    EXPECT_EQ(FormatFixed(0.05, 5, 1), "  0.1");
    // A decimal-comma locale must not turn 150.9 into 150 (nor write 150,9).
    DecimalCommaLocale german;
    ASSERT_EQ(std::strtod("150,9", nullptr), 150.9);  // the C library now reads commas
    EXPECT_EQ(ParseLeadingDouble("150.9"), 150.9);
    EXPECT_EQ(ParseLeadingDouble("1.5e1"), 15.0);
    EXPECT_EQ(FormatFixed(-2.25, 6, 2), " -2.25");
    EXPECT_EQ(FormatShortest(150.9), "150.9");
}
