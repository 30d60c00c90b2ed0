#include <gtest/gtest.h>

#include "bulletin/bulletin_parser.h"
#include "config/plot_settings.h"
#include "support/data_state.h"
#include "support/scripted_prompt.h"

namespace {

// The records as "date:sunspots:flux" words, in array order.
std::string Contents()
{
    std::string words;
    for (int i = 0; i < Records().RecordCount(); ++i) {
        const SolarRecord& r = Records().At(i);
        char flux[32];
        std::snprintf(flux, sizeof flux, "%g", r.m_flux);
        words += (i == 0 ? "" : " ") + r.GetDate() + ":" + std::to_string(r.m_sunspots) + ":" + flux;
    }
    return words;
}

// A day of March 2002 as a bulletin gives it: sunspots 100 + day, flux 200.5 + day.
BulletinDay March(int day)
{
    return {3, day, 2002, 100 + day, 200.5 + day};
}

constexpr int NoPolicy = -1, Ignore = 1, Replace = 0;

}  // namespace

class MergeTest : public ::testing::Test {
protected:
    ScriptedPrompt prompt;
    BulletinParser parser;

    void SetUp() override
    {
        ResetDataState();
        Settings() = PlotSettings();
    }
    void TearDown() override { ResetDataState(); }
};

// One parser merges bulletin after bulletin, as a scan does.
TEST_F(MergeTest, DaysGoInDateOrderAndDuplicatesFollowThePolicy)
{
    const struct {
        std::vector<std::pair<const char*, int>> stored;  // date, sunspots (flux 1)
        std::vector<BulletinDay> days;
        int policy;
        std::string contents;
        int duplicates, added, replaced;
    } cases[] = {
        // An empty history takes the days in date order.
        {{}, {March(20), March(21), March(10)}, NoPolicy,
         "03/10/2002:110:210.5 03/20/2002:120:220.5 03/21/2002:121:221.5", 0, 3, 0},
        // Before the first record, into a gap, after the last.
        {{{"03/10/2002", 1}}, {March(1), March(2)}, NoPolicy,
         "03/01/2002:101:201.5 03/02/2002:102:202.5 03/10/2002:1:1", 0, 2, 0},
        {{{"03/01/2002", 1}, {"03/10/2002", 2}}, {March(5)}, NoPolicy,
         "03/01/2002:1:1 03/05/2002:105:205.5 03/10/2002:2:1", 0, 1, 0},
        {{{"03/01/2002", 1}}, {March(2), March(3)}, NoPolicy,
         "03/01/2002:1:1 03/02/2002:102:202.5 03/03/2002:103:203.5", 0, 2, 0},
        // A day of the last record overwrites it rather than following it.
        {{{"03/08/2002", 1}, {"03/10/2002", 2}}, {March(10), March(11)}, NoPolicy,
         "03/08/2002:1:1 03/10/2002:110:210.5 03/11/2002:111:211.5", 1, 1, 1},
        // Ignored duplicates keep the stored values; replaced ones are overwritten.
        {{{"03/10/2002", 1}, {"03/12/2002", 2}}, {March(10), March(11), March(12)}, Ignore,
         "03/10/2002:1:1 03/11/2002:111:211.5 03/12/2002:2:1", 2, 1, 0},
        {{{"02/01/2002", 1}}, {March(3), March(4)}, Ignore,
         "02/01/2002:1:1 03/03/2002:103:203.5 03/04/2002:104:204.5", 0, 2, 0},
        {{{"03/10/2002", 1}, {"03/12/2002", 2}}, {March(10)}, Replace,
         "03/10/2002:110:210.5 03/12/2002:2:1", 1, 0, 1},
        // Dates that do not exist are dropped; a blank record is left alone.
        {{{"xx/xx/xx", 0}, {"01/01/2002", 1}},
         {{2, 28, 2002, 1, 3.0}, {2, 29, 2002, 2, 4.0}, {2, 30, 2002, 3, 5.0}}, NoPolicy,
         "xx/xx/xx:0:1 01/01/2002:1:1 02/28/2002:1:3", 0, 1, 0},
        {{}, {{2, 28, 2002, 1, 3.0}, {2, 29, 2002, 2, 4.0}}, NoPolicy, "02/28/2002:1:3", 0, 1, 0},
    };
    for (const auto& c : cases) {
        ResetDataState();
        for (const auto& [date, spots] : c.stored)
            AddRecord(date, spots, 1.0);
        Records().SetDataChanged(0);
        ASSERT_TRUE(parser.HoldDays(c.days));
        EXPECT_EQ(parser.FindDuplicates(), c.duplicates) << c.contents;
        if (c.policy != NoPolicy)
            parser.ApplyDuplicatePolicy(c.policy);
        const MergeCounts counts = parser.MergeIntoRecords(0);
        EXPECT_EQ(Contents(), c.contents);
        EXPECT_EQ(counts.added, c.added) << c.contents;
        EXPECT_EQ(counts.replaced, c.replaced) << c.contents;
        EXPECT_EQ(Records().DataChanged(), 1) << c.contents;
    }
}

TEST_F(MergeTest, ReplacingKeepsTheAveragesAndNothingHeldChangesNothing)
{
    AddRecord("03/01/2002", 1, 1.0);
    ASSERT_TRUE(parser.HoldDays({March(1), March(2)}));
    EXPECT_EQ(parser.FindDuplicates(), 1);
    Records().FreeRecords();  // a second check knows nothing of the first
    EXPECT_EQ(parser.FindDuplicates(), 0);
    EXPECT_EQ(parser.GetDuplicateFlag(0), 0);

    Records().AppendRecord(SolarRecord("03/10/2002", 1, 1.0, 33, 44));
    ASSERT_TRUE(parser.HoldDays({March(10)}));
    parser.FindDuplicates();
    parser.ApplyDuplicatePolicy(Replace);
    parser.MergeIntoRecords(0);
    const SolarRecord& r = Records().At(0);
    EXPECT_EQ(std::vector({r.m_sunspots, r.m_avgSunspots, r.m_avgFlux}), std::vector({110, 33, 44}));

    Records().SetDataChanged(0);
    parser.Reset();
    parser.MergeIntoRecords(1);
    EXPECT_EQ(Records().DataChanged(), 0);
    EXPECT_TRUE(prompt.progressTexts.empty());
}

TEST_F(MergeTest, ProgressOfALongMerge)
{
    std::vector<BulletinDay> week;
    for (int d = 1; d <= 7; ++d)
        week.push_back(March(d));
    ASSERT_TRUE(parser.HoldDays(week));
    AddRecord("02/28/2002", 1, 1.0);
    std::vector<int> found;
    parser.FindDuplicates([&](int percent) { found.push_back(percent); });
    EXPECT_EQ(found.front(), 0);
    EXPECT_TRUE(std::is_sorted(found.begin(), found.end()));
    parser.MergeIntoRecords(1);
    EXPECT_EQ(prompt.progressTexts.size(), 2u);
    EXPECT_EQ(prompt.progress, (std::vector<int>{0, 14, 28, 42, 57, 71, 85}));
    EXPECT_EQ(prompt.waitDepth, 0);
}
