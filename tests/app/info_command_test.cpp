#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <sys/wait.h>

#include "support/temp_folder.h"

namespace {

struct RunResult {
    int status;
    std::string output;
};

RunResult RunSkylog(const std::string& arguments)
{
    const std::string command = std::string(SKYLOG_BINARY) + " " + arguments + " 2>&1";
    std::FILE* pipe = popen(command.c_str(), "r");
    std::string output;
    std::array<char, 4096> buffer{};
    std::size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        output.append(buffer.data(), n);
    const int status = pclose(pipe);
    return {WEXITSTATUS(status), output};
}

}  // namespace

TEST(InfoCommand, SummarisesTheSample)
{
    TempFolder folder;
    const RunResult r = RunSkylog(std::string("info ") + SKYLOG_SAMPLE_DIR + "/GRAPH.DAT");
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_NE(r.output.find("Records:   28319"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("First day: 02/14/1947"), std::string::npos);
    EXPECT_NE(r.output.find("Last day:  06/30/2026"), std::string::npos);
    EXPECT_NE(r.output.find("06/30/2026    126  202.6"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("*"), std::string::npos);  // the last days are partial averages
    EXPECT_FALSE(PathExists(folder.File("SKYLOG.INI")));  // info changes nothing
}

TEST(InfoCommand, Version2IsReadUnconvertedAndUnknownFilesRefused)
{
    TempFolder folder;
    const std::string v2 = folder.File("V2.DAT");
    WriteTextFile(v2, ReadTextFile(std::string(SKYLOG_SAMPLE_DIR) + "/GRAPH_V2_SAMPLE.DAT"));
    RunResult r = RunSkylog("info " + v2);
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_NE(r.output.find("Version:   2"), std::string::npos);
    EXPECT_NE(r.output.find("First day: 11/27/1998"), std::string::npos);
    EXPECT_FALSE(PathExists(folder.File("V2.BAK")));

    const std::string junk = folder.File("JUNK.DAT");
    WriteTextFile(junk, "hello\n");
    r = RunSkylog("info " + junk);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.output.find("Unable To Read Data File"), std::string::npos);
    EXPECT_EQ(ReadTextFile(junk), "hello\n");

    r = RunSkylog("info " + folder.File("MISSING.DAT"));
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.output.find("Could Not Open Data File"), std::string::npos);
}
