#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <filesystem>

#include "bulletin/bulletin_days.h"
#include "bulletin/bulletin_parser.h"
#include "bulletin/bulletin_reading.h"
#include "config/plot_settings.h"
#include "support/scripted_prompt.h"
#include "support/temp_folder.h"

namespace {

std::string Bulletin(const std::string& name)
{
    return std::string(SKYLOG_BULLETIN_DIR) + "/" + name;
}

std::string Repeated(const std::string& word, int count)
{
    std::string list = word;
    for (int i = 1; i < count; ++i)
        list += " " + word;
    return list;
}

// A values section as a bulletin prints it, joined on one line.
std::string Section(const std::string& range, const std::string& spots, const std::string& flux)
{
    return "SUNSPOT NUMBERS FOR " + range + " WERE " + spots + " WITH A MEAN OF 1. 10.7 CM FLUX WAS " +
           flux + " WITH A MEAN OF 1.\n\n";
}

// Days first..last of March: sunspots 0 each day, flux 70 each day.
std::string ZeroSection(int first, int last)
{
    return "SUNSPOT NUMBERS FOR MARCH " + std::to_string(first) + " THROUGH " +
           std::to_string(last) + " WERE 0 EACH DAY. 10.7 CM FLUX WAS " +
           Repeated("70", last - first + 1) + " WITH A MEAN OF 70.\n\n";
}

int ThisYear()  // off by one only around New Year's midnight
{
    const std::time_t now = std::time(nullptr);
    return std::gmtime(&now)->tm_year + 1900;
}

}  // namespace

class ParserTest : public ::testing::Test {
protected:
    TempFolder folder;
    ScriptedPrompt prompt;
    BulletinParser parser;

    void SetUp() override { Settings() = PlotSettings(); }
    void TearDown() override { Settings() = PlotSettings(); }

    std::vector<BulletinDay> Days() const { return HeldDays(parser); }

    int ParseText(const std::string& text, int interactive = 0)
    {
        const std::string path = folder.File("bulletin.txt");
        WriteTextFile(path, text);
        return parser.Parse(path, interactive);
    }
};

TEST_F(ParserTest, WorkedExamples)
{
    ASSERT_EQ(parser.Parse(Bulletin("arlp011.txt"), 0), 7);
    EXPECT_EQ(Days(), (std::vector<BulletinDay>{{3, 7, 2002, 232, 203.5}, {3, 8, 2002, 210, 205.9},
                                               {3, 9, 2002, 225, 206.2}, {3, 10, 2002, 213, 196.3},
                                               {3, 11, 2002, 195, 192.5}, {3, 12, 2002, 188, 188.3},
                                               {3, 13, 2002, 183, 182.9}}));

    // December into January: the December days belong to the year before.
    ASSERT_EQ(parser.Parse(Bulletin("arlp001.txt"), 0), 7);
    EXPECT_EQ(Days().front(), (BulletinDay{12, 27, 2001, 120, 190.1}));
    EXPECT_EQ(Days()[4], (BulletinDay{12, 31, 2001, 149, 214.3}));
    EXPECT_EQ(Days()[5], (BulletinDay{1, 1, 2002, 161, 220.9}));

    // "0 each day" and the "levels for the same period" wording, in a leap year.
    ASSERT_EQ(parser.Parse(Bulletin("arlp010.txt"), 0), 7);
    EXPECT_EQ(Days()[2], (BulletinDay{2, 29, 2004, 0, 68.0}));
    EXPECT_EQ(Days().back(), (BulletinDay{3, 4, 2004, 0, 69.0}));

    EXPECT_EQ(parser.Parse(Bulletin("arlp020.txt"), 0), ParseNoMonth);

    // Two sections: both read, in file order, with the same year.
    ASSERT_EQ(parser.Parse(Bulletin("arlp_two_sections.txt"), 0), 14);
    EXPECT_EQ(Days()[1], (BulletinDay{4, 1, 2003, 101, 151.0}));
    EXPECT_EQ(Days()[7], (BulletinDay{3, 24, 2003, 90, 140.5}));
}

