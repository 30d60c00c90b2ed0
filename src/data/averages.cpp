#include "data/averages.h"

#include "data/clamped_cast.h"
#include "data/prompt.h"
#include "data/record_array.h"

namespace {

// Flux averages are taken over the whole-number parts of the flux values.
long long WholeFlux(const SolarRecord& record)
{
    // Held to the int range: an average is an int, and a sum of any history
    // stays far inside long long.
    return TruncateClamped(record.m_flux, INT_MIN, INT_MAX);
}

int Average(long long sum, long long days)
{
    return TruncateToInt(static_cast<double>(sum) / static_cast<double>(days));
}

void SetAverages(SolarRecord& record, int avgSunspots, int avgFlux)
{
    record.m_avgSunspots = avgSunspots;
    record.m_avgFlux = avgFlux;
}

}  // namespace

RecordExtremes& RecordStats()
{
    static RecordExtremes extremes;
    return extremes;
}

void ComputeAverages(int avgInt, int lagDays, int& averagesComputed)
{
    RecordArray& records = Records();
    RecordArray::Lock lock = records.Acquire();
    const int n = records.RecordCount();
    if (n == 0)
        return;
    if (avgInt < 1 || lagDays < 0 || lagDays >= avgInt)
        return;
    WaitCursor wait;
    if (n < avgInt) {
        averagesComputed = 1;
        return;
    }
    const int a = avgInt;
    const int lag = lagDays;

    // Head: partial averages from the first record.
    long long spots = 0, flux = 0;
    for (int i = 0; i <= lag && i < n; ++i) {
        spots += records.At(i).m_sunspots;
        flux += WholeFlux(records.At(i));
        SetAverages(records.MutableAt(i), -Average(spots, i + 1), -Average(flux, i + 1));
    }

    // Middle: a full window of a days sliding one record at a time.
    spots = flux = 0;
    for (int i = 0; i < a; ++i) {
        spots += records.At(i).m_sunspots;
        flux += WholeFlux(records.At(i));
    }
    const int tailStart = n + lag - a;
    for (int j = lag; j < tailStart; ++j) {
        SetAverages(records.MutableAt(j), Average(spots, a), Average(flux, a));
        const SolarRecord& leaving = records.At(j - lag);
        const SolarRecord& entering = records.At(j - lag + a);
        spots += entering.m_sunspots - static_cast<long long>(leaving.m_sunspots);
        flux += WholeFlux(entering) - WholeFlux(leaving);
        PumpMessages();
    }

    // Tail: partial averages that start afresh where the window would run out.
    spots = flux = 0;
    for (int t = tailStart; t < n; ++t) {
        spots += records.At(t).m_sunspots;
        flux += WholeFlux(records.At(t));
        SetAverages(records.MutableAt(t), -Average(spots, t - tailStart + 1),
                    -Average(flux, t - tailStart + 1));
        PumpMessages();
    }
    averagesComputed = 1;
}

bool IsPartialAverage(int index, int count, int avgInt, int lagDays)
{
    return index < lagDays || index >= count + lagDays - avgInt;
}

void FindRecordHighsLows()
{
    RecordArray& records = Records();
    RecordArray::Lock lock = records.Acquire();
    RecordExtremes& stats = RecordStats();
    int lowSpots = 9999, highSpots = 0;
    double lowFlux = 9999.0, highFlux = 0.0;
    for (int i = 0; i < records.RecordCount(); ++i) {
        const SolarRecord& r = records.At(i);
        if (r.m_sunspots <= lowSpots) {
            lowSpots = r.m_sunspots;
            stats.LowSpotsIndex = i;
        }
        if (r.m_sunspots >= highSpots) {
            highSpots = r.m_sunspots;
            stats.HighSpotsIndex = i;
        }
        if (r.m_flux <= lowFlux) {
            lowFlux = r.m_flux;
            stats.LowFluxIndex = i;
        }
        if (r.m_flux >= highFlux) {
            highFlux = r.m_flux;
            stats.HighFluxIndex = i;
        }
    }
}
