#include <gtest/gtest.h>

#include <filesystem>

#include "data/data_file.h"
#include "support/data_state.h"
#include "support/scripted_prompt.h"
#include "support/temp_folder.h"

namespace {

const std::string V3Header = "! SKYLOG Solar Data Plot Version 3 Data File";
const std::string V2Header = "! SKYLOG Solar Data Plot Version 2 Data File";

std::string Lines(std::initializer_list<std::string> lines, const std::string& eol = "\n")
{
    std::string text;
    for (const std::string& line : lines)
        text += line + eol;
    return text;
}

}  // namespace

class DataFileTest : public ::testing::Test {
protected:
    TempFolder folder;
    ScriptedPrompt prompt;
    std::string path = folder.File("GRAPH.DAT");

    void SetUp() override { ResetDataState(); }
    void TearDown() override { ResetDataState(); }

    ReadOutcome Read(const std::string& text)
    {
        WriteTextFile(path, text);
        DataFile().path = path;
        return ReadDataFile();
    }
};

TEST_F(DataFileTest, Version3RoundTripKeepsValuesAndWritesTheFixedLayout)
{
    AddRecord("01/15/2002", 123, 203.46);
    AddRecord("01/16/2002", 7, 68.0);
    AddRecord("01/17/2002", 1000, 1203.25);
    Records().SetDataChanged(1);
    DataFile().path = path;
    ASSERT_TRUE(WriteDataFile());
    EXPECT_EQ(Records().DataChanged(), 0);

    const std::string text = ReadTextFile(path);
    EXPECT_EQ(text.rfind(V3Header + "\n!----", 0), 0u);
    EXPECT_NE(text.find("\n! 73's es GL de SKYLOG ..... 11/94\n"), std::string::npos);
    EXPECT_NE(text.find("\n01/15/2002  123   203.5\n01/16/2002    7    68.0\n"), std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 20 + 3);
    EXPECT_EQ(text.find('\r'), std::string::npos);

    Records().FreeRecords();
    ASSERT_EQ(ReadDataFile(), ReadOutcome::Read);
    ASSERT_EQ(Records().RecordCount(), 3);
    EXPECT_EQ(Records().At(0).GetDate(), "01/15/2002");
    EXPECT_EQ(Records().At(0).m_sunspots, 123);
    EXPECT_DOUBLE_EQ(Records().At(0).m_flux, 203.5);
    EXPECT_EQ(Records().At(2).m_sunspots, 1000);
    EXPECT_DOUBLE_EQ(Records().At(2).m_flux, 1203.2);  // 1203.25 is stored just below
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(DataFileTest, LineRulesCommentsShortLinesAndIndentedLines)
{
    const std::string file = Lines({
        V3Header,
        "! a comment 01/01/2000  999   999.9",
        "01/01/2000  100   150.9",  // 23 characters: a data line
        "01/02/2000  100  150.9",   // 22 characters: too short
        "",
        "  xx/xx/xx    0     0.0",
        "01/03/2000 abc   def   ",
        "01/04/2000  55x   77.7xyz",
        "! another comment",
        "01/05/2000  42   1e400  ",
    });
    ASSERT_EQ(Read(file), ReadOutcome::Read);
    ASSERT_EQ(Records().RecordCount(), 5);
    EXPECT_EQ(Records().At(0).GetDate(), "01/01/2000");
    EXPECT_DOUBLE_EQ(Records().At(0).m_flux, 150.9);
    EXPECT_EQ(Records().At(1).GetDate(), "");  // everything before the first blank
    EXPECT_EQ(Records().At(1).m_sunspots, 0);
    EXPECT_EQ(Records().At(2).m_sunspots, 0);  // no number: 0
    EXPECT_EQ(Records().At(3).m_sunspots, 55);
    EXPECT_DOUBLE_EQ(Records().At(3).m_flux, 77.7);
    EXPECT_DOUBLE_EQ(Records().At(4).m_flux, 0.0);  // out of range reads as no number

    // The file's own comments follow the fixed comment block.
    Records().SetDataChanged(1);
    ASSERT_TRUE(WriteDataFile());
    const std::string text = ReadTextFile(path);
    EXPECT_NE(text.find("11/94\n!------"
                        "---------------------------------------------------------------------\n"
                        "! a comment 01/01/2000  999   999.9\n! another comment\n"),
              std::string::npos)
        << text;
}

TEST_F(DataFileTest, CrlfFilesAreReadWholeAndStayCrlf)
{
    ASSERT_EQ(Read(Lines({V3Header, "01/01/2000  100   150.9", "01/02/2000  101    15.5"}, "\r\n")),
              ReadOutcome::Read);
    ASSERT_EQ(Records().RecordCount(), 2);
    EXPECT_DOUBLE_EQ(Records().At(1).m_flux, 15.5);  // line break stripped whole
    ASSERT_TRUE(WriteDataFile());
    const std::string text = ReadTextFile(path);
    EXPECT_NE(text.find("\r\n01/02/2000  101    15.5\r\n"), std::string::npos);
    EXPECT_EQ(text.find("\n"), text.find("\r\n") + 1);  // no bare line feeds

    // A file never read is written with line feeds.
    ResetDataState();
    AddRecord("01/01/2000", 1, 1.0);
    DataFile().path = folder.File("NEW.DAT");
    ASSERT_TRUE(WriteDataFile());
    EXPECT_EQ(ReadTextFile(DataFile().path).find('\r'), std::string::npos);
}

TEST_F(DataFileTest, LastLineWithoutLineBreakIsKeptWhole)
{
    ASSERT_EQ(Read(V3Header + "\n01/01/2000  100   150.9"), ReadOutcome::Read);
    ASSERT_EQ(Records().RecordCount(), 1);
    EXPECT_DOUBLE_EQ(Records().At(0).m_flux, 150.9);
}

TEST_F(DataFileTest, Version2IsReadWithCenturyRuleAndWrittenBackAsVersion2)
{
    const std::string file = Lines({V2Header, "01/01/00    100   150.9", "01/01/49    101   151.0",
                                    "01/01/50    102   152.0", "12/31/99    103   153.0"},
                                   "\r\n");
    ASSERT_EQ(Read(file), ReadOutcome::Read);
    EXPECT_EQ(prompt.conversionQuestions, 1);
    EXPECT_FALSE(DataFile().version3);
    ASSERT_EQ(Records().RecordCount(), 4);
    EXPECT_EQ(Records().At(0).GetDate(), "01/01/2000");
    EXPECT_EQ(Records().At(1).GetDate(), "01/01/2049");
    EXPECT_EQ(Records().At(2).GetDate(), "01/01/1950");
    EXPECT_EQ(Records().At(3).GetDate(), "12/31/1999");
    EXPECT_FALSE(PathExists(folder.File("GRAPH.BAK")));

    ASSERT_TRUE(WriteDataFile());
    const std::string text = ReadTextFile(path);
    EXPECT_EQ(text.rfind(V2Header + "\r\n", 0), 0u);
    EXPECT_NE(text.find("\r\n01/01/00    100   150.9\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n12/31/99    103   153.0\r\n"), std::string::npos);

    // A version 3 file read afterwards is version 3 again.
    ASSERT_EQ(Read(Lines({V3Header, "01/01/2000  100   150.9"})), ReadOutcome::Read);
    EXPECT_TRUE(DataFile().version3);
}

TEST_F(DataFileTest, OpenFailureForgetsThePath)
{
    bool finished = true;
    DataFileNotifications().loadFinished.push_back([&](bool read) { finished = read; });
    DataFile().path = folder.File("MISSING.DAT");
    EXPECT_EQ(ReadDataFile(), ReadOutcome::OpenFailed);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text, "Could Not Open Data File\n" + folder.File("MISSING.DAT"));
    EXPECT_EQ(prompt.messages[0].caption, "ReadData");
    EXPECT_EQ(prompt.messages[0].icon, PromptIcon::Stop);
    EXPECT_TRUE(DataFile().path.empty());
    EXPECT_FALSE(finished);
}

