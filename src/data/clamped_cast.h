// Double-to-integer conversions that cannot overflow. A cast of a double
// outside the integer's range is undefined: a huge value (a flux of 3e9, a
// hand-edited setting) could otherwise become any coordinate at all.
#pragma once

#include <climits>

// Truncated toward zero and held within low..high; NaN gives 0.
inline long long TruncateClamped(double value, long long low, long long high)
{
    if (value != value)
        return 0;
    if (value <= static_cast<double>(low))
        return low;
    if (value >= static_cast<double>(high))
        return high;
    return static_cast<long long>(value);
}

inline int TruncateToInt(double value, int low = INT_MIN, int high = INT_MAX)
{
    return static_cast<int>(TruncateClamped(value, low, high));
}
