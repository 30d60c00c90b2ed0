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
    return "SUNSPOT NUMBERS FOR MARCH " + std::to_string(first) + " THROUGH " + std::to_string(last) +
           " WERE 0 EACH DAY. 10.7 CM FLUX WAS " + Repeated("70", last - first + 1) + " WITH A MEAN OF 70.\n\n";
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
    const struct { const char* file; int result, at; BulletinDay day; } cases[] = {
        {"arlp011.txt", 7, 6, {3, 13, 2002, 183, 182.9}},
        {"arlp001.txt", 7, 4, {12, 31, 2001, 149, 214.3}},  // December in a January bulletin
        {"arlp001.txt", 7, 5, {1, 1, 2002, 161, 220.9}},
        {"arlp010.txt", 7, 2, {2, 29, 2004, 0, 68.0}},  // "0 each day" in a leap year
        {"arlp_two_sections.txt", 14, 7, {3, 24, 2003, 90, 140.5}},
        {"arlp020.txt", ParseNoMonth, 0, {}},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(parser.Parse(std::string(SKYLOG_BULLETIN_DIR) + "/" + c.file, 0), c.result) << c.file;
        EXPECT_EQ(c.result > 0 ? Days()[c.at] : BulletinDay{}, c.day) << c.file;
    }
}

// The year: the four-digit number of the first city line found (built-in
// cities, then CITIES.TXT); December in a January bulletin is the year before.
TEST_F(ParserTest, DateLines)
{
    WriteTextFile(folder.File("CITIES.TXT"), "!ANCHORAGE, AK\nhonolulu, hi\r\nJuneau, AK\nnewington, ct");
    const std::string december = Section("DECEMBER 30 THROUGH 31", "1 AND 2", "3 AND 4");
    const struct { const char* dateLines; int year; } cases[] = {  // year of the December days, or the code
        {"SEATTLE, WA  MARCH 15, 2002.\r\n", 2002}, {"SEATTLE, WA 2002 MARCH 15 \n", 2002},
        {"FT WAYNE, IN  MARCH 15, 1998 (ARLP011)\n", 1998}, {"  kane'ohe, hi January 2, 2003\n", 2002},
        {"ZCZC\nFORT WAYNE, IN  JANUARY 2, 1999\nSEATTLE, WA  2003\n", 2003}, {"Honolulu, HI  March 1, 1998\n", 1998},
        {"!ANCHORAGE, AK  MARCH 15, 1998\nJUNEAU, AK MARCH 15, 1999\n", 1999},
        {"Newington, CT  March 1, 1998\n", ParseNoYear}, {"SEATTLE, WA  MARCH 15, 02\n", ParseNoYear},
    };
    for (const auto& c : cases) {
        const int result = ParseText(c.dateLines + december);
        ASSERT_EQ(result, c.year < 0 ? c.year : 2) << c.dateLines;
        const BulletinDay last{12, 31, c.year, 2, 4.0};
        EXPECT_EQ(result > 0 ? Days()[1] : last, last) << c.dateLines;
    }
}