// The year: the four-digit number of the first city line found (built-in
// cities, then CITIES.TXT); December in a January bulletin is the year before.
TEST_F(ParserTest, DateLines)
{
    WriteTextFile(folder.File("CITIES.TXT"),
                  "!ANCHORAGE, AK\n! Nome, AK\r\nhonolulu, hi\r\nJuneau, AK\nnewington, ct");
    const std::string december = Section("DECEMBER 30 THROUGH 31", "1 AND 2", "3 AND 4");
    const struct {
        const char* dateLines;
        int year;  // of the December days, or the failing code
    } cases[] = {
        {"SEATTLE, WA  MARCH 15, 2002\n", 2002},  // the very first line
        {"SEATTLE, WA  MARCH 15, 2002.\r\n", 2002},
        {"SEATTLE, WA  March 15, 2002\t \r\n", 2002},
        {"SEATTLE, WA 2002 MARCH 15 \n", 2002},
        {"SEATTLE, WA  MARCH 15, 2002 REF 123456\n", 2002},
        {"FT WAYNE, IN  MARCH 15, 1998 (ARLP011)\n", 1998},
        {"  kane'ohe, hi January 2, 2003\n", 2002},
        // The city first in the list wins; a line naming no month keeps December.
        {"ZCZC\nFORT WAYNE, IN  JANUARY 2, 1999\nSEATTLE, WA  2003\n", 2003},
        {"Honolulu, HI  March 1, 1998\n", 1998},
        {"!ANCHORAGE, AK  MARCH 15, 1998\nJUNEAU, AK MARCH 15, 1999\n", 1999},
        {"Newington, CT  March 1, 1998\n", ParseNoYear},  // a last line without its break
        {"!ANCHORAGE, AK  MARCH 15, 1998\n", ParseNoYear},
        {"! NOME, AK  MARCH 15, 1998\n", ParseNoYear},
        {"SEATTLE, WA  MARCH 15, 02\n", ParseNoYear},
    };
    for (const auto& c : cases) {
        const int result = ParseText(c.dateLines + december);
        if (c.year < 0) {
            EXPECT_EQ(result, c.year) << c.dateLines;
            EXPECT_EQ(parser.DayCount(), 0);
            continue;
        }
        ASSERT_EQ(result, 2) << c.dateLines;
        EXPECT_EQ(Days()[1], (BulletinDay{12, 31, c.year, 2, 4.0})) << c.dateLines;
    }
}

