#include <gtest/gtest.h>

#include <ctime>

#include "bulletin/bulletin_date.h"
#include "bulletin/bulletin_days.h"
#include "bulletin/lenient_reading.h"

namespace {

const std::vector<std::string> Cities = {"SEATTLE, WA", "FORT WAYNE, IN"};

LenientOutcome Read(const std::string& text, std::optional<int> year = std::nullopt)
{
    return ReadLeniently(text, "SUNSPOT NUMBERS FOR", year, Cities);
}

// A values paragraph for a week: sunspots 10, 11, ... 16 and flux 100.5, 101.5, ... 106.5.
std::string Values(const std::string& range)
{
    return "Sunspot numbers for " + range + " were 10, 11, 12, 13, 14, 15 and 16 with a mean of 1. 10.7 cm "
           "flux was 100.5, 101.5, 102.5, 103.5, 104.5, 105.5 and 106.5 with a mean of 1.\n";
}

}  // namespace

// Each range wording gives its days; the values of Values() sit on them in order.
TEST(LenientReading, RangesInTheirWordings)
{
    const struct { std::string text; std::optional<int> year; BulletinDay first; } cases[] = {
        {Values("April 10-16, 2008"), {}, {4, 10, 2008}}, {Values("May 29-June 4 2008"), {}, {5, 29, 2008}},
        {Values("January 14 \xE2\x80\x93 20, 2021"), {}, {1, 14, 2021}},
        {Values("March 7th to March 13th, 2002"), {}, {3, 7, 2002}},
        {Values("December 28, 2023 - January 3, 2024"), {}, {12, 28, 2023}},
        {Values("December 28 through January 3, 2024"), {}, {12, 28, 2023}},
        // The header's year; December in a January bulletin is the year before.
        {"Seattle, WA January 9, 2004\n\n" + Values("December 31 through January 6"), {}, {12, 31, 2003}},
        {"Solar report 3-5-04\n\n" + Values("February 27 through March 4"), {}, {2, 27, 2004}},
        // A year given is the first day's; a year printed wins over it.
        {Values("December 25-31"), 2008, {12, 25, 2008}}, {Values("December 29-January 4"), 2008, {12, 29, 2008}},
        {"Solar report 1-13-22\n\n" + Values("January 6 through 12"), 1999, {1, 6, 2022}},
        // Several paragraphs, in file order.
        {"Seattle, WA April 10, 2003\n\n" + Values("March 24 through 30") + "\n" + Values("March 31 through April 6"),
         {}, {3, 24, 2003}},
    };
    for (const auto& c : cases) {
        const LenientOutcome outcome = Read(c.text, c.year);
        const int days = c.text.find("April 6") != std::string::npos ? 14 : 7;
        ASSERT_EQ(outcome.result, days) << c.text;
        EXPECT_EQ(outcome.days.front(), (BulletinDay{c.first.month, c.first.day, c.first.year, 10, 100.5})) << c.text;
        std::tm last{};  // the last day, counted on by the C library
        last.tm_year = c.first.year - 1900;
        last.tm_mon = c.first.month - 1;
        last.tm_mday = c.first.day + days - 1;
        last.tm_hour = 12;
        std::mktime(&last);
        EXPECT_EQ(outcome.days.back(), (BulletinDay{last.tm_mon + 1, last.tm_mday, last.tm_year + 1900, 16, 106.5}))
            << c.text;
    }
}

