// A short file lends the closeup its length only while open; a chosen length is kept.
#include <gtest/gtest.h>

#include <string>

#include "config/ini_file.h"
#include "config/program_folder.h"
#include "plot/options_apply.h"
#include "plot/plot_navigation.h"
#include "support/plot_fixture.h"

using CloseupLengthTest = PlotFixture;

// Per file: the length shown and saved, the closeup and scroll bar ending on the last day.
TEST_F(CloseupLengthTest, AShortFileLendsTheCloseupItsLengthOnly)
{
    Settings().AutosaveCfg = 1;
    // The plot follows the data file (which sets the closeup), connected once however often the state was reset.
    ConnectPlotToDataFile();
    ResetDataState();
    ConnectPlotToDataFile();
    ConnectPlotToDataFile();
    EXPECT_EQ(DataFileNotifications().loadFinished.size(), 1u);
    const auto Open = [&](int days) {  // as File > Open does
        std::string text = "! SKYLOG Solar Data Plot Version 3 Data File\n";
        for (int i = 0; i < days; ++i)
            text += DayDate(i, 1950) + "  100   150.0\n";
        DataFile().path = folder.File("days" + std::to_string(days) + ".dat");
        WriteTextFile(DataFile().path, text);
        ASSERT_EQ(ReadDataFile(), ReadOutcome::Read);
        ASSERT_EQ(Records().RecordCount(), days);
    };
    const auto SavedCloseDays = [] {
        SaveSettings();
        return IniFile(IniFilePath()).ReadInt(SettingsSection, "CloseDays", -1);
    };
    const auto Choose = [](int closeDays) {  // in the options
        PlotSettings edited = Settings();
        edited.CloseDays = closeDays;
        EXPECT_TRUE(ApplyOptions(edited).closeupChanged);
    };
    const struct { int days, shown; } steps[] = {{3, 3}, {1000, 252}, {0, 0}, {252, 252}};
    for (const auto& step : steps) {
        SCOPED_TRACE(std::to_string(step.days) + " days");
        Open(step.days);
        EXPECT_EQ(Settings().CloseDays, step.shown);
        EXPECT_EQ(Plot().CloseupEnd, step.days);
        EXPECT_EQ(std::pair(ScrollMaximum(), ScrollPosition()),
                  std::pair(step.days - step.shown, step.days - step.shown));
        EXPECT_EQ(SavedCloseDays(), 252);
    }
    Open(300);
    Choose(500);
    EXPECT_EQ(Settings().CloseDays, 300);
    EXPECT_EQ(SavedCloseDays(), 500);
    Open(2000);
    EXPECT_EQ(Settings().CloseDays, 500);
    Open(50);  // a smaller length chosen now replaces the old one
    Choose(40);
    Open(2000);
    EXPECT_EQ(Settings().CloseDays, 40);
    ASSERT_TRUE(ZoomCloseup(1));  // 40 less a tenth
    Open(20);
    EXPECT_EQ(SavedCloseDays(), 36);
}