// Every section result: ranges, lists, where a section ends, the codes.
TEST_F(ParserTest, Sections)
{
    const std::string date = "SEATTLE, WA  APRIL 10, 2003\n";
    const std::string seven = "1, 2, 3, 4, 5, 6 AND 7";
    const struct { std::string text; int result; BulletinDay last; } cases[] = {
        {Section("MARCH 31 THROUGH APRIL 6", "1 2 3 4 5 6 AND 7", "1 2 3 4 5 6 7"), 7,
         {4, 6, 2003, 7, 7.0}},
        {Section("MARCH 7TH TO MARCH 13", seven, seven), 7, {3, 13, 2003, 7, 7.0}},
        {"SUNSPOT NUMBERS FOR FEBRUARY 27 THROUGH MARCH 4 WERE 0 EACH DAY. 10.7 CM FLUX WAS "
         "1 2 3 4 5 6 WITH A MEAN OF 1.\n\n",
         6, {3, 4, 2003, 0, 6.0}},
        {Section("MARCH 7 THROUGH 9", "1 , 2 AND 3", "4, 5, 6,"), 3, {3, 9, 2003, 3, 6.0}},
        // A count of values that does not match the days is no reading.
        {Section("MARCH 7 THROUGH 13", "1, 2, 3, 4, 5 AND 6", seven), ParseNoSunspots, {}},
        {Section("MARCH 7 THROUGH 13", seven + ", 8", seven), ParseNoSunspots, {}},
        {Section("MARCH 7 THROUGH 13", "1, 2, 3, N/A, 5, 6 AND 7", seven), ParseNoSunspots, {}},
        {Section("MARCH 7 THROUGH 13", seven, "1, 2, 3, 4, 5 AND 6"), ParseNoFlux, {}},
        {Section("MARCH 7 THROUGH 13", seven, seven + ", 8.5"), ParseNoFlux, {}},
        {Section("MARCH 7 THROUGH 14", seven, seven), ParseNoSunspots, {}},
        {Section("MARCH 7 THROUGH 12", seven, seven), ParseNoSunspots, {}},
        // "NNNN" or "/EX" ends the section; a last line without its break is lost.
        {"SUNSPOT NUMBERS FOR MARCH 7 THROUGH 8 WERE 1 AND 2 WITH A MEAN OF 1. 10.7 CM FLUX WAS "
         "3 AND 4 WITH A MEAN OF 3.\nNNNN\nSUNSPOT NUMBERS FOR MARCH 9 THROUGH 9 WERE 5 WITH A "
         "MEAN OF 5.",
         2, {3, 8, 2003, 2, 4.0}},
        {"SUNSPOT NUMBERS FOR MARCH 7 THROUGH 8 WERE 1 AND 2 WITH A MEAN OF 1.\n10.7 CM FLUX "
         "WAS 3 AND 4 WITH A MEAN OF 3.\n  /EX\nSUNSPOT NUMBERS FOR MARCH 9 THROUGH 9 WERE 5 "
         "WITH A MEAN OF 5.\n10.7 CM FLUX WAS 6 WITH A MEAN OF 6.\nNNNN ZCZC\nTrailing words\n\n",
         3, {3, 9, 2003, 5, 6.0}},
        // Lists longer than their 255-character area are not read cut off.
        {"SUNSPOT NUMBERS FOR MARCH 1 THROUGH 7\n" + Repeated("FILLER\n", 40) + " WERE " + seven +
             " WITH A MEAN OF 1. 10.7 CM FLUX WAS " + seven + " WITH A MEAN OF 1.\n\n",
         ParseNoSunspots, {}},
        {Section("MARCH 1 THROUGH 7", Repeated("10,", 300) + "\n9", seven), ParseNoSunspots, {}},
        {Section("MARCH 1 THROUGH 7", seven, Repeated("10,", 300) + "\n9"), ParseNoFlux, {}},
        {"SUNSPOT NUMBERS FOR MARCH 7 THROUGH 13 WERE 0 EACH DAY.\n\n", ParseNoFlux, {}},
        {"SUNSPOT NUMBERS FOR MARCH 7 THROUGH 13 WERE 1, 2.\n10.7 CM FLUX WAS 1.\n\n",
         ParseNoSunspots, {}},
        {"SUNSPOT NUMBERS FOR MARCH 7 THROUGH 13 ARE " + seven + " WITH A MEAN OF 1. 10.7 CM FLUX "
         "WAS " + seven + " WITH A MEAN OF 1.\n\n",
         ParseNoSunspots, {}},
        {"SUNSPOT NUMBERS FOR MARCH 7 THROUGH 13 WERE " + seven + " WITH A MEAN OF 1. 10.7 CM "
         "FLUX WAS " + seven + ".\n\n",
         ParseNoFlux, {}},
        {Section("MARCH 13 THROUGH 7", "1", "1"), ParseError, {}},
        {Section("MARCH 1 THROUGH 2000000000", "1", "1"), ParseError, {}},
        {"nothing here\n", 0, {}},
    };
    for (const auto& c : cases) {
        const int result = ParseText(date + c.text);
        EXPECT_EQ(result, c.result) << c.text;
        if (result > 0 && result == c.result) {
            EXPECT_EQ(Days().back(), c.last) << c.text;
        }
    }
}

// Sunspots 0..1000, flux 0..2000, years 1900..next year; one day outside
// fails the whole parse.
TEST_F(ParserTest, ValuesAndYearsOutsideTheirRange)
{
    const std::string date = "SEATTLE, WA  MARCH 15, 2002\n";
    const struct { const char* spots; const char* flux; int result; } values[] = {
        {"1000 AND 0", "2000 AND 0", 2},
        {"1001 AND 0", "70 AND 70", ParseError},
        {"-1 AND 0", "70 AND 70", ParseNoSunspots},
        {"0 AND 0", "2000.1 AND 70", ParseError},
        {"0 AND 0", "70 AND 3E9", ParseError},
        {"0 AND 99999999999", "70 AND 70", ParseError},
    };
    for (const auto& c : values)
        EXPECT_EQ(ParseText(date + Section("MARCH 7 THROUGH 8", c.spots, c.flux)), c.result)
            << c.spots << " / " << c.flux;

    const int next = ThisYear() + 1;
    const std::string newYear = Section("DECEMBER 30 THROUGH JANUARY 1", "1 2 3", "1 2 3");
    const struct { std::string dateLine, section; int result; } years[] = {
        {"SEATTLE, WA  MARCH 15, 1900\n", ZeroSection(7, 8), 2},
        {"SEATTLE, WA  MARCH 15, 1899\n", ZeroSection(7, 8), ParseNoYear},
        {"SEATTLE, WA  MARCH 15, " + std::to_string(next) + "\n", ZeroSection(7, 8), 2},
        {"SEATTLE, WA  MARCH 15, " + std::to_string(next + 1) + "\n", ZeroSection(7, 8), ParseNoYear},
        {"SEATTLE, WA  JANUARY 3, 1900\n", newYear, ParseNoYear},  // December 1899
        {"SEATTLE, WA  DECEMBER 3, " + std::to_string(next) + "\n", newYear, ParseNoYear},
    };
    for (const auto& c : years) {  // after a good section, whose days a failure drops too
        const int result = ParseText(c.dateLine + ZeroSection(1, 2) + c.section);
        EXPECT_EQ(result, c.result < 0 ? c.result : c.result + 2) << c.dateLine;
        EXPECT_EQ(parser.DayCount(), std::max(c.result + 2, 0)) << c.dateLine;
    }
    prompt.years = {1858};  // a year typed at the prompt is held to the range
    EXPECT_EQ(ParseText(ZeroSection(7, 8), 1), ParseNoYear);
}

