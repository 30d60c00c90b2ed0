#include "plot/plot_navigation.h"

#include "config/plot_settings.h"
#include "data/record_array.h"
#include "plot/plot_state.h"

namespace {

// Applies the range rule and reports whether the end moved.
bool Settle(int end)
{
    const int count = Records().RecordCount();
    const int closeDays = Settings().CloseDays;
    if (end > count)
        end = count;
    if (end < closeDays)
        end = closeDays < count ? closeDays : count;
    const bool moved = end != Plot().CloseupEnd;
    Plot().CloseupEnd = end;
    return moved;
}

}  // namespace

bool MoveOneDayBack()
{
    const int end = Plot().CloseupEnd;
    return end - Settings().CloseDays > 0 && Settle(end - 1);
}

bool MoveOneDayForward()
{
    const int end = Plot().CloseupEnd;
    return end < Records().RecordCount() && Settle(end + 1);
}

bool PageBack()
{
    const int end = Plot().CloseupEnd;
    const int pan = Settings().PanDays;
    if (end - pan <= 0)
        return false;
    return Settle(end - 2 * pan >= 0 ? end - pan : pan);
}

bool PageForward()
{
    const int end = Plot().CloseupEnd;
    const int count = Records().RecordCount();
    if (count <= 0 || end >= count)
        return false;
    const long long next = static_cast<long long>(end) + Settings().PanDays;
    return Settle(next < count ? static_cast<int>(next) : count);
}

bool JumpTo(int position)
{
    const int count = Records().RecordCount();
    const int closeDays = Settings().CloseDays;
    long long end = static_cast<long long>(position) + closeDays;
    if (end > count)
        end = count;
    if (end - closeDays < 0)
        end = closeDays;
    Settle(static_cast<int>(end));
    return true;
}

bool CentreOn(int day)
{
    const int count = Records().RecordCount();
    if (day < 0)
        day = 0;
    if (day > count)
        day = count;
    int end = day + Settings().CloseDays / 2;
    if (end > count)
        end = count;
    else if (end - Settings().PanDays < 0)
        end = Settings().PanDays;
    return Settle(end);
}

bool ZoomCloseup(int steps)
{
    const int count = Records().RecordCount();
    int days = Settings().CloseDays;
    if (count <= 0 || days <= 0)
        return false;
    for (; steps > 0; --steps)
        days -= days / 10 > 0 ? days / 10 : 1;
    for (; steps < 0; ++steps)
        days += days / 10 > 0 ? days / 10 : 1;
    days = days < 1 ? 1 : days > 99999 ? 99999 : days;
    if (days > count)
        days = count;
    if (days == Settings().CloseDays)
        return false;
    ChooseCloseDays(Settings(), days, count);
    Settle(Plot().CloseupEnd);
    return true;
}

int WheelPanDays()
{
    const int days = Settings().CloseDays / 20;
    return days > 0 ? days : 1;
}
