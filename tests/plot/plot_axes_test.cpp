#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <fstream>
#include <map>

#include "plot/plot_axes.h"
#include "support/plot_fixture.h"

namespace {

int SevenPerChar(const std::string& text) { return static_cast<int>(text.size()) * 7; }

// Index of the first day of each year in the sample file, from its lines.
std::map<int, int> SampleYearStarts(int* count)
{
    std::ifstream in(SampleFile);
    std::string line;
    std::map<int, int> starts;
    int index = 0, previous = 0;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '!')
            continue;
        const int year = std::stoi(line.substr(6, 4));
        if (index > 0 && year != previous)
            starts[year] = index;
        previous = year;
        ++index;
    }
    *count = index;
    return starts;
}

// The width of a text as the plot's painter measures it.
int RealWidth(const std::string& text)
{
    static QImage image(10, 10, QImage::Format_RGB32);
    static const QFontMetrics metrics = QPainter(&image).fontMetrics();
    return metrics.horizontalAdvance(QString::fromStdString(text));
}

void ExpectNoOverlap(const std::vector<TimeLabel>& labels, const PixelRect& pane,
                     const TextWidth& width, int paneWidth)
{
    for (std::size_t i = 0; i < labels.size(); ++i) {
        EXPECT_LE(labels[i].textLeft + width(labels[i].text), pane.right - 1) << paneWidth;
        if (i > 0) {
            EXPECT_GE(labels[i].textLeft,
                      labels[i - 1].textLeft + width(labels[i - 1].text) + LabelGap)
                << "at width " << paneWidth;
        }
    }
}

}  // namespace

using AxisTest = PlotFixture;

