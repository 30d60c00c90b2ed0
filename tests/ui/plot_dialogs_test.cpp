#include <gtest/gtest.h>

#include <QCheckBox>
#include <QImage>
#include <QLineEdit>

#include "data/averages.h"
#include "data/data_file.h"
#include "data/number_text.h"
#include "data/record_array.h"
#include "support/dialog_driver.h"
#include "support/fresh_program.h"
#include "ui/color_legend_dlg.h"
#include "ui/frame.h"
#include "ui/record_high_low_dlg.h"
#include "ui/stagger_dlg.h"
#include "ui/view.h"

namespace {

// Day i of 100 consecutive days from 01/01/2000, in the data file's form.
std::string Day(int i)
{
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/2000", i < 31 ? 1 : i < 60 ? 2 : i < 91 ? 3 : 4,
                  i < 31 ? i + 1 : i < 60 ? i - 30 : i < 91 ? i - 59 : i - 90);
    return text;
}

}  // namespace

class PlotDialogsTest : public FreshProgramTest {
protected:
    void SetUp() override
    {
        FreshProgramTest::SetUp();
        std::string text = "! SKYLOG Solar Data Plot Version 3 Data File\n";
        for (int i = 0; i < 100; ++i)
            text += Day(i) + "  " + std::to_string(100 + (i * 37) % 90) + "   " +
                    FormatFixed(120.0 + (i * 53) % 70 / 2.0, 5, 1) + "\n";
        WriteTextFile(folder.File("GRAPH.DAT"), text);
        DataFile().path = folder.File("GRAPH.DAT");
    }
};

// The stagger plot loads every nth day through the typed day; a day not in
// the file, or no date at all, leaves every day loaded and says why.
TEST_F(PlotDialogsTest, StaggerPlotFromTheDialog)
{
    Frame frame;
    ASSERT_FALSE(frame.Action("staggerPlot")->isEnabled());
    ReadDataFile();
    emit frame.PlotView()->recordCountChanged();
    ASSERT_TRUE(frame.Action("staggerPlot")->isEnabled());
    const struct {
        const char* interval;
        const char* date;
        bool enable, ok;
        int enabled, storedInterval;
        const char* storedDay;
        int count;
        const char* message;  // the caption, or the text of a format message
    } cases[] = {
        {"7", "1/5/2000", true, true, 1, 7, "01/05/2000", 14, ""},  // days 4, 11, ..., 95
        {"7", "01/05/2000", false, true, 0, 7, "01/05/2000", 100, ""},
        {"3", "1/9/2000", true, false, 0, 7, "01/05/2000", 100, ""},  // Cancel
        {"7", "15/03/2000", true, true, 0, 7, "15/03/2000", 100, "Day Not Found"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.date);
        prompt.messages.clear();
        OnNextDialog([&](QWidget* widget) {
            auto* dialog = static_cast<StaggerDlg*>(widget);
            dialog->IntervalField()->setText(c.interval);
            dialog->DateField()->setText(c.date);
            dialog->EnableBox()->setChecked(c.enable);
            if (c.ok)
                dialog->accept();
            else
                dialog->reject();
        });
        frame.Action("staggerPlot")->trigger();
        EXPECT_EQ(Stagger().enabled, c.enabled);
        EXPECT_EQ(Stagger().interval, c.storedInterval);
        EXPECT_EQ(Stagger().day, c.storedDay);
        ASSERT_EQ(Records().RecordCount(), c.count);
        EXPECT_EQ(frame.Action("staggerPlot")->isChecked(), c.enabled == 1);
        if (c.count == 14) {
            EXPECT_EQ(Records().At(0).GetDate(), Day(4));
            EXPECT_EQ(Records().At(13).GetDate(), Day(95));
        }
        if (*c.message == '\0') {
            EXPECT_TRUE(prompt.messages.empty());
        } else {
            ASSERT_EQ(prompt.messages.size(), 1u);
            EXPECT_TRUE(prompt.messages[0].caption == c.message || prompt.messages[0].text == c.message);
        }
    }
}

