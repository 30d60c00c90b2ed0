// One day of the solar history.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

// A short date text kept inside the record, so that a long history costs one
// allocation for the whole array rather than one per day. Dates are at most
// 11 characters ("mm/dd/yyyy", or a merged day of a five-digit year);
// anything longer is cut at DateText::Capacity characters.
class DateText {
public:
    static constexpr std::size_t Capacity = 15;

    DateText() { text_[0] = '\0'; }
    DateText(std::string_view text) { Assign(text); }  // NOLINT: implicit by design

    void Assign(std::string_view text)
    {
        const std::size_t n = text.size() < Capacity ? text.size() : Capacity;
        std::memcpy(text_, text.data(), n);
        text_[n] = '\0';
        length_ = static_cast<std::uint8_t>(n);
    }
    std::string_view View() const { return {text_, length_}; }
    std::string Str() const { return std::string(View()); }
    const char* CStr() const { return text_; }

private:
    char text_[Capacity + 1];
    std::uint8_t length_ = 0;
};

// The values a day can hold. Anything outside is a misread or damaged value,
// refused where it would enter the history (and it would overflow the plot).
inline constexpr std::int32_t HighestValidSunspots = 1000;
inline constexpr double HighestValidFlux = 2000.0;
inline bool SunspotsInRange(std::int32_t sunspots)
{
    return sunspots >= 0 && sunspots <= HighestValidSunspots;
}
inline bool FluxInRange(double flux)
{
    return flux >= 0.0 && flux <= HighestValidFlux;  // false for NaN too
}

// Placeholder date of a blank record inserted by the data editor.
inline constexpr std::string_view BlankRecordDate = "xx/xx/xx";

struct SolarRecord {
    DateText m_date;
    std::int32_t m_sunspots = 0;
    double m_flux = 0.0;
    // Running averages; negative marks a partial average (magnitude is the value).
    std::int32_t m_avgSunspots = 0;
    std::int32_t m_avgFlux = 0;

    SolarRecord() = default;
    SolarRecord(std::string_view date, std::int32_t sunspots, double flux, std::int32_t avgSunspots,
                std::int32_t avgFlux)
        : m_date(date), m_sunspots(sunspots), m_flux(flux), m_avgSunspots(avgSunspots),
          m_avgFlux(avgFlux)
    {
    }

    std::string GetDate() const { return m_date.Str(); }
    void SetDate(std::string_view date) { m_date.Assign(date); }
};
