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

// One parser merges bulletin after bulletin, as a scan does; stored records
// keep their averages (33) whatever happens to their values.
TEST_F(MergeTest, DaysGoInDateOrderAndDuplicatesFollowThePolicy)
{
    const struct {
        std::vector<std::pair<const char*, int>> stored;  // date, sunspots (flux 1)
        std::vector<BulletinDay> days;
        int policy;
        std::string contents;
        int duplicates, added, replaced;
    } cases[] = {
        {{}, {March(20), March(21), March(10)}, NoPolicy,
         "03/10/2002:110:210.5 03/20/2002:120:220.5 03/21/2002:121:221.5", 0, 3, 0},
        // A day of the last record overwrites it rather than following it.
        {{{"03/08/2002", 1}, {"03/10/2002", 2}}, {March(10), March(11)}, NoPolicy,
         "03/08/2002:1:1 03/10/2002:110:210.5 03/11/2002:111:211.5", 1, 1, 1},
        // Ignored duplicates keep the stored values; replaced ones are overwritten.
        {{{"03/10/2002", 1}, {"03/12/2002", 2}}, {March(10), March(11), March(12)}, Ignore,
         "03/10/2002:1:1 03/11/2002:111:211.5 03/12/2002:2:1", 2, 1, 0},
        // Before the first record, into a gap, after the last (no flag left from the case before).
        {{{"03/05/2002", 1}, {"03/10/2002", 2}}, {March(1), March(7), March(12)}, NoPolicy,
         "03/01/2002:101:201.5 03/05/2002:1:1 03/07/2002:107:207.5 03/10/2002:2:1 03/12/2002:112:212.5", 0, 3, 0},
        {{{"03/10/2002", 1}, {"03/12/2002", 2}}, {March(10)}, Replace, "03/10/2002:110:210.5 03/12/2002:2:1", 1, 0, 1},
        // Dates that do not exist are dropped; a blank record is left alone.
        {{{"xx/xx/xx", 0}, {"01/01/2002", 1}}, {{2, 28, 2002, 1, 3.0}, {2, 29, 2002, 2, 4.0}, {2, 30, 2002, 3, 5.0}},
         NoPolicy, "xx/xx/xx:0:1 01/01/2002:1:1 02/28/2002:1:3", 0, 1, 0},
    };
    for (const auto& c : cases) {
        ResetDataState();
        for (const auto& [date, spots] : c.stored)
            Records().AppendRecord(SolarRecord(date, spots, 1.0, 33, 33));
        Records().SetDataChanged(0);
        ASSERT_TRUE(parser.HoldDays(c.days));
        EXPECT_EQ(parser.FindDuplicates(), c.duplicates) << c.contents;
        if (c.policy != NoPolicy)
            parser.ApplyDuplicatePolicy(c.policy);
        const MergeCounts counts = parser.MergeIntoRecords(0);
        EXPECT_EQ(Contents(), c.contents);
        EXPECT_EQ(std::vector({counts.added, counts.replaced}), std::vector({c.added, c.replaced})) << c.contents;
        EXPECT_EQ(Records().DataChanged(), 1) << c.contents;
        int averagesKept = 0;
        for (int i = 0; i < Records().RecordCount(); ++i)
            averagesKept += Records().At(i).m_avgSunspots == 33 && Records().At(i).m_avgFlux == 33;
        EXPECT_EQ(averagesKept, static_cast<int>(c.stored.size())) << c.contents;
    }
}

TEST_F(MergeTest, ProgressOfALongMergeAndNothingHeldChangesNothing)
{
    ASSERT_TRUE(parser.HoldDays({March(1), March(2), March(3), March(4), March(5), March(6), March(7)}));
    AddRecord("02/28/2002", 1, 1.0);
    std::vector<int> found;
    parser.FindDuplicates([&](int percent) { found.push_back(percent); });
    EXPECT_TRUE(found.front() == 0 && std::is_sorted(found.begin(), found.end()));
    parser.MergeIntoRecords(1);
    EXPECT_EQ(prompt.progress, (std::vector<int>{0, 14, 28, 42, 57, 71, 85}));
    EXPECT_EQ(prompt.waitDepth, 0);

    Records().SetDataChanged(0);
    parser.Reset();
    parser.MergeIntoRecords(1);
    EXPECT_EQ(Records().DataChanged(), 0);
    EXPECT_EQ(prompt.progress.size(), 7u);
}
