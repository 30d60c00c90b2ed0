#include <gtest/gtest.h>

#include <random>

#include "data/averages.h"
#include "support/data_state.h"

namespace {

// The running average of a record, worked out from the rule one record at a
// time: a full window of avgInt days starting lagDays before the record,
// else a partial average (stored negated) from the first record up to this
// one, or at the end from where the window would run out up to this one.
// Flux averages take the whole part of each flux; averages are cut, not rounded.
struct ExpectedAverage { long long spots, flux; bool partial; };

ExpectedAverage Reference(const std::vector<int>& spots, const std::vector<double>& flux, int index,
                          int avgInt, int lagDays)
{
    const int n = static_cast<int>(spots.size());
    const int tailStart = n + lagDays - avgInt;
    int from = index - lagDays, to = from + avgInt - 1;
    bool partial = false;
    if (index >= tailStart) {
        from = tailStart;
        to = index;
        partial = true;
    } else if (index < lagDays) {
        from = 0;
        to = index;
        partial = true;
    }
    long long s = 0, f = 0;
    for (int k = from; k <= to; ++k) {
        s += spots[static_cast<std::size_t>(k)];
        f += static_cast<long long>(flux[static_cast<std::size_t>(k)]);
    }
    const long long days = to - from + 1;
    return {partial ? -(s / days) : s / days, partial ? -(f / days) : f / days, partial};
}

}  // namespace

class AveragesTest : public ::testing::Test {
protected:
    int computed = 0;
    void SetUp() override { ResetDataState(); }
    void TearDown() override { ResetDataState(); }
};

TEST_F(AveragesTest, EveryRecordMatchesTheRule)
{
    struct Case { int days, avgInt, lagDays; };
    std::mt19937 random(11);
    for (const Case& c : {Case{7, 4, 1}, Case{40, 28, 13}, Case{28, 28, 13}, Case{29, 28, 13},
                          Case{100, 27, 0}, Case{100, 27, 26}, Case{5, 1, 0}, Case{365, 28, 13}}) {
        SCOPED_TRACE(testing::Message() << c.days << " days, " << c.avgInt << " from " << c.lagDays);
        ResetDataState();
        std::vector<int> spots;
        std::vector<double> flux;
        for (int i = 0; i < c.days; ++i) {
            spots.push_back(static_cast<int>(random() % 400));
            flux.push_back(50.0 + static_cast<double>(random() % 2500) / 10.0);
            AddRecord("01/01/2000", spots.back(), flux.back());
        }
        computed = 0;
        ComputeAverages(c.avgInt, c.lagDays, computed);
        EXPECT_EQ(computed, 1);
        for (int i = 0; i < c.days; ++i) {
            const ExpectedAverage e = Reference(spots, flux, i, c.avgInt, c.lagDays);
            ASSERT_EQ(Records().At(i).m_avgSunspots, e.spots) << "record " << i;
            ASSERT_EQ(Records().At(i).m_avgFlux, e.flux) << "record " << i;
            ASSERT_EQ(IsPartialAverage(i, c.days, c.avgInt, c.lagDays), e.partial) << "record " << i;
        }
    }
}

TEST_F(AveragesTest, ShortDataBadIntervalsHugeValuesAndTies)
{
    for (int i = 0; i < 27; ++i)
        Records().AppendRecord(SolarRecord("01/01/2000", 100, 100.0, 7, 8));
    ComputeAverages(28, 13, computed);  // fewer days than the interval: old averages kept
    EXPECT_EQ(computed, 1);
    EXPECT_EQ(Records().At(0).m_avgSunspots, 7);
    for (auto [a, l] : {std::pair{0, 0}, {-3, 0}, {5, -1}, {5, 5}, {5, 9}, {28, 28}}) {
        computed = 0;
        ComputeAverages(a, l, computed);
        EXPECT_EQ(computed, 0) << a << "," << l;
        EXPECT_EQ(Records().At(26).m_avgFlux, 8);
    }

    ResetDataState();
    for (int i = 0; i < 4; ++i)
        AddRecord("01/01/2000", 2000000000, 2e9);
    ComputeAverages(2, 0, computed);
    EXPECT_EQ(Records().At(1).m_avgSunspots, 2000000000);
    EXPECT_EQ(Records().At(2).m_avgSunspots, -2000000000);  // the tail: the last A records
    EXPECT_EQ(Records().At(3).m_avgFlux, -2000000000);

    // Highs and lows: the latest of equals wins.
    ResetDataState();
    for (const int s : {5, 300, 2, 300, 2, 50})
        AddRecord("01/01/2000", s, 100.0);
    FindRecordHighsLows();
    EXPECT_EQ(RecordStats().HighSpotsIndex, 3);
    EXPECT_EQ(RecordStats().LowSpotsIndex, 4);
    EXPECT_EQ(RecordStats().HighFluxIndex, 5);
    EXPECT_EQ(RecordStats().LowFluxIndex, 5);
}