// The values' wordings are read; what stays ambiguous is refused.
TEST(LenientReading, WordingsAndRefusals)
{
    const std::string flux7 = " 10.7 cm flux was 1, 2, 3, 4, 5, 6 and 7 with a mean of 4.\n";
    const std::string april = "Sunspot numbers for April 10-16, 2008 were ";
    const auto zeroWeek = [](const std::string& flux) {  // "from", lower case, wrapped lines
        return "sunspot numbers FROM April 10 through\n  16, 2008 WERE 0 each day. " + flux +
               " 67.9, 67.1, 68.2,\n69.3, 68.5, 69.2 and 69.5, with a mean of 68.5.\n";
    };
    const auto week = [&](const std::string& range) {
        return "Sunspot numbers for " + range + " were 0 each day." + flux7;
    };
    const struct { std::string text; int result; } cases[] = {
        {zeroWeek("The 10.7-cm flux was"), 7}, {zeroWeek("10.7- cm flux was"), 7},
        {zeroWeek("The 10.7 centimeter flux was"), 7}, {zeroWeek("10.7 cm flux levels for the same period were,"), 7},
        // In the middle of a paragraph, "respectively", no final period.
        {"Prose first. " + april + "86, 96, 89, 103, 89, 80 and 75, respectively, with a mean of 88.3. The 10.7 cm "
         "flux was 139.5, 145.5, 148.9, 131.2, 114.9, 140.7 and 118.8, with a mean of 134.2", 7},
        // No year before the values; a year in prose is no date; a header date that disagrees with the range's.
        {Values("April 10-16") + "\nSeattle, WA April 20, 2008\n", ParseNoYear},  // a date after the values
        {"Stand-in text: the cycle minimum of December 2019 was long.\n\n" + Values("April 10-16"), ParseNoYear},
        {"Seattle, WA April 20, 2009\n\n" + Values("April 10-16, 2008"), ParseNoYear},
        // Counts that do not match the range.
        {april + "1, 2, 3, 4, 5 and 6 with a mean of 3." + flux7, ParseNoSunspots},
        {april + "1, 2, 3, 4, 5, 6, 7 and 8 with a mean of 3." + flux7, ParseNoSunspots},
        {april + "0 each day. 10.7 cm flux was 1, 2 and 3.\n", ParseNoFlux},
        {april + "0 each day. 10.7 cm flux was 143,7, 150,2.\n", ParseNoFlux},
        {april + "1.5, 2, 3, 4, 5, 6 and 7." + flux7, ParseNoSunspots},
        {april + "1, 2, 3, 4, 5, 6 and 7. The flux was 1.\n", ParseNoFlux},
        // Ranges that are not a week's run of real days; years and values no bulletin can have.
        {week("January 1 through February 1, 2008"), ParseError}, {week("April 16-10, 2008"), ParseError},
        {week("April 28-31, 2008"), ParseError}, {week("April 10 until 16, 2008"), ParseError},
        {week("April 10-16, 1890"), ParseNoYear}, {week("April 10-16, 2090"), ParseNoYear},
        {april + "1, 2, 3, 4, 5, 6 and 1001." + flux7, ParseError},
        {april + "0 each day. 10.7 cm flux was 1, 2, 3, 4, 5, 6 and 2000.1.\n", ParseError},
        // The same day twice with other values is a contradiction.
        {"Seattle, WA April 10, 2003\n\n" + Values("March 24 through 30") + Values("March 30 through April 5"),
         ParseError},
        // The phrase in prose only; no phrase at all.
        {"Sunspot numbers for the past week were higher.\n", ParseNoValuesSection},
        {"Nothing here.\n", ParseNoValuesSection},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Read(c.text).result, c.result) << c.text;
    // Decimal commas where the count then matches; "143,150,149" is three values.
    const std::string may = "Sunspot numbers for May 1-3, 2009 were 1, 2 and 3 with a mean of 2. The 10.7 cm flux was ";
    EXPECT_DOUBLE_EQ(Read(may + "143,7, 150,2 and 149,9.\n").days.at(1).flux, 150.2);
    EXPECT_DOUBLE_EQ(Read(may + "143,150,149.\n").days.at(1).flux, 150.0);
    EXPECT_EQ(Read(zeroWeek("10.7 cm flux was")).days.at(3), (BulletinDay{4, 13, 2008, 0, 69.3}));
}

TEST(BulletinDate, DatesInHeaderLines)
{
    const auto text = [](const std::optional<BulletinDate>& d) {
        return d ? std::to_string(d->year) + "-" + std::to_string(d->month) + "-" + std::to_string(d->day) : "none";
    };
    const std::pair<const char*, const char*> cases[] = {
        {"SEATTLE, WA JANUARY 21, 1994", "1994-1-21"}, {"FRIDAY, 21 JANUARY 1994", "1994-1-21"},
        {"NEWINGTON CT  DEC. 13, 2002", "2002-12-13"}, {"03/05/2010", "2010-3-5"},
        {"SOLAR REPORT 12-30-21", "2021-12-30"},       {"K7RA SOLAR REPORT 1-13-95", "1995-1-13"},
        {"POSTED 2010-03-05", "2010-3-5"},             {"SOLAR UPDATE, JANUARY 2009", "2009-1-0"},
        {"UPDATE 1-13-22 OF JANUARY 2009", "2022-1-13"},  // the first date in the line
        {"13/05/2010", "none"},  // month first, always
        {"02/30/2010", "none"},  {"ARLP003 PROPAGATION DE KT7H", "none"}, {"BULLETIN 25 ARLP025", "none"},
    };
    for (const auto& [line, date] : cases)
        EXPECT_EQ(text(FindDateInLine(line)), date) << line;
    // Prose is no header; a city line wins over a date stamp.
    EXPECT_FALSE(FindBulletinDate({"IN DECEMBER 2019 THE SUN WAS QUIET AND THE BANDS WERE CLOSED"}, Cities));
    EXPECT_EQ(text(FindBulletinDate({"03/05/2010", "SEATTLE, WA  MARCH 12, 2010  "}, Cities)), "2010-3-12");
}
