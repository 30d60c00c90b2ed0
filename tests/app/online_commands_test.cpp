// "skylog fetch" and "skylog update" run as a user or a cron job would,
// against real servers on loopback.
#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

#include "support/fetch_folders.h"
#include "support/ftp_server.h"
#include "support/index_server.h"
#include "support/run_skylog.h"
#include "support/site_bulletins.h"

namespace {

namespace fs = std::filesystem;

const std::string Silso = "silso_SN_d_tot_V2.0_excerpt.csv";
const std::string Nrcan = "nrcan_fluxtable_excerpt.txt";

RunResult RunFetch(const std::string& arguments)
{
    return RunSkylog("fetch " + arguments);
}

bool Has(const std::string& output, const std::string& line)
{
    return output.find(line + "\n") != std::string::npos;
}

// The names FNAMES.DAT holds, read without the program's own reader: each
// entry ends with a counted name, and these names are all 16 bytes long.
int CheckedNameCount(const std::string& path)
{
    const std::string bytes = ReadTextFile(path);
    if (bytes.size() < 2)
        return -1;
    return static_cast<unsigned char>(bytes[0]) | static_cast<unsigned char>(bytes[1]) << 8;
}

// The program's folder and a temporary folder of its own, so that downloads
// of tests running in parallel are not taken for ours.
class OnlineCommand : public FetchFolders {
protected:
    // Not one file of any kind: the program has ended.
    bool NoTemporaryFileLeft() const
    {
        return fs::temp_directory_path() == fs::path(tmp_.Path()) && fs::is_empty(tmp_.Path());
    }
};

class FetchCommand : public OnlineCommand {
protected:
    std::string site_ = home_.File("site");
};

class UpdateCommand : public OnlineCommand {
protected:
    std::string www = home_.File("www");
    std::string data = home_.File("GRAPH.DAT");

    void SetUp() override
    {
        OnlineCommand::SetUp();
        fs::create_directory(www);
        for (const std::string& name : {Silso, Nrcan})
            fs::copy_file(std::string(SKYLOG_TEST_DATA_DIR) + "/import/excerpts/" + name, www + "/" + name);
    }
    void Configure(const std::vector<std::string>& urls)
    {
        std::string ini = "[SOLAR_DATA]\nVersion=ORB Version 2.01 Configuration File\n";
        for (std::size_t i = 0; i < 4; ++i)
            ini += "UpdateSource" + std::to_string(i + 1) + "=" + (i < urls.size() ? urls[i] : "") + "\n";
        WriteTextFile(home_.File("SKYLOG.INI"), ini);
    }
};

}  // namespace

TEST_F(FetchCommand, FetchesMergesAndRecordsThenFindsNothingNew)
{
    WriteArchive(site_, "pub/bulletins", StandardArchive());
    FtpTestServer server(site_);
    const std::string data = home_.File("GRAPH.DAT");
    WriteTextFile(data, "! SKYLOG Solar Data Plot Version 3 Data File\n08/31/1995   999  999.0     0     0\n");

    RunResult r = RunFetch("--site " + server.Url());
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_TRUE(Has(r.output, "Starting FTP Connection: Done")) << r.output;
    EXPECT_TRUE(Has(r.output, "Setting Directory: Done"));
    EXPECT_TRUE(Has(r.output, "  1995-arlp038.txt: Added New Data"));
    EXPECT_TRUE(Has(r.output, "  2002-arlp099.txt: Could Not Parse File (02)  [failed]"));
    EXPECT_TRUE(Has(r.output, "Completed - 27 Records Added: Finished"));
    EXPECT_TRUE(Has(r.output, "27 days added to " + data));
    const std::string saved = ReadTextFile(data);
    EXPECT_NE(saved.find("08/31/1995  999   999.0"), std::string::npos);  // the stored day is kept
    EXPECT_NE(saved.find("09/01/1995   13    73.7"), std::string::npos) << saved;
    EXPECT_NE(saved.find("02/13/2003  113   130.6"), std::string::npos);
    EXPECT_EQ(CheckedNameCount(home_.File("FNAMES.DAT")), 5);
    EXPECT_TRUE(NoTemporaryFileLeft());

    struct stat before {};
    stat(data.c_str(), &before);
    r = RunFetch("--site " + server.Url() + " --dir pub/bulletins");
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_TRUE(Has(r.output, "Completed - No New Files: Finished")) << r.output;
    EXPECT_EQ(r.output.find("Added New Data"), std::string::npos);
    struct stat after {};
    stat(data.c_str(), &after);
    EXPECT_EQ(before.st_ino, after.st_ino);  // not rewritten
    EXPECT_EQ(ReadTextFile(data), saved);
}

