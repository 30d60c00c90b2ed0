#include "plot/plot_axes.h"

#include <cstdio>

#include "data/clamped_cast.h"
#include "data/day_number.h"
#include "data/number_text.h"
#include "data/record_array.h"

namespace {

// Month and year of a "mm/dd/yyyy" date (a two-digit year is 19yy); 0 when unreadable.
struct MonthYear {
    int month = 0, year = 0;
};

MonthYear MonthAndYear(const std::string& date)
{
    const int slash = FindChar(date, '/');
    const std::size_t last = date.rfind('/');
    if (slash < 0 || last == std::string::npos || last + 1 >= date.size())
        return {};
    MonthYear result;
    result.month = ParseLeadingInt(date.substr(0, static_cast<std::size_t>(slash)));
    result.year = ParseLeadingInt(date.substr(last + 1));
    if (result.year > 0 && result.year < 100)
        result.year += 1900;
    return result;
}

// Keeps the labels, in x order, whose texts leave a gap to the one before
// and end inside the pane; false when one had to be dropped for an overlap.
bool FitLabels(std::vector<TimeLabel>& labels, const PixelRect& pane, const TextWidth& width)
{
    std::vector<TimeLabel> kept;
    int freeFrom = pane.left;
    bool overlapped = false;
    for (TimeLabel& label : labels) {
        const int w = width(label.text);
        if (label.textLeft + w > pane.right - 1)
            continue;
        if (label.textLeft < freeFrom) {
            overlapped = true;
            continue;
        }
        freeFrom = label.textLeft + w + LabelGap;
        kept.push_back(std::move(label));
    }
    labels = std::move(kept);
    return !overlapped;
}

int RecordX(const PixelRect& pane, int index, int start, double xScale)
{
    const int x = pane.left + TruncateToInt((static_cast<double>(index) - start + 1) * xScale,
                                            -PixelLimit, PixelLimit);
    return x > pane.right - 1 ? pane.right - 1 : x;
}

}  // namespace

int ReadableGridDays(int days, double pixelsPerDay)
{
    if (days <= 0 || pixelsPerDay <= 0)
        return days;
    while (days * pixelsPerDay < MinGridStep && days < 100000000) {
        if (days == 7)
            days = 28;
        else if (days == 28)
            days = 365;
        else
            days *= 10;
    }
    return days;
}

int OverallGridDays(const PixelRect& pane, int recordCount, int interval, bool readable)
{
    const int days = GridIntervalDays(interval);
    if (!readable || recordCount <= 0)
        return days;
    return ReadableGridDays(days, static_cast<double>(pane.Width()) / recordCount);
}

int CloseupGridDays(const PixelRect& pane, int closeDays, int interval, bool readable)
{
    const int days = GridIntervalDays(interval);
    if (!readable || closeDays <= 0)
        return days;
    return ReadableGridDays(days, static_cast<double>(pane.Width()) / closeDays);
}

std::vector<int> OverallGridLinesEvery(const PixelRect& pane, int recordCount, int days)
{
    std::vector<int> lines;
    if (recordCount <= 0 || days <= 0)
        return lines;
    const double step = static_cast<double>(pane.Width()) / recordCount * days;
    if (step <= 0)
        return lines;
    for (double x = pane.left + step - 1; TruncateToInt(x) < pane.right; x += step)
        lines.push_back(TruncateToInt(x));
    return lines;
}

std::vector<CloseupLine> CloseupGridLinesEvery(const PixelRect& pane, int closeupEnd,
                                               int closeDays, int days)
{
    std::vector<CloseupLine> lines;
    if (closeDays <= 0 || days <= 0)
        return lines;
    const double perDay = static_cast<double>(pane.Width()) / closeDays;
    const double step = days * perDay;
    if (TruncateToInt(step) <= 0)
        return lines;
    const int before = closeupEnd - closeDays - 1;  // the index before the first shown record
    int record = before + (days - before % days);
    double x = pane.left + (days - before % days) * perDay;
    const bool weeks = days == 7;
    int counter = before / 7 - 4 * (before / 28);
    for (; TruncateToInt(x) <= pane.right; x += step, record += days) {
        bool solid = !weeks;
        if (weeks && ++counter == 4) {
            solid = true;
            counter = 0;
        }
        lines.push_back({TruncateToInt(x), solid, record});
    }
    return lines;
}

