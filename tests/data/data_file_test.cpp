// The data file reader and writer on real files: line rules, refusals, and saves that never lose a day.
#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "data/text_file.h"
#include "support/data_file_fixture.h"

namespace {

namespace fs = std::filesystem;

// version, line, date read (nullptr: no day), line written, counted as malformed. By hand from the rules:
// 23 characters or more, sunspots 0..1000, flux 0..2000, each read as far as it is a number.
const struct { bool version3; std::string line; const char* date; std::string written; int skipped; } LineCases[] = {
    {true, "01/01/2000  100   150.9", "01/01/2000", "01/01/2000  100   150.9", 0},
    {true, "01/02/2000  100  150.9", nullptr, "", 0},  // 22 characters: too short to count
    {true, "! a comment 01/01/2000  999   999.9", nullptr, "", 0},
    {true, "1/2/49      100   150.9", "01/02/2049", "01/02/2049  100   150.9", 0},
    {true, "1/2/50      100   150.9", "01/02/1950", "01/02/1950  100   150.9", 0},
    {true, "01/03/2000 abc   def   ", "01/03/2000", "01/03/2000    0     0.0", 0},
    {true, "01/04/2000  55x   77.7xyz", "01/04/2000", "01/04/2000   55    77.7", 0},
    {true, "01/07/2000 1000  2000.0", "01/07/2000", "01/07/2000  1000   2000.0", 0},
    {true, "01/08/2000    0     0.0", "01/08/2000", "01/08/2000    0     0.0", 0},
    {true, "01/09/2000 1001   150.9", nullptr, "", 1},
    {true, "01/10/2000   10  2000.1", nullptr, "", 1},
    {true, "01/11/2000   10   3000000000.0", nullptr, "", 1},
    {true, "01/12/2000   -1   150.9", nullptr, "", 1},
    {true, "01/13/2000   10   -10.5", nullptr, "", 1},
    {true, "01/14/2000   10   nan  ", "01/14/2000", "01/14/2000   10     0.0", 0},
    {true, "01/15/20000000   10   10.5", nullptr, "", 1},  // the date longer than ten
    {false, "01/01/00    100   150.9", "01/01/2000", "01/01/00    100   150.9", 0},
    {false, "01/01/49    101   151.0", "01/01/2049", "01/01/49    101   151.0", 0},
    {false, "01/01/50    102   152.0", "01/01/1950", "01/01/50    102   152.0", 0},
    {false, "02/29/48      7     7.5", "02/29/2048", "02/29/48      7     7.5", 0},
};

// Count days from January 1st, sunspots 1, 2, ...
std::string Days(const std::string& header, int count, const std::string& y)
{
    std::string text = header + "\n";
    for (int day = 1; day <= count; ++day)
        text += "01/" + std::to_string(100 + day).substr(1) + "/" + y + "      " + std::to_string(day) + "   100.0\n";
    return text;
}

}  // namespace

class DataFileTest : public DataFileFixture {};

