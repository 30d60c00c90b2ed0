#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>

#include "bulletin/bulletin_parser.h"
#include "bulletin/bulletin_reading.h"
#include "config/plot_settings.h"
#include "support/scripted_prompt.h"
#include "support/temp_folder.h"

namespace {

struct Day {
    int month, day, year, spots;
    double flux;
    bool operator==(const Day&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Day& d)
{
    return out << d.month << "/" << d.day << "/" << d.year << " " << d.spots << " " << d.flux;
}

std::string Bulletin(const std::string& name)
{
    return std::string(SKYLOG_BULLETIN_DIR) + "/" + name;
}

}  // namespace

class ParserTest : public ::testing::Test {
protected:
    TempFolder folder;
    ScriptedPrompt prompt;
    BulletinParser parser;

    void SetUp() override { Settings() = PlotSettings(); }
    void TearDown() override { Settings() = PlotSettings(); }

    std::vector<Day> Days() const
    {
        std::vector<Day> days;
        for (int i = 0; i <= parser.GetLastIndex(); ++i) {
            Day d{};
            parser.GetDay(i, &d.spots, &d.flux, &d.year, &d.month, &d.day);
            days.push_back(d);
        }
        return days;
    }

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
    EXPECT_EQ(Days(), (std::vector<Day>{{3, 7, 2002, 232, 203.5},
                                       {3, 8, 2002, 210, 205.9},
                                       {3, 9, 2002, 225, 206.2},
                                       {3, 10, 2002, 213, 196.3},
                                       {3, 11, 2002, 195, 192.5},
                                       {3, 12, 2002, 188, 188.3},
                                       {3, 13, 2002, 183, 182.9}}));

    // December into January: the December days belong to the year before.
    ASSERT_EQ(parser.Parse(Bulletin("arlp001.txt"), 0), 7);
    EXPECT_EQ(Days().front(), (Day{12, 27, 2001, 120, 190.1}));
    EXPECT_EQ(Days()[4], (Day{12, 31, 2001, 149, 214.3}));
    EXPECT_EQ(Days()[5], (Day{1, 1, 2002, 161, 220.9}));
    EXPECT_EQ(Days().back(), (Day{1, 2, 2002, 158, 225.5}));

    // "0 each day" and the "levels for the same period" wording, in a leap year.
    ASSERT_EQ(parser.Parse(Bulletin("arlp010.txt"), 0), 7);
    EXPECT_EQ(Days()[2], (Day{2, 29, 2004, 0, 68.0}));
    EXPECT_EQ(Days()[3], (Day{3, 1, 2004, 0, 67.9}));
    EXPECT_EQ(Days().back(), (Day{3, 4, 2004, 0, 69.0}));

    EXPECT_EQ(parser.Parse(Bulletin("arlp020.txt"), 0), ParseNoMonth);