TEST_F(DataFileTest, UnknownHeaderDeclinedLeavesFileAndForgetsPath)
{
    const std::string file = Lines({"01/01/99    100   150.9", "01/02/99    101   151.9"});
    prompt.answers = {PromptAnswer::No};
    EXPECT_EQ(Read(file), ReadOutcome::Refused);
    EXPECT_EQ(prompt.Captions(), (std::vector<std::string>{"INCORRECT FILE", "INCORRECT FILE"}));
    EXPECT_EQ(prompt.messages[1].text.rfind("Unable To Read Data File\n\n", 0), 0u);
    EXPECT_EQ(ReadTextFile(path), file);
    EXPECT_TRUE(DataFile().path.empty());
    EXPECT_EQ(Records().RecordCount(), 0);
    // A save now has nowhere to go, so the refused file cannot be overwritten.
    EXPECT_FALSE(WriteDataFile());
    EXPECT_EQ(ReadTextFile(path), file);
}

TEST_F(DataFileTest, UnknownHeaderAcceptedIsConvertedWithBackup)
{
    const std::string file = Lines({"01/01/99    100   150.9", "01/02/00    101   151.9"});
    prompt.answers = {PromptAnswer::Yes};
    ASSERT_EQ(Read(file), ReadOutcome::Read);
    EXPECT_TRUE(DataFile().version3);
    ASSERT_EQ(Records().RecordCount(), 2);
    EXPECT_EQ(Records().At(0).GetDate(), "01/01/1999");
    EXPECT_EQ(Records().At(1).GetDate(), "01/02/2000");
    // The backup already carries the version 2 header.
    EXPECT_EQ(ReadTextFile(folder.File("GRAPH.BAK")), V2Header + "\n" + file);
    EXPECT_EQ(ReadTextFile(path), Lines({V3Header, "01/01/1999  100   150.9", "01/02/2000  101   151.9"}));
}

