// The commands on hostile data files: a failing disk, a FIFO, another
// import at the same time, a configuration without a signature.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <thread>

#include "data/file_lock.h"
#include "support/run_skylog.h"
#include "support/temp_folder.h"

namespace {

// timeout: a command that blocks fails the test instead of hanging it.
RunResult RunWithin60s(const std::string& environment, const std::string& arguments)
{
    return RunCommand(environment + " timeout 60 " + std::string(SKYLOG_BINARY) + " " + arguments + " 2>&1");
}

std::string Bulletin(const char* name)
{
    return std::string(SKYLOG_BULLETIN_DIR) + "/" + name;
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

}  // namespace

TEST(DataFileCommands, AReadErrorFailsTheReadInsteadOfEndingTheFile)
{
    TempFolder folder;
    const std::string path = std::filesystem::canonical(folder.Path()).string() + "/GRAPH.DAT";
    const std::string sample = ReadTextFile(std::string(SKYLOG_SAMPLE_DIR) + "/GRAPH.DAT");
    WriteTextFile(path, sample);

    RunResult r = RunWithin60s(FailingDisk(path, 128 * 1024), "info " + path);
    EXPECT_EQ(r.status, 1) << r.output;
    EXPECT_NE(r.output.find("Unable To Read Data File\n" + path), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("Input/output error"), std::string::npos);
    EXPECT_EQ(r.output.find("Records:"), std::string::npos);

    r = RunWithin60s(FailingDisk(path, 128 * 1024), "import --data " + path + " " + Bulletin("arlp001.txt"));
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
    r = RunWithin60s("", "import --data " + fifo + " " + Bulletin("arlp001.txt"));
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
                                                      Bulletin("arlp001.txt")); });
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
    EXPECT_EQ(RunWithin60s(env, "parse " + Bulletin("arlp001.txt")).status, 0);
    EXPECT_EQ(RunWithin60s(env, "import --data " + folder.File("G.DAT") + " " + Bulletin("arlp001.txt")).status, 0);
    RunWithin60s(env + " QT_QPA_PLATFORM=offscreen", "render " + folder.File("G.DAT") + " -o " + folder.File("g.png"));
    EXPECT_EQ(ReadTextFile(ini), text);
}