    // Two sections: both read, in file order, with the same year.
    ASSERT_EQ(parser.Parse(Bulletin("arlp_two_sections.txt"), 0), 14);
    EXPECT_EQ(Days()[0], (Day{3, 31, 2003, 100, 150.0}));
    EXPECT_EQ(Days()[1], (Day{4, 1, 2003, 101, 151.0}));
    EXPECT_EQ(Days()[7], (Day{3, 24, 2003, 90, 140.5}));
    EXPECT_EQ(Days()[13], (Day{3, 30, 2003, 96, 146.5}));
}

TEST_F(ParserTest, DateLineRules)
{
    const std::string values =
        "SUNSPOT NUMBERS FOR DECEMBER 27 THROUGH 31 WERE 1, 2, 3, 4 AND 5 WITH A MEAN OF 3.\n"
        "10.7 CM FLUX WAS 1, 2, 3, 4 AND 5 WITH A MEAN OF 3.\n\n";
    // The first line may be the date line.
    ASSERT_EQ(ParseText("SEATTLE, WA  MARCH 15, 2002\n" + values), 5);
    EXPECT_EQ(Days()[0].year, 2002);
    // The city listed first wins over the one that comes first in the file;
    // a date line without a month keeps December in the bulletin's year.
    ASSERT_EQ(ParseText("FORT WAYNE, IN  JANUARY 2, 1999\nSEATTLE, WA  2003\n" + values), 5);
    EXPECT_EQ(Days()[0], (Day{12, 27, 2003, 1, 1.0}));
    // A January date line puts December in the year before.
    ASSERT_EQ(ParseText("  kane'ohe, hi January 2, 2003\n" + values), 5);
    EXPECT_EQ(Days()[0].year, 2002);

    // CITIES.TXT adds cities after the built-in ones; "!" lines are comments,
    // and a last line without a line break does not count.
    WriteTextFile(folder.File("CITIES.TXT"), "!SEATTLE, WA\r\nhonolulu, hi\r\nnewington, ct");
    ASSERT_EQ(ParseText("Honolulu, HI  March 1, 1998\n" + values), 5);
    EXPECT_EQ(Days()[0].year, 1998);
    EXPECT_EQ(ParseText("Newington, CT  March 1, 1998\n" + values), ParseNoYear);
}

TEST_F(ParserTest, RangesListsAndSectionEnds)
{
    const std::string date = "SEATTLE, WA  APRIL 10, 2003\n";
    // March 31 through April 6 is 7 days; a repeated month name is skipped.
    ASSERT_EQ(ParseText(date +
                        "SUNSPOT NUMBERS FOR MARCH 31 THROUGH APRIL 6 WERE 1 2 3 4 5 6 AND 7 WITH A "
                        "MEAN OF 4. 10.7 CM FLUX WAS 1 2 3 4 5 6 7 WITH A MEAN OF 4.\n\n"),
              7);
    EXPECT_EQ(Days()[1], (Day{4, 1, 2003, 2, 2.0}));
    ASSERT_EQ(ParseText(date +
                        "SUNSPOT NUMBERS FOR MARCH 7TH TO MARCH 13 WERE 1, 2, 3, 4, 5, 6, 7 WITH A "
                        "MEAN OF 4. 10.7 CM FLUX WAS 1, 2, 3, 4, 5, 6, 7 WITH A MEAN OF 4.\n\n"),
              7);
    EXPECT_EQ(Days().back(), (Day{3, 13, 2003, 7, 7.0}));
    // February 27 through March 4 in a year not divisible by 4: 6 days.
    EXPECT_EQ(ParseText(date + "SUNSPOT NUMBERS FOR FEBRUARY 27 THROUGH MARCH 4 WERE 0 EACH DAY. "
                               "10.7 CM FLUX WAS 1 WITH A MEAN OF 1.\n\n"),
              6);
    // Six numbers for seven days: the seventh gets 0; an eighth is ignored.
    ASSERT_EQ(ParseText(date + "SUNSPOT NUMBERS FOR MARCH 7 THROUGH 13 WERE 1, 2, 3, 4, 5 AND 6 "
                               "WITH A MEAN OF 3.\n10.7 CM FLUX WAS 1, 2, 3, 4, 5, 6, 7, 8.5 "
                               "WITH A MEAN OF 4.\n\n"),
              7);
    EXPECT_EQ(Days()[6], (Day{3, 13, 2003, 0, 7.0}));
    // "NNNN" right after the values ends the section without a blank line;
    // a last line without a line end is lost.
    ASSERT_EQ(ParseText(date + "SUNSPOT NUMBERS FOR MARCH 7 THROUGH 8 WERE 1 AND 2 WITH A MEAN "
                               "OF 1. 10.7 CM FLUX WAS 3 AND 4 WITH A MEAN OF 3.\nNNNN\nSUNSPOT "
                               "NUMBERS FOR MARCH 9 THROUGH 9 WERE 5 WITH A MEAN OF 5."),
              2);
    // Error codes of a section.
    EXPECT_EQ(ParseText(date + "SUNSPOT NUMBERS FOR MARCH 7 THROUGH 13 WERE 0 EACH DAY.\n\n"),
              ParseNoFlux);
    EXPECT_EQ(ParseText(date + "SUNSPOT NUMBERS FOR MARCH 7 THROUGH 13 WERE 1, 2.\n10.7 CM FLUX "
                               "WAS 1.\n\n"),
              ParseNoSunspots);
    EXPECT_EQ(ParseText(date + "SUNSPOT NUMBERS FOR MARCH 7 THROUGH 13 ARE 1 WITH A MEAN OF 1. "
                               "10.7 CM FLUX WAS 1 WITH A MEAN OF 1.\n\n"),
              ParseNoSunspots);
    EXPECT_EQ(ParseText(date + "SUNSPOT NUMBERS FOR MARCH 7 THROUGH 13 WERE 1 WITH A MEAN OF 1. "
                               "10.7 CM FLUX WAS 1.\n\n"),
              ParseNoFlux);
    EXPECT_EQ(ParseText(date + "SUNSPOT NUMBERS FOR MARCH 13 THROUGH 7 WERE 1 WITH A MEAN OF 1. "
                               "10.7 CM FLUX WAS 1 WITH A MEAN OF 1.\n\n"),
              ParseError);
    EXPECT_EQ(parser.Parse(folder.File("missing.txt"), 0), ParseCannotOpen);
    // Without the values phrase a silent parse finds nothing.
    EXPECT_EQ(ParseText(date + "nothing here\n"), 0);
}

TEST_F(ParserTest, LimitsHoldOnHostileInput)
{
    const std::string date = "SEATTLE, WA  APRIL 10, 2003\n";
    std::string many = date;
    for (int i = 0; i < 80; ++i)
        many += "SUNSPOT NUMBERS FOR MARCH 1 THROUGH 7 WERE 1 WITH A MEAN OF 1. 10.7 CM FLUX "
                "WAS 1 WITH A MEAN OF 1.\n\n";
    EXPECT_EQ(ParseText(many), 497);  // 71 sections; the 72nd would pass 500
    EXPECT_EQ(ParseText(date + "SUNSPOT NUMBERS FOR MARCH 1 THROUGH 2000000000 WERE 1 WITH A MEAN "
                               "OF 1. 10.7 CM FLUX WAS 1 WITH A MEAN OF 1.\n\n"),
              ParseError);
    // The sunspot segment is cut at its 255-character area, here before "WERE".
    std::string longList = date + "SUNSPOT NUMBERS FOR MARCH 1 THROUGH 7";
    for (int i = 0; i < 100; ++i)
        longList += " FILLER\n";
    longList += " WERE 1 WITH A MEAN OF 1. 10.7 CM FLUX WAS 1 WITH A MEAN OF 1.\n\n";
    ASSERT_EQ(ParseText(longList), ParseNoSunspots);
    std::string wide = date + "SUNSPOT NUMBERS FOR MARCH 1 THROUGH 7 WERE";
    for (int i = 0; i < 300; ++i)
        wide += " 10,";
    wide += "\n 9 WITH A MEAN OF 1. 10.7 CM FLUX WAS 1 WITH A MEAN OF 1.\n\n";
    ASSERT_EQ(ParseText(wide), 7);  // read in 253-character pieces, list cut at its area
    EXPECT_EQ(Days()[0].spots, 10);
    EXPECT_EQ(ParseText(std::string("SEATTLE, WA\0 2003\n", 18) + "\x01\xff\n"), 0);
}

TEST_F(ParserTest, InteractivePrompts)
{
    const std::string values = "SUNSPOT NUMBERS FOR MARCH 7 THROUGH 8 WERE 1 AND 2 WITH A MEAN OF "
                               "1. 10.7 CM FLUX WAS 3 AND 4 WITH A MEAN OF 3.\n\n";
    // No date line: the year is asked, starting at 2001.
    prompt.years = {1996};
    ASSERT_EQ(ParseText(values, 1), 2);
    EXPECT_EQ(prompt.yearPromptInitials, std::vector<int>{2001});
    EXPECT_EQ(Days()[0].year, 1996);
    EXPECT_EQ(ParseText(values, 1), ParseNoYear);  // Cancel

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
    EXPECT_EQ(ParseResultMessage(ParseNoValuesSection, Settings().Phrase2),
              "The text that denotes the beginning of the data section\nSUNSPOT NUMBERS "
              "FOR\nwas not located");

    // The configured phrase is used as stored.
    Settings().Phrase2 = "VALUES FOR";
    EXPECT_EQ(ParseText(other, 0), 2);
}

TEST(DayDate, FormatPadsWithZeros)
{
    EXPECT_EQ(FormatDayDate(1, 2, 2002), "01/02/2002");
    EXPECT_EQ(FormatDayDate(7, 3, 2002), "07/03/2002");
    EXPECT_EQ(FormatDayDate(12, 31, 1999), "12/31/1999");
}

// Inputs the fuzzer once crashed on: each must parse to a result, nothing worse.
TEST_F(ParserTest, FormerFuzzerCrashes)
{
    const std::filesystem::path crashes = std::string(SKYLOG_BULLETIN_DIR) + "/../fuzz_crashes";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(crashes)) {
        const int result = parser.Parse(entry.path().string(), 0);
        EXPECT_GE(result, ParseNoFlux) << entry.path();
        EXPECT_LE(result, BulletinParser::Capacity) << entry.path();
        const int read = ReadBulletin(parser, entry.path().string(), {}).result;
        EXPECT_GE(read, ParseNoFlux) << entry.path();
        EXPECT_LE(read, BulletinParser::Capacity) << entry.path();
        ++files;
    }
    EXPECT_GT(files, 0);
    // The first of them: a flux word of 30 digits reads as a huge number, not
    // as overflow, and a flux no day can have fails the parse.
    EXPECT_EQ(parser.Parse((crashes / "long-number-overflow.txt").string(), 0), ParseError);
}

