// "skylog update" as a user runs it, against a real server on loopback.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "support/index_server.h"
#include "support/run_skylog.h"
#include "support/temp_folder.h"

namespace {

const std::string Silso = "silso_SN_d_tot_V2.0_excerpt.csv";
const std::string Nrcan = "nrcan_fluxtable_excerpt.txt";

class UpdateCommand : public ::testing::Test {
protected:
    TempFolder folder;  // also the program folder: SKYLOG.INI and GRAPH.DAT live here
    std::string www = folder.File("www");
    std::string data = folder.File("GRAPH.DAT");

    std::string tmp = folder.File("tmp");
    std::string savedTmpDir = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "";

    void SetUp() override
    {
        // A private temporary folder, so that downloads of tests running in
        // parallel are not taken for ours.
        std::filesystem::create_directory(tmp);
        setenv("TMPDIR", tmp.c_str(), 1);
        std::filesystem::create_directory(www);
        for (const std::string& name : {Silso, Nrcan})
            std::filesystem::copy_file(std::string(SKYLOG_TEST_DATA_DIR) + "/import/excerpts/" + name,
                                       www + "/" + name);
    }
    void TearDown() override
    {
        if (savedTmpDir.empty())
            unsetenv("TMPDIR");
        else
            setenv("TMPDIR", savedTmpDir.c_str(), 1);
    }
    void Configure(const std::vector<std::string>& urls)
    {
        std::string ini = "[SOLAR_DATA]\nVersion=ORB Version 2.01 Configuration File\n";
        for (std::size_t i = 0; i < 4; ++i)
            ini += "UpdateSource" + std::to_string(i + 1) + "=" + (i < urls.size() ? urls[i] : "") + "\n";
        WriteTextFile(folder.File("SKYLOG.INI"), ini);
    }
};

}  // namespace

TEST_F(UpdateCommand, FirstRunImportsSecondFetchesNothingNew)
{
    IndexServer server(www);
    ASSERT_TRUE(server.Running());
    // A sunspot-only and a flux-only source make whole days together.
    Configure({server.Url(Silso), server.Url(Nrcan)});
    RunResult r = RunSkylog("update");
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_NE(r.output.find(server.Url(Nrcan) + ": nrcan, 44 days read, 44 added"), std::string::npos)
        << r.output;
    const std::string saved = ReadTextFile(data);
    EXPECT_NE(saved.find("12/02/2011  127   157.3"), std::string::npos) << saved;

    r = RunSkylog("update");
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_NE(r.output.find(server.Url(Silso) + ": not changed since the last update"),
              std::string::npos) << r.output;
    EXPECT_EQ(r.output.find("added"), std::string::npos) << r.output;
    EXPECT_EQ(ReadTextFile(data), saved);
    EXPECT_NE(ReadTextFile(folder.File("SKYLOG.INI")).find("UpdateStamp1="), std::string::npos);

    // A changed file is fetched again; its days are already stored.
    std::filesystem::last_write_time(www + "/" + Nrcan, std::filesystem::file_time_type::clock::now() +
                                                             std::chrono::hours(1));
    r = RunSkylog("update");
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_NE(r.output.find("44 days read, 0 added, 0 replaced, 44 skipped"), std::string::npos)
        << r.output;
}

// Each source fails on its own; the data file changes only by what was read.
// (Certificates and size limits of the download itself: tests/import.)
TEST_F(UpdateCommand, FaultsFailCleanlyWithTheDataFileUntouched)
{
    Configure({"http://127.0.0.1:9/SW-All.csv"});  // nothing listens there
    RunResult r = RunSkylog("update");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.output.find("http://127.0.0.1:9/SW-All.csv: failed"), std::string::npos) << r.output;
    EXPECT_FALSE(PathExists(data));

    IndexServer server(www);
    ASSERT_TRUE(server.Running());
    Configure({server.Url("missing.csv"), server.Url(Nrcan)});  // one bad, one good
    r = RunSkylog("update");
    EXPECT_EQ(r.status, 1) << r.output;
    EXPECT_NE(r.output.find(server.Url("missing.csv") + ": failed"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find(server.Url(Nrcan) + ": nrcan, 44 days read"), std::string::npos) << r.output;
    // No temporary download is left behind.
    ASSERT_EQ(std::filesystem::temp_directory_path(), std::filesystem::path(tmp));
    EXPECT_TRUE(std::filesystem::is_empty(tmp));
}

TEST_F(UpdateCommand, StoppedDuringADownloadItImportsNothingAndCleansUp)
{
    WriteTextFile(data, "! SKYLOG Solar Data Plot Version 3 Data File\n12/01/2008    0    68.1\n");
    const std::string before = ReadTextFile(data);
    IndexServer server(www);
    ASSERT_TRUE(server.Running());
    Configure({server.Url("stall"), server.Url(Nrcan)});
    // As systemd stops a service (or Ctrl+C in a terminal): the signal during
    // the stalled download ends it at once. The signal goes once the server
    // has the request (up to a minute on a busy machine), so the download is
    // surely under way.
    const std::string requests = folder.File("requests.log");
    const RunResult r = RunSkylog(
        "update 2>&1 & pid=$!; for i in $(seq 600); do grep -qs '^/stall|' '" + requests +
        "' && break; sleep 0.1; done; kill -TERM $pid; wait $pid");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.output.find("failed: interrupted"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("Interrupted; nothing was imported."), std::string::npos) << r.output;
    EXPECT_EQ(r.output.find("nrcan"), std::string::npos) << r.output;  // not fetched
    EXPECT_EQ(ReadTextFile(data), before);
    ASSERT_EQ(std::filesystem::temp_directory_path(), std::filesystem::path(tmp));
    EXPECT_TRUE(std::filesystem::is_empty(tmp));
}
