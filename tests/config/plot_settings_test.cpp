#include <gtest/gtest.h>

#include "config/ini_file.h"
#include "config/plot_settings.h"
#include "config/program_folder.h"
#include "support/data_state.h"
#include "support/temp_folder.h"

class SettingsTest : public ::testing::Test {
protected:
    TempFolder folder;
    void SetUp() override { ResetDataState(), Settings() = PlotSettings(); }
    void TearDown() override { SetUp(); }
};

static void ExpectSaved(std::initializer_list<std::pair<const char*, std::string>> keys)
{
    for (const auto& [key, value] : keys)
        EXPECT_EQ(IniFile(IniFilePath()).ReadText(SettingsSection, key, "none", 4096), value) << key;
}

TEST_F(SettingsTest, FirstRunUsesDefaultsAndWritesOnlyTheAlwaysSavedKeys)
{
    LoadSettings();
    EXPECT_TRUE(FirstRun());
    EXPECT_FALSE(PathExists(IniFilePath()));  // reading writes nothing; the window saves
    SaveSettings();
    EXPECT_EQ(ReadTextFile(IniFilePath()), "[SOLAR_DATA]\nVersion=ORB Version 2.01 Configuration File\n"
                                           "ShowNote1=0\nPFBPath=\nPFBType=.TXT\nFTPKeepFiles=0\nFTPKeepDir=\n");
    LoadSettings();
    EXPECT_FALSE(FirstRun());
}

TEST_F(SettingsTest, ConversionsOnLoad)
{
    const std::string text = "[SOLAR_DATA]\nStaggerPlotStartDay=01/01/05\nStaggerPlot=1\nStaggerPlotDays=7\n"
                             "Background=green\nGrid=  4294967295\nFileName=/somewhere/GRAPH.DAT\n";
    WriteTextFile(IniFilePath(), text);
    LoadSettings();
    EXPECT_TRUE(FirstRun());  // no Version
    EXPECT_EQ(ReadTextFile(IniFilePath()), text);  // loading (by any command) writes nothing
    EXPECT_EQ(Stagger().day + " " + std::to_string(Stagger().enabled + Stagger().interval), "01/01/1905 8");
    EXPECT_EQ(std::pair(Settings().Colors[Background], Settings().Colors[Grid]), std::pair(0u, 4294967295u));
    EXPECT_TRUE(DataFile().path.empty());  // SaveOpenFile is 0
}

TEST_F(SettingsTest, AutosaveOffKeepsOtherKeysAndOnWritesThemAll)
{
    WriteTextFile(IniFilePath(), "[SOLAR_DATA]\nVersion=ORB Version 2.01 Configuration File\nCloseDays=100\n"
                                 "FileName=/old/A.DAT\nFTPSite=ftp.example.org\nMine=kept\n");
    LoadSettings();
    Settings().CloseDays = 999;
    Settings().AxisLabels = 0;
    Settings().PFBPath = "/bulletins";
    SaveSettings();
    ExpectSaved({{"AxisLabels", "none"}, {"CloseDays", "100"}, {"PFBPath", "/bulletins"}, {"FileName", "/old/A.DAT"}});
    Settings().AutosaveCfg = 1;
    Settings().SaveOpenFile = 1;  // brings the whole path back at the next start
    DataFile().path = "/a/very/long/folder/name/that/goes/on/and/on/for/more/than/sixty-two/GRAPH.DAT";
    Stagger().day = "03/04/2001";
    SaveSettings();
    ExpectSaved({{"CloseDays", "999"}, {"AxisLabels", "0"}, {"StaggerPlotStartDay", "03/04/2001"},
                 {"FTPSite", "ftp.example.org"}, {"FTPDir", "none"}, {"Mine", "kept"}, {"FileName", DataFile().path}});
    const std::string path = DataFile().path;
    DataFile().path.clear();
    LoadSettings();
    EXPECT_EQ(DataFile().path + " " + std::to_string(Settings().AxisLabels), path + " 0");
}
