// The axes: readable grid intervals, time and value labels where the curves put them.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <map>

#include "plot/plot_axes.h"
#include "support/plot_fixture.h"

namespace {

int SevenPerChar(const std::string& text) { return static_cast<int>(text.size()) * 7; }

// The width of a text as the plot's painter measures it.
int RealWidth(const std::string& text)
{
    static QImage image(10, 10, QImage::Format_RGB32);
    static const QFontMetrics metrics = QPainter(&image).fontMetrics();
    return metrics.horizontalAdvance(QString::fromStdString(text));
}

// Left to right, LabelGap apart, within the pane.
void ExpectNoOverlap(const std::vector<TimeLabel>& labels, const PixelRect& pane, const TextWidth& width)
{
    for (int i = 0, freeFrom = pane.left; i < static_cast<int>(labels.size()); ++i) {
        const TimeLabel& label = labels[static_cast<std::size_t>(i)];
        EXPECT_TRUE(label.textLeft >= freeFrom && label.textLeft + width(label.text) <= pane.right - 1) << pane.right;
        freeFrom = label.textLeft + width(label.text) + LabelGap;
    }
}

}  // namespace

using AxisTest = PlotFixture;

// Grid lines kept 3 pixels or more apart: else months, years, decades, centuries.
TEST(ReadableGrid, IntervalsGrowUntilTheLinesStandApart)
{
    const struct { int days; double perDay; int expected; } cases[] = {
        {7, 1.0, 7}, {7, 0.3, 28}, {28, 0.0339, 365}, {28, 0.005, 3650}, {365, 0.0001, 36500},
        {7, 3.0 / 7.0, 7}, {0, 0.01, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(ReadableGridDays(c.days, c.perDay), c.expected) << c.days << " at " << c.perDay;
    EXPECT_EQ(CloseupGridDays({21, 321, 521, 600}, 2000, 0, true), 28);  // weeks 1.75 pixels apart in the closeup
}

// Year labels on the first day of their year; date labels name the record under their solid line.
TEST_F(AxisTest, TimeLabelsSitOnTheirDaysAndNeverOverlap)
{
    LoadSample();
    const int count = Records().RecordCount();
    std::map<int, int> starts;  // the index of the first day of each year but the first
    for (int i = count - 1; i > 0; --i)
        starts[std::stoi(Records().At(i).GetDate().substr(6))] = i;
    starts.erase(std::stoi(Records().At(0).GetDate().substr(6)));
    for (int width = 300; width <= 4000; width += 53) {
        const PixelRect pane{21, 21, width - 20, 400};
        const PaneScale scale{0, count, (pane.Width() - 1.0) / count, 1.0};
        const std::vector<TimeLabel> labels = OverallTimeLabels(pane, scale, RealWidth);
        ASSERT_GE(labels.size(), 2u) << width;
        const int every = std::stoi(labels[1].text) - std::stoi(labels[0].text);
        EXPECT_TRUE(every == 1 || every == 5 || every == 10 || every == 50) << every;
        const std::vector<TimeLabel> narrow = OverallTimeLabels(pane, scale, SevenPerChar);  // the finest spacing
        EXPECT_TRUE(width < 3600 || std::stoi(narrow[1].text) - std::stoi(narrow[0].text) == 1) << width;
        for (const TimeLabel& label : labels) {
            const int year = std::stoi(label.text);
            ASSERT_TRUE(year % every == 0 && starts.count(year)) << year;
            const int expectedX = 21 + static_cast<int>((starts.at(year) + 1) * scale.xScale);
            EXPECT_EQ(std::pair(label.x, label.textLeft), std::pair(expectedX, expectedX + LabelInset))
                << year << " at " << width;
        }
        ExpectNoOverlap(labels, pane, RealWidth);
    }

    const int end = count - 1000;
    for (const int closeDays : {60, 252, 2000})
        for (int width = 300; width <= 4000; width += 61)
            for (int interval = 0; interval <= 2; ++interval) {
                Settings().CloseDays = closeDays;
                const PixelRect pane{21, 321, width - 20, 600};
                const std::vector<CloseupLine> lines =
                    CloseupGridLinesEvery(pane, end, closeDays, CloseupGridDays(pane, closeDays, interval, true));
                const std::vector<TimeLabel> labels = CloseupTimeLabels(pane, lines, end, closeDays, RealWidth);
                ExpectNoOverlap(labels, pane, RealWidth);
                for (const TimeLabel& label : labels) {
                    const auto line = std::find_if(lines.begin(), lines.end(),
                                                   [&](const CloseupLine& l) { return l.x == label.x && l.solid; });
                    ASSERT_NE(line, lines.end());
                    EXPECT_NEAR(label.x,
                                pane.left +
                                    (line->record - (end - closeDays) + 1) * pane.Width() / double(closeDays),
                                1.0);
                    const std::string date = Records().At(line->record).GetDate();
                    EXPECT_EQ(closeDays <= 252 ? label.text : label.text.substr(label.text.size() - 4),
                              closeDays <= 252 ? date.substr(0, 5) : date.substr(6, 4));
                }
            }
}

// Value labels two text heights apart and not needlessly more, where the curves put their values.
TEST(ValueScale, RoundValuesWhereTheCurvesPutThem)
{
    for (const int height : {120, 233, 400, 1300})
        for (const int maximum : {310, 400, 1000, 73}) {
            const PixelRect pane{21, 21, 800, 21 + height};
            const double yScale = (height - 1.0) / maximum;
            const std::vector<ValueLabel> labels = ValueLabels(pane, yScale, maximum, 14, 18);
            ASSERT_TRUE(labels.size() >= 2 || height < 233) << height << " " << maximum;
            const int step = labels.size() < 2 ? 100 : std::stoi(labels[1].text) - std::stoi(labels[0].text);
            EXPECT_TRUE(labels.size() < 2 || (step * yScale >= 28.0 && step * yScale / 2.5 < 28.0 + 1e-9)) << step;
            for (const ValueLabel& label : labels) {
                const int value = std::stoi(label.text);
                EXPECT_TRUE(value % step == 0 && value <= maximum) << value;
                EXPECT_EQ(label.y, pane.bottom - static_cast<int>(value * yScale) - 1);
                EXPECT_TRUE(label.textTop >= pane.top + 18 && label.textTop + 14 <= pane.bottom) << label.textTop;
            }
        }
}

// With axis labels the overall grid thins out to lines 3 pixels apart; the labels show in white.
TEST_F(AxisTest, RenderedGridIsNoHatchAndLabelsAppear)
{
    LoadSample();
    Settings().DOverallSpotsON = Settings().DOverallFluxON = 0;
    Settings().RBOverall = Settings().AxisLabels = 1;
    const QImage image = Render(1000, 700);
    const PixelRect& o = geometry.layout.overall;
    int lines = 0, light = 0;
    for (int x = o.left + 40, y = (o.top + o.bottom) / 2, last = -3; x < o.right; ++x)
        if (image.pixel(x, y) == qRgb(192, 192, 192) || image.pixel(x, y + 1) == qRgb(192, 192, 192)) {
            EXPECT_GE(x - last, 3) << x;
            last = x, ++lines;
        }
    for (int x = o.left; x < o.right; ++x)
        for (int y = o.top + 2; y < o.top + 12; ++y)
            light += qGray(image.pixel(x, y)) > 230 ? 1 : 0;
    EXPECT_GT(lines, 10);
    EXPECT_GT(light, 100);
}
