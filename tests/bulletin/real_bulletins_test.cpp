// Thirty years of real bulletins (tests/bulletin/real, days in expected.json):
// the exact parse as it was, the rest read leniently, damaged copies refused.
#include <gtest/gtest.h>

#include <regex>

#include "bulletin/bulletin_days.h"
#include "bulletin/bulletin_reading.h"
#include "config/plot_settings.h"
#include "support/scripted_prompt.h"
#include "support/site_bulletins.h"
#include "support/temp_folder.h"

namespace {

// A file that prints no year for its days anywhere in its text.
bool PrintsNoYear(const ExpectedBulletin& e)
{
    const std::string text = ReadTextFile(RealBulletinDir + e.file);
    return !e.datePrinted && text.find(std::to_string(e.days.front().year)) == std::string::npos;
}

}  // namespace

class RealBulletinTest : public ::testing::Test {
protected:
    TempFolder folder;
    BulletinParser parser;
    const std::vector<ExpectedBulletin> set = ExpectedBulletins();

    void SetUp() override { Settings() = PlotSettings(); }
    void TearDown() override { Settings() = PlotSettings(); }

    BulletinReading ReadFile(const std::string& path, std::optional<int> year = std::nullopt,
                             bool lenient = true)
    {
        return ReadBulletin(parser, path, {.lenient = lenient, .year = year});
    }
    BulletinReading ReadText(const std::string& text, std::optional<int> year = std::nullopt)
    {
        const std::string path = folder.File("copy.txt");
        WriteTextFile(path, text);
        return ReadFile(path, year);
    }
};

TEST_F(RealBulletinTest, EveryBulletinOfTheSetIsReadExactly)
{
    ASSERT_EQ(set.size(), 30u);
    int exactReads = 0, readsWithoutYear = 0;
    for (const ExpectedBulletin& e : set) {
        SCOPED_TRACE(e.file);
        ASSERT_EQ(e.days.size(), 7u);
        const std::string path = RealBulletinDir + e.file;
        const int year = e.days.front().year;

        const int exact = parser.Parse(path, 0);
        const std::vector<BulletinDay> exactDays = HeldDays(parser);
        if (exact > 0) {
            ++exactReads;
            EXPECT_EQ(exactDays, e.days);
        }

        const BulletinReading plain = ReadFile(path);
        if (PrintsNoYear(e)) {
            EXPECT_EQ(plain.result, ParseNoYear);
        } else {
            ++readsWithoutYear;
            ASSERT_EQ(plain.result, 7);
            EXPECT_EQ(HeldDays(parser), e.days);
            EXPECT_EQ(plain.kind, exact > 0 ? ReadingKind::Exact : ReadingKind::Lenient);
        }
        const BulletinReading given = ReadFile(path, year);  // the first day's year reads every file
        ASSERT_EQ(given.result, 7);
        EXPECT_EQ(HeldDays(parser), e.days);
        if (exact > 0) {
            EXPECT_EQ(given.kind, ReadingKind::Exact);
        }

        const BulletinReading exactOnly = ReadFile(path, std::nullopt, false);  // lenient off
        EXPECT_EQ(exactOnly.kind, ReadingKind::Exact);
        EXPECT_EQ(exactOnly.result, exact);
    }
    std::cout << "exact parse reads " << exactReads << " of " << set.size()
              << "; the program reads " << readsWithoutYear << " without a year given, "
              << set.size() << " with it\n";
    EXPECT_EQ(exactReads, 13);
    EXPECT_EQ(readsWithoutYear, 18);
}

// Refused by either reading, with or without the year: a value removed from
// a list, the range one day too long or short.
TEST_F(RealBulletinTest, DamagedCopiesAreRefused)
{
    const std::regex sunspotValue("(sunspot numbers f[a-z]+ [^\\n]*?were,? )(\\d+, )",
                                  std::regex::icase);
    const std::regex fluxValue("(flux (levels for the same period )?w[a-z]+,? )(\\d+(\\.\\d+)?, )",
                               std::regex::icase);
    const std::regex lastDay(
        "(sunspot numbers f[a-z]+ [a-z]+ \\d{1,2}\\s*(through|-|\xE2\x80\x93|to)\\s*([a-z]+ )?)(\\d{1,2})",
        std::regex::icase);
    for (const ExpectedBulletin& e : set) {
        SCOPED_TRACE(e.file);
        const std::string path = RealBulletinDir + e.file;
        const int year = e.days.front().year;
        const std::string text = ReadTextFile(path);
        const std::string noSunspot = std::regex_replace(text, sunspotValue, "$1",
                                                         std::regex_constants::format_first_only);
        const std::string noFlux =
            std::regex_replace(text, fluxValue, "$1", std::regex_constants::format_first_only);
        std::smatch m;
        ASSERT_TRUE(std::regex_search(text, m, lastDay));
        const int end = std::stoi(m[4].str());
        const auto withLastDay = [&](int day) {
            return m.prefix().str() + m[1].str() + std::to_string(day) + m.suffix().str();
        };
        const std::string longer = withLastDay(end + 1), shorter = withLastDay(end - 1);
        for (const std::string* copy : {&noSunspot, &noFlux, &longer, &shorter}) {
            ASSERT_NE(*copy, text);
            EXPECT_LT(ReadText(*copy).result, 0);
            EXPECT_LT(ReadText(*copy, year).result, 0);
        }
        EXPECT_EQ(ReadText(noSunspot, year).result, ParseNoSunspots);
        EXPECT_EQ(ReadText(noFlux, year).result, ParseNoFlux);
    }
}