TEST_F(DataFileTest, EachLineIsReadAndWrittenByTheLineRules)
{
    for (const auto& c : LineCases) {
        SCOPED_TRACE(c.line);
        ASSERT_EQ(Read(Lines({c.version3 ? V3Header : V2Header, c.line})), ReadOutcome::Read);
        EXPECT_EQ(SkippedDataLines(), c.skipped);
        ASSERT_EQ(Records().RecordCount(), c.date ? 1 : 0);
        if (!c.date)
            continue;
        EXPECT_EQ(Records().At(0).GetDate(), c.date);
        ASSERT_TRUE(Save());
        EXPECT_EQ(DataLines(ReadTextFile(path)), std::vector<std::string>{c.written});
    }
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(DataFileTest, LineEndsAreReadWholeAndTheFilesOwnAreWrittenBack)
{
    for (const auto& [eol, savedEol] : {std::pair{"\n", "\n"}, {"\r\n", "\r\n"}, {"\r", "\n"}}) {
        const std::string first = "01/01/2000  100   150.9", last = "01/02/2000  101    15.5";  // no break
        ASSERT_EQ(Read(Lines({V3Header, first, "! note"}, eol) + last), ReadOutcome::Read);
        ASSERT_TRUE(Save());
        const std::string saved = ReadTextFile(path);
        EXPECT_NE(saved.find(Lines({"", "! note", first, last}, savedEol)), std::string::npos) << saved;
        EXPECT_EQ(std::count(saved.begin(), saved.end(), '\r'),
                  std::string(savedEol) == "\r\n" ? std::count(saved.begin(), saved.end(), '\n') : 0);
    }
    // A CR LF split across the reader's 64 KiB blocks, then a long comment.
    const std::string comment = "! " + std::string(70000, 'c');
    ASSERT_EQ(Read(V3Header + "\r\n" + std::string(65536 - V3Header.size() - 2 - 24, '!') +
                   "\r\n01/01/2000  100   150.9\r\n" + comment + "\r\n01/02/2000  101   151.0\r\n"),
              ReadOutcome::Read);
    EXPECT_EQ(Records().RecordCount(), 2);  // no phantom day from the comment's tail
    ASSERT_TRUE(Save());
    EXPECT_NE(ReadTextFile(path).find("\r\n" + comment + "\r\n"), std::string::npos);
}

TEST_F(DataFileTest, Version3SaveWritesTheFixedLayoutThenTheFilesOwnComments)
{
    ASSERT_EQ(Read(Lines({V3Header, "! Source: hand-kept log", "01/15/2002  123   203.46", "! second note"})),
              ReadOutcome::Read);
    AddRecord("01/17/2002", 1000, 1203.25);
    ASSERT_TRUE(Save());
    const std::string text = ReadTextFile(path);
    EXPECT_NE(text.find("\n! 73's es GL de SKYLOG ..... 11/94\n!" + std::string(75, '-') +
                        "\n! Source: hand-kept log\n! second note\n01/15/2002  123   203.5\n"
                        "01/17/2002  1000   1203.2\n"),
              std::string::npos) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 20 + 2 + 2);
    ASSERT_EQ(ReadDataFile(), ReadOutcome::Read);  // read and saved again: nothing added or lost
    ASSERT_TRUE(Save());
    EXPECT_EQ(ReadTextFile(path), text);
}

TEST_F(DataFileTest, UnwritableDatesBecomeCommentsAndVersion2StaysVersion2)
{
    ASSERT_EQ(Read(Lines({V2Header, "01/01/99    100   150.9"}, "\r\n")), ReadOutcome::Read);
    AddRecord("02/14/1947", 10, 90.0);  // two digits would read back as 2047
    AddRecord("xx/xx/xx", 0, 0.0);
    AddRecord("7/2/1999", 101, 151.0);  // typed by hand: written in the file's form
    ASSERT_TRUE(Save());
    std::string text = ReadTextFile(path);
    EXPECT_EQ(text.rfind(V2Header + "\r\n", 0), 0u);
    EXPECT_EQ(DataLines(text), (std::vector<std::string>{"01/01/99    100   150.9", "07/02/99    101   151.0"}));
    EXPECT_NE(text.find("\r\n! UNREADABLE DATE: 02/14/1947     10    90.0\r\n! UNREADABLE DATE: xx/xx/xx"),
              std::string::npos) << text;
    EXPECT_NE(prompt.messages.at(0).text.find("2 days have a date that cannot be written with a two-digit year, "
                                           "the first \"02/14/1947\" (day 2)"),
              std::string::npos) << prompt.messages[0].text;
    ASSERT_EQ(ReadDataFile(), ReadOutcome::Read);  // the comment lines stay in the file
    ASSERT_TRUE(Save());
    EXPECT_EQ(ReadTextFile(path), text);
}

