#include <gtest/gtest.h>

#include "data/record_array.h"
#include "support/data_state.h"

class RecordArrayTest : public ::testing::Test {
protected:
    void SetUp() override { ResetDataState(); }
    void TearDown() override { ResetDataState(); }
};

TEST_F(RecordArrayTest, OutOfRangeAccessTouchesNothing)
{
    std::string date = "keep";
    int spots = 7, avgS = 8, avgF = 9;
    double flux = 1.5;
    EXPECT_EQ(Records().GetRecord(0, &date, &spots, &flux, &avgS, &avgF), 1);
    Records().AppendRecord(SolarRecord("01/01/2000", 100, 150.5, -12, 34));
    for (int index : {-1, 1})
        EXPECT_EQ(Records().GetRecord(index, &date, &spots, &flux, &avgS, &avgF), 1);
    EXPECT_EQ(date, "keep");
    EXPECT_EQ(spots, 7);
    Records().SetRecordValues(1, "02/02/2000", 1, 1.0);
    Records().SetRecord(-1, "02/02/2000", 1, 1.0, 1, 1);
    // Setting the values keeps the averages.
    Records().SetRecordValues(0, "01/02/2000", 5, 6.5);
    ASSERT_EQ(Records().GetRecord(0, &date, &spots, &flux, &avgS, &avgF), 0);
    EXPECT_EQ(date, "01/02/2000");
    EXPECT_EQ(spots, 5);
    EXPECT_DOUBLE_EQ(flux, 6.5);
    EXPECT_EQ(avgS, -12);
    EXPECT_EQ(avgF, 34);
    EXPECT_EQ(Records().RecordCount(), 1);
}

TEST_F(RecordArrayTest, InsertRemoveAndFree)
{
    AddRecord("01/01/2000", 1, 1.0);
    AddRecord("01/04/2000", 4, 4.0);
    const SolarRecord middle[2] = {{"01/02/2000", 2, 2.0, 0, 0}, {"01/03/2000", 3, 3.0, 0, 0}};
    Records().InsertRecords(1, middle, 2);
    Records().InsertRecords(5, middle, 2);  // past the end: ignored
    ASSERT_EQ(Records().RecordCount(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Records().At(i).m_sunspots, i + 1);
    Records().InsertRecords(4, middle, 1);  // at the end: appended
    EXPECT_EQ(Records().At(4).m_sunspots, 2);
    Records().RemoveRecords(1, 2);
    ASSERT_EQ(Records().RecordCount(), 3);
    EXPECT_EQ(Records().At(1).m_sunspots, 4);
    Records().RemoveRecords(1, 50);  // clipped to the records there are
    EXPECT_EQ(Records().RecordCount(), 1);

    static int freed = 0;
    SetRecordsFreedHandler([] { ++freed; });
    Records().FreeRecords();
    SetRecordsFreedHandler(nullptr);
    EXPECT_EQ(freed, 1);
    EXPECT_EQ(Records().RecordCount(), 0);
}

TEST(DateText, LongTextIsCutNotOverrun)
{
    EXPECT_EQ(SolarRecord("0123456789abcdefghij", 0, 0, 0, 0).GetDate(), "0123456789abcde");
}