// Every section result: ranges, lists, where a section ends, the codes.
TEST_F(ParserTest, Sections)
{
    const std::string seven = "1, 2, 3, 4, 5, 6 AND 7", six = "1, 2, 3, 4, 5 AND 6";
    const std::string longList = Repeated("10,", 300) + "\n9";  // past the 255-character area
    const struct { std::string text; int result; BulletinDay last; } cases[] = {
        {Section("MARCH 31 THROUGH APRIL 6", "1 2 3 4 5 6 AND 7", "1 2 3 4 5 6 7"), 7, {4, 6, 2003, 7, 7.0}},
        {Section("MARCH 7TH TO MARCH 13", seven, seven), 7, {3, 13, 2003, 7, 7.0}},
        {Section("FEBRUARY 27 THROUGH MARCH 4", "0 EACH DAY.", "1 2 3 4 5 6"), 6, {3, 4, 2003, 0, 6.0}},
        {Section("MARCH 7 THROUGH 9", "1 , 2 AND 3", "4, 5, 6,"), 3, {3, 9, 2003, 3, 6.0}},
        {Section("MARCH 7 THROUGH 13", six, seven), ParseNoSunspots, {}},
        {Section("MARCH 7 THROUGH 13", seven + ", 8", seven), ParseNoSunspots, {}},
        {Section("MARCH 7 THROUGH 13", seven, six), ParseNoFlux, {}},
        // "NNNN" or "/EX" ends the section; a last line without its break is lost.
        {"SUNSPOT NUMBERS FOR MARCH 7 THROUGH 8 WERE 1 AND 2 WITH A MEAN OF 1. 10.7 CM FLUX WAS 3 AND 4 "
         "WITH A MEAN OF 3.\nNNNN\nSUNSPOT NUMBERS FOR MARCH 9 THROUGH 9 WERE 5 WITH A MEAN OF 5.",
         2, {3, 8, 2003, 2, 4.0}},
        {"SUNSPOT NUMBERS FOR MARCH 7 THROUGH 8 WERE 1 AND 2 WITH A MEAN OF 1.\n10.7 CM FLUX WAS 3 AND 4 "
         "WITH A MEAN OF 3.\n  /EX\n" + Section("MARCH 9 THROUGH 9", "5", "6") + "NNNN ZCZC\nTrailing\n\n",
         3, {3, 9, 2003, 5, 6.0}},
        {Section("MARCH 1 THROUGH 7\n" + Repeated("FILLER\n", 40), seven, seven), ParseNoSunspots, {}},
        {Section("MARCH 1 THROUGH 7", longList, seven), ParseNoSunspots, {}},
        {Section("MARCH 1 THROUGH 7", seven, longList), ParseNoFlux, {}},
        {"SUNSPOT NUMBERS FOR MARCH 7 THROUGH 13 WERE 0 EACH DAY.\n\n", ParseNoFlux, {}},
        {"SUNSPOT NUMBERS FOR MARCH 7 THROUGH 13 WERE " + seven + " WITH A MEAN OF 1. 10.7 CM FLUX WAS " +
             seven + ".\n\n", ParseNoFlux, {}},
        {Section("MARCH 13 THROUGH 7", "1", "1"), ParseError, {}},
        {Section("MARCH 1 THROUGH 2000000000", "1", "1"), ParseError, {}},
        {"nothing here\n", 0, {}},
    };
    for (const auto& c : cases) {
        const int result = ParseText("SEATTLE, WA  APRIL 10, 2003\n" + c.text);
        EXPECT_EQ(result, c.result) << c.text;
        EXPECT_EQ(result > 0 ? Days().back() : BulletinDay{}, c.last) << c.text;
    }
}

// Sunspots 0..1000, flux 0..2000, years 1900..next year; one day outside
// fails the whole parse, dropping the days of a good section before it.
TEST_F(ParserTest, ValuesAndYearsOutsideTheirRange)
{
    const std::time_t now = std::time(nullptr);
    const int next = std::gmtime(&now)->tm_year + 1901;  // wrong only around New Year
    const std::string march = "SEATTLE, WA  MARCH 15, ";
    const struct { std::string dateLine, section; int result; } cases[] = {
        {march + "2002\n", Section("MARCH 7 THROUGH 8", "1000 AND 0", "2000 AND 0"), 2},
        {march + "2002\n", Section("MARCH 7 THROUGH 8", "1001 AND 0", "70 AND 70"), ParseError},
        {march + "2002\n", Section("MARCH 7 THROUGH 8", "0 AND 0", "2000.1 AND 70"), ParseError},
        {march + "2002\n", Section("MARCH 7 THROUGH 8", "0 AND 99999999999", "70 AND 70"), ParseError},
        {march + "1900\n", ZeroSection(7, 8), 2}, {march + "1899\n", ZeroSection(7, 8), ParseNoYear},
        {march + std::to_string(next) + "\n", ZeroSection(7, 8), 2},
        {march + std::to_string(next + 1) + "\n", ZeroSection(7, 8), ParseNoYear},
        {"SEATTLE, WA  JANUARY 3, 1900\n", Section("DECEMBER 30 THROUGH JANUARY 1", "1 2 3", "1 2 3"),
         ParseNoYear},  // December 1899
    };
    for (const auto& c : cases) {
        const int result = ParseText(c.dateLine + ZeroSection(1, 2) + c.section);
        EXPECT_EQ(result, c.result < 0 ? c.result : c.result + 2) << c.dateLine << c.section;
        EXPECT_EQ(parser.DayCount(), std::max(c.result + 2, 0)) << c.dateLine << c.section;
    }
    prompt.years = {1858};  // a year typed at the prompt is held to the range
    EXPECT_EQ(ParseText(ZeroSection(7, 8), 1), ParseNoYear);
}

