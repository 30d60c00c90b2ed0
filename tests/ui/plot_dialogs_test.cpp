#include <gtest/gtest.h>

#include <QCheckBox>
#include <QImage>
#include <QLineEdit>

#include "data/number_text.h"
#include "support/dialog_driver.h"
#include "support/plot_fixture.h"
#include "ui/color_legend_dlg.h"
#include "ui/frame.h"
#include "ui/record_high_low_dlg.h"
#include "ui/stagger_dlg.h"
#include "ui/view.h"

// 100 days from 01/01/2000 in GRAPH.DAT, day i with the values below.
class PlotDialogsTest : public FreshProgramTest {
protected:
    static int DaySpots(int i) { return 100 + (i * 37) % 90; }
    static double DayFlux(int i) { return 120.0 + (i * 53) % 70 / 2.0; }
    void SetUp() override
    {
        FreshProgramTest::SetUp();
        std::string text = "! SKYLOG Solar Data Plot Version 3 Data File\n";
        for (int i = 0; i < 100; ++i)
            text += DayDate(i, 2000) + "  " + std::to_string(DaySpots(i)) + "   " + FormatFixed(DayFlux(i), 5, 1) + "\n";
        WriteTextFile(folder.File("GRAPH.DAT"), text);
        DataFile().path = folder.File("GRAPH.DAT");
    }
};

// The stagger plot loads every nth day through the typed day; a bad interval
// keeps the dialog open; a bad or missing day leaves every day loaded and says
// why. The records dialog shows the loaded days' extremes; the legend the colours.
TEST_F(PlotDialogsTest, StaggerRecordsAndLegendFromTheirDialogs)
{
    Frame frame;
    ReadDataFile();
    emit frame.PlotView()->recordCountChanged();
    const struct {
        const char *interval, *date;
        bool enable;
        int enabled, storedInterval;
        const char* storedDay;
        int count;
        const char* caption;
    } cases[] = {
        {"7", "1/5/2000", true, 1, 7, "01/05/2000", 14, ""},  // days 4, 11, ..., 95
        {"99999", "01/05/2000", false, 0, 7, "01/05/2000", 100, ""},
        {"0", "1/9/2000", true, 0, 7, "01/05/2000", 100, "SKYLOG"},  // refused, then Cancel
        {"7", "15/03/2000", true, 0, 7, "15/03/2000", 100, "Day Not Found"},
        {"7", "5th March", true, 0, 7, "15/03/2000", 100, "Invalid Date"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.date);
        prompt.messages.clear();
        OnNextDialog([&](QWidget* widget) {
            auto* dialog = static_cast<StaggerDlg*>(widget);
            dialog->IntervalField()->setText(c.interval);
            dialog->DateField()->setText(c.date);
            dialog->EnableBox()->setChecked(c.enable);
            dialog->accept();
            if (dialog->isVisible())
                dialog->reject();
        });
        frame.Action("staggerPlot")->trigger();
        EXPECT_EQ(Stagger().enabled, c.enabled);
        EXPECT_EQ(Stagger().interval, c.storedInterval);
        EXPECT_EQ(Stagger().day, c.storedDay);
        ASSERT_EQ(Records().RecordCount(), c.count);
        EXPECT_EQ(frame.Action("staggerPlot")->isChecked(), c.enabled == 1);
        EXPECT_EQ(Records().At(c.count - 1).GetDate(), DayDate(c.count == 14 ? 95 : 99, 2000));
        EXPECT_EQ(prompt.Captions(), *c.caption ? std::vector<std::string>{c.caption} : std::vector<std::string>());
    }

    // Records: each field shows the day the extremes (found by the averages' code) name.
    std::map<QString, QString> shown;
    OnNextDialog([&](QWidget* widget) {
        for (const char* name : {"highSpotsDate", "highSpots", "lowSpotsDate", "lowSpots", "highFluxDate",
                                 "highFlux", "lowFluxDate", "lowFlux"})
            shown[name] = static_cast<RecordHighLowDlg*>(widget)->FieldText(name);
        static_cast<QDialog*>(widget)->accept();
    });
    frame.Action("records")->trigger();
    const RecordExtremes& e = RecordStats();
    const auto day = [](int i) { return QString::fromStdString(DayDate(i, 2000)); };
    const auto flux = [](int i) { return QString::number(DayFlux(i), 'f', 1); };
    const std::map<QString, QString> expected = {
        {"highSpotsDate", day(e.HighSpotsIndex)}, {"highSpots", QString::number(DaySpots(e.HighSpotsIndex))},
        {"lowSpotsDate", day(e.LowSpotsIndex)},   {"lowSpots", QString::number(DaySpots(e.LowSpotsIndex))},
        {"highFluxDate", day(e.HighFluxIndex)},   {"highFlux", flux(e.HighFluxIndex)},
        {"lowFluxDate", day(e.LowFluxIndex)},     {"lowFlux", flux(e.LowFluxIndex)},
    };
    EXPECT_EQ(shown, expected);
    EXPECT_NE(e.HighSpotsIndex, e.LowSpotsIndex);

    // The legend draws each curve's sample, 3 pixels thick, in its colour.
    PlotSettings& s = Settings();
    s.Colors[Background] = 0x202020;
    s.Colors[Spots] = 0x0000FF;    // red: the flux curve
    s.Colors[AvFlux] = 0xFF0000;   // blue
    s.Colors[Flux] = 0x00FF00;     // green: the sunspot curve
    s.Colors[AvSpots] = 0x00FFFF;  // yellow
    QImage picture;
    std::vector<QLine> lines;
    OnNextDialog([&](QWidget* widget) {
        LegendArea* legend = static_cast<ColorLegendDlg*>(widget)->Legend();
        for (int i = 0; i < LegendArea::Samples; ++i)
            lines.push_back(legend->SampleLine(i));
        picture = legend->grab().toImage();
        static_cast<QDialog*>(widget)->accept();
    });
    frame.Action("colorLegend")->trigger();
    const QRgb curves[4] = {qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(0, 255, 0), qRgb(255, 255, 0)};
    ASSERT_EQ(lines.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        const QPoint middle = (lines[i].p1() + lines[i].p2()) / 2;
        EXPECT_GT(lines[i].dx(), 40);
        for (const auto& [dy, colour] : {std::pair{0, curves[i]}, {1, curves[i]}, {3, qRgb(32, 32, 32)}})
            EXPECT_EQ(picture.pixel(middle + QPoint(0, dy)), colour) << i << " " << dy;
    }
}