TEST_F(DataFileTest, WhatCannotBeReadIsRefusedLeftAsItWasAndItsPathForgotten)
{
    const std::string png("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x10", 20);
    const std::string nul = Lines({V3Header, "01/01/2000  100   150.9", std::string("01/02/2000  1\0 0   150.9", 24)});
    const std::string unreadable = "Unable To Read Data File\n";
    const std::string noHeader = Lines({"01/01/99    100   150.9", "01/02/00    101   151.9"});
    // Written as the data file, the path read, outcome, captions, the last message's start.
    const struct { std::string text, readPath; ReadOutcome outcome; std::vector<std::string> captions;
                   std::string message; } cases[] = {
        {"", folder.File("NONE"), ReadOutcome::OpenFailed, {"ReadData"},
         "Could Not Open Data File\n" + folder.File("NONE")},
        {"", folder.Path(), ReadOutcome::ReadFailed, {"ReadData"}, unreadable},
        // No header: the update offer is answered No. Binary content is refused at once.
        {noHeader, path, ReadOutcome::Refused, {"INCORRECT FILE", "INCORRECT FILE"}, unreadable + "\n"},
        {png + std::string(100, 'x'), path, ReadOutcome::Refused, {"INCORRECT FILE"}, unreadable + "\n"},
        {nul, path, ReadOutcome::Refused, {"INCORRECT FILE"}, unreadable + "\n"},
    };
    bool finished = true;
    DataFileNotifications().loadFinished = {[&](bool read) { finished = read; }};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.readPath + " " + c.text));
        prompt.messages.clear();
        finished = true;
        WriteTextFile(path, c.text);
        DataFile().path = c.readPath;
        EXPECT_EQ(ReadDataFile(), c.outcome);
        ASSERT_EQ(prompt.Captions(), c.captions);
        EXPECT_EQ(prompt.messages.back().text.rfind(c.message, 0), 0u) << prompt.messages.back().text;
        EXPECT_FALSE(finished);
        EXPECT_EQ(Records().RecordCount(), 0);
        EXPECT_FALSE(WriteDataFile());  // the path is forgotten: a refused file cannot be overwritten
        if (c.readPath == path) {
            EXPECT_EQ(ReadTextFile(path), c.text);
        }
    }
    // A read error part way keeps the path, and a save asks before replacing what could not be read.
    DataFile().path = "/proc/self/mem";  // a regular file whose first page cannot be read (EIO)
    EXPECT_EQ(ReadDataFile(), ReadOutcome::ReadFailed);
    EXPECT_FALSE(WriteDataFile());  // the question is answered No
    EXPECT_NE(prompt.messages.back().text.find("could not be read completely"), std::string::npos);
}

// Bytes no text file holds are looked for eight at a time: every offset in a word, and later blocks.
TEST_F(DataFileTest, AForeignControlByteAnywhereRefusesTheFile)
{
    const std::string text = V3Header + "\n! " + std::string(70000, 'c') + "\n01/01/2000  100   150.9\n";
    std::vector<std::pair<std::size_t, char>> cases;
    for (std::size_t offset = 50; offset < 67; ++offset)
        for (const char byte : {'\0', '\x01', '\x1f', '\x1b', '\t', '\f', '\x1a'})  // the last three are text
            cases.push_back({offset, byte});
    for (const std::size_t offset : {std::size_t{65530}, std::size_t{65536}, std::size_t{65537}, text.size() - 3})
        cases.insert(cases.end(), {{offset, '\x07'}, {offset, '\t'}});
    for (const auto& [offset, byte] : cases) {
        std::string bytes = text;
        bytes.insert(offset, 1, byte);
        EXPECT_EQ(Read(bytes) == ReadOutcome::Refused, byte != '\t' && byte != '\f' && byte != '\x1a')
            << int(byte) << " at " << offset;
    }
}