// The year stripped from the header: refused, unless the year is given.
TEST_F(RealBulletinTest, HeaderWithoutItsYearNeedsTheYearGiven)
{
    const std::regex fourDigitYear("\\b(19|20)\\d\\d\\b");
    const std::regex shortYear("\\b(\\d{1,2})([/-])(\\d{1,2})\\2\\d\\d\\b");
    int stripped = 0;
    for (const ExpectedBulletin& e : set) {
        if (!e.datePrinted)
            continue;
        SCOPED_TRACE(e.file);
        const std::string text = ReadTextFile(RealBulletinDir + e.file);
        std::size_t values = text.find("Sunspot Numbers");
        if (values == std::string::npos)
            values = text.find("Sunspot numbers");
        ASSERT_NE(values, std::string::npos);
        std::string header = text.substr(0, values);
        header = std::regex_replace(header, fourDigitYear, "");
        header = std::regex_replace(header, shortYear, "$1$2$3$2");
        const std::string copy = header + text.substr(values);
        ASSERT_NE(copy, text);
        const BulletinReading refused = ReadText(copy);
        EXPECT_LT(refused.result, 0);
        const BulletinReading given = ReadText(copy, e.days.front().year);
        ASSERT_EQ(given.result, 7);
        EXPECT_EQ(HeldDays(parser), e.days);
        ++stripped;
    }
    EXPECT_EQ(stripped, 17);
}

TEST_F(RealBulletinTest, AskingTheYearInTheWindow)
{
    ScriptedPrompt prompt;
    BulletinReadingOptions options;
    options.interactive = true;
    const std::string news = RealBulletinDir + "018_2009_news.txt";  // December 2008, no year printed

    // The year is asked once; no values-phrase question, as the values are found.
    prompt.years = {2008};
    BulletinReading reading = ReadBulletin(parser, news, options);
    ASSERT_EQ(reading.result, 7);
    EXPECT_EQ(reading.kind, ReadingKind::Lenient);
    EXPECT_EQ(prompt.yearPromptInitials, std::vector<int>{2001});
    EXPECT_TRUE(prompt.searchPromptInitials.empty());
    EXPECT_EQ(HeldDays(parser).front(), (BulletinDay{12, 25, 2008, 0, 69.3}));

    prompt.years = {std::nullopt};  // Cancel
    EXPECT_EQ(ReadBulletin(parser, news, options).result, ParseNoYear);

    // A bulletin that prints its year is not asked about.
    prompt.yearPromptInitials.clear();
    reading = ReadBulletin(parser, RealBulletinDir + "029_2022_news.txt", options);
    EXPECT_EQ(reading.result, 7);
    EXPECT_TRUE(prompt.yearPromptInitials.empty());

    // No values sentence in any wording: the year, then the values phrase is asked.
    const std::string plain = folder.File("plain.txt");
    WriteTextFile(plain, "Nothing but prose.\n");
    prompt.years = {2005};
    prompt.searchTexts = {std::nullopt};
    EXPECT_EQ(ReadBulletin(parser, plain, options).result, ParseNoValuesSection);
    EXPECT_EQ(prompt.yearPromptInitials, std::vector<int>{2001});
    EXPECT_EQ(prompt.searchPromptInitials, std::vector<std::string>{"SUNSPOT NUMBERS FOR"});

    // Lenient reading off: the exact parse asks the year, then fails on the layout.
    options.lenient = false;
    prompt.years = {2008};
    prompt.yearPromptInitials.clear();
    EXPECT_EQ(ReadBulletin(parser, RealBulletinDir + "016_2008_news.txt", options).result, ParseError);
    EXPECT_EQ(prompt.yearPromptInitials, std::vector<int>{2001});
}