// 500 days is the store: a section of more fails, sections past it are left unread.
TEST_F(ParserTest, FiveHundredDayStore)
{
    const std::string date = "SEATTLE, WA  APRIL 10, 2003\n";
    std::string months = date;
    for (int i = 0; i < 16; ++i)
        months += ZeroSection(1, 31);  // 496 days
    EXPECT_EQ(ParseText(months + ZeroSection(1, 4) + ZeroSection(1, 1)), 500);
    EXPECT_EQ(ParseText(months + ZeroSection(1, 5)), 496);
    EXPECT_EQ(ParseText(date + Section("MARCH 1 THROUGH 501", "0 EACH DAY.", "1")), ParseError);
}

TEST_F(ParserTest, InteractivePrompts)
{
    const std::string values = Section("MARCH 7 THROUGH 8", "1 AND 2", "3 AND 4");
    // No date line, or one without a year: the year is asked, starting at 2001.
    prompt.years = {1996, std::nullopt};
    ASSERT_EQ(ParseText("SEATTLE, WA  MARCH 15\n" + values, 1), 2);
    EXPECT_EQ(std::pair(prompt.yearPromptInitials, Days()[0].year), std::pair(std::vector<int>{2001}, 1996));
    EXPECT_EQ(ParseText(values, 1), ParseNoYear);  // Cancel

    // No values phrase: another is asked; lower case never matches.
    const std::string other = "SEATTLE, WA  MARCH 15, 2002\nVALUES FOR" + values.substr(19);
    prompt.searchTexts = {std::string("values for"), std::string("VALUES FOR")};
    ASSERT_EQ(ParseText(other, 1), 2);
    EXPECT_EQ(prompt.searchPromptInitials, (std::vector<std::string>{"SUNSPOT NUMBERS FOR", "values for"}));
    EXPECT_EQ(Settings().Phrase2, "SUNSPOT NUMBERS FOR");  // the setting keeps its value
    EXPECT_EQ(ParseText(other, 1), ParseNoValuesSection);
    Settings().Phrase2 = "VALUES FOR";
    EXPECT_EQ(ParseText(other, 0), 2);
}

// Files that are no bulletin and inputs the fuzzer once crashed on give a result.
TEST_F(ParserTest, HostileFiles)
{
    EXPECT_EQ(parser.Parse(folder.File("missing.txt"), 0), ParseCannotOpen);
    EXPECT_EQ(parser.Parse(folder.Path(), 1), ParseCannotOpen);  // a folder
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(SKYLOG_BULLETIN_DIR) + "/../fuzz_crashes")) {
        for (const int result : {parser.Parse(entry.path().string(), 0),
                                 ReadBulletin(parser, entry.path().string(), {}).result}) {
            EXPECT_GE(result, ParseNoFlux) << entry.path();
            EXPECT_LE(result, BulletinParser::Capacity) << entry.path();
        }
    }
}
