// The commands on files (info, print, export, parse, import) run as a user
// would, also on hostile data files. What the page, the CSV and the bulletins
// hold is checked with the code that makes or reads them; here, what the
// commands pass to it and make of it.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <thread>

#include "data/file_lock.h"
#include "support/decimal_comma_locale.h"
#include "support/run_skylog.h"
#include "support/temp_folder.h"

namespace {

const std::string Sample = std::string(SKYLOG_SAMPLE_DIR) + "/GRAPH.DAT";
const std::string Bulletins = std::string(SKYLOG_TEST_DATA_DIR) + "/bulletin/bulletins/";
const std::string Real = std::string(SKYLOG_TEST_DATA_DIR) + "/bulletin/real/";
const std::string Header = "! SKYLOG Solar Data Plot Version 3 Data File\n";

// timeout: a command that blocks fails the test instead of hanging it.
RunResult RunWithin60s(const std::string& environment, const std::string& arguments)
{
    return RunCommand(environment + " timeout 60 " + std::string(SKYLOG_BINARY) + " " + arguments + " 2>&1");
}

}  // namespace

TEST(PrintCommand, OnePageOnTheChosenPaperHeadedWithTheFullPath)
{
    TempFolder folder;
    const std::string pdf = folder.File("page.pdf");
    // A relative data file name: the headline shows where the file is.
    const RunResult r = RunCommand("cd " + std::string(SKYLOG_SAMPLE_DIR) + " && " + SKYLOG_BINARY +
                                   " print GRAPH.DAT -o " + pdf + " --page A4 2>&1");
    ASSERT_EQ(r.status, 0) << r.output;
    const std::string info = RunCommand("pdfinfo " + pdf).output;
    EXPECT_TRUE(Has(info, "Pages:           1") && Has(info, "(A4)")) << info;
    EXPECT_TRUE(Has(RunCommand("pdftotext " + pdf + " -").output, "SKYLOG SOLAR DATA PLOT OF " + Sample));
    EXPECT_EQ(RunSkylog("print " + Sample + " -o " + pdf + " --page Letter").status, 0);
    EXPECT_TRUE(Has(RunCommand("pdfinfo " + pdf).output, "(letter)"));
}

TEST(ExportCommand, CsvWithAveragesUnderADecimalCommaLocaleLeavesTheDataFileAlone)
{
    TempFolder folder;
    DecimalCommaLocale german;
    const std::string data = folder.File("GRAPH.DAT"), csv = folder.File("days.csv");
    std::string text = Header;
    for (int i = 1; i <= 30; ++i)
        text += (i < 10 ? "04/0" : "04/") + std::to_string(i) + "/2001  " + std::to_string(100 + i) + "   " +
                std::to_string(150 + i) + ".5\n";
    WriteTextFile(data, text);
    const RunResult r =
        RunCommand(german.Environment() + " " + SKYLOG_BINARY + " export " + data + " -o " + csv + " 2>&1");
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(ReadTextFile(data), text);
    // 28-day averages from 13 days before: day 14 has the first full one.
    const std::string rows = ReadTextFile(csv);
    EXPECT_TRUE(Has(rows, "\r\n2001-04-14,114,164.5,114,164,0\r\n")) << rows;
}

// The summary of the sample with its last seven days; a version 2 file is read unconverted.
TEST(InfoCommand, SummarisesTheSampleAndReadsVersion2Unconverted)
{
    const RunResult r = RunSkylog("info " + Sample);
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_TRUE(Has(r.output, "Version:   3\nRecords:   28319\nFirst day: 02/14/1947\nLast day:  06/30/2026\n"))
        << r.output;
    for (int day = 23; day <= 30; ++day)  // the last seven days of the sample: 06/24 to 06/30
        EXPECT_EQ(Has(r.output, "\n06/" + std::to_string(day) + "/2026  "), day >= 24) << day;

    TempFolder folder;
    const std::string v2 = folder.File("V2.DAT"),
                      text = ReadTextFile(std::string(SKYLOG_SAMPLE_DIR) + "/GRAPH_V2_SAMPLE.DAT");
    WriteTextFile(v2, text);
    const RunResult old = RunSkylog("info " + v2);
    EXPECT_TRUE(Has(old.output, "Version:   2\n")) << old.output;
    EXPECT_FALSE(PathExists(folder.File("V2.BAK")));
    EXPECT_EQ(ReadTextFile(v2), text);
}

