// The closeup's length is the user's setting: a short file shows fewer days
// for as long as it is open, but neither the next file nor the saved
// configuration loses the length the user chose.
#include <gtest/gtest.h>

#include <string>

#include "config/ini_file.h"
#include "config/plot_settings.h"
#include "config/program_folder.h"
#include "data/data_file.h"
#include "data/text_file.h"
#include "plot/options_apply.h"
#include "plot/plot_navigation.h"
#include "plot/plot_state.h"
#include "support/data_state.h"
#include "support/fresh_program.h"
#include "support/scripted_prompt.h"
#include "support/temp_folder.h"

namespace {

class CloseupLengthTest : public FreshProgramTest {
protected:
    void SetUp() override
    {
        FreshProgramTest::SetUp();
        Settings().AutosaveCfg = 1;
    }

    // Opens a file of the given number of days, as File > Open does.
    void Open(int days)
    {
        std::string text = "! SKYLOG Solar Data Plot Version 3 Data File\n";
        for (int i = 0; i < days; ++i) {
            const int month = i / 28 % 12 + 1, day = i % 28 + 1, year = 1950 + i / 336;
            text += (month < 10 ? "0" : "") + std::to_string(month) + "/" + (day < 10 ? "0" : "") +
                    std::to_string(day) + "/" + std::to_string(year) + "  100   150.0\n";
        }
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
    // Each step: the file opened, then the closeup length shown and saved.
    const struct {
        int days, shown, saved;
    } steps[] = {
        {3, 3, 252},     // fewer days than the closeup: all of them
        {1000, 252, 252}, // the user's length comes back
        {0, 0, 252},     // an empty file
        {100, 100, 252},
        {252, 252, 252},
    };
    for (const auto& step : steps) {
        Open(step.days);
        EXPECT_EQ(Settings().CloseDays, step.shown) << step.days << " days";
        EXPECT_EQ(Plot().CloseupEnd, step.days);
        EXPECT_EQ(SavedCloseDays(), step.saved) << step.days << " days";
    }
    // Saved while a short file is open and read back by the next start.
    Open(10);
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
    EXPECT_TRUE(ApplyOptions(edited).closeupChanged);  // 252 shown before, 300 now
    EXPECT_EQ(Settings().CloseDays, 300);
    EXPECT_EQ(SavedCloseDays(), 500);
    Open(2000);
    EXPECT_EQ(Settings().CloseDays, 500);

    // A smaller length chosen while a short file is open replaces the old one.
    Open(50);
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

}  // namespace