TEST(ReadableGrid, IntervalsGrowUntilTheLinesStandApart)
{
    struct Case { int days; double perDay; int expected; };
    // Kept at 3 pixels or more apart, else months, years, decades, centuries.
    const Case cases[] = {{7, 1.0, 7},        {7, 0.3, 28},          {28, 0.2, 28},  {28, 0.0339, 365},
                          {28, 0.005, 3650},  {365, 0.0001, 36500},  {7, 3.0 / 7.0, 7}, {0, 0.01, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(ReadableGridDays(c.days, c.perDay), c.expected) << c.days << " at " << c.perDay;
}

TEST_F(AxisTest, YearLabelsSitOnTheFirstDayOfTheirYear)
{
    int count = 0;
    const std::map<int, int> starts = SampleYearStarts(&count);
    LoadSample();
    ASSERT_EQ(Records().RecordCount(), count);
    const TextWidth sevenPerChar = SevenPerChar, real = RealWidth;
    for (int width = 300; width <= 4000; width += 53)
    for (const TextWidth* measure : {&sevenPerChar, &real}) {
        const PixelRect pane{21, 21, width - 20, 400};
        PaneScale scale;
        scale.start = 0;
        scale.end = count;
        scale.xScale = (pane.Width() - 1.0) / count;
        const std::vector<TimeLabel> labels = OverallTimeLabels(pane, scale, *measure);
        ASSERT_GE(labels.size(), 2u) << width;
        const int every = std::stoi(labels[1].text) - std::stoi(labels[0].text);
        EXPECT_TRUE(every == 1 || every == 5 || every == 10 || every == 50) << every;
        for (const TimeLabel& label : labels) {
            const int year = std::stoi(label.text);
            EXPECT_EQ(year % every, 0);
            ASSERT_TRUE(starts.count(year)) << year;
            const int expectedX = 21 + static_cast<int>((starts.at(year) + 1) * scale.xScale);
            EXPECT_EQ(label.x, expectedX) << year << " at " << width;
            EXPECT_EQ(label.textLeft, expectedX + LabelInset);
        }
        ExpectNoOverlap(labels, pane, *measure, width);
        if (width >= 3600 && measure == &sevenPerChar) {  // the finest spacing: every year
            EXPECT_EQ(every, 1) << width;
        }
    }
}

TEST_F(AxisTest, CloseupLabelsAtTheSolidLinesNeverOverlap)
{
    LoadSample();
    const int count = Records().RecordCount();
    for (const int closeDays : {60, 252, 2000}) {
        Settings().CloseDays = closeDays;
        const int end = count - 1000;
        for (int width = 300; width <= 4000; width += 61) {
            const PixelRect pane{21, 321, width - 20, 600};
            for (int interval = 0; interval <= 2; ++interval) {
                const int days = CloseupGridDays(pane, closeDays, interval, true);
                const std::vector<CloseupLine> lines =
                    CloseupGridLinesEvery(pane, end, closeDays, days);
                // The real font where the labels are days and months.
                const TextWidth measure = closeDays == 252 ? TextWidth(RealWidth) : TextWidth(SevenPerChar);
                const std::vector<TimeLabel> labels =
                    CloseupTimeLabels(pane, lines, end, closeDays, measure);
                ExpectNoOverlap(labels, pane, measure, width);
                for (const TimeLabel& label : labels) {  // naming the record under its line
                    const auto line = std::find_if(lines.begin(), lines.end(), [&](const CloseupLine& l) {
                        return l.x == label.x && l.solid;
                    });
                    ASSERT_NE(line, lines.end());
                    const double perDay = static_cast<double>(pane.Width()) / closeDays;
                    EXPECT_NEAR(label.x, pane.left + (line->record - (end - closeDays) + 1) * perDay, 1.0);
                    const std::string date = Records().At(line->record).GetDate();
                    if (closeDays <= 252) {
                        EXPECT_EQ(label.text, date.substr(0, 5));
                    } else {
                        EXPECT_EQ(label.text.substr(label.text.size() - 4), date.substr(6, 4));
                    }
                }
            }
        }
    }
}

// Week lines from the closeup's first record, every fourth solid; month lines
// all solid on multiples of 28; crowded weeks become months.
TEST_F(AxisTest, CloseupWeekLinesBecomeMonthsWhenCrowded)
{
    const PixelRect wide{21, 21, 721, 250};  // 700 pixels, 70 days: 10 a day
    const std::vector<GridLine> weeks = CloseupGridLines(wide, 70, 70, 0);
    ASSERT_GE(weeks.size(), 4u);
    for (std::size_t i = 0; i < weeks.size(); ++i) {
        EXPECT_EQ(weeks[i].x, 21 + (7 * static_cast<int>(i) + 8) * 10) << i;
        EXPECT_EQ(weeks[i].solid, i % 4 == 3) << i;
    }
    const std::vector<GridLine> months = CloseupGridLines(wide, 100, 70, 1);
    ASSERT_FALSE(months.empty());
    EXPECT_EQ(months[0].x, 21 + (28 - 29 % 28) * 10);  // record 56
    EXPECT_TRUE(months[0].solid);
    EXPECT_TRUE(CloseupGridLines(wide, 10000, 10000, 0).empty());  // under a pixel a week

    const PixelRect pane{21, 321, 521, 600};  // 2000 days at 500 pixels: 1.7 pixels a week
    EXPECT_EQ(CloseupGridDays(pane, 2000, 0, true), 28);
    EXPECT_EQ(CloseupGridDays(pane, 2000, 0, false), 7);
    const std::vector<CloseupLine> lines = CloseupGridLinesEvery(pane, 3000, 2000, 28);
    for (const CloseupLine& line : lines) {
        EXPECT_TRUE(line.solid);
        EXPECT_EQ(line.record % 28, 0);
    }
}

TEST(ValueScale, RoundValuesWhereTheCurvesPutThem)
{
    for (const int height : {120, 233, 400, 1300}) {
        const PixelRect pane{21, 21, 800, 21 + height};
        for (const int maximum : {310, 400, 1000, 73}) {
            const double yScale = (height - 1.0) / maximum;
            const std::vector<ValueLabel> labels = ValueLabels(pane, yScale, maximum, 14, 18);
            if (height >= 233) {
                ASSERT_GE(labels.size(), 2u) << height << " " << maximum;
            }
            if (labels.size() < 2)
                continue;
            const int step = std::stoi(labels[1].text) - std::stoi(labels[0].text);
            int power = 1;
            while (power * 10 <= step)
                power *= 10;
            EXPECT_TRUE(step == power || step == 2 * power || step == 5 * power) << step;
            for (const ValueLabel& label : labels) {
                const int value = std::stoi(label.text);
                EXPECT_EQ(value % step, 0);
                EXPECT_LE(value, maximum);
                EXPECT_EQ(label.y, pane.bottom - static_cast<int>(value * yScale) - 1);
                EXPECT_GE(label.textTop, pane.top + 18);
                EXPECT_LE(label.textTop + 14, pane.bottom);
            }
            EXPECT_GE(step * yScale, 28.0);  // two text heights apart, not needlessly more
            EXPECT_LT(step * yScale / 2.5, 28.0 + 1e-9);
        }
    }
}

// With axis labels the overall grid thins out to lines 3 pixels apart.
TEST_F(AxisTest, RenderedGridIsNoHatchAndLabelsAppear)
{
    LoadSample();
    PlotSettings& s = Settings();
    s.DOverallSpotsON = s.DOverallFluxON = 0;
    s.RBOverall = 1;
    s.AxisLabels = 1;
    const QImage image = Render(1000, 700);
    const PixelRect& o = geometry.layout.overall;
    std::vector<int> columns;
    for (int x = o.left + 40, y = (o.top + o.bottom) / 2; x < o.right; ++x)
        if (image.pixel(x, y) == qRgb(192, 192, 192) || image.pixel(x, y + 1) == qRgb(192, 192, 192))
            columns.push_back(x);
    ASSERT_GT(columns.size(), 10u);
    for (std::size_t i = 1; i < columns.size(); ++i)
        EXPECT_GE(columns[i] - columns[i - 1], 3);
    int light = 0;  // year labels in white on the grey near the top
    for (int x = o.left; x < o.right; ++x)
        for (int y = o.top + 2; y < o.top + 12; ++y)
            light += qGray(image.pixel(x, y)) > 230 ? 1 : 0;
    EXPECT_GT(light, 100);
}