// Parse says how each file was read; import adds, skips or replaces days and
// says how it read them; a file without days fails either.
TEST(BulletinCommands, ParseAndImport)
{
    TempFolder folder;  // also the program folder
    const std::string letter = folder.File("letter.txt"), data = folder.File("GRAPH.DAT");
    // The values phrase occurs, but no line begins with it.
    WriteTextFile(letter, "SEATTLE, WA  MARCH 15, 2002\nDear all, no sunspot numbers for this week.\n");
    WriteTextFile(data, "! SKYLOG Solar Data Plot Version 3 Data File\r\n03/07/2002  101   101.0\r\n");
    const std::string refused = "Could Not Parse File (02)\n";
    const struct {
        std::string arguments;
        int status;
        std::string start;  // how the output starts
        std::string part;   // something further on
    } cases[] = {
        {"parse " + Bulletins + "arlp011.txt", 0, "exact\n03/07/2002  232  203.50\n",
         "\n03/13/2002  183  182.90\n"},
        {"parse " + Bulletins + "arlp010.txt " + letter, 1, Bulletins + "arlp010.txt:\nexact\n",
         "\n" + letter + ":\nNo Days Found"},
        // No year printed: read leniently with the year given.
        {"parse --year 2008 " + Real + "016_2008_news.txt", 0, "lenient\n04/10/2008    0   67.90\n04/1", ""},
        {"parse --exact " + Real + "028_2021_news.txt", 1, refused, refused},
        // Into the program folder's GRAPH.DAT, a CRLF file holding 03/07/2002.
        {"import --data " + data + " " + Bulletins + "arlp011.txt", 0, "", "6 added, 0 replaced, 1 skipped"},
        {"import --replace " + Bulletins + "arlp011.txt", 0, "", "0 added, 1 replaced, 6 skipped"},
        {"import --year 2008 " + Real + "018_2009_news.txt", 0, "",
         "018_2009_news.txt: bulletin (read leniently), 7 days read, 7 added"},
        {"import --data " + data + " " + letter, 1, "", "No Days Found"},
    };
    for (const auto& c : cases) {
        const std::string before = ReadTextFile(data);
        const RunResult r = RunSkylog(c.arguments);
        EXPECT_EQ(r.status, c.status) << c.arguments << "\n" << r.output;
        EXPECT_TRUE(c.status == 0 || ReadTextFile(data) == before) << c.arguments;  // a failure writes nothing
        EXPECT_EQ(r.output.rfind(c.start, 0), 0u) << c.arguments << "\n" << r.output;
        EXPECT_TRUE(Has(r.output, c.part)) << c.arguments << "\n" << r.output;
    }
    EXPECT_TRUE(Has(ReadTextFile(data), "03/07/2002  232   203.5\r\n03/08/2002  210   205.9\r\n"));
    EXPECT_TRUE(Has(ReadTextFile(data), "12/25/2008"));
    // The setting turns lenient reading off too; parsing leaves the configuration alone.
    const std::string ini = "[SOLAR_DATA]\nLenientParse=0\n";  // no Version: as a first run
    WriteTextFile(folder.File("SKYLOG.INI"), ini);
    EXPECT_EQ(RunSkylog("parse " + Real + "028_2021_news.txt").output, refused);
    EXPECT_EQ(ReadTextFile(folder.File("SKYLOG.INI")), ini);
}

// A read error or a FIFO fails the read instead of ending the file, and
// nothing is written; an import waits for the lock.
TEST(DataFileCommands, ReadErrorsFifosAndTheLockKeepTheFile)
{
    TempFolder folder;
    const std::string path = std::filesystem::canonical(folder.Path()).string() + "/GRAPH.DAT";
    const std::string sample = ReadTextFile(Sample), bulletin = " " + Bulletins + "arlp001.txt";
    WriteTextFile(path, sample);
    // The sanitizer runtime need not come first when the fault library is preloaded.
    const std::string failing = "ASAN_OPTIONS=verify_asan_link_order=0 LD_PRELOAD=" +
                                std::string(SKYLOG_READ_FAULT_LIBRARY) + " SKYLOG_FAIL_READ_PATH=" + path +
                                " SKYLOG_FAIL_READ_AFTER=" + std::to_string(128 * 1024);
    RunResult r = RunWithin60s(failing, "info " + path);
    EXPECT_EQ(r.status, 1) << r.output;
    EXPECT_TRUE(Has(r.output, "Unable To Read Data File\n" + path) && Has(r.output, "Input/output error")) << r.output;
    EXPECT_FALSE(Has(r.output, "Records:"));
    EXPECT_EQ(RunWithin60s(failing, "import --data " + path + bulletin).status, 1);
    EXPECT_EQ(ReadTextFile(path), sample);

    const std::string fifo = folder.File("PIPE.DAT");  // refused without blocking, and kept
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    EXPECT_EQ(RunWithin60s("", "import --data " + fifo + bulletin).status, 1);
    struct stat info {};
    EXPECT_TRUE(lstat(fifo.c_str(), &info) == 0 && S_ISFIFO(info.st_mode));

    // Another writer holds the lock: the import waits for it, then merges into
    // the file as that writer left it.
    WriteTextFile(path, Header);
    RunResult late{};
    {
        std::optional<DataFileLock> held(std::in_place, path);
        ASSERT_TRUE(held->IsHeld());
        std::thread importer([&] { late = RunWithin60s("", "import --data " + path + bulletin); });
        std::this_thread::sleep_for(std::chrono::milliseconds(700));
        EXPECT_EQ(ReadTextFile(path), Header);
        WriteTextFile(path, Header + "01/01/2000  100   150.9\n");  // this writer's own day
        held.reset();
        importer.join();
    }
    EXPECT_EQ(late.status, 0) << late.output;
    EXPECT_TRUE(Has(ReadTextFile(path), "01/01/2000  100   150.9\n") &&
                Has(ReadTextFile(path), "12/27/2001  120   190.1\n"));
}
