// The data file keeps every day it holds: hand-typed dates, other line ends,
// long comments, malformed lines, links, read-only files, other writers.
#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "data/data_file.h"
#include "data/file_lock.h"
#include "data/text_file.h"
#include "support/data_state.h"
#include "support/scripted_prompt.h"
#include "support/temp_folder.h"

namespace {

const std::string V3Header = "! SKYLOG Solar Data Plot Version 3 Data File";
const std::string V2Header = "! SKYLOG Solar Data Plot Version 2 Data File";

// The data lines of a file, in order.
std::vector<std::string> DataLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = text.find('\n', begin);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(begin, end - begin);
        if (!line.empty() && line[0] != '!')
            lines.push_back(line);
        begin = end + 1;
    }
    return lines;
}

int FilesIn(const std::string& folder)
{
    return static_cast<int>(std::distance(std::filesystem::directory_iterator(folder),
                                          std::filesystem::directory_iterator()));
}

}  // namespace

class DataFileSafetyTest : public ::testing::Test {
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
    bool Save()
    {
        Records().SetDataChanged(1);
        return WriteDataFile();
    }
};

TEST_F(DataFileSafetyTest, HandTypedDatesAreWrittenInTheFileForm)
{
    ASSERT_EQ(Read(V3Header + "\n7/1/2026    100   150.9\n07/02/2026  101   151.0\n"),
              ReadOutcome::Read);
    ASSERT_EQ(Records().RecordCount(), 2);
    EXPECT_EQ(Records().At(0).GetDate(), "07/01/2026");
    // Even a date set in memory by hand is written canonically.
    Records().MutableAt(1).SetDate("7/2/2026");
    ASSERT_TRUE(Save());
    EXPECT_EQ(DataLines(ReadTextFile(path)),
              (std::vector<std::string>{"07/01/2026  100   150.9", "07/02/2026  101   151.0"}));
    ASSERT_EQ(ReadDataFile(), ReadOutcome::Read);
    EXPECT_EQ(Records().At(1).GetDate(), "07/02/2026");
    EXPECT_EQ(Records().At(1).m_sunspots, 101);
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(DataFileSafetyTest, UnreadableDatesAreReportedAndNeverReadBackAsOtherDays)
{
    AddRecord("07/01/2026", 100, 150.9);
    AddRecord("xx/xx/xx", 0, 0.0);
    AddRecord("13/45/2026", 77, 88.0);
    DataFile().path = path;
    ASSERT_TRUE(Save());
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].caption, "INCORRECT DATE");
    EXPECT_NE(prompt.messages[0].text.find("2 days have a date"), std::string::npos);
    EXPECT_NE(prompt.messages[0].text.find("\"xx/xx/xx\" (day 2)"), std::string::npos);
    EXPECT_EQ(DataLines(ReadTextFile(path)), (std::vector<std::string>{"07/01/2026  100   150.9"}));

    // Read back: one day; the two others are comment lines that stay in the file.
    ASSERT_EQ(ReadDataFile(), ReadOutcome::Read);
    ASSERT_EQ(Records().RecordCount(), 1);
    ASSERT_TRUE(Save());
    const std::string text = ReadTextFile(path);
    EXPECT_NE(text.find("\n! UNREADABLE DATE: xx/xx/xx  " ), std::string::npos) << text;
    EXPECT_NE(text.find("\n! UNREADABLE DATE: 13/45/2026   77    88.0\n"), std::string::npos);
}

TEST_F(DataFileSafetyTest, Version2CannotHoldYearsOutsideItsCentury)
{
    ASSERT_EQ(Read(V2Header + "\n01/01/99    100   150.9\n"), ReadOutcome::Read);
    ASSERT_FALSE(DataFile().version3);
    AddRecord("02/14/1947", 10, 90.0);  // two digits would read back as 2047
    ASSERT_TRUE(Save());
    EXPECT_EQ(DataLines(ReadTextFile(path)), (std::vector<std::string>{"01/01/99    100   150.9"}));
    EXPECT_NE(ReadTextFile(path).find("! UNREADABLE DATE: 02/14/1947"), std::string::npos);
    EXPECT_NE(prompt.messages.at(0).text.find("two-digit year"), std::string::npos);
}