namespace {

std::string ZeroSection(int firstDay, int lastDay)
{
    return "SUNSPOT NUMBERS FOR MARCH " + std::to_string(firstDay) + " THROUGH " +
           std::to_string(lastDay) + " WERE 0 EACH DAY. 10.7 CM FLUX WAS 70 WITH A MEAN OF 70.\n\n";
}

int ThisYear()
{
    const std::time_t now = std::time(nullptr);
    return std::gmtime(&now)->tm_year + 1900;  // off by one only around New Year's midnight
}

}  // namespace

// The year is the four-digit number on the date line, whatever follows it.
TEST_F(ParserTest, YearIsTheFourDigitYearOfTheDateLine)
{
    const std::string values =
        "SUNSPOT NUMBERS FOR MARCH 7 THROUGH 8 WERE 1 AND 2 WITH A MEAN OF 1.\n"
        "10.7 CM FLUX WAS 3 AND 4 WITH A MEAN OF 3.\n\n";
    const struct {
        const char* dateLine;
        int year;
    } cases[] = {
        {"SEATTLE, WA  MARCH 15, 2002  \n", 2002},
        {"SEATTLE, WA  MARCH 15, 2002.\r\n", 2002},
        {"SEATTLE, WA  March 15, 2002\t \r\n", 2002},
        {"SEATTLE, WA 2002 MARCH 15 \n", 2002},
        {"SEATTLE, WA  MARCH 15, 2002 REF 123456\n", 2002},
        {"FT WAYNE, IN  MARCH 15, 1998 (ARLP011)\n", 1998},
        {"FT WAYNE, IN  MARCH 15, 1998 ARLP011\n", 1998},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(ParseText(c.dateLine + values), 2) << c.dateLine;
        EXPECT_EQ(Days()[0], (Day{3, 7, c.year, 1, 3.0})) << c.dateLine;
    }
    // A date line naming no year is no year: silently a failure, else asked.
    EXPECT_EQ(ParseText("SEATTLE, WA  MARCH 15, 02\n" + values), ParseNoYear);
    EXPECT_EQ(parser.DayCount(), 0);
    prompt.years = {1997};
    ASSERT_EQ(ParseText("SEATTLE, WA  MARCH 15\n" + values, 1), 2);
    EXPECT_EQ(prompt.yearPromptInitials, std::vector<int>{2001});
    EXPECT_EQ(Days()[0].year, 1997);
}