TEST_F(DataFileTest, StaggerKeepsEveryNthDataLineAroundTheDay)
{
    std::vector<std::string> lines = {V3Header};
    for (int i = 1; i <= 40; ++i) {
        char line[64];
        std::snprintf(line, sizeof line, "01/%02d/2000  %3d   100.0", i <= 31 ? i : i - 31, i);
        if (i > 31)
            line[1] = '2';
        lines.push_back(line);
        if (i == 5)
            lines.push_back("! comments do not count");
    }
    std::string file;
    for (auto& l : lines)
        file += l + "\n";
    Stagger().enabled = 1;
    Stagger().interval = 7;
    Stagger().day = "01/30/2000";
    ASSERT_EQ(Read(file), ReadOutcome::Read);
    std::vector<int> kept;
    for (int i = 0; i < Records().RecordCount(); ++i)
        kept.push_back(Records().At(i).m_sunspots);
    EXPECT_EQ(kept, (std::vector<int>{2, 9, 16, 23, 30, 37}));

    Stagger().day = "05/05/2005";
    ASSERT_EQ(Read(file), ReadOutcome::Read);
    EXPECT_EQ(Records().RecordCount(), 40);
    EXPECT_EQ(Stagger().enabled, 0);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].caption, "Day Not Found");
    EXPECT_EQ(prompt.messages[0].icon, PromptIcon::Exclamation);
}

TEST_F(DataFileTest, FailedWriteReportsAndKeepsEverything)
{
    AddRecord("01/01/2000", 1, 1.0);
    Records().SetDataChanged(1);
    DataFile().path = folder.File("no/such/folder/GRAPH.DAT");
    EXPECT_FALSE(WriteDataFile());
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text.rfind("Could Not Write Data File\n" + DataFile().path + "\n", 0), 0u);
    EXPECT_NE(prompt.messages[0].text.find("No such file or directory"), std::string::npos);
    EXPECT_EQ(prompt.messages[0].caption, "FILE WRITE ERROR");
    EXPECT_EQ(Records().DataChanged(), 1);

    // The rename over the target fails: nothing of the target changes and no
    // temporary file is left behind.
    std::filesystem::create_directory(folder.File("TARGET.DAT"));
    DataFile().path = folder.File("TARGET.DAT");
    EXPECT_FALSE(WriteDataFile());
    EXPECT_TRUE(std::filesystem::is_directory(DataFile().path));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                            std::filesystem::directory_iterator()),
              1);
    EXPECT_EQ(prompt.waitDepth, 0);

    // Reading another file after a failed save keeps the unsaved records.
    DataFile().path = folder.File("no/such/folder/GRAPH.DAT");
    prompt.answers = {PromptAnswer::Yes};
    EXPECT_EQ(ReadDataFile(), ReadOutcome::SaveFailed);
    EXPECT_EQ(Records().RecordCount(), 1);
    EXPECT_EQ(Records().DataChanged(), 1);
}

TEST_F(DataFileTest, ChangedDataQuestionAndPathNeeded)
{
    AddRecord("01/01/2000", 1, 1.0);
    Records().SetDataChanged(1);
    DataFileNotifications().pathNeeded = [&] { DataFile().path = path; };
    prompt.answers = {PromptAnswer::Yes};
    EXPECT_EQ(ReadDataFile(), ReadOutcome::Read);  // saved to the new path, then read back
    EXPECT_EQ(prompt.messages[0].text, "Data File Has Changed - Do You Want To Save It?");
    EXPECT_EQ(prompt.messages[0].caption, "FILE CHANGED");
    EXPECT_EQ(Records().RecordCount(), 1);
    EXPECT_EQ(Records().DataChanged(), 0);

    // An empty path makes the read a no-op apart from emptying the records.
    DataFile().path.clear();
    EXPECT_EQ(ReadDataFile(), ReadOutcome::NoPath);
    EXPECT_EQ(Records().RecordCount(), 0);
}

TEST_F(DataFileTest, ReadsTheSampleHistory)
{
    DataFile().path = std::string(SKYLOG_SAMPLE_DIR) + "/GRAPH.DAT";
    ASSERT_EQ(ReadDataFile(), ReadOutcome::Read);
    EXPECT_EQ(Records().RecordCount(), 28319);
    EXPECT_EQ(Records().At(0).GetDate(), "02/14/1947");
    EXPECT_EQ(Records().At(28318).GetDate(), "06/30/2026");
    EXPECT_EQ(SkippedDataLines(), 0);
}
