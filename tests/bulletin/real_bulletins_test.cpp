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

class RealBulletinTest : public ::testing::Test {
protected:
    BulletinParser parser;

    void SetUp() override { Settings() = PlotSettings(); }
    void TearDown() override { Settings() = PlotSettings(); }

    BulletinReading ReadFile(const std::string& path, std::optional<int> year = std::nullopt, bool lenient = true)
    {
        return ReadBulletin(parser, path, {.lenient = lenient, .year = year});
    }
};

TEST_F(RealBulletinTest, EveryBulletinOfTheSetIsReadExactly)
{
    const std::vector<ExpectedBulletin> set = ExpectedBulletins();
    ASSERT_EQ(set.size(), 30u);
    // Damaged copies: the first sunspot value removed, the range's last day one later or earlier.
    const std::regex sunspotValue("(sunspot numbers f[a-z]+ [^\\n]*?were,? )(\\d+, )", std::regex::icase);
    const std::regex lastDay(
        "(sunspot numbers f[a-z]+ [a-z]+ \\d{1,2}\\s*(through|-|\xE2\x80\x93|to)\\s*([a-z]+ )?)(\\d{1,2})",
        std::regex::icase);
    TempFolder folder;
    const std::string damaged = folder.File("damaged.txt");
    int exactReads = 0, readsWithoutYear = 0;
    for (const ExpectedBulletin& e : set) {
        SCOPED_TRACE(e.file);
        const std::string path = RealBulletinDir + e.file;
        const std::string text = ReadTextFile(path);
        const bool printsNoYear = !e.datePrinted && text.find(std::to_string(e.days[0].year)) == std::string::npos;
        const int exact = parser.Parse(path, 0);
        exactReads += exact > 0;
        if (exact > 0) {
            EXPECT_EQ(HeldDays(parser), e.days);
        }
        const BulletinReading plain = ReadFile(path);
        readsWithoutYear += plain.result > 0;
        ASSERT_EQ(plain.result, printsNoYear ? ParseNoYear : 7);
        if (plain.result > 0) {
            EXPECT_EQ(HeldDays(parser), e.days);
            EXPECT_EQ(plain.kind, exact > 0 ? ReadingKind::Exact : ReadingKind::Lenient);
        }
        const BulletinReading given = ReadFile(path, e.days[0].year);  // the first day's year reads every file
        ASSERT_EQ(given.result, 7);
        EXPECT_EQ(HeldDays(parser), e.days);
        EXPECT_TRUE(exact <= 0 || given.kind == ReadingKind::Exact);
        EXPECT_EQ(ReadFile(path, std::nullopt, false).result, exact);  // lenient reading off

        std::smatch m;
        ASSERT_TRUE(std::regex_search(text, m, lastDay));
        const auto withLastDay = [&](int shift) {
            return m.prefix().str() + m[1].str() + std::to_string(std::stoi(m[4].str()) + shift) + m.suffix().str();
        };
        const std::string noSunspot =
            std::regex_replace(text, sunspotValue, "$1", std::regex_constants::format_first_only);
        for (const std::string& copy : {noSunspot, withLastDay(1), withLastDay(-1)}) {
            ASSERT_NE(copy, text);
            WriteTextFile(damaged, copy);
            EXPECT_LT(ReadFile(damaged).result, 0);  // refused, not read into the wrong days
            EXPECT_LT(ReadFile(damaged, e.days[0].year).result, 0);
        }
    }
    EXPECT_EQ(exactReads, 13);
    EXPECT_EQ(readsWithoutYear, 18);
}

TEST_F(RealBulletinTest, AskingTheYearInTheWindow)
{
    ScriptedPrompt prompt;
    BulletinReadingOptions options{.interactive = true, .year = std::nullopt};
    const std::string news = RealBulletinDir + "018_2009_news.txt";  // December 2008, no year printed

    // The year is asked once; no values-phrase question, as the values are found; then Cancel.
    prompt.years = {2008, std::nullopt};
    EXPECT_EQ(ReadBulletin(parser, news, options).result, 7);
    EXPECT_TRUE(prompt.searchPromptInitials.empty());
    EXPECT_EQ(ReadBulletin(parser, news, options).result, ParseNoYear);
    // A bulletin that prints its year is not asked about.
    EXPECT_EQ(ReadBulletin(parser, RealBulletinDir + "029_2022_news.txt", options).result, 7);
    EXPECT_EQ(prompt.yearPromptInitials, (std::vector<int>{2001, 2001}));

    // No values sentence in any wording: the year, then the values phrase is asked.
    TempFolder folder;
    WriteTextFile(folder.File("plain.txt"), "Nothing but prose.\n");
    prompt.years = {2005};
    prompt.searchTexts = {std::nullopt};
    EXPECT_EQ(ReadBulletin(parser, folder.File("plain.txt"), options).result, ParseNoValuesSection);
    EXPECT_EQ(prompt.searchPromptInitials, std::vector<std::string>{"SUNSPOT NUMBERS FOR"});
    EXPECT_EQ(prompt.yearPromptInitials.size(), 3u);

    // Lenient reading off: the exact parse asks the year, then fails on the layout.
    options.lenient = false;
    prompt.years = {2008};
    prompt.yearPromptInitials.clear();
    EXPECT_EQ(ReadBulletin(parser, RealBulletinDir + "016_2008_news.txt", options).result, ParseError);
    EXPECT_EQ(prompt.yearPromptInitials, std::vector<int>{2001});
}
