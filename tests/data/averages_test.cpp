#include <gtest/gtest.h>

#include "data/averages.h"
#include "support/data_state.h"

namespace {

void Fill(const std::vector<int>& spots, const std::vector<double>& flux)
{
    for (std::size_t i = 0; i < spots.size(); ++i)
        AddRecord("01/01/2000", spots[i], flux[i]);
}

std::vector<int> SpotAverages()
{
    std::vector<int> out;
    for (int i = 0; i < Records().RecordCount(); ++i)
        out.push_back(Records().At(i).m_avgSunspots);
    return out;
}

std::vector<int> FluxAverages()
{
    std::vector<int> out;
    for (int i = 0; i < Records().RecordCount(); ++i)
        out.push_back(Records().At(i).m_avgFlux);
    return out;
}

}  // namespace

class AveragesTest : public ::testing::Test {
protected:
    int computed = 0;
    void SetUp() override { ResetDataState(); }
    void TearDown() override { ResetDataState(); }
};

TEST_F(AveragesTest, HeadMiddleAndTailOfASmallWindow)
{
    // A = 4, L = 1: one day before, two after.
    Fill({10, 20, 30, 40, 50, 60, 70}, {10.9, 20.9, 30.9, 40.9, 50.9, 60.9, 70.9});
    ComputeAverages(4, 1, computed);
    EXPECT_EQ(computed, 1);
    // Head: records 0..1 partial from the first record (record 1 then overwritten).
    // Middle: records 1..3 (j < N + L - A = 4), windows 0..3, 1..4, 2..5.
    // Tail: records 4..6 accumulate from record 4.
    EXPECT_EQ(SpotAverages(), (std::vector<int>{-10, 25, 35, 45, -50, -55, -60}));
    EXPECT_EQ(FluxAverages(), (std::vector<int>{-10, 25, 35, 45, -50, -55, -60}));
}

TEST_F(AveragesTest, ConstantDataAndTruncation)
{
    std::vector<int> spots(40, 100);
    std::vector<double> flux(40, 150.9);
    Fill(spots, flux);
    ComputeAverages(28, 13, computed);
    for (int i = 0; i < 40; ++i) {
        const bool partial = i <= 12 || i >= 40 - 15;
        EXPECT_EQ(Records().At(i).m_avgSunspots, partial ? -100 : 100) << i;
        EXPECT_EQ(Records().At(i).m_avgFlux, partial ? -150 : 150) << i;
    }

    ResetDataState();
    Fill({99, 100, 100, 100}, {1.0, 1.0, 1.0, 1.0});
    ComputeAverages(3, 0, computed);
    // Middle record 0: (99 + 100 + 100) / 3 = 99.67, stored as 99.
    EXPECT_EQ(Records().At(0).m_avgSunspots, 99);
}

TEST_F(AveragesTest, ExactlyOneWindowIsAllPartial)
{
    std::vector<int> spots(28);
    for (int i = 0; i < 28; ++i)
        spots[static_cast<std::size_t>(i)] = i + 1;
    Fill(spots, std::vector<double>(28, 10.0));
    ComputeAverages(28, 13, computed);
    for (int i = 0; i < 28; ++i)
        EXPECT_LT(Records().At(i).m_avgSunspots, 0) << i;
    // Tail starts afresh at record 13.
    EXPECT_EQ(Records().At(13).m_avgSunspots, -14);
    EXPECT_EQ(Records().At(14).m_avgSunspots, -14);  // (14 + 15) / 2 = 14.5
}

TEST_F(AveragesTest, ShortDataKeepsOldAveragesAndBadIntervalsChangeNothing)
{
    for (int i = 0; i < 27; ++i)
        Records().AppendRecord(SolarRecord("01/01/2000", 100, 100.0, 7, 8));
    ComputeAverages(28, 13, computed);
    EXPECT_EQ(computed, 1);
    EXPECT_EQ(Records().At(0).m_avgSunspots, 7);

    for (auto [a, l] : {std::pair{0, 0}, {-3, 0}, {5, -1}, {5, 5}, {5, 9}, {28, 28}}) {
        computed = 0;
        ComputeAverages(a, l, computed);
        EXPECT_EQ(computed, 0) << a << "," << l;
        EXPECT_EQ(Records().At(26).m_avgFlux, 8);
    }

    ResetDataState();
    computed = 5;
    ComputeAverages(28, 13, computed);  // no records: flag untouched
    EXPECT_EQ(computed, 5);
}

TEST_F(AveragesTest, LagZeroAndHugeValuesDoNotOverflow)
{
    Fill({2000000000, 2000000000, 2000000000, 2000000000},
         {2e9, 2e9, 2e9, 2e9});
    ComputeAverages(2, 0, computed);
    EXPECT_EQ(Records().At(0).m_avgSunspots, 2000000000);
    EXPECT_EQ(Records().At(1).m_avgSunspots, 2000000000);
    EXPECT_EQ(Records().At(2).m_avgSunspots, -2000000000);  // the tail: the last A records
    EXPECT_EQ(Records().At(3).m_avgFlux, -2000000000);
}

TEST_F(AveragesTest, HighsAndLowsLatestWinsTies)
{
    Fill({5, 300, 2, 300, 2, 50}, {100.0, 100.0, 100.0, 100.0, 100.0, 100.0});
    RecordStats() = RecordExtremes();
    FindRecordHighsLows();
    EXPECT_EQ(RecordStats().HighSpotsIndex, 3);
    EXPECT_EQ(RecordStats().LowSpotsIndex, 4);
    EXPECT_EQ(RecordStats().HighFluxIndex, 5);
    EXPECT_EQ(RecordStats().LowFluxIndex, 5);

    ResetDataState();
    Fill({-5, -6}, {1.0, 2.0});
    RecordStats() = RecordExtremes();
    FindRecordHighsLows();
    EXPECT_EQ(RecordStats().HighSpotsIndex, 0);  // none qualifies: kept
    EXPECT_EQ(RecordStats().LowSpotsIndex, 1);
}