// How a scan fails is checked in tests/internet; here, that a failed run
// exits 1 and leaves the files as they were.
TEST_F(FetchCommand, AFailedRunExitsOneAndLeavesTheFilesAlone)
{
    WriteArchive(site_, "pub/bulletins", StandardArchive());
    FtpTestServer refusing(site_, {"no-login"});
    const std::string data = home_.File("MY.DAT");
    const std::string text = "! SKYLOG Solar Data Plot Version 3 Data File\n08/31/1995   999  999.0     0     0\n";
    WriteTextFile(data, text);
    const std::string names = home_.File("FNAMES.DAT");
    const std::string list = std::string("\x01\x00\xFF\xFF\x01\x00\x08\x00", 8) + "FTPFiles\x01x";
    WriteTextFile(names, list);

    const RunResult r = RunFetch("--site " + refusing.Url() + " --data " + data);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Has(r.output, "Starting FTP Connection: Failed - Could Not Connect To Site  [failed]")) << r.output;
    EXPECT_EQ(ReadTextFile(data), text);
    EXPECT_EQ(ReadTextFile(names), list);
    EXPECT_TRUE(NoTemporaryFileLeft());
}

TEST_F(FetchCommand, KeepFolderAndDamagedList)
{
    WriteArchive(site_, "pub/bulletins", StandardArchive());
    FtpTestServer server(site_);
    const std::string keep = home_.File("keep");
    fs::create_directories(keep);
    WriteTextFile(home_.File("FNAMES.DAT"), std::string("\x05\x00\xFF\xFF\x01\x00\x08\x00", 8) +
                                               "FTPFiles\x10" "1995-arlp038.txt" "\x02\x80");
    const RunResult r = RunFetch("--site " + server.Url() + " --keep " + keep);
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_TRUE(Has(r.output, "FNAMES.DAT is damaged: 1 names kept")) << r.output;
    EXPECT_EQ(r.output.find("1995-arlp038.txt"), std::string::npos);  // still known
    EXPECT_TRUE(fs::exists(keep + "/2003-arlp008.txt"));
    EXPECT_FALSE(fs::exists(keep + "/1995-arlp038.txt"));
    EXPECT_EQ(CheckedNameCount(home_.File("FNAMES.DAT")), 5);
}

TEST_F(FetchCommand, CtrlCStopsTheRunAndSavesWhatWasMerged)
{
    std::vector<ArchiveFile> files = StandardArchive();
    files.push_back({"2003/2003-arlp009-stall.txt", "never arrives\n"});
    WriteArchive(site_, "pub/bulletins", files);
    FtpTestServer server(site_, {"stall"});
    const std::string data = home_.File("GRAPH.DAT");

    // Ctrl+C once the last good bulletin is merged, during the stalled transfer.
    const std::string log = home_.File("fetch.log");
    const RunResult r = RunFetch("--site " + server.Url() + " > " + log + " 2>&1 & pid=$!; for i in $(seq 300); do "
                                 "grep -qs '2003-arlp008.txt: Added New Data' " + log + " && break; sleep 0.1; done; "
                                 "sleep 0.3; kill -INT $pid; wait $pid");
    const std::string output = ReadTextFile(log);
    EXPECT_EQ(r.status, 130) << output;
    EXPECT_TRUE(Has(output, "  2003-arlp009-stall.txt: Aborted  [failed]")) << output;
    EXPECT_TRUE(Has(output, "28 days added to " + data)) << output;
    EXPECT_NE(ReadTextFile(data).find("02/13/2003  113   130.6"), std::string::npos);
    EXPECT_EQ(CheckedNameCount(home_.File("FNAMES.DAT")), 5);
    EXPECT_TRUE(NoTemporaryFileLeft());
}

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
    EXPECT_NE(ReadTextFile(home_.File("SKYLOG.INI")).find("UpdateStamp1="), std::string::npos);

    // A changed file is fetched again; its days are already stored.
    fs::last_write_time(www + "/" + Nrcan, fs::file_time_type::clock::now() +
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
    EXPECT_TRUE(NoTemporaryFileLeft());
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
    const std::string requests = home_.File("requests.log");
    const RunResult r = RunSkylog(
        "update 2>&1 & pid=$!; for i in $(seq 600); do grep -qs '^/stall|' '" + requests +
        "' && break; sleep 0.1; done; kill -TERM $pid; wait $pid");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.output.find("failed: interrupted"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("Interrupted; nothing was imported."), std::string::npos) << r.output;
    EXPECT_EQ(r.output.find("nrcan"), std::string::npos) << r.output;  // not fetched
    EXPECT_EQ(ReadTextFile(data), before);
    EXPECT_TRUE(NoTemporaryFileLeft());
}
