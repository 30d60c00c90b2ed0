// A short file shows fewer closeup days while it is open; the next file and
// the saved configuration keep the length the user chose.
#include <gtest/gtest.h>

#include <string>

#include "config/ini_file.h"
#include "config/program_folder.h"
#include "plot/options_apply.h"
#include "plot/plot_navigation.h"
#include "support/plot_fixture.h"

namespace {

class CloseupLengthTest : public PlotFixture {
protected:
    void SetUp() override
    {
        PlotFixture::SetUp();
        Settings().AutosaveCfg = 1;
    }

    // Opens a file of the given number of days, as File > Open does.
    void Open(int days)
    {
        std::string text = "! SKYLOG Solar Data Plot Version 3 Data File\n";
        for (int i = 0; i < days; ++i)
            text += DayDate(i, 1950) + "  100   150.0\n";
        const std::string path = folder.File("days" + std::to_string(days) + ".dat");
        WriteTextFile(path, text);
        DataFile().path = path;
        ASSERT_EQ(ReadDataFile(), ReadOutcome::Read);
        ASSERT_EQ(Records().RecordCount(), days);
        PreparePlotData();  // what the window does after every read
    }

    int SavedCloseDays()
    {
        SaveSettings();
        return IniFile(IniFilePath()).ReadInt(SettingsSection, "CloseDays", -1);
    }
};

TEST_F(CloseupLengthTest, AShortFileLendsTheCloseupItsLengthOnly)
{
    // Each step: the file opened, the length shown and saved; the closeup and
    // the scroll bar end on the last day.
    const struct { int days, shown, saved; } steps[] = {
        {3, 3, 252},     // fewer days than the closeup: all of them
        {1000, 252, 252}, // the user's length comes back
        {0, 0, 252},     // an empty file
        {100, 100, 252},
        {252, 252, 252},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(std::to_string(step.days) + " days");
        Open(step.days);
        EXPECT_EQ(Settings().CloseDays, step.shown);
        EXPECT_EQ(Plot().CloseupEnd, step.days);
        EXPECT_EQ(ScrollMaximum(), step.days - step.shown);
        EXPECT_EQ(ScrollPosition(), step.days - step.shown);
        EXPECT_EQ(SavedCloseDays(), step.saved);
    }
    Open(10);  // saved while a short file is open, read back by the next start
    SaveSettings();
    Settings() = PlotSettings();
    LoadSettings();
    EXPECT_EQ(Settings().CloseDays, 252);
}

TEST_F(CloseupLengthTest, ALengthTheUserChoosesIsKeptEvenWhenTheFileIsShorter)
{
    Open(300);
    PlotSettings edited = Settings();
    edited.CloseDays = 500;
    EXPECT_TRUE(ApplyOptions(edited).closeupChanged);
    EXPECT_EQ(Settings().CloseDays, 300);
    EXPECT_EQ(SavedCloseDays(), 500);
    Open(2000);
    EXPECT_EQ(Settings().CloseDays, 500);

    Open(50);  // a smaller length chosen now replaces the old one
    edited = Settings();
    edited.CloseDays = 40;
    ApplyOptions(edited);
    EXPECT_EQ(Settings().CloseDays, 40);
    EXPECT_EQ(SavedCloseDays(), 40);
    Open(2000);
    EXPECT_EQ(Settings().CloseDays, 40);

    // Ctrl+wheel sets the length as well: 40 less a tenth is 36.
    ASSERT_TRUE(ZoomCloseup(1));
    EXPECT_EQ(Settings().CloseDays, 36);
    Open(20);
    EXPECT_EQ(SavedCloseDays(), 36);
}

// The plot follows the data file however often the state was reset before.
TEST_F(CloseupLengthTest, ConnectedToTheDataFileOnceAfterEveryReset)
{
    for (int round = 0; round < 2; ++round) {
        ResetDataState();
        ConnectPlotToDataFile();
        ConnectPlotToDataFile();
        EXPECT_EQ(DataFileNotifications().loadFinished.size(), 1u);
        DataFile().path = SampleFile;
        ASSERT_EQ(ReadDataFile(), ReadOutcome::Read);
        EXPECT_EQ(Plot().CloseupEnd, Records().RecordCount()) << round;
        EXPECT_GT(Records().At(RecordStats().HighSpotsIndex).m_sunspots, 0) << round;
        Plot().CloseupEnd = 0;
        RecordStats() = RecordExtremes();
    }
}

}  // namespace