TEST_F(PlotDialogsTest, StaggerIntervalOutOfRangeKeepsTheDialogOpen)
{
    const struct {
        const char* interval;
        bool accepted;
    } cases[] = {{"0", false}, {"100000", false}, {"99999", true}};
    for (const auto& c : cases) {
        prompt.messages.clear();
        StaggerDlg dialog(28, "01/01/1989", false);
        dialog.show();
        dialog.IntervalField()->setText(c.interval);
        dialog.accept();
        EXPECT_EQ(dialog.isVisible(), !c.accepted) << c.interval;
        EXPECT_EQ(prompt.messages.size(), c.accepted ? 0u : 1u) << c.interval;
    }
}

// Each field shows the day the extremes (found by the averages' code) name.
TEST_F(PlotDialogsTest, RecordsShowTheDaysTheMarkersPointAt)
{
    Frame frame;
    ASSERT_EQ(ReadDataFile(), ReadOutcome::Read);
    emit frame.PlotView()->recordCountChanged();
    std::map<QString, QString> shown;
    OnNextDialog([&](QWidget* widget) {
        auto* dialog = static_cast<RecordHighLowDlg*>(widget);
        for (const char* name : {"highSpotsDate", "highSpots", "lowSpotsDate", "lowSpots",
                                 "highFluxDate", "highFlux", "lowFluxDate", "lowFlux"})
            shown[name] = dialog->FieldText(name);
        dialog->accept();
    });
    frame.Action("records")->trigger();
    const RecordExtremes& e = RecordStats();
    const auto day = [](int i) { return QString::fromStdString(Day(i)); };
    const auto spots = [](int i) { return QString::number(100 + (i * 37) % 90); };
    const auto flux = [](int i) { return QString::number(120.0 + (i * 53) % 70 / 2.0, 'f', 1); };
    const std::map<QString, QString> expected = {
        {"highSpotsDate", day(e.HighSpotsIndex)}, {"highSpots", spots(e.HighSpotsIndex)},
        {"lowSpotsDate", day(e.LowSpotsIndex)},   {"lowSpots", spots(e.LowSpotsIndex)},
        {"highFluxDate", day(e.HighFluxIndex)},   {"highFlux", flux(e.HighFluxIndex)},
        {"lowFluxDate", day(e.LowFluxIndex)},     {"lowFlux", flux(e.LowFluxIndex)},
    };
    EXPECT_EQ(shown, expected);
    EXPECT_NE(e.HighSpotsIndex, e.LowSpotsIndex);
}

TEST_F(PlotDialogsTest, LegendSamplesInTheCurvesColours)
{
    PlotSettings& s = Settings();
    s.Colors[Background] = 0x202020;
    s.Colors[Spots] = 0x0000FF;    // red: the flux curve
    s.Colors[Flux] = 0x00FF00;     // green: the sunspot curve
    s.Colors[AvFlux] = 0xFF0000;   // blue
    s.Colors[AvSpots] = 0x00FFFF;  // yellow
    Frame frame;
    QImage picture;
    QStringList labels;
    std::vector<QLine> lines;
    OnNextDialog([&](QWidget* widget) {
        LegendArea* legend = static_cast<ColorLegendDlg*>(widget)->Legend();
        for (int i = 0; i < LegendArea::Samples; ++i) {
            labels << legend->Label(i);
            lines.push_back(legend->SampleLine(i));
        }
        picture = legend->grab().toImage();
        static_cast<QDialog*>(widget)->accept();
    });
    frame.Action("colorLegend")->trigger();
    EXPECT_EQ(labels, (QStringList{"Solar Flux", "Average Solar Flux", "Sun Spots", "Average Sun Spots"}));
    const QRgb expected[4] = {qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(0, 255, 0), qRgb(255, 255, 0)};
    for (int i = 0; i < 4; ++i) {
        const QLine& line = lines[static_cast<std::size_t>(i)];
        EXPECT_GT(line.x2() - line.x1(), 40);
        const QPoint middle = (line.p1() + line.p2()) / 2;
        EXPECT_EQ(picture.pixel(middle), expected[i]) << i;
        EXPECT_EQ(picture.pixel(middle + QPoint(0, 1)), expected[i]) << i;  // 3 pixels wide
        EXPECT_EQ(picture.pixel(middle + QPoint(0, 3)), qRgb(0x20, 0x20, 0x20)) << i;
    }
    EXPECT_EQ(picture.pixel(1, 1), qRgb(0x20, 0x20, 0x20));
}
