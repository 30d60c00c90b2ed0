#include <gtest/gtest.h>

#include <random>
#include <utility>
#include <vector>

#include "data/averages.h"
#include "support/data_state.h"

namespace {

// By the rule: the mean of avgInt days from lag days before record i; at the head a partial mean (stored
// negated) from the first record, at the tail from where the window runs out; whole flux, means cut.
std::array<long long, 3> Expected(const std::vector<std::pair<int, double>>& days, int i, int avgInt, int lag)
{
    const int tailStart = static_cast<int>(days.size()) + lag - avgInt;
    const bool partial = i >= tailStart || i < lag;
    int from = i - lag, to = from + avgInt - 1;
    if (partial) {  // from the tail's start or the first record, up to i
        from = i >= tailStart ? tailStart : 0;
        to = i;
    }
    long long s = 0, f = 0;
    for (int k = from; k <= to; ++k) {
        s += days[k].first;
        f += static_cast<long long>(days[k].second);
    }
    const long long count = to - from + 1, sign = partial ? -1 : 1;
    return {sign * (s / count), sign * (f / count), partial};
}

}  // namespace

TEST(Averages, EveryRecordMatchesTheRuleAndEdgesKeepTheirValues)
{
    std::mt19937 random(11);
    for (const auto& [n, avgInt, lag] : {std::array{7, 4, 1}, {40, 28, 13}, {28, 28, 13}, {29, 28, 13},
                                         {100, 27, 0}, {100, 27, 26}, {5, 1, 0}, {365, 28, 13}}) {
        SCOPED_TRACE(testing::Message() << n << " days, " << avgInt << " from " << lag);
        ResetDataState();
        std::vector<std::pair<int, double>> days;  // sunspots and flux as given
        for (int i = 0; i < n; ++i) {
            days.emplace_back(static_cast<int>(random() % 400), 50.0 + static_cast<double>(random() % 2500) / 10);
            AddRecord("01/01/2000", days.back().first, days.back().second);
        }
        int computed = 0;
        ComputeAverages(avgInt, lag, computed);
        for (int i = 0; i < n; ++i) {
            const SolarRecord& r = Records().At(i);
            ASSERT_EQ((std::array<long long, 3>{r.m_avgSunspots, r.m_avgFlux, IsPartialAverage(i, n, avgInt, lag)}),
                      Expected(days, i, avgInt, lag)) << "record " << i;
        }
    }
    // Fewer days than the interval, bad intervals, huge values, ties.
    ResetDataState();
    for (int i = 0; i < 27; ++i)
        Records().AppendRecord(SolarRecord("01/01/2000", 100, 100.0, 7, 8));
    int computed = 0;
    ComputeAverages(28, 13, computed);  // fewer days than the interval: old averages kept
    EXPECT_EQ(computed, 1);
    EXPECT_EQ(Records().At(0).m_avgSunspots, 7);
    for (auto [a, l] : {std::pair{0, 0}, {-3, 0}, {5, -1}, {5, 5}, {5, 9}, {28, 28}}) {
        ComputeAverages(a, l, computed = 0);
        EXPECT_EQ(computed, 0) << a << "," << l;
        EXPECT_EQ(Records().At(26).m_avgFlux, 8);
    }
    ResetDataState();
    for (int i = 0; i < 4; ++i)
        AddRecord("01/01/2000", 2000000000, 2e9);
    ComputeAverages(2, 0, computed);  // no overflow; the tail is the last avgInt records
    EXPECT_EQ((std::array{Records().At(1).m_avgSunspots, Records().At(2).m_avgSunspots, Records().At(3).m_avgFlux}),
              (std::array{2000000000, -2000000000, -2000000000}));
    ResetDataState();
    for (const int s : {5, 300, 2, 300, 2, 50})
        AddRecord("01/01/2000", s, 100.0);
    FindRecordHighsLows();  // the latest of equals wins
    const RecordExtremes& x = RecordStats();
    EXPECT_EQ(std::vector({x.HighSpotsIndex, x.LowSpotsIndex, x.HighFluxIndex, x.LowFluxIndex}),
              std::vector({3, 4, 5, 5}));
}