TEST_F(DataFileSafetyTest, CarriageReturnOnlyLinesAreLines)
{
    ASSERT_EQ(Read(V3Header + "\r01/01/2000  100   150.9\r! note\r01/02/2000  101    15.5"),
              ReadOutcome::Read);
    ASSERT_EQ(Records().RecordCount(), 2);
    EXPECT_DOUBLE_EQ(Records().At(1).m_flux, 15.5);
    ASSERT_TRUE(Save());
    const std::string text = ReadTextFile(path);
    EXPECT_EQ(DataLines(text),
              (std::vector<std::string>{"01/01/2000  100   150.9", "01/02/2000  101    15.5"}));
    EXPECT_NE(text.find("\n! note\n"), std::string::npos);
}

TEST_F(DataFileSafetyTest, LinesOfAnyLengthAreReadWhole)
{
    // A CR LF split across the reader's 64 KiB blocks, then a long comment.
    const std::string comment = "! " + std::string(70000, 'c');
    std::string text = V3Header + "\r\n" + std::string(65536 - V3Header.size() - 2 - 24, '!') +
                       "\r\n01/01/2000  100   150.9\r\n" + comment + "\r\n01/02/2000  101   151.0\r\n";
    ASSERT_EQ(Read(text), ReadOutcome::Read);
    ASSERT_EQ(Records().RecordCount(), 2);  // no phantom day from the comment's tail
    EXPECT_EQ(SkippedDataLines(), 0);
    ASSERT_TRUE(Save());
    const std::string saved = ReadTextFile(path);
    EXPECT_NE(saved.find("\r\n" + comment + "\r\n"), std::string::npos);
    EXPECT_EQ(DataLines(saved).size(), 2u);
}

TEST_F(DataFileSafetyTest, MalformedLinesAreAnnouncedAndBackedUpBeforeTheFirstSave)
{
    const std::string original = V3Header + "\n! Source: hand-kept log\n01/01/2000  100   150.9\n"
                                            "01/02/2000  1o0   150.9\n"  // leading number 1: kept
                                            "01/03/2000 1001   150.9\n"
                                            "01/04/2000   10   3000000000.0\n"
                                            "01/05/2000   -1   150.9\n"
                                            "01/06/2000   10   -10.5\n";
    ASSERT_EQ(Read(original), ReadOutcome::Read);
    EXPECT_EQ(Records().RecordCount(), 2);
    EXPECT_EQ(SkippedDataLines(), 4);
    ReportLinesNotKept();
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].caption, "DATA FILE");
    EXPECT_EQ(prompt.messages[0].text.rfind("4 lines of the data file\n" + path + "\nare not valid", 0), 0u);
    EXPECT_NE(prompt.messages[0].text.find(folder.File("GRAPH.BAK")), std::string::npos);

    ASSERT_TRUE(Save());
    EXPECT_EQ(ReadTextFile(folder.File("GRAPH.BAK")), original);
    EXPECT_NE(ReadTextFile(path).find("! Source: hand-kept log\n01/01/2000"), std::string::npos);
    // Only the first save makes a copy.
    ASSERT_TRUE(Save());
    EXPECT_FALSE(PathExists(folder.File("GRAPH.B00")));

    // A file whose every line is kept gets neither notice nor copy.
    std::filesystem::remove(folder.File("GRAPH.BAK"));
    prompt.messages.clear();
    ASSERT_EQ(ReadDataFile(), ReadOutcome::Read);
    ReportLinesNotKept();
    ASSERT_TRUE(Save());
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_FALSE(PathExists(folder.File("GRAPH.BAK")));
}