// Days outside 1900 .. next year come from a misread date and merge nothing.
TEST_F(ParserTest, DaysOutsideTheYearRangeFail)
{
    const int next = ThisYear() + 1;
    const struct {
        std::string dateLine;
        std::string section;
        int result;
    } cases[] = {
        {"SEATTLE, WA  MARCH 15, 1900\n", ZeroSection(7, 8), 2},
        {"SEATTLE, WA  MARCH 15, 1899\n", ZeroSection(7, 8), ParseNoYear},
        {"SEATTLE, WA  MARCH 15, " + std::to_string(next) + "\n", ZeroSection(7, 8), 2},
        {"SEATTLE, WA  MARCH 15, " + std::to_string(next + 1) + "\n", ZeroSection(7, 8),
         ParseNoYear},
        // December of a January bulletin belongs to the year before: 1899.
        {"SEATTLE, WA  JANUARY 3, 1900\n",
         "SUNSPOT NUMBERS FOR DECEMBER 30 THROUGH JANUARY 1 WERE 1 WITH A MEAN OF 1. 10.7 CM "
         "FLUX WAS 1 WITH A MEAN OF 1.\n\n",
         ParseNoYear},
        // A December section of next year runs into the year after.
        {"SEATTLE, WA  DECEMBER 3, " + std::to_string(next) + "\n",
         "SUNSPOT NUMBERS FOR DECEMBER 30 THROUGH JANUARY 1 WERE 1 WITH A MEAN OF 1. 10.7 CM "
         "FLUX WAS 1 WITH A MEAN OF 1.\n\n",
         ParseNoYear},
    };
    for (const auto& c : cases) {
        // A good section first: a later failing one drops its days too.
        EXPECT_EQ(ParseText(c.dateLine + ZeroSection(1, 2) + c.section),
                  c.result < 0 ? c.result : c.result + 2)
            << c.dateLine;
        if (c.result < 0)
            EXPECT_EQ(parser.DayCount(), 0) << c.dateLine;
    }
    // A year typed at the prompt is held to the same range.
    prompt.years = {1858};
    EXPECT_EQ(ParseText(ZeroSection(7, 8), 1), ParseNoYear);
}

