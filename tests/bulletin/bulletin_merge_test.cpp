#include <gtest/gtest.h>

#include "bulletin/bulletin_parser.h"
#include "config/plot_settings.h"
#include "support/data_state.h"
#include "support/scripted_prompt.h"
#include "support/temp_folder.h"

namespace {

std::vector<std::string> Dates()
{
    std::vector<std::string> dates;
    for (int i = 0; i < Records().RecordCount(); ++i)
        dates.push_back(Records().At(i).GetDate());
    return dates;
}

}  // namespace

class MergeTest : public ::testing::Test {
protected:
    TempFolder folder;
    ScriptedPrompt prompt;
    BulletinParser parser;

    void SetUp() override
    {
        ResetDataState();
        Settings() = PlotSettings();
    }
    void TearDown() override { ResetDataState(); }

    // A bulletin of the days from..to of March 2002 with sunspots 100 + day.
    void ParseMarch(int from, int to)
    {
        std::string spots, flux;
        for (int d = from; d <= to; ++d) {
            spots += " " + std::to_string(100 + d);
            flux += " " + std::to_string(200 + d) + ".5";
        }
        const std::string path = folder.File("b.txt");
        WriteTextFile(path, "SEATTLE, WA  MARCH 30, 2002\nSUNSPOT NUMBERS FOR MARCH " +
                                std::to_string(from) + " THROUGH " + std::to_string(to) +
                                " WERE" + spots + " WITH A MEAN OF 1. 10.7 CM FLUX WAS" + flux +
                                " WITH A MEAN OF 1.\n\n");
        ASSERT_EQ(parser.Parse(path, 0), to - from + 1);
    }
};

TEST_F(MergeTest, AppendsInsertsAndFillsGapsInDateOrder)
{
    ParseMarch(10, 16);
    parser.MergeIntoRecords(0);  // empty array: appended as they come
    EXPECT_EQ(Records().RecordCount(), 7);
    EXPECT_EQ(Records().DataChanged(), 1);

    ParseMarch(20, 26);  // newer: appended
    EXPECT_EQ(parser.FindDuplicates(), 0);
    parser.MergeIntoRecords(0);
    ParseMarch(1, 3);  // before the first record: inserted at the front
    parser.MergeIntoRecords(0);
    ParseMarch(17, 19);  // the gap: inserted between its neighbours
    parser.MergeIntoRecords(0);
    ASSERT_EQ(Records().RecordCount(), 20);
    const std::vector<std::string> dates = Dates();
    EXPECT_EQ(dates.front(), "03/01/2002");
    EXPECT_EQ(dates[3], "03/10/2002");
    EXPECT_EQ(dates[10], "03/17/2002");
    EXPECT_EQ(dates[12], "03/19/2002");
    EXPECT_EQ(dates.back(), "03/26/2002");
    EXPECT_TRUE(std::is_sorted(dates.begin(), dates.end()));
    EXPECT_EQ(Records().At(10).m_sunspots, 117);
    EXPECT_DOUBLE_EQ(Records().At(10).m_flux, 217.5);
}

TEST_F(MergeTest, DuplicatePoliciesIgnoreAndReplace)
{
    Records().AppendRecord(SolarRecord("03/10/2002", 1, 1.0, 33, 44));
    Records().AppendRecord(SolarRecord("03/12/2002", 2, 2.0, 55, 66));
    ParseMarch(10, 12);
    EXPECT_EQ(parser.FindDuplicates(), 2);
    EXPECT_EQ(parser.GetDuplicateFlag(0), 1);
    EXPECT_EQ(parser.GetDuplicateFlag(1), 0);
    parser.ApplyDuplicatePolicy(1);  // ignore: the stored values stay
    parser.MergeIntoRecords(0);
    ASSERT_EQ(Dates(), (std::vector<std::string>{"03/10/2002", "03/11/2002", "03/12/2002"}));
    EXPECT_EQ(Records().At(0).m_sunspots, 1);
    EXPECT_EQ(Records().At(2).m_sunspots, 2);

    Records().SetDataChanged(0);
    ParseMarch(10, 10);
    EXPECT_EQ(parser.FindDuplicates(), 1);
    parser.ApplyDuplicatePolicy(0);  // replace: values overwritten, averages kept
    parser.MergeIntoRecords(0);
    EXPECT_EQ(Records().RecordCount(), 3);
    EXPECT_EQ(Records().At(0).m_sunspots, 110);
    EXPECT_DOUBLE_EQ(Records().At(0).m_flux, 210.5);
    EXPECT_EQ(Records().At(0).m_avgSunspots, 33);
    EXPECT_EQ(Records().At(0).m_avgFlux, 44);
    EXPECT_EQ(Records().DataChanged(), 1);
}