TEST_F(DataFileSafetyTest, NoBackupMeansNoSaveUnlessTheUserSaysSo)
{
    const std::string original = V3Header + "\n01/01/2000  100   150.9\n01/02/2000 5000   150.9\n";
    ASSERT_EQ(Read(original), ReadOutcome::Read);
    chmod(folder.Path().c_str(), 0555);
    // Root ignores folder permissions; take every backup name instead.
    for (const std::string ext : {"BAK"})
        WriteTextFile(folder.File("GRAPH." + ext), "x");
    for (int i = 0; i < 100; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "GRAPH.B%02d", i);
        WriteTextFile(folder.File(name), "x");
    }
    chmod(folder.Path().c_str(), 0755);
    EXPECT_FALSE(Save());
    EXPECT_EQ(prompt.messages.back().caption, "DATA FILE NOT COPIED");
    EXPECT_EQ(prompt.messages.back().buttons, PromptButtons::YesNoDefaultNo);
    EXPECT_EQ(ReadTextFile(path), original);
    prompt.answers = {PromptAnswer::Yes};
    EXPECT_TRUE(Save());
}

TEST_F(DataFileSafetyTest, BinaryFilesAreRefusedWithoutTheUpdateOffer)
{
    const std::string png("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x10", 20);
    prompt.answers = {PromptAnswer::Yes};  // would convert, were it asked
    EXPECT_EQ(Read(png + std::string(100, 'x')), ReadOutcome::Refused);
    EXPECT_EQ(prompt.Captions(), std::vector<std::string>{"INCORRECT FILE"});
    EXPECT_EQ(prompt.messages[0].text.rfind("Unable To Read Data File\n\n", 0), 0u);
    EXPECT_EQ(ReadTextFile(path), png + std::string(100, 'x'));
    EXPECT_TRUE(DataFile().path.empty());

    // A data file with a NUL in the middle is refused as well.
    prompt.messages.clear();
    EXPECT_EQ(Read(V3Header + "\n01/01/2000  100   150.9\n01/02/2000  1" + std::string(1, '\0') +
                   "0   150.9\n"),
              ReadOutcome::Refused);

    // A text file without a header is still offered the update, with No as default.
    EXPECT_EQ(prompt.answers.size(), 1u);  // nothing was asked so far
    prompt.answers.clear();
    prompt.messages.clear();
    EXPECT_EQ(Read("some notes\n"), ReadOutcome::Refused);
    ASSERT_EQ(prompt.messages.size(), 2u);
    EXPECT_EQ(prompt.messages[0].buttons, PromptButtons::YesNoDefaultNo);
}

TEST_F(DataFileSafetyTest, FifosAndFoldersAreRefusedBeforeTheyAreOpened)
{
    const std::string fifo = folder.File("PIPE.DAT");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    DataFile().path = fifo;
    EXPECT_EQ(ReadDataFile(), ReadOutcome::ReadFailed);  // returns: opening did not block
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text.rfind("Unable To Read Data File\n" + fifo, 0), 0u);
    EXPECT_TRUE(DataFile().path.empty());

    DataFile().path = folder.Path();
    EXPECT_EQ(ReadDataFile(), ReadOutcome::ReadFailed);
    EXPECT_EQ(Records().RecordCount(), 0);
}