// Sunspots 0..1000 and flux 0..2000 are the values a day can have.
TEST_F(ParserTest, ValuesOutsideTheirRangeFail)
{
    const std::string date = "SEATTLE, WA  MARCH 15, 2002\n";
    const struct {
        const char* spots;
        const char* flux;
        int result;
    } cases[] = {
        {"1000 AND 0", "2000 AND 0", 2},   {"1001 AND 0", "70 AND 70", ParseError},
        {"-1 AND 0", "70 AND 70", ParseError}, {"0 AND 0", "2000.1 AND 70", ParseError},
        {"0 AND 0", "70 AND -0.5", ParseError}, {"0 AND 0", "70 AND 3E9", ParseError},
        {"0 AND 99999999999", "70 AND 70", ParseError},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseText(date + "SUNSPOT NUMBERS FOR MARCH 7 THROUGH 8 WERE " + c.spots +
                            " WITH A MEAN OF 1. 10.7 CM FLUX WAS " + c.flux +
                            " WITH A MEAN OF 1.\n\n"),
                  c.result)
            << c.spots << " / " << c.flux;
    }
}

// 500 days is the store: a section of more fails, sections past it are left unread.
TEST_F(ParserTest, FiveHundredDayStore)
{
    const std::string date = "SEATTLE, WA  APRIL 10, 2003\n";
    const struct {
        std::string sections;
        int result;
    } cases[] = {
        {ZeroSection(1, 500), 500},
        {ZeroSection(1, 501), ParseError},
        {ZeroSection(1, 493) + ZeroSection(1, 7), 500},
        {ZeroSection(1, 493) + ZeroSection(1, 7) + ZeroSection(1, 1), 500},
        {ZeroSection(1, 494) + ZeroSection(1, 7), 494},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseText(date + c.sections), c.result) << c.sections.substr(0, 60);
}

// A section ends before "NNNN" or "/EX", not only at a blank line or the
// end of the file: what follows the marker is not part of it.
TEST_F(ParserTest, EndMarkersEndTheSection)
{
    const std::string date = "SEATTLE, WA  APRIL 10, 2003\n";
    const std::string first = "SUNSPOT NUMBERS FOR MARCH 7 THROUGH 8 WERE 1 AND 2 WITH A MEAN OF "
                              "1.\n10.7 CM FLUX WAS 3 AND 4 WITH A MEAN OF 3.\n";
    const std::string second = "SUNSPOT NUMBERS FOR MARCH 9 THROUGH 10 WERE 5 AND 6 WITH A MEAN "
                               "OF 5.\n10.7 CM FLUX WAS 7 AND 8 WITH A MEAN OF 7.\n";
    for (const char* marker : {"NNNN\n", "  /EX\n", "NNNN ZCZC\n"}) {
        ASSERT_EQ(ParseText(date + first + marker + second + marker + "Trailing words here\n\n"),
                  4)
            << marker;
        EXPECT_EQ(Days()[1], (Day{3, 8, 2003, 2, 4.0}));
        EXPECT_EQ(Days()[3], (Day{3, 10, 2003, 6, 8.0}));
    }
}

// Comment lines of CITIES.TXT are no cities, however they begin.
TEST_F(ParserTest, CitiesFileCommentsAreNoCities)
{
    const std::string values = ZeroSection(7, 8);
    WriteTextFile(folder.File("CITIES.TXT"), "!ANCHORAGE, AK\n! Nome, AK\nJuneau, AK\n");
    EXPECT_EQ(ParseText("!ANCHORAGE, AK  MARCH 15, 1998\n" + values), ParseNoYear);
    EXPECT_EQ(ParseText("! NOME, AK  MARCH 15, 1998\n" + values), ParseNoYear);
    ASSERT_EQ(ParseText("!ANCHORAGE, AK  MARCH 15, 1998\nJUNEAU, AK MARCH 15, 1999\n" + values), 2);
    EXPECT_EQ(Days()[0].year, 1999);
}

// Only a regular file is a bulletin; a read that fails is no empty bulletin.
TEST_F(ParserTest, FoldersAreNotBulletins)
{
    EXPECT_EQ(parser.Parse(folder.Path(), 0), ParseCannotOpen);
    EXPECT_EQ(parser.Parse(folder.Path(), 1), ParseCannotOpen);
    EXPECT_TRUE(prompt.yearPromptInitials.empty());
}
