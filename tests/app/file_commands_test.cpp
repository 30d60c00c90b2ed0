// The commands on files (info, print, render, export, parse, import), run as
// a user would, also on hostile data files. What the page, the plot, the CSV
// and the bulletins hold is checked with the code that makes or reads them;
// here, what the commands pass to it and make of it.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <fstream>
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

bool Has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// timeout: a command that blocks fails the test instead of hanging it.
RunResult RunWithin60s(const std::string& environment, const std::string& arguments)
{
    return RunCommand(environment + " timeout 60 " + std::string(SKYLOG_BINARY) + " " + arguments + " 2>&1");
}

int DataLineCount(const std::string& text)
{
    int count = 0;
    std::size_t begin = 0;
    while (begin < text.size()) {
        if (text[begin] != '!')
            ++count;
        const std::size_t end = text.find('\n', begin);
        begin = end == std::string::npos ? text.size() : end + 1;
    }
    return count;
}

std::string FailingDisk(const std::string& path, long long after)
{
    // The sanitizer runtime need not come first when the fault library is preloaded.
    return "ASAN_OPTIONS=verify_asan_link_order=0 LD_PRELOAD=" +
           std::string(SKYLOG_READ_FAULT_LIBRARY) + " SKYLOG_FAIL_READ_PATH=" + path +
           " SKYLOG_FAIL_READ_AFTER=" + std::to_string(after);
}

class BulletinCommands : public ::testing::Test {
protected:
    TempFolder folder;  // also the program folder
    std::string noFlux = folder.File("noflux.txt");
    std::string letter = folder.File("letter.txt");
    void SetUp() override
    {
        WriteTextFile(noFlux, "SEATTLE, WA  MARCH 15, 2002\nSUNSPOT NUMBERS FOR MARCH 7 THROUGH 13 "
                              "WERE 0 EACH DAY.\n\n");
        // The values phrase occurs, but no line begins with it.
        WriteTextFile(letter, "SEATTLE, WA  MARCH 15, 2002\nDear all, no sunspot numbers for this week.\n");
    }
};

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
    EXPECT_TRUE(Has(info, "Pages:           1")) << info;
    EXPECT_TRUE(Has(info, "(A4)")) << info;
    EXPECT_TRUE(Has(RunCommand("pdftotext " + pdf + " -").output, "SKYLOG SOLAR DATA PLOT OF " + Sample));

    EXPECT_EQ(RunSkylog("print " + Sample + " -o " + pdf + " --page Letter").status, 0);
    EXPECT_TRUE(Has(RunCommand("pdfinfo " + pdf).output, "(letter)"));
}

// --size sets the plot area, --scale the pixels per pixel of a PNG.
TEST(RenderCommand, SizeScaleAndFormatFromTheCommandLine)
{
    TempFolder folder;
    ASSERT_EQ(RunSkylog("render " + Sample + " -o " + folder.File("plot.svg") + " --size 600x400").status, 0);
    EXPECT_TRUE(Has(ReadTextFile(folder.File("plot.svg")), "viewBox=\"0 0 600 400\""));
    ASSERT_EQ(RunSkylog("render " + Sample + " -o " + folder.File("plot.png") + " --size 640x400 --scale 2").status, 0);
    EXPECT_EQ(QImage(QString::fromStdString(folder.File("plot.png"))).size(), QSize(1280, 800));
    ASSERT_EQ(RunSkylog("render " + Sample + " -o " + folder.File("plot.PDF")).status, 0);
    EXPECT_TRUE(Has(RunCommand("pdfinfo " + folder.File("plot.PDF")).output, "960 x 600 pts"));
}

TEST(ExportCommand, CsvUnderADecimalCommaLocaleLeavesTheDataFileAlone)
{
    TempFolder folder;
    DecimalCommaLocale german;
    const std::string data = folder.File("GRAPH.DAT");
    std::string text = "! SKYLOG Solar Data Plot Version 3 Data File\n";
    for (int i = 1; i <= 30; ++i)
        text += (i < 10 ? "04/0" : "04/") + std::to_string(i) + "/2001  " + std::to_string(100 + i) +
                "   " + std::to_string(150 + i) + ".5\n";
    WriteTextFile(data, text);
    const std::string csv = folder.File("days.csv");
    const RunResult r = RunCommand(german.Environment() + " " + SKYLOG_BINARY + " export " + data +
                                   " -o " + csv + " 2>&1");
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(ReadTextFile(data), text);
    const std::string rows = ReadTextFile(csv);
    EXPECT_EQ(rows.rfind("date,sunspots,flux,avg_sunspots,avg_flux,avg_partial\r\n", 0), 0u);
    EXPECT_TRUE(Has(rows, "\r\n2001-04-30,130,180.5,")) << rows;
    // 28-day averages from 13 days before: day 14 (index 13) has the first full one.
    EXPECT_TRUE(Has(rows, "\r\n2001-04-14,114,164.5,114,164,0\r\n")) << rows;
}