// 500 days is the store: a section of more fails, sections past it are left unread.
TEST_F(ParserTest, FiveHundredDayStore)
{
    std::string months;
    for (int i = 0; i < 16; ++i)
        months += ZeroSection(1, 31);  // 496 days
    const struct { std::string sections; int result; } cases[] = {
        {months + ZeroSection(1, 4), 500},
        {months + ZeroSection(1, 4) + ZeroSection(1, 1), 500},
        {months + ZeroSection(1, 5), 496},
        {"SUNSPOT NUMBERS FOR MARCH 1 THROUGH 501 WERE 0 EACH DAY. 10.7 CM FLUX WAS 1 WITH A "
         "MEAN OF 1.\n\n",
         ParseError},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseText("SEATTLE, WA  APRIL 10, 2003\n" + c.sections), c.result)
            << c.sections.substr(c.sections.size() - 80);
}

TEST_F(ParserTest, InteractivePrompts)
{
    const std::string values = Section("MARCH 7 THROUGH 8", "1 AND 2", "3 AND 4");
    // No date line: the year is asked, starting at 2001.
    prompt.years = {1996};
    ASSERT_EQ(ParseText(values, 1), 2);
    EXPECT_EQ(prompt.yearPromptInitials, std::vector<int>{2001});
    EXPECT_EQ(Days()[0].year, 1996);
    EXPECT_EQ(ParseText(values, 1), ParseNoYear);  // Cancel
    // A date line without a year is no date line.
    prompt.years = {1997};
    ASSERT_EQ(ParseText("SEATTLE, WA  MARCH 15\n" + values, 1), 2);
    EXPECT_EQ(Days()[0].year, 1997);

    // No values phrase: another is asked; lower case never matches.
    const std::string other = "SEATTLE, WA  MARCH 15, 2002\n"
                              "VALUES FOR MARCH 7 THROUGH 8 WERE 1 AND 2 WITH A MEAN OF 1. "
                              "10.7 CM FLUX WAS 3 AND 4 WITH A MEAN OF 3.\n\n";
    prompt.searchTexts = {std::string("values for"), std::string("VALUES FOR")};
    ASSERT_EQ(ParseText(other, 1), 2);
    EXPECT_EQ(prompt.searchPromptInitials,
              (std::vector<std::string>{"SUNSPOT NUMBERS FOR", "values for"}));
    EXPECT_EQ(Settings().Phrase2, "SUNSPOT NUMBERS FOR");  // the setting keeps its value
    EXPECT_EQ(ParseText(other, 1), ParseNoValuesSection);
    Settings().Phrase2 = "VALUES FOR";  // the configured phrase is used as stored
    EXPECT_EQ(ParseText(other, 0), 2);
}

// Files that are no bulletin and inputs the fuzzer once crashed on give a result.
TEST_F(ParserTest, HostileFiles)
{
    EXPECT_EQ(parser.Parse(folder.File("missing.txt"), 0), ParseCannotOpen);
    EXPECT_EQ(parser.Parse(folder.Path(), 1), ParseCannotOpen);  // a folder
    EXPECT_TRUE(prompt.yearPromptInitials.empty());
    EXPECT_EQ(ParseText(std::string("SEATTLE, WA\0 2003\n", 18) + "\x01\xff\n"), 0);

    const std::filesystem::path crashes = std::string(SKYLOG_BULLETIN_DIR) + "/../fuzz_crashes";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(crashes)) {
        for (const int result : {parser.Parse(entry.path().string(), 0),
                                 ReadBulletin(parser, entry.path().string(), {}).result}) {
            EXPECT_GE(result, ParseNoFlux) << entry.path();
            EXPECT_LE(result, BulletinParser::Capacity) << entry.path();
        }
        ++files;
    }
    EXPECT_GT(files, 0);
}
