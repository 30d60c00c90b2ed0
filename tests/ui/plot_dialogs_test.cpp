#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QImage>
#include <QLineEdit>

#include "config/plot_settings.h"
#include "data/averages.h"
#include "data/data_file.h"
#include "data/number_text.h"
#include "data/record_array.h"
#include "plot/plot_state.h"
#include "support/data_state.h"
#include "support/dialog_driver.h"
#include "support/scripted_prompt.h"
#include "support/temp_folder.h"
#include "ui/color_legend_dlg.h"
#include "ui/frame.h"
#include "ui/record_high_low_dlg.h"
#include "ui/stagger_dlg.h"
#include "ui/view.h"

namespace {

// Day i of 100 consecutive days from 01/01/2000, in the data file's form.
std::string Day(int i)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d/%02d/2000", i < 31 ? 1 : i < 60 ? 2 : i < 91 ? 3 : 4,
                  i < 31 ? i + 1 : i < 60 ? i - 30 : i < 91 ? i - 59 : i - 90);
    return text;
}

void SaveScreenshot(QWidget* widget, const QString& name)
{
    if (const char* folder = std::getenv("SKYLOG_SCREENSHOTS"))
        widget->grab().save(QString(folder) + "/" + name);
}

}  // namespace

class PlotDialogsTest : public ::testing::Test {
protected:
    TempFolder folder;
    ScriptedPrompt prompt;

    void SetUp() override
    {
        ResetDataState();
        Settings() = PlotSettings();
        Plot() = PlotState();
        std::string text = "! SKYLOG Solar Data Plot Version 3 Data File\n";
        for (int i = 0; i < 100; ++i)
            text += Day(i) + "  " + std::to_string(100 + (i * 37) % 90) + "   " +
                    FormatFixed(120.0 + (i * 53) % 70 / 2.0, 5, 1) + "\n";
        WriteTextFile(folder.File("GRAPH.DAT"), text);
        DataFile().path = folder.File("GRAPH.DAT");
    }
    void TearDown() override { ResetDataState(); }

    // Opens the stagger dialog from the menu and fills it in.
    void Stagger(Frame& frame, const QString& interval, const QString& date, bool enable,
                 bool ok = true)
    {
        OnNextDialog([=](QWidget* widget) {
            auto* dialog = static_cast<StaggerDlg*>(widget);
            dialog->IntervalField()->setText(interval);
            dialog->DateField()->setText(date);
            dialog->EnableBox()->setChecked(enable);
            SaveScreenshot(dialog, "stagger.png");
            if (ok)
                dialog->accept();
            else
                dialog->reject();
        });
        frame.Action("staggerPlot")->trigger();
    }
};

TEST_F(PlotDialogsTest, StaggerPlotLoadsEveryNthDayThroughTheTypedDay)
{
    Frame frame;
    ReadDataFile();
    emit frame.PlotView()->recordCountChanged();
    ASSERT_TRUE(frame.Action("staggerPlot")->isEnabled());
    Stagger(frame, "7", "1/5/2000", true);
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_EQ(::Stagger().enabled, 1);
    EXPECT_EQ(::Stagger().interval, 7);
    EXPECT_EQ(::Stagger().day, "01/05/2000");
    // Days 4, 11, ..., 95 of the file.
    ASSERT_EQ(Records().RecordCount(), 14);
    EXPECT_EQ(Records().At(0).GetDate(), Day(4));
    EXPECT_EQ(Records().At(13).GetDate(), Day(95));
    EXPECT_TRUE(frame.Action("staggerPlot")->isChecked());

    // Unchecked: every day again.
    Stagger(frame, "7", "01/05/2000", false);
    EXPECT_EQ(::Stagger().enabled, 0);
    EXPECT_EQ(Records().RecordCount(), 100);
    EXPECT_FALSE(frame.Action("staggerPlot")->isChecked());

    // Cancel changes nothing.
    Stagger(frame, "3", "1/9/2000", true, false);
    EXPECT_EQ(::Stagger().enabled, 0);
    EXPECT_EQ(::Stagger().interval, 7);
}