// The summary of the sample; its last seven days read straight from the file.
TEST(InfoCommand, SummarisesTheSampleAndReadsVersion2Unconverted)
{
    const RunResult r = RunSkylog("info " + Sample);
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_TRUE(Has(r.output, "Version:   3\nRecords:   28319\nFirst day: 02/14/1947\nLast day:  06/30/2026\n"))
        << r.output;
    EXPECT_TRUE(Has(r.output, "\n06/30/2026    126  202.6"));
    EXPECT_TRUE(Has(r.output, "*"));  // the last days are partial averages
    std::ifstream in(Sample);
    std::vector<std::string> dates;
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '!')
            dates.push_back(line.substr(0, 10));
    for (std::size_t i = dates.size() - 7; i < dates.size(); ++i)
        EXPECT_TRUE(Has(r.output, "\n" + dates[i] + "  ")) << dates[i];
    EXPECT_FALSE(Has(r.output, "\n" + dates[dates.size() - 8] + "  "));

    TempFolder folder;
    const std::string v2 = folder.File("V2.DAT");
    WriteTextFile(v2, ReadTextFile(std::string(SKYLOG_SAMPLE_DIR) + "/GRAPH_V2_SAMPLE.DAT"));
    const RunResult old = RunSkylog("info " + v2);
    EXPECT_EQ(old.status, 0) << old.output;
    EXPECT_TRUE(Has(old.output, "Version:   2\n"));
    EXPECT_TRUE(Has(old.output, "First day: 11/27/1998"));
    EXPECT_FALSE(PathExists(folder.File("V2.BAK")));
    EXPECT_EQ(ReadTextFile(v2), ReadTextFile(std::string(SKYLOG_SAMPLE_DIR) + "/GRAPH_V2_SAMPLE.DAT"));
}

TEST_F(BulletinCommands, ParseSaysHowEachFileWasReadAndFailsWithoutDays)
{
    struct Case {
        std::string arguments;
        int status;
        std::string start;  // how the output starts
        std::string part;   // something further on
    };
    const std::string refused = "Could Not Parse File (02)\n";
    for (const Case& c : {
             Case{Bulletins + "arlp011.txt", 0, "exact\n03/07/2002  232  203.50\n", "\n03/13/2002  183  182.90\n"},
             Case{Real + "028_2021_news.txt", 0, "lenient\n12/23/2021  143  129.80\n12/2", ""},
             // Every file is read; one without flux fails the run.
             Case{Bulletins + "arlp010.txt " + noFlux, 1, Bulletins + "arlp010.txt:\nexact\n",
                  "\n" + noFlux + ":\nSolar Flux Data Not Located"},
             // No year printed: read with the year given.
             Case{"--year 2008 " + Real + "016_2008_news.txt", 0, "lenient\n04/10/2008    0   67.90\n04/1", ""},
             Case{"--exact " + Real + "028_2021_news.txt", 1, refused, refused},
             Case{letter, 1, "", "No Days Found"},
             Case{folder.Path(), 1, "", "Could Not Open File"},
         }) {
        const RunResult r = RunSkylog("parse " + c.arguments);
        EXPECT_EQ(r.status, c.status) << c.arguments << "\n" << r.output;
        EXPECT_EQ(r.output.rfind(c.start, 0), 0u) << c.arguments << "\n" << r.output;
        EXPECT_TRUE(Has(r.output, c.part)) << c.arguments << "\n" << r.output;
    }
    // The setting turns lenient reading off too; --exact is for one run.
    WriteTextFile(folder.File("SKYLOG.INI"), "[SOLAR_DATA]\nVersion=x\nLenientParse=0\n");
    EXPECT_EQ(RunSkylog("parse " + Real + "028_2021_news.txt").output, refused);
}

TEST_F(BulletinCommands, ImportAddsSkipsOrReplacesAndSaysHowItRead)
{
    // Into a CRLF data file: new days added, known days skipped.
    const std::string data = folder.File("GRAPH.DAT");
    WriteTextFile(data, "! SKYLOG Solar Data Plot Version 3 Data File\r\n"
                        "03/06/2002  100   100.0\r\n"
                        "03/07/2002  101   101.0\r\n");
    RunResult r = RunSkylog("import --data " + data + " " + Bulletins + "arlp011.txt");
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_TRUE(Has(r.output, "6 added, 0 replaced, 1 skipped")) << r.output;
    EXPECT_TRUE(Has(ReadTextFile(data), "03/07/2002  101   101.0\r\n03/08/2002  210   205.9\r\n"));
    r = RunSkylog("import --replace --data " + data + " " + Bulletins + "arlp011.txt");
    // Only 03/07 differs from the bulletin; the other six already hold its values.
    EXPECT_TRUE(Has(r.output, "0 added, 1 replaced, 6 skipped")) << r.output;
    EXPECT_TRUE(Has(ReadTextFile(data), "03/07/2002  232   203.5\r\n"));

    // The default data file is the program folder's GRAPH.DAT; --year
    // applies to the bulletins, one read leniently.
    r = RunSkylog("import --year 2008 " + Bulletins + "arlp001.txt " + Real + "018_2009_news.txt");
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_TRUE(Has(r.output, "arlp001.txt: bulletin, 7 days read, 7 added")) << r.output;
    EXPECT_TRUE(Has(r.output, "018_2009_news.txt: bulletin (read leniently), 7 days read, 7 added")) << r.output;
    EXPECT_TRUE(Has(ReadTextFile(data), "12/27/2001  120   190.1"));
    EXPECT_TRUE(Has(ReadTextFile(data), "12/25/2008"));

    // A file without days is no success for a script, and changes nothing.
    const std::string before = ReadTextFile(data);
    r = RunSkylog("import --data " + data + " " + letter);
    EXPECT_EQ(r.status, 1) << r.output;
    EXPECT_TRUE(Has(r.output, "No Days Found")) << r.output;
    EXPECT_EQ(ReadTextFile(data), before);
}