TEST_F(DataFileSafetyTest, ChangesOnDiskSinceTheReadAreNotOverwrittenUnasked)
{
    ASSERT_EQ(Read(V3Header + "\n01/01/2000  100   150.9\n"), ReadOutcome::Read);
    AddRecord("01/02/2000", 101, 151.0);
    // Another program (a scheduled import) adds a day meanwhile.
    const std::string theirs = V3Header + "\n01/01/2000  100   150.9\n01/03/2000  102   152.0\n";
    WriteTextFile(folder.File("OTHER.TMP"), theirs);
    std::filesystem::rename(folder.File("OTHER.TMP"), path);

    EXPECT_FALSE(Save());  // the question is answered No
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].caption, "FILE CHANGED");
    EXPECT_EQ(prompt.messages[0].buttons, PromptButtons::YesNoDefaultNo);
    EXPECT_EQ(ReadTextFile(path), theirs);
    EXPECT_EQ(Records().DataChanged(), 1);

    prompt.answers = {PromptAnswer::Yes};
    EXPECT_TRUE(Save());
    EXPECT_EQ(DataLines(ReadTextFile(path)).size(), 2u);
    // Our own save is not another program's change.
    EXPECT_TRUE(Save());
    EXPECT_EQ(prompt.messages.size(), 2u);
}

TEST_F(DataFileSafetyTest, SavesWaitForAnotherProcessHoldingTheLock)
{
    int toParent[2];
    ASSERT_EQ(pipe(toParent), 0);
    const pid_t child = fork();
    if (child == 0) {
        {
            DataFileLock lock(path, 5);
            char ready = lock.IsHeld() ? 'y' : 'n';
            if (write(toParent[1], &ready, 1) != 1)
                _exit(2);
            usleep(400 * 1000);
        }
        _exit(0);
    }
    char ready = 0;
    ASSERT_EQ(read(toParent[0], &ready, 1), 1);
    ASSERT_EQ(ready, 'y');
    {
        DataFileLock tooShort(path, 0);
        EXPECT_FALSE(tooShort.IsHeld());
    }
    const auto start = std::chrono::steady_clock::now();
    AddRecord("01/01/2000", 100, 150.9);
    DataFile().path = path;
    EXPECT_TRUE(Save());
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    close(toParent[0]);
    close(toParent[1]);
}

