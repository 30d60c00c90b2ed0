#include <gtest/gtest.h>

#include <thread>

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
    AddRecord("01/01/2000", 100, 150.5);
    EXPECT_EQ(Records().GetRecord(-1, &date, &spots, &flux, &avgS, &avgF), 1);
    EXPECT_EQ(Records().GetRecord(1, &date, &spots, &flux, &avgS, &avgF), 1);
    EXPECT_EQ(date, "keep");
    EXPECT_EQ(spots, 7);
    Records().SetRecordValues(5, "02/02/2000", 1, 1.0);
    Records().SetRecord(-1, "02/02/2000", 1, 1.0, 1, 1);
    ASSERT_EQ(Records().GetRecord(0, &date, &spots, &flux, &avgS, &avgF), 0);
    EXPECT_EQ(date, "01/01/2000");
    EXPECT_EQ(spots, 100);
    EXPECT_DOUBLE_EQ(flux, 150.5);
}

TEST_F(RecordArrayTest, SetRecordValuesKeepsAverages)
{
    Records().AppendRecord(SolarRecord("01/01/2000", 100, 150.5, -12, 34));
    Records().SetRecordValues(0, "01/02/2000", 5, 6.5);
    std::string date;
    int spots, avgS, avgF;
    double flux;
    Records().GetRecord(0, &date, &spots, &flux, &avgS, &avgF);
    EXPECT_EQ(date, "01/02/2000");
    EXPECT_EQ(avgS, -12);
    EXPECT_EQ(avgF, 34);
}

TEST_F(RecordArrayTest, InsertRemoveAndFree)
{
    AddRecord("01/01/2000", 1, 1.0);
    AddRecord("01/04/2000", 4, 4.0);
    const SolarRecord middle[2] = {{"01/02/2000", 2, 2.0, 0, 0}, {"01/03/2000", 3, 3.0, 0, 0}};
    Records().InsertRecords(1, middle, 2);
    ASSERT_EQ(Records().RecordCount(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Records().At(i).m_sunspots, i + 1);
    Records().InsertRecords(9, middle, 2);  // past the end: ignored
    EXPECT_EQ(Records().RecordCount(), 4);
    Records().RemoveRecords(1, 2);
    ASSERT_EQ(Records().RecordCount(), 2);
    EXPECT_EQ(Records().At(1).m_sunspots, 4);
    Records().RemoveRecords(1, 50);  // clipped to the records there are
    EXPECT_EQ(Records().RecordCount(), 1);

    int freed = 0;
    static int* counter = nullptr;
    counter = &freed;
    SetRecordsFreedHandler([] { ++*counter; });
    Records().FreeRecords();
    SetRecordsFreedHandler(nullptr);
    EXPECT_EQ(freed, 1);
    EXPECT_EQ(Records().RecordCount(), 0);
    std::string date;
    int s;
    double f;
    EXPECT_EQ(Records().GetRecordValues(0, &date, &s, &f), 1);
}

TEST_F(RecordArrayTest, LockKeepsAnotherThreadOut)
{
    RecordArray::Lock lock = Records().Acquire();
    std::thread writer([] { AddRecord("01/01/2000", 1, 1.0); });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(Records().RecordCount(), 0);  // the append waits for the lock
    lock.unlock();
    writer.join();
    EXPECT_EQ(Records().RecordCount(), 1);
}

TEST(DateText, LongTextIsCutNotOverrun)
{
    SolarRecord r("0123456789abcdefghij", 0, 0, 0, 0);
    EXPECT_EQ(r.GetDate(), "0123456789abcde");
    EXPECT_LE(sizeof(SolarRecord), 48u);
}