TEST(DataFileCommands, AReadErrorFailsTheReadInsteadOfEndingTheFile)
{
    TempFolder folder;
    const std::string path = std::filesystem::canonical(folder.Path()).string() + "/GRAPH.DAT";
    const std::string sample = ReadTextFile(Sample);
    WriteTextFile(path, sample);

    RunResult r = RunWithin60s(FailingDisk(path, 128 * 1024), "info " + path);
    EXPECT_EQ(r.status, 1) << r.output;
    EXPECT_NE(r.output.find("Unable To Read Data File\n" + path), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("Input/output error"), std::string::npos);
    EXPECT_EQ(r.output.find("Records:"), std::string::npos);

    r = RunWithin60s(FailingDisk(path, 128 * 1024), "import --data " + path + " " + Bulletins + "arlp001.txt");
    EXPECT_EQ(r.status, 1) << r.output;
    EXPECT_EQ(ReadTextFile(path), sample);

    // The same disk, working again.
    r = RunWithin60s("", "info " + path);
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_NE(r.output.find("Records:   28319"), std::string::npos);
}

TEST(DataFileCommands, AFifoIsRefusedWithoutBlocking)
{
    TempFolder folder;
    const std::string fifo = folder.File("PIPE.DAT");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    RunResult r = RunWithin60s("", "info " + fifo);
    EXPECT_EQ(r.status, 1) << r.output;
    EXPECT_NE(r.output.find("Unable To Read Data File"), std::string::npos) << r.output;
    r = RunWithin60s("", "import --data " + fifo + " " + Bulletins + "arlp001.txt");
    EXPECT_EQ(r.status, 1) << r.output;
    struct stat info {};
    ASSERT_EQ(lstat(fifo.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

// Another writer holds the lock: the import waits for it, then merges into
// the file as that writer left it.
TEST(DataFileCommands, AnImportWaitsForTheLockAndKeepsEveryDay)
{
    TempFolder folder;
    const std::string path = folder.File("GRAPH.DAT");
    WriteTextFile(path, "! SKYLOG Solar Data Plot Version 3 Data File\n");

    RunResult late{};
    {
        std::optional<DataFileLock> held(std::in_place, path);
        ASSERT_TRUE(held->IsHeld());
        std::thread importer([&] { late = RunWithin60s("", "import --data " + path + " " +
                                                      Bulletins + "arlp001.txt"); });
        std::this_thread::sleep_for(std::chrono::milliseconds(700));
        EXPECT_EQ(DataLineCount(ReadTextFile(path)), 0);
        // Meanwhile this writer adds a day of its own.
        WriteTextFile(path, "! SKYLOG Solar Data Plot Version 3 Data File\n"
                            "01/01/2000  100   150.9\n");
        held.reset();
        importer.join();
    }
    EXPECT_EQ(late.status, 0) << late.output;
    EXPECT_EQ(DataLineCount(ReadTextFile(path)), 1 + 7);
}

TEST(DataFileCommands, CommandsThatOnlyReadLeaveTheConfigurationAlone)
{
    TempFolder folder;
    const std::string ini = folder.File("SKYLOG.INI");
    const std::string text = "[SOLAR_DATA]\nPhrase2=SUNSPOT NUMBERS FOR\n";  // no Version
    WriteTextFile(ini, text);
    const std::string env = "SKYLOG_HOME=" + folder.Path();
    EXPECT_EQ(RunWithin60s(env, "parse " + Bulletins + "arlp001.txt").status, 0);
    EXPECT_EQ(RunWithin60s(env, "import --data " + folder.File("G.DAT") + " " + Bulletins + "arlp001.txt").status, 0);
    RunWithin60s(env + " QT_QPA_PLATFORM=offscreen", "render " + folder.File("G.DAT") + " -o " + folder.File("g.png"));
    EXPECT_EQ(ReadTextFile(ini), text);
}