TEST_F(PlotDialogsTest, StaggerDatesThatFindNoDay)
{
    Frame frame;
    ReadDataFile();
    emit frame.PlotView()->recordCountChanged();
    // Typed day first: stored as typed, not found, the stagger plot goes off.
    Stagger(frame, "7", "15/03/2000", true);
    EXPECT_EQ(::Stagger().day, "15/03/2000");
    EXPECT_EQ(::Stagger().enabled, 0);
    EXPECT_EQ(prompt.Captions(), std::vector<std::string>{"Day Not Found"});
    EXPECT_EQ(Records().RecordCount(), 100);

    // No "/" after the first character: the message shows the format that works.
    prompt.messages.clear();
    Stagger(frame, "7", "2000", true);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text, "Date Must Be In The Format MM/DD/YYYY");
    EXPECT_EQ(prompt.messages[0].caption, "Invalid Date");
    EXPECT_EQ(prompt.messages[0].icon, PromptIcon::Stop);
    EXPECT_EQ(::Stagger().enabled, 0);
    EXPECT_EQ(Records().RecordCount(), 100);
}

TEST_F(PlotDialogsTest, StaggerIntervalOutOfRangeKeepsTheDialogOpen)
{
    StaggerDlg dialog(28, "01/01/1989", false);
    dialog.show();
    for (const char* interval : {"0", "100000", "x"}) {
        dialog.IntervalField()->setText(interval);
        dialog.accept();
        EXPECT_TRUE(dialog.isVisible()) << interval;
    }
    EXPECT_EQ(prompt.messages.size(), 3u);
    dialog.IntervalField()->setText("99999");
    dialog.accept();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.DateField()->maxLength(), 11);
}

TEST_F(PlotDialogsTest, RecordsShowTheDaysTheMarkersPointAt)
{
    Frame frame;
    ASSERT_FALSE(frame.Action("records")->isEnabled());
    ReadDataFile();
    emit frame.PlotView()->recordCountChanged();
    ASSERT_TRUE(frame.Action("records")->isEnabled());
    // The extremes found here on their own; the latest day wins a tie.
    int high = 0, low = 0, highFlux = 0, lowFlux = 0;
    for (int i = 0; i < Records().RecordCount(); ++i) {
        const SolarRecord& r = Records().At(i);
        high = r.m_sunspots >= Records().At(high).m_sunspots ? i : high;
        low = r.m_sunspots <= Records().At(low).m_sunspots ? i : low;
        highFlux = r.m_flux >= Records().At(highFlux).m_flux ? i : highFlux;
        lowFlux = r.m_flux <= Records().At(lowFlux).m_flux ? i : lowFlux;
    }
    EXPECT_EQ(RecordStats().HighSpotsIndex, high);  // where the marker goes
    std::map<QString, QString> shown;
    OnNextDialog([&](QWidget* widget) {
        auto* dialog = static_cast<RecordHighLowDlg*>(widget);
        EXPECT_EQ(dialog->windowTitle(), "Record High / Low Values");
        for (const char* name : {"highSpotsDate", "highSpots", "lowSpotsDate", "lowSpots",
                                 "highFluxDate", "highFlux", "lowFluxDate", "lowFlux"})
            shown[name] = dialog->FieldText(name);
        SaveScreenshot(dialog, "records.png");
        dialog->accept();
    });
    frame.Action("records")->trigger();
    const auto date = [](int i) { return QString::fromStdString(Records().At(i).GetDate()); };
    EXPECT_EQ(shown["highSpotsDate"], date(high));
    EXPECT_EQ(shown["highSpots"], QString::number(Records().At(high).m_sunspots));
    EXPECT_EQ(shown["lowSpotsDate"], date(low));
    EXPECT_EQ(shown["lowSpots"], QString::number(Records().At(low).m_sunspots));
    EXPECT_EQ(shown["highFluxDate"], date(highFlux));
    EXPECT_EQ(shown["highFlux"], QString::number(Records().At(highFlux).m_flux, 'f', 1));
    EXPECT_EQ(shown["lowFluxDate"], date(lowFlux));
    EXPECT_EQ(shown["lowFlux"], QString::number(Records().At(lowFlux).m_flux, 'f', 1));
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
        SaveScreenshot(widget, "legend.png");
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
