// Thirty years of real bulletins (tests/bulletin/real, with the days each
// states in expected.json): what the exact parse reads stays as it was, the
// rest is read leniently, and damaged copies are refused.
#include <gtest/gtest.h>

#include <charconv>
#include <regex>

#include "bulletin/bulletin_days.h"
#include "bulletin/bulletin_reading.h"
#include "config/plot_settings.h"
#include "support/scripted_prompt.h"
#include "support/temp_folder.h"

namespace {

const std::string RealDir = std::string(SKYLOG_TEST_DATA_DIR) + "/bulletin/real/";

struct Expected {
    std::string file;
    bool datePrinted = false;  // bulletin_date is not null
    std::vector<BulletinDay> days;
};

int Int(const std::string& text)
{
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// expected.json, read with patterns for its fixed layout.
std::vector<Expected> ExpectedSet()
{
    const std::string json = ReadTextFile(RealDir + "expected.json");
    const std::regex file("\"file\": \"([^\"]+)\"");
    const std::regex printed("\"bulletin_date\": \"");
    const std::regex day(
        "\"date\": \"(\\d\\d)/(\\d\\d)/(\\d{4})\",\\s*\"sunspots\": (\\d+),\\s*\"flux\": ([0-9.]+)");
    std::vector<Expected> set;
    std::vector<std::size_t> starts;
    for (std::sregex_iterator it(json.begin(), json.end(), file), end; it != end; ++it) {
        set.push_back({(*it)[1].str(), false, {}});
        starts.push_back(static_cast<std::size_t>(it->position(0)));
    }
    starts.push_back(json.size());
    for (std::size_t i = 0; i < set.size(); ++i) {
        const std::string record = json.substr(starts[i], starts[i + 1] - starts[i]);
        set[i].datePrinted = std::regex_search(record, printed);
        for (std::sregex_iterator it(record.begin(), record.end(), day), end; it != end; ++it) {
            const std::smatch& m = *it;
            BulletinDay d{Int(m[1]), Int(m[2]), Int(m[3]), Int(m[4]), 0.0};
            const std::string flux = m[5].str();
            std::from_chars(flux.data(), flux.data() + flux.size(), d.flux);
            set[i].days.push_back(d);
        }
    }
    return set;
}

// A file that prints no year for its days: no date in it, and the year of
// its days nowhere in its text.
bool PrintsNoYear(const Expected& e)
{
    return !e.datePrinted &&
           ReadTextFile(RealDir + e.file).find(std::to_string(e.days.front().year)) == std::string::npos;
}

}  // namespace

class RealBulletinTest : public ::testing::Test {
protected:
    TempFolder folder;
    BulletinParser parser;
    const std::vector<Expected> set = ExpectedSet();

    void SetUp() override { Settings() = PlotSettings(); }
    void TearDown() override { Settings() = PlotSettings(); }