TEST_F(DataFileSafetyTest, SymbolicLinksHardLinksAndReadOnlyFiles)
{
    std::filesystem::create_directory(folder.File("real"));
    const std::string real = folder.File("real/SUN.DAT");
    WriteTextFile(real, V3Header + "\n01/01/2000  100   150.9\n");
    chmod(real.c_str(), 0640);
    std::filesystem::create_symlink("real/SUN.DAT", path);
    DataFile().path = path;
    ASSERT_EQ(ReadDataFile(), ReadOutcome::Read);
    AddRecord("01/02/2000", 101, 151.0);
    ASSERT_TRUE(Save());
    EXPECT_TRUE(std::filesystem::is_symlink(path));
    EXPECT_EQ(DataLines(ReadTextFile(real)).size(), 2u);
    struct stat info {};
    stat(real.c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(FilesIn(folder.File("real")), 1);  // nothing left beside the real file
    if (geteuid() == 0) {
        // Saved by root (a system-wide install), the file stays the user's.
        ASSERT_EQ(chown(real.c_str(), 4321, 4321), 0);
        ASSERT_TRUE(Save());
        stat(real.c_str(), &info);
        EXPECT_EQ(info.st_uid, 4321u);
        EXPECT_EQ(info.st_gid, 4321u);
    }

    // A second name of the same file sees the save.
    const std::string second = folder.File("SECOND.DAT");
    std::filesystem::create_hard_link(real, second);
    AddRecord("01/03/2000", 102, 152.0);
    ASSERT_TRUE(Save());
    EXPECT_EQ(DataLines(ReadTextFile(second)).size(), 3u);
    EXPECT_EQ(ReadTextFile(second), ReadTextFile(real));

    // A read-only file is refused with the reason, even for root.
    chmod(real.c_str(), 0444);
    const std::string before = ReadTextFile(real);
    EXPECT_FALSE(Save());
    EXPECT_EQ(prompt.messages.back().text,
              "Could Not Write Data File\n" + path + "\nthe file is read-only");
    EXPECT_EQ(ReadTextFile(real), before);
    EXPECT_EQ(Records().DataChanged(), 1);
}

TEST_F(DataFileSafetyTest, StaleTemporaryFilesOfOurOwnAreRemoved)
{
    AddRecord("01/01/2000", 100, 150.9);
    DataFile().path = path;
    WriteTextFile(path + ".skylog-Ab12Cd", "half a file");  // a crashed save
    WriteTextFile(path + ".backup", "the user's");           // not ours
    WriteTextFile(path + ".skylog-notes.txt", "not ours either");
    ASSERT_TRUE(Save());
    EXPECT_FALSE(PathExists(path + ".skylog-Ab12Cd"));
    EXPECT_TRUE(PathExists(path + ".backup"));
    EXPECT_TRUE(PathExists(path + ".skylog-notes.txt"));
}

TEST_F(DataFileSafetyTest, NothingIsLeftOfAFailedRead)
{
    // The reader's read errors come from the file system; a file that turns
    // into something else between the two passes stands in for one here.
    ASSERT_EQ(Read(V3Header + "\n01/01/2000  100   150.9\n"), ReadOutcome::Read);
    LineReader reader(folder.Path());
    EXPECT_EQ(reader.Status(), OpenStatus::NotRegular);
    EXPECT_FALSE(reader.IsOpen());
}

TEST_F(DataFileSafetyTest, TheSamplesSourceAndLicenceNotesSurviveASave)
{
    const std::string sample = ReadTextFile(std::string(SKYLOG_SAMPLE_DIR) + "/GRAPH.DAT");
    ASSERT_EQ(Read(sample), ReadOutcome::Read);
    ASSERT_TRUE(Save());
    const std::string saved = ReadTextFile(path);
    std::size_t begin = sample.find('\n') + 1;
    int notes = 0;
    while (sample.compare(begin, 2, "! ") == 0 || sample.compare(begin, 2, "!-") == 0) {
        const std::size_t end = sample.find('\n', begin);
        EXPECT_NE(saved.find(sample.substr(begin, end - begin + 1)), std::string::npos)
            << sample.substr(begin, end - begin);
        notes += sample.compare(begin, 2, "! ") == 0 ? 1 : 0;
        begin = end + 1;
    }
    EXPECT_EQ(notes, 10);
    EXPECT_EQ(DataLines(saved), DataLines(sample));  // and every day as it was
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(DataFileSafetyTest, SavingAStaggerPlotOverItsFileIsAskedFirst)
{
    std::string file = V3Header + "\n";
    for (int day = 1; day <= 28; ++day) {
        char line[32];
        std::snprintf(line, sizeof line, "02/%02d/2000  %3d   100.0\n", day, day);
        file += line;
    }
    Stagger().enabled = 1;
    Stagger().interval = 7;
    Stagger().day = "02/01/2000";
    ASSERT_EQ(Read(file), ReadOutcome::Read);
    ASSERT_EQ(Records().RecordCount(), 4);
    EXPECT_FALSE(Save());
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].caption, "STAGGER PLOT");
    EXPECT_NE(prompt.messages[0].text.find("keeps the 4 days shown and drops the other 24"),
              std::string::npos);
    EXPECT_EQ(prompt.messages[0].buttons, PromptButtons::YesNoDefaultNo);
    EXPECT_EQ(ReadTextFile(path), file);

    // Another file is no loss; Yes keeps a copy of the whole file first.
    DataFile().path = folder.File("FOUR.DAT");
    EXPECT_TRUE(Save());
    DataFile().path = path;
    prompt.answers = {PromptAnswer::Yes};
    EXPECT_TRUE(Save());
    EXPECT_EQ(prompt.Captions(), (std::vector<std::string>{"STAGGER PLOT", "STAGGER PLOT"}));
    EXPECT_EQ(ReadTextFile(folder.File("GRAPH.BAK")), file);
    EXPECT_EQ(DataLines(ReadTextFile(path)).size(), 4u);
    EXPECT_TRUE(Save());  // nothing more to lose
    EXPECT_EQ(prompt.messages.size(), 2u);
}
