// Thirty years of real bulletins (tests/bulletin/real, days in expected.json):
// the exact parse as it was, the rest read leniently.
#include <gtest/gtest.h>

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
        if (exact > 0) {
            ++exactReads;
            EXPECT_EQ(HeldDays(parser), e.days);
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
    EXPECT_EQ(exactReads, 13);
    EXPECT_EQ(readsWithoutYear, 18);
}

TEST_F(RealBulletinTest, AskingTheYearInTheWindow)
{
    ScriptedPrompt prompt;
    BulletinReadingOptions options;
    options.interactive = true;
    const std::string news = RealBulletinDir + "018_2009_news.txt";  // December 2008, no year printed

    // The year is asked once; no values-phrase question, as the values are found.
    prompt.years = {2008};
    EXPECT_EQ(ReadBulletin(parser, news, options).result, 7);
    EXPECT_EQ(prompt.yearPromptInitials, std::vector<int>{2001});
    EXPECT_TRUE(prompt.searchPromptInitials.empty());

    prompt.years = {std::nullopt};  // Cancel
    EXPECT_EQ(ReadBulletin(parser, news, options).result, ParseNoYear);

    // A bulletin that prints its year is not asked about.
    prompt.yearPromptInitials.clear();
    EXPECT_EQ(ReadBulletin(parser, RealBulletinDir + "029_2022_news.txt", options).result, 7);
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