std::vector<TimeLabel> OverallTimeLabels(const PixelRect& pane, const PaneScale& scale,
                                         const TextWidth& width)
{
    struct YearStart {
        int x, year;
    };
    std::vector<YearStart> starts;
    const RecordArray& records = Records();
    const int end = scale.end < records.RecordCount() ? scale.end : records.RecordCount();
    int previousYear = 0;
    for (int i = scale.start; i < end; ++i) {
        const MonthYear date = MonthAndYear(records.At(i).GetDate());
        const bool startsYear = i == scale.start ? date.month == 1 && date.year > 0
                                                 : date.year != previousYear && date.year > 0;
        if (startsYear)
            starts.push_back({RecordX(pane, i, scale.start, scale.xScale), date.year});
        previousYear = date.year;
    }
    std::vector<TimeLabel> labels;
    for (int every : {1, 5, 10, 50, 100, 500, 1000}) {
        labels.clear();
        for (const YearStart& start : starts)
            if (start.year % every == 0)
                labels.push_back({start.x, start.x + LabelInset, std::to_string(start.year)});
        if (FitLabels(labels, pane, width))
            break;
    }
    return labels;
}

std::vector<TimeLabel> CloseupTimeLabels(const PixelRect& pane, const std::vector<CloseupLine>& lines,
                                         int closeupEnd, int closeDays, const TextWidth& width)
{
    const RecordArray& records = Records();
    const int first = closeupEnd - closeDays < 0 ? 0 : closeupEnd - closeDays;
    std::vector<TimeLabel> labels;
    if (closeupEnd <= first || closeupEnd > records.RecordCount())
        return labels;
    const int spanDays = DayNumberFromText(records.At(closeupEnd - 1).GetDate()) -
                         DayNumberFromText(records.At(first).GetDate());
    const bool dayAndMonth = spanDays >= 0 && spanDays <= 366;
    static const char* const Months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::vector<const CloseupLine*> solid;
    for (const CloseupLine& line : lines)
        if (line.solid && line.record >= first && line.record < closeupEnd)
            solid.push_back(&line);
    // Thinning keeps lines by their record index, so labels stay put while panning.
    const int spacing = solid.size() >= 2 ? solid[1]->record - solid[0]->record : 1;
    for (int every : {1, 2, 3, 4, 6, 12, 24, 48, 96, 192, 384, 768, 1536}) {
        labels.clear();
        for (const CloseupLine* line : solid) {
            if ((line->record / spacing) % every != 0)
                continue;
            const std::string date = records.At(line->record).GetDate();
            std::string text;
            const MonthYear monthYear = MonthAndYear(date);
            if (dayAndMonth)
                text = date.substr(0, 5);
            else if (monthYear.month >= 1 && monthYear.month <= 12)
                text = std::string(Months[monthYear.month - 1]) + " " + std::to_string(monthYear.year);
            else
                text = date;
            labels.push_back({line->x, line->x + LabelInset, text});
        }
        if (FitLabels(labels, pane, width))
            break;
    }
    return labels;
}

std::vector<ValueLabel> ValueLabels(const PixelRect& pane, double yScale, int maximum,
                                    int textHeight, int reservedTop)
{
    std::vector<ValueLabel> labels;
    if (yScale <= 0 || maximum <= 0 || textHeight <= 0)
        return labels;
    long long step = 0;
    for (long long power = 1; step == 0 && power <= 1000000000LL; power *= 10)
        for (int factor : {1, 2, 5})
            if (factor * power * yScale >= 2.0 * textHeight) {
                step = factor * power;
                break;
            }
    if (step == 0)
        return labels;
    for (long long value = step; value <= maximum; value += step) {
        const int y = ValueY(static_cast<double>(value), yScale, pane.bottom);
        const int top = y - textHeight / 2;
        if (top < pane.top + reservedTop || top + textHeight > pane.bottom)
            continue;
        labels.push_back({y, top, std::to_string(value)});
    }
    return labels;
}
