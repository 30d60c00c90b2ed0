#include <gtest/gtest.h>

#include "config/ini_file.h"
#include "support/temp_folder.h"

TEST(IniFile, ReadsWithWindowsRules)
{
    TempFolder folder;
    const std::string path = folder.File("T.INI");
    WriteTextFile(path,
                  "; leading comment\n"
                  "[other]\n"
                  "CloseDays=1\n"
                  "[solar_data]\n"
                  "  closedays = 300 days\n"
                  "Text=\"quoted value\"\n"
                  "NoDigits=abc\n"
                  "Negative=-8\n"
                  "Long=0123456789\n");
    IniFile ini(path);
    EXPECT_EQ(ini.ReadInt("SOLAR_DATA", "CloseDays", 252), 300);
    EXPECT_EQ(ini.ReadInt("SOLAR_DATA", "Missing", 252), 252);
    EXPECT_EQ(ini.ReadInt("SOLAR_DATA", "NoDigits", 5), 0);
    EXPECT_EQ(ini.ReadInt("SOLAR_DATA", "Negative", 0), -8);
    EXPECT_EQ(ini.ReadInt("NOSECTION", "CloseDays", 7), 7);
    EXPECT_EQ(ini.ReadText("SOLAR_DATA", "Text", "", 62), "quoted value");
    EXPECT_EQ(ini.ReadText("SOLAR_DATA", "Long", "", 4), "0123");
    EXPECT_EQ(ini.ReadText("SOLAR_DATA", "Missing", "dflt", 62), "dflt");
    EXPECT_EQ(ini.ReadText("SOLAR_DATA", "Missing", "toolong", 3), "too");
}

TEST(IniFile, WritesKeepEverythingElse)
{
    TempFolder folder;
    const std::string path = folder.File("T.INI");
    const std::string before =
        "; my notes\r\n"
        "[Window]\r\n"
        "x=1\r\n"
        "\r\n"
        "[SOLAR_DATA]\r\n"
        "# keep me\r\n"
        "Unknown=stays\r\n"
        "closeDAYS=100\r\n"
        "\r\n"
        "[Tail]\r\n"
        "y=2\r\n";
    WriteTextFile(path, before);
    ASSERT_TRUE(IniWriteText(path, "solar_data", "CloseDays", "200"));
    ASSERT_TRUE(IniWriteText(path, "SOLAR_DATA", "NewKey", "new value"));
    EXPECT_EQ(ReadTextFile(path),
              "; my notes\r\n"
              "[Window]\r\n"
              "x=1\r\n"
              "\r\n"
              "[SOLAR_DATA]\r\n"
              "# keep me\r\n"
              "Unknown=stays\r\n"
              "closeDAYS=200\r\n"
              "NewKey=new value\r\n"
              "\r\n"
              "[Tail]\r\n"
              "y=2\r\n");
    EXPECT_EQ(IniReadText(path, "SOLAR_DATA", "NEWKEY", "", 62), "new value");

    // A missing file and section are created.
    const std::string fresh = folder.File("sub.INI");
    ASSERT_TRUE(IniWriteText(fresh, "SOLAR_DATA", "Version", "v"));
    EXPECT_EQ(ReadTextFile(fresh), "[SOLAR_DATA]\nVersion=v\n");
    // A line break cannot sneak a second key in.
    ASSERT_TRUE(IniWriteText(fresh, "SOLAR_DATA", "Phrase1", "A\nEvil=1"));
    EXPECT_EQ(IniReadText(fresh, "SOLAR_DATA", "Evil", "none", 62), "none");
    // Nothing is written where the folder is missing.
    EXPECT_FALSE(IniWriteText(folder.File("no/x.ini"), "S", "k", "v"));
}

TEST(IniFile, AByteOrderMarkHidesNothingAndIsKept)
{
    TempFolder folder;
    const std::string path = folder.File("BOM.INI");
    WriteTextFile(path, "\xEF\xBB\xBF[SOLAR_DATA]\r\nCloseDays=300\r\n");
    IniFile ini(path);
    EXPECT_EQ(ini.ReadInt("SOLAR_DATA", "CloseDays", 252), 300);
    ini.Write("SOLAR_DATA", "PanDays", "7");
    ASSERT_TRUE(ini.Save());
    // One section still, the new key in it, the mark where it was.
    EXPECT_EQ(ReadTextFile(path), "\xEF\xBB\xBF[SOLAR_DATA]\r\nCloseDays=300\r\nPanDays=7\r\n");
}
