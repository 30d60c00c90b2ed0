#include "import/index_lines.h"

#include <algorithm>

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

void DayTable::Reserve(long long fileBytes, int rowBytes)
{
    if (fileBytes > 0 && rowBytes > 0)
        days_.reserve(static_cast<std::size_t>(fileBytes / rowBytes + 1));
}

DailyValue& DayTable::At(int year, int month, int day)
{
    const int key = DateKey(year, month, day);
    auto it = days_.end();
    if (days_.empty() || days_.back().first < key) {
        it = days_.emplace(days_.end(), key, DailyValue{});
    } else if (days_.back().first != key) {
        it = std::lower_bound(days_.begin(), days_.end(), key,
                              [](const auto& entry, int k) { return entry.first < k; });
        if (it->first != key)
            it = days_.emplace(it, key, DailyValue{});
    } else {
        it = days_.end() - 1;
    }
    DailyValue& value = it->second;
    value.year = year;
    value.month = month;
    value.day = day;
    return value;
}

std::vector<DailyValue> DayTable::TakeDays()
{
    std::vector<DailyValue> days;
    days.reserve(days_.size());
    for (auto& [key, value] : days_) {
        if (value.sunspots || value.flux)
            days.push_back(value);
    }
    days_.clear();
    return days;
}

bool FluxPairPlausible(double observed, double adjusted)
{
    if (observed <= 0.0 || adjusted <= 0.0)
        return false;
    const double ratio = adjusted / observed;
    return ratio > 0.9 && ratio < 1.1;
}
