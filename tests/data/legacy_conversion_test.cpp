#include <gtest/gtest.h>

#include "data/data_file.h"
#include "data/legacy_conversion.h"
#include "support/data_state.h"
#include "support/scripted_prompt.h"
#include "support/temp_folder.h"

class ConversionTest : public ::testing::Test {
protected:
    TempFolder folder;
    ScriptedPrompt prompt;
    std::string path = folder.File("GRAPH.DAT");
    const std::string v2 =
        "! SKYLOG Solar Data Plot Version 2 Data File\r\n"
        "! kept comment\r\n"
        "01/01/49    100   150.9\r\n"
        "\r\n"
        "short\r\n"
        "01/01/50    101   151.9\r\n";

    void SetUp() override { ResetDataState(); }
    void TearDown() override { ResetDataState(); }
};

TEST_F(ConversionTest, ConvertsLinesInPlaceAndKeepsCommentsAndLineEnds)
{
    WriteTextFile(path, v2);
    DataFile().path = path;
    ASSERT_EQ(ConvertToVersion3(), 1);
    EXPECT_EQ(ReadTextFile(path),
              "! SKYLOG Solar Data Plot Version 3 Data File\r\n"
              "! kept comment\r\n"
              "01/01/2049  100   150.9\r\n"
              "\r\n"
              "short\r\n"
              "01/01/1950  101   151.9\r\n");
    EXPECT_EQ(ReadTextFile(folder.File("GRAPH.BAK")), v2);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text,
              "Data file converted properly.  Your existing file was copied to\n" +
                  folder.File("GRAPH.BAK"));
    EXPECT_EQ(prompt.messages[0].caption, "DATA FILE CONVERTED");
    EXPECT_EQ(prompt.messages[0].icon, PromptIcon::Information);
    EXPECT_EQ(prompt.waitDepth, 0);
}

TEST_F(ConversionTest, BackupNamesBAKThenB00B01)
{
    EXPECT_EQ(ChooseBackupPath(path), folder.File("GRAPH.BAK"));
    for (const char* expected : {"GRAPH.BAK", "GRAPH.B00", "GRAPH.B01"}) {
        WriteTextFile(path, v2);
        DataFile().path = path;
        ASSERT_EQ(ConvertToVersion3(), 1);
        EXPECT_EQ(ReadTextFile(folder.File(expected)), v2) << expected;
    }
    // A dot in a folder name is not the file's extension.
    EXPECT_EQ(ReplaceExtension("/home/x.y/GRAPH", "BAK"), "/home/x.y/GRAPH.BAK");
    EXPECT_EQ(ReplaceExtension("/home/x.y/GRAPH.DAT", "B07"), "/home/x.y/GRAPH.B07");
}

TEST_F(ConversionTest, AllBackupNamesTakenAsksAndNoLeavesFileUntouched)
{
    WriteTextFile(path, v2);
    WriteTextFile(folder.File("GRAPH.BAK"), "x");
    for (int i = 0; i < 100; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "GRAPH.B%02d", i);
        WriteTextFile(folder.File(name), "x");
    }
    DataFile().path = path;
    EXPECT_EQ(ConvertToVersion3(), 0);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].caption, "DATA FILE NOT COPIED");
    EXPECT_NE(prompt.messages[0].text.find("all file extensions are in use"), std::string::npos);
    EXPECT_EQ(ReadTextFile(path), v2);

    prompt.answers = {PromptAnswer::Yes};
    EXPECT_EQ(ConvertToVersion3(), 1);
    EXPECT_EQ(ReadTextFile(path).rfind("! SKYLOG Solar Data Plot Version 3", 0), 0u);
}

TEST_F(ConversionTest, ReaderOffersConversionAndHelpKeepsTheQuestionOpen)
{
    WriteTextFile(path, v2);
    DataFile().path = path;
    prompt.conversionChoices = {ConversionChoice::Help, ConversionChoice::Convert};
    ASSERT_EQ(ReadDataFile(), ReadOutcome::Read);
    EXPECT_EQ(prompt.helpKeywords, std::vector<std::string>{"File Format Conversion"});
    EXPECT_EQ(prompt.conversionQuestions, 2);
    EXPECT_TRUE(DataFile().version3);
    ASSERT_EQ(Records().RecordCount(), 2);
    EXPECT_EQ(Records().At(0).GetDate(), "01/01/2049");

    // Refusing leaves the file byte for byte and makes no backup.
    const std::string other = folder.File("OTHER.DAT");
    WriteTextFile(other, v2);
    DataFile().path = other;
    prompt.conversionChoices = {ConversionChoice::DoNotConvert};
    ASSERT_EQ(ReadDataFile(), ReadOutcome::Read);
    EXPECT_EQ(ReadTextFile(other), v2);
    EXPECT_FALSE(PathExists(folder.File("OTHER.BAK")));
}

TEST_F(ConversionTest, CopyDataFileResults)
{
    WriteTextFile(path, std::string(5000, 'a'));
    EXPECT_EQ(CopyDataFile(path, folder.File("COPY")), 0);
    EXPECT_EQ(ReadTextFile(folder.File("COPY")), std::string(5000, 'a'));
    EXPECT_EQ(CopyDataFile(folder.File("NONE"), folder.File("COPY2")), 1);
    EXPECT_EQ(CopyDataFile(path, folder.File("no/folder/COPY")), 2);
}
