#include <gtest/gtest.h>

#include "config/ini_file.h"
#include "config/plot_settings.h"
#include "config/program_folder.h"
#include "data/data_file.h"
#include "support/data_state.h"
#include "support/temp_folder.h"

class SettingsTest : public ::testing::Test {
protected:
    TempFolder folder;
    void SetUp() override
    {
        ResetDataState();
        Settings() = PlotSettings();
    }
    void TearDown() override
    {
        ResetDataState();
        Settings() = PlotSettings();
    }
};

TEST_F(SettingsTest, FirstRunUsesDefaultsAndWritesOnlyTheAlwaysSavedKeys)
{
    EXPECT_EQ(IniFilePath(), folder.File("SKYLOG.INI"));  // the program folder follows SKYLOG_HOME
    LoadSettings();
    EXPECT_TRUE(FirstRun());
    EXPECT_EQ(Stagger().day + " " + std::to_string(Stagger().interval), "01/01/1989 28");
    EXPECT_FALSE(PathExists(IniFilePath()));  // reading writes nothing; the window saves
    SaveSettings();
    EXPECT_EQ(ReadTextFile(IniFilePath()),
              "[SOLAR_DATA]\nVersion=ORB Version 2.01 Configuration File\n"
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
    EXPECT_EQ(Stagger().day, "01/01/1905");  // the century is always 19
    EXPECT_EQ(Stagger().enabled + Stagger().interval, 1 + 7);
    EXPECT_EQ(Settings().Colors[Background], 0u);
    EXPECT_EQ(Settings().Colors[Grid], 4294967295u);
    EXPECT_TRUE(DataFile().path.empty());  // SaveOpenFile is 0
}

TEST_F(SettingsTest, AutosaveOffKeepsOtherKeysAndOnWritesThemAll)
{
    WriteTextFile(IniFilePath(), "[SOLAR_DATA]\nVersion=ORB Version 2.01 Configuration File\nCloseDays=100\n"
                                 "FileName=/old/OLD.DAT\nFTPSite=ftp.example.org\nMine=kept\n");
    LoadSettings();
    Settings().CloseDays = 999;
    Settings().AxisLabels = 0;
    Settings().PFBPath = "/bulletins";
    SaveSettings();
    const auto saved = [](const char* key) {
        return IniFile(IniFilePath()).ReadText(SettingsSection, key, "none", 4096);
    };
    EXPECT_EQ(saved("AxisLabels"), "none");
    EXPECT_EQ(saved("CloseDays"), "100");
    EXPECT_EQ(saved("PFBPath"), "/bulletins");
    EXPECT_EQ(saved("FileName"), "/old/OLD.DAT");

    Settings().AutosaveCfg = 1;
    DataFile().path = "/a/very/long/folder/name/that/goes/on/and/on/for/more/than/sixty-two/GRAPH.DAT";
    Stagger().day = "03/04/2001";
    SaveSettings();
    for (const auto& [key, value] : {std::pair{"CloseDays", "999"}, {"AxisLabels", "0"},
                                     {"StaggerPlotStartDay", "03/04/2001"}, {"FTPSite", "ftp.example.org"},
                                     {"FTPDir", "none"}, {"Mine", "kept"}})
        EXPECT_EQ(saved(key), value) << key;
    EXPECT_EQ(saved("FileName"), DataFile().path);

    // SaveOpenFile brings the whole path back at the next start.
    Settings().SaveOpenFile = 1;
    SaveSettings();
    const std::string path = DataFile().path;
    DataFile().path.clear();
    LoadSettings();
    EXPECT_EQ(DataFile().path, path);
    EXPECT_EQ(Settings().AxisLabels, 0);
}
