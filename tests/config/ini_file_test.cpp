#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "config/ini_file.h"
#include "fuzz/roundtrip_checks.h"
#include "support/temp_folder.h"

TEST(IniFile, ReadsWithWindowsRulesAndHostileFilesPassTheFuzzersCheck)
{
    TempFolder folder;
    WriteTextFile(folder.File("T.INI"), "; comment\n[other]\nCloseDays=1\n[solar_data]\n  closedays = 300 days\n"
                                        "Text=\"quoted value\"\nNoDigits=abc\nNegative=-8\nLong=0123456789\n");
    IniFile ini(folder.File("T.INI"));
    for (const auto& [section, key, fallback, value] :
         {std::tuple{"SOLAR_DATA", "CloseDays", 252, 300}, {"SOLAR_DATA", "Missing", 252, 252},
          {"SOLAR_DATA", "NoDigits", 5, 0}, {"SOLAR_DATA", "Negative", 0, -8}, {"NOSECTION", "CloseDays", 7, 7}})
        EXPECT_EQ(ini.ReadInt(section, key, fallback), value) << key;
    EXPECT_EQ(ini.ReadText("SOLAR_DATA", "Text", "", 62) + "|" + ini.ReadText("SOLAR_DATA", "Long", "", 4) + "|" +
                  ini.ReadText("SOLAR_DATA", "Missing", "toolong", 3), "quoted value|0123|too");
    // Inputs the INI fuzzer once found failing, and a few by hand, through its check.
    std::vector<std::string> cases = {
        "[SOLAR_DATA\nPanDays=1\n[SOLAR_DATA]\nPanDays = 5 \n[solar_data]\nPanDays=9\n",
        "PanDays=3\n[SOLAR_DATA]\n; PanDays=4\n=\n[]\nCloseDays=\"\n", "[SOLAR_DATA]\rPanDays=2\rVersion=x\r",
        std::string("[SOLAR_DATA]\nPhrase2=a\0b\nBackground=99999999999999999999\n", 51)};
    for (const auto& entry : std::filesystem::directory_iterator(SKYLOG_TEST_DATA_DIR "/config/fuzz_crashes"))
        cases.push_back(ReadTextFile(entry.path().string()));
    for (const std::string& text : cases)
        EXPECT_EQ(CheckIniRoundTrip(text, folder.Path()), "") << testing::PrintToString(text);
}

TEST(IniFile, WritesKeepEverythingElse)
{
    TempFolder folder;
    const std::string path = folder.File("T.INI");
    const std::string before = "\xEF\xBB\xBF[Window]\r\nx=1\r\n\r\n[SOLAR_DATA]\r\n# keep me\r\n"
                               "Unknown=stays\r\ncloseDAYS=100\r\n\r\n[Tail]\r\ny=2\r\n";
    WriteTextFile(path, before);
    EXPECT_EQ(IniReadInt(path, "window", "X", 0), 1);  // the byte-order mark hides nothing
    ASSERT_TRUE(IniWriteText(path, "solar_data", "CloseDays", "200"));
    ASSERT_TRUE(IniWriteText(path, "SOLAR_DATA", "NewKey", "new value"));
    // In place; a new key after the section's last entry; the mark, comments and line ends kept.
    std::string expected = before;
    EXPECT_EQ(ReadTextFile(path), expected.replace(expected.find("closeDAYS=100"), 13,
                                                   "closeDAYS=200\r\nNewKey=new value"));
    const std::string fresh = folder.File("sub.INI");  // file and section are created
    ASSERT_TRUE(IniWriteText(fresh, "SOLAR_DATA", "Version", "v"));
    ASSERT_TRUE(IniWriteText(fresh, "SOLAR_DATA", "Phrase1", "A\nEvil=1"));  // no second key sneaks in
    EXPECT_EQ(ReadTextFile(fresh), "[SOLAR_DATA]\nVersion=v\nPhrase1=A\n");
    EXPECT_FALSE(IniWriteText(folder.File("no/x.ini"), "S", "k", "v"));
}
