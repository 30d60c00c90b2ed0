#include "import/index_lines.h"

#include "import/field_text.h"

bool IndexLines::Next(std::string_view* line)
{
    std::string_view piece;
    if (!reader_.Next(&piece))
        return false;
    ++number_;
    *line = StripLineBreak(piece);
    return true;
}

DailyValue& DayTable::At(int year, int month, int day)
{
    DailyValue& value = days_[DateKey(year, month, day)];
    value.year = year;
    value.month = month;
    value.day = day;
    return value;
}

std::vector<DailyValue> DayTable::Days() const
{
    std::vector<DailyValue> days;
    days.reserve(days_.size());
    for (const auto& [key, value] : days_) {
        if (value.sunspots || value.flux)
            days.push_back(value);
    }
    return days;
}

bool FluxPairPlausible(double observed, double adjusted)
{
    if (observed <= 0.0 || adjusted <= 0.0)
        return false;
    const double ratio = adjusted / observed;
    return ratio > 0.9 && ratio < 1.1;
}