TEST_F(MergeTest, InvalidDatesEmptyParsesAndProgress)
{
    // 2/29 and 2/30 of 2002 are no dates: dropped, on a filled array and on
    // an empty one alike.
    const std::string path = folder.File("feb.txt");
    WriteTextFile(path, "SEATTLE, WA  MARCH 3, 2002\nSUNSPOT NUMBERS FOR FEBRUARY 28 THROUGH "
                        "30 WERE 1, 2 AND 3 WITH A MEAN OF 1. 10.7 CM FLUX WAS 3, 4 AND 5 WITH A "
                        "MEAN OF 3.\n\n");
    ASSERT_EQ(parser.Parse(path, 0), 3);
    Records().AppendRecord(SolarRecord("xx/xx/xx", 0, 0.0, 0, 0));  // a blank record
    Records().AppendRecord(SolarRecord("01/01/2002", 1, 1.0, 0, 0));
    EXPECT_EQ(parser.FindDuplicates(), 0);
    parser.MergeIntoRecords(0);
    EXPECT_EQ(Dates(), (std::vector<std::string>{"xx/xx/xx", "01/01/2002", "02/28/2002"}));
    EXPECT_EQ(Records().At(0).m_sunspots, 0);  // the blank record is left alone

    Records().FreeRecords();
    const MergeCounts counts = parser.MergeIntoRecords(0);
    EXPECT_EQ(Dates(), std::vector<std::string>{"02/28/2002"});
    EXPECT_EQ(counts.added, 1);
    EXPECT_EQ(counts.replaced, 0);

    // Nothing held: nothing happens, DataChanged keeps its value.
    Records().SetDataChanged(0);
    parser.Reset();
    parser.MergeIntoRecords(1);
    EXPECT_EQ(Records().DataChanged(), 0);
    EXPECT_TRUE(prompt.progressTexts.empty());

    // With progress: the window's text, rising positions, cursor restored.
    ParseMarch(1, 7);
    std::vector<int> found;
    parser.FindDuplicates([&](int percent) { found.push_back(percent); });
    EXPECT_EQ(found.front(), 0);
    EXPECT_TRUE(std::is_sorted(found.begin(), found.end()));
    parser.MergeIntoRecords(1);
    EXPECT_EQ(prompt.progressTexts,
              (std::vector<std::string>{"Merging new data into the array.  This could take some "
                                        "time, please wait.",
                                        "<end>"}));
    EXPECT_EQ(prompt.progress, (std::vector<int>{0, 14, 28, 42, 57, 71, 85}));
    EXPECT_EQ(prompt.waitDepth, 0);
}

// A day equal to the last record overwrites it rather than following it.
TEST_F(MergeTest, DayOfTheLastRecordOverwritesIt)
{
    AddRecord("03/08/2002", 1, 1.0);
    AddRecord("03/10/2002", 2, 2.0);
    ParseMarch(10, 11);
    const MergeCounts counts = parser.MergeIntoRecords(0);
    ASSERT_EQ(Dates(), (std::vector<std::string>{"03/08/2002", "03/10/2002", "03/11/2002"}));
    EXPECT_EQ(Records().At(1).m_sunspots, 110);
    EXPECT_DOUBLE_EQ(Records().At(1).m_flux, 210.5);
    EXPECT_EQ(Records().At(2).m_sunspots, 111);
    EXPECT_EQ(counts.added, 1);
    EXPECT_EQ(counts.replaced, 1);
}

// One parser checks two bulletins: the second check knows nothing of the first.
TEST_F(MergeTest, EachDuplicateCheckStartsAfresh)
{
    AddRecord("03/01/2002", 1, 1.0);
    ParseMarch(1, 2);
    EXPECT_EQ(parser.FindDuplicates(), 1);
    EXPECT_EQ(parser.GetDuplicateFlag(0), 1);

    Records().FreeRecords();
    AddRecord("02/01/2002", 1, 1.0);
    ParseMarch(3, 4);
    EXPECT_EQ(parser.FindDuplicates(), 0);
    EXPECT_EQ(parser.GetDuplicateFlag(0), 0);
    parser.ApplyDuplicatePolicy(1);
    parser.MergeIntoRecords(0);
    EXPECT_EQ(Dates(), (std::vector<std::string>{"02/01/2002", "03/03/2002", "03/04/2002"}));
}

// Days listed out of order reach an empty history in date order.
TEST_F(MergeTest, EmptyHistoryTakesDaysInDateOrder)
{
    const std::string path = folder.File("two.txt");
    WriteTextFile(path, "SEATTLE, WA  MARCH 30, 2002\n"
                        "SUNSPOT NUMBERS FOR MARCH 20 THROUGH 21 WERE 20 AND 21 WITH A MEAN OF 1. "
                        "10.7 CM FLUX WAS 1 AND 2 WITH A MEAN OF 1.\n\n"
                        "SUNSPOT NUMBERS FOR MARCH 10 THROUGH 11 WERE 10 AND 11 WITH A MEAN OF 1. "
                        "10.7 CM FLUX WAS 3 AND 4 WITH A MEAN OF 1.\n\n");
    ASSERT_EQ(parser.Parse(path, 0), 4);
    const MergeCounts counts = parser.MergeIntoRecords(0);
    EXPECT_EQ(Dates(), (std::vector<std::string>{"03/10/2002", "03/11/2002", "03/20/2002",
                                                 "03/21/2002"}));
    EXPECT_EQ(Records().At(0).m_sunspots, 10);
    EXPECT_EQ(counts.added, 4);
}