TEST_F(DataFileTest, StaggerKeepsEveryNthDataLineFromTheDay)
{
    std::string file = Days(V3Header, 28, "2000");
    file.insert(file.find("01/06/2000"), "! comments do not count\n");
    Stagger() = {1, 7, "01/23/2000"};
    ASSERT_EQ(Read(file), ReadOutcome::Read);
    EXPECT_EQ(SunspotsRead(), (std::vector<int>{2, 9, 16, 23}));
    EXPECT_FALSE(Save());  // over its own file it would drop the other days: asked first
    ASSERT_EQ(prompt.Captions(), std::vector<std::string>{"STAGGER PLOT"});
    EXPECT_NE(prompt.messages[0].text.find("keeps the 4 days shown and drops the other 24"), std::string::npos);
    EXPECT_EQ(ReadTextFile(path), file);
    prompt.answers = {PromptAnswer::Yes};  // Yes keeps a copy of the whole file first
    EXPECT_TRUE(Save());
    EXPECT_EQ(ReadTextFile(folder.File("GRAPH.BAK")), file);
    EXPECT_TRUE(Save());  // nothing more to lose: not asked again
    // In a version 2 file the day is found by its year with the century.
    Stagger() = {1, 3, "01/04/2049"};
    ASSERT_EQ(Read(Days(V2Header, 10, "49")), ReadOutcome::Read);
    EXPECT_EQ(SunspotsRead(), (std::vector<int>{1, 4, 7, 10}));
    DataFile().path = folder.File("FOUR.DAT");
    EXPECT_TRUE(Save());  // another file is no loss: not asked
    Stagger().day = "05/05/2005";
    ASSERT_EQ(ReadDataFile(), ReadOutcome::Read);
    EXPECT_EQ(Records().RecordCount(), 4);
    EXPECT_EQ(prompt.Captions().back(), "Day Not Found");
}

TEST_F(DataFileTest, FailedWritesReportAndKeepEverything)
{
    AddRecord("01/01/2000", 1, 1.0);
    DataFile().path = folder.File("no/such/folder/GRAPH.DAT");
    EXPECT_FALSE(Save());
    ASSERT_EQ(prompt.Captions(), std::vector<std::string>{"FILE WRITE ERROR"});
    EXPECT_EQ(prompt.messages[0].text.rfind("Could Not Write Data File\n" + DataFile().path + "\n", 0), 0u);
    // Reading on after a failed save keeps the unsaved records.
    prompt.answers = {PromptAnswer::Yes};
    EXPECT_EQ(ReadDataFile(), ReadOutcome::SaveFailed);
    EXPECT_EQ(Records().RecordCount(), 1);
    // A folder in the file's place is refused; one that appears there while the file is written fails the
    // rename. Either way the folder stays and no temporary is left.
    std::filesystem::create_directory(folder.File("TARGET.DAT"));
    DataFile().path = folder.File("TARGET.DAT");
    EXPECT_FALSE(Save());
    AtomicFileWriter writer(folder.File("LATE.DAT"));
    writer.Write("01/01/2000    1     1.0\n");
    fs::create_directories(folder.File("LATE.DAT/x"));
    EXPECT_FALSE(writer.Commit());
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 2);
    EXPECT_EQ(prompt.waitDepth, 0);
    // Saved first where the user says, then read back.
    DataFileNotifications().pathNeeded = [&] { DataFile().path = path; };
    DataFile().path.clear();
    prompt.answers = {PromptAnswer::Yes};
    EXPECT_EQ(ReadDataFile(), ReadOutcome::Read);
    EXPECT_EQ(prompt.messages.back().text, "Data File Has Changed - Do You Want To Save It?");
    EXPECT_EQ(Records().RecordCount(), 1);
    DataFile().path.clear();  // no path: only the records are emptied
    EXPECT_EQ(ReadDataFile(), ReadOutcome::NoPath);
    EXPECT_EQ(Records().RecordCount(), 0);
}