    BulletinReading ReadFile(const std::string& path, std::optional<int> year = std::nullopt,
                     bool lenient = true)
    {
        BulletinReadingOptions options;
        options.lenient = lenient;
        options.year = year;
        return ReadBulletin(parser, path, options);
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
    for (const Expected& e : set) {
        SCOPED_TRACE(e.file);
        ASSERT_EQ(e.days.size(), 7u);
        const std::string path = RealDir + e.file;
        const int year = e.days.front().year;

        // What the exact parse reads is the answer, and it is right.
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
        // The year of the first day, given, reads every file.
        const BulletinReading given = ReadFile(path, year);
        ASSERT_EQ(given.result, 7);
        EXPECT_EQ(HeldDays(parser), e.days);
        if (exact > 0) {
            EXPECT_EQ(given.kind, ReadingKind::Exact);
        }

        // With the lenient reading off, the exact result is all there is.
        const BulletinReading exactOnly = ReadFile(path, std::nullopt, false);
        EXPECT_EQ(exactOnly.kind, ReadingKind::Exact);
        EXPECT_EQ(exactOnly.result, exact);
    }
    std::cout << "exact parse reads " << exactReads << " of " << set.size()
              << "; the program reads " << readsWithoutYear << " without a year given, "
              << set.size() << " with it\n";
    EXPECT_EQ(exactReads, 13);
    EXPECT_EQ(readsWithoutYear, 18);
}

// Damage that must be refused, by either reading, with or without the year
// given: a value removed from a list, the range one day too long or short.
TEST_F(RealBulletinTest, DamagedCopiesAreRefused)
{
    const std::regex sunspotValue("(sunspot numbers f[a-z]+ [^\\n]*?were,? )(\\d+, )",
                                  std::regex::icase);
    const std::regex fluxValue("(flux (levels for the same period )?w[a-z]+,? )(\\d+(\\.\\d+)?, )",
                               std::regex::icase);
    const std::regex lastDay(
        "(sunspot numbers f[a-z]+ [a-z]+ \\d{1,2}\\s*(through|-|\xE2\x80\x93|to)\\s*([a-z]+ )?)(\\d{1,2})",
        std::regex::icase);
    for (const Expected& e : set) {
        SCOPED_TRACE(e.file);
        const std::string path = RealDir + e.file;
        const int year = e.days.front().year;
        const std::string text = ReadTextFile(path);
        const std::string noSunspot = std::regex_replace(text, sunspotValue, "$1",
                                                         std::regex_constants::format_first_only);
        const std::string noFlux =
            std::regex_replace(text, fluxValue, "$1", std::regex_constants::format_first_only);
        std::smatch m;
        ASSERT_TRUE(std::regex_search(text, m, lastDay));
        const int end = Int(m[4].str());
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

// The year stripped from the header: refused without a year, read with the
// one given.
TEST_F(RealBulletinTest, HeaderWithoutItsYearNeedsTheYearGiven)
{
    const std::regex fourDigitYear("\\b(19|20)\\d\\d\\b");
    const std::regex shortYear("\\b(\\d{1,2})([/-])(\\d{1,2})\\2\\d\\d\\b");
    int stripped = 0;
    for (const Expected& e : set) {
        if (!e.datePrinted)
            continue;
        SCOPED_TRACE(e.file);
        const std::string text = ReadTextFile(RealDir + e.file);
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
    const std::string news = RealDir + "018_2009_news.txt";  // December 2008, no year printed

    // The year is asked once, as the exact parse asks it; no values-phrase
    // question, since the values are found.
    prompt.years = {2008};
    BulletinReading reading = ReadBulletin(parser, news, options);
    ASSERT_EQ(reading.result, 7);
    EXPECT_EQ(reading.kind, ReadingKind::Lenient);
    EXPECT_EQ(prompt.yearPromptInitials, std::vector<int>{2001});
    EXPECT_TRUE(prompt.searchPromptInitials.empty());
    EXPECT_EQ(HeldDays(parser).front(), (BulletinDay{12, 25, 2008, 0, 69.3}));

    // Cancel: the year cannot be determined.
    prompt.years = {std::nullopt};
    EXPECT_EQ(ReadBulletin(parser, news, options).result, ParseNoYear);

    // A bulletin that prints its year is not asked about.
    prompt.yearPromptInitials.clear();
    reading = ReadBulletin(parser, RealDir + "029_2022_news.txt", options);
    EXPECT_EQ(reading.result, 7);
    EXPECT_TRUE(prompt.yearPromptInitials.empty());

    // Without a values sentence in any wording the exact parse's questions
    // follow: the year (no date line), then the values phrase.
    const std::string plain = folder.File("plain.txt");
    WriteTextFile(plain, "Nothing but prose.\n");
    prompt.years = {2005};
    prompt.searchTexts = {std::nullopt};
    EXPECT_EQ(ReadBulletin(parser, plain, options).result, ParseNoValuesSection);
    EXPECT_EQ(prompt.yearPromptInitials, std::vector<int>{2001});
    EXPECT_EQ(prompt.searchPromptInitials, std::vector<std::string>{"SUNSPOT NUMBERS FOR"});

    // With the lenient reading off the window is as it always was: the exact
    // parse asks the year, then fails on the news layout.
    options.lenient = false;
    prompt.years = {2008};
    prompt.yearPromptInitials.clear();
    EXPECT_EQ(ReadBulletin(parser, RealDir + "016_2008_news.txt", options).result, ParseError);
    EXPECT_EQ(prompt.yearPromptInitials, std::vector<int>{2001});
}