// Malformed lines: the file is copied once before the first save; without a free backup name, only when asked.
TEST_F(DataFileTest, MalformedLinesAreBackedUpBeforeTheFirstSave)
{
    const std::string original = Lines({V3Header, "01/01/2000  100   150.9", "01/03/2000 1001   150.9"});
    ASSERT_EQ(Read(original), ReadOutcome::Read);
    ReportLinesNotKept();
    EXPECT_NE(prompt.messages.at(0).text.find(folder.File("GRAPH.BAK")), std::string::npos);
    ASSERT_TRUE(Save());
    ASSERT_TRUE(Save());
    EXPECT_EQ(ReadTextFile(folder.File("GRAPH.BAK")), original);
    EXPECT_FALSE(PathExists(folder.File("GRAPH.B00")));
    ASSERT_EQ(Read(original), ReadOutcome::Read);
    for (int i = 0; i < 100; ++i)
        WriteTextFile(folder.File("GRAPH.B" + std::to_string(100 + i).substr(1)), "x");
    EXPECT_FALSE(Save());
    EXPECT_EQ(prompt.messages.back().caption, "DATA FILE NOT COPIED");
    EXPECT_EQ(ReadTextFile(path), original);
    prompt.answers = {PromptAnswer::Yes};
    EXPECT_TRUE(Save());
}

TEST_F(DataFileTest, ChangesOnDiskSinceTheReadAreNotOverwrittenUnasked)
{
    ASSERT_EQ(Read(Lines({V3Header, "01/01/2000  100   150.9"})), ReadOutcome::Read);
    AddRecord("01/02/2000", 101, 151.0);
    const std::string theirs = Lines({V3Header, "01/01/2000  100   150.9", "01/03/2000  102   152.0"});
    WriteTextFile(folder.File("OTHER.TMP"), theirs);
    fs::rename(folder.File("OTHER.TMP"), path);  // another program (a scheduled import) added a day
    EXPECT_FALSE(Save());  // the question is answered No
    ASSERT_EQ(prompt.Captions(), std::vector<std::string>{"FILE CHANGED"});
    EXPECT_EQ(ReadTextFile(path), theirs);
    EXPECT_EQ(Records().DataChanged(), 1);  // still unsaved: closing asks again
    prompt.answers = {PromptAnswer::Yes};
    EXPECT_TRUE(Save());
    EXPECT_TRUE(Save());  // our own save is not another program's change
    EXPECT_EQ(prompt.messages.size(), 2u);
}

TEST_F(DataFileTest, LinksOwnersAndReadOnlyFilesAreRespected)
{
    fs::create_directory(folder.File("real"));
    const std::string real = folder.File("real/SUN.DAT");
    WriteTextFile(real, Lines({V3Header, "01/01/2000  100   150.9"}));
    chmod(real.c_str(), 0640);
    fs::create_symlink("real/SUN.DAT", path);
    fs::create_hard_link(real, folder.File("SECOND.DAT"));
    DataFile().path = path;
    ASSERT_EQ(ReadDataFile(), ReadOutcome::Read);
    WriteTextFile(real + ".skylog-Ab12Cd", "half a file");  // left by a crashed save
    WriteTextFile(real + ".skylog-notes.txt", "not ours");
    const bool root = geteuid() == 0;  // saved by root, the file stays the user's
    ASSERT_TRUE(!root || chown(real.c_str(), 4321, 4321) == 0);
    AddRecord("01/03/2000", 102, 152.0);
    ASSERT_TRUE(Save());
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(DataLines(ReadTextFile(folder.File("SECOND.DAT"))).size(), 2u);  // a second name sees the save
    struct stat info {};
    stat(real.c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(info.st_uid, root ? 4321u : geteuid());
    // Nothing else is left beside the file: no temporary, no lock file.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.File("real")), fs::directory_iterator()), 2);
    EXPECT_TRUE(PathExists(real + ".skylog-notes.txt"));
    fs::remove(folder.File("SECOND.DAT"));
    ASSERT_TRUE(Save());  // now replaced by a rename: the link stays a link
    EXPECT_TRUE(fs::is_symlink(path));
    // A read-only file is refused with the reason, even for root.
    chmod(real.c_str(), 0444);
    const std::string before = ReadTextFile(real);
    ASSERT_FALSE(Save());
    EXPECT_EQ(prompt.messages.back().text, "Could Not Write Data File\n" + path + "\nthe file is read-only");
    EXPECT_EQ(ReadTextFile(real), before);
}
