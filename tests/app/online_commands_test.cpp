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

// The program's folder and a temporary folder of its own, apart from tests running in parallel.
class OnlineCommand : public FetchFolders {
protected:
    std::string site = home_.File("site");
    std::string www = home_.File("www");
    std::string data = home_.File("GRAPH.DAT");

    bool NoTemporaryFileLeft() const  // not one file of any kind: the program has ended
    {
        return fs::temp_directory_path() == fs::path(tmp_.Path()) && fs::is_empty(tmp_.Path());
    }
    void SetUp() override
    {
        FetchFolders::SetUp();
        fs::create_directory(www);
        for (const std::string& name : {Silso, Nrcan})
            fs::copy_file(std::string(SKYLOG_TEST_DATA_DIR) + "/import/excerpts/" + name, www + "/" + name);
    }
    void Configure(const std::vector<std::string>& urls)
    {
        std::string ini = "[SOLAR_DATA]\nVersion=ORB Version 2.01 Configuration File\n";
        for (std::size_t i = 0; i < urls.size(); ++i)
            ini += "UpdateSource" + std::to_string(i + 1) + "=" + urls[i] + "\n";
        WriteTextFile(home_.File("SKYLOG.INI"), ini);
    }
};

}  // namespace

// A damaged name list and no site: the run fails and leaves the data file
// alone. Then a scan merges, keeps and records bulletins until Ctrl+C stops
// it in a stalled transfer and saves what was merged; the next run finds nothing new.
TEST_F(OnlineCommand, FetchFailsThenMergesUntilStoppedThenFindsNothingNew)
{
    const std::string text = "! SKYLOG Solar Data Plot Version 3 Data File\n08/31/1995   999  999.0     0     0\n";
    WriteTextFile(data, text);
    WriteTextFile(home_.File("FNAMES.DAT"), std::string("\x05\x00\xFF\xFF\x01\x00\x08\x00", 8) +
                                               "FTPFiles\x10" "1990-arlp001.txt" "\x02\x80");
    RunResult r = RunSkylog("fetch --site ftp://127.0.0.1:9");  // nothing listens there
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Has(r.output, "FNAMES.DAT is damaged: 1 names kept\n")) << r.output;
    EXPECT_TRUE(Has(r.output, "Starting FTP Connection: Failed - Could Not Connect To Site  [failed]\n"));
    EXPECT_EQ(ReadTextFile(data), text);

    std::vector<ArchiveFile> files = StandardArchive();
    files.push_back({"2003/2003-arlp009-stall.txt", "never arrives\n"});
    WriteArchive(site, "pub/bulletins", files);
    FtpTestServer server(site, {"stall"});
    const std::string keep = home_.File("keep"), log = home_.File("fetch.log");
    fs::create_directories(keep);
    // Ctrl+C once the last good bulletin is merged, during the stalled transfer.
    r = RunSkylog("fetch --site " + server.Url() + " --keep " + keep + " > " + log + " 2>&1 & pid=$!; "
                  "for i in $(seq 300); do grep -qs '2003-arlp008.txt: Added New Data' " + log +
                  " && break; sleep 0.1; done; sleep 0.3; kill -INT $pid; wait $pid");
    const std::string output = ReadTextFile(log);
    EXPECT_EQ(r.status, 130) << output;
    EXPECT_TRUE(Has(output, "\n  1995-arlp038.txt: Added New Data\n")) << output;
    EXPECT_TRUE(Has(output, "\n  2002-arlp099.txt: Could Not Parse File (02)  [failed]\n"));
    EXPECT_TRUE(Has(output, "\n  2003-arlp009-stall.txt: Aborted  [failed]\n"));
    EXPECT_TRUE(Has(output, "\n27 days added to " + data + "\n"));
    const std::string saved = ReadTextFile(data);
    EXPECT_TRUE(Has(saved, "08/31/1995  999   999.0"));  // the stored day is kept
    EXPECT_TRUE(Has(saved, "09/01/1995   13    73.7") && Has(saved, "02/13/2003  113   130.6")) << saved;
    EXPECT_TRUE(fs::exists(keep + "/2003-arlp008.txt"));
    const std::string names = ReadTextFile(home_.File("FNAMES.DAT"));  // a count of names first
    EXPECT_EQ(static_cast<unsigned char>(names.at(0)) + 256 * static_cast<unsigned char>(names.at(1)), 1 + 5);
    EXPECT_TRUE(NoTemporaryFileLeft());

    fs::remove(site + "/pub/bulletins/2003/2003-arlp009-stall.txt");
    struct stat before {}, after {};
    stat(data.c_str(), &before);
    r = RunSkylog("fetch --site " + server.Url() + " --dir pub/bulletins");
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_TRUE(Has(r.output, "Completed - No New Files: Finished\n")) << r.output;
    stat(data.c_str(), &after);
    EXPECT_EQ(before.st_ino, after.st_ino);  // not rewritten
    EXPECT_EQ(ReadTextFile(data), saved);
}

// Stopped during a download, an update imports nothing, keeps the data file and cleans up. A
// sunspot-only and a flux-only source make whole days together; a failing
// source fails the run but not the others; the next run fetches nothing new.
TEST_F(OnlineCommand, UpdateStoppedThenImportsThenFindsNothingNew)
{
    IndexServer server(www);
    ASSERT_TRUE(server.Running());
    Configure({server.Url("stall"), server.Url(Nrcan)});
    // As systemd stops a service, once the server has the stalled request.
    const std::string requests = home_.File("requests.log");
    const std::string text = "! SKYLOG Solar Data Plot Version 3 Data File\n08/31/1995   999  999.0     0     0\n";
    WriteTextFile(data, text);
    RunResult r = RunSkylog("update 2>&1 & pid=$!; for i in $(seq 600); do grep -qs '^/stall|' '" + requests +
                            "' && break; sleep 0.1; done; kill -TERM $pid; wait $pid");
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Has(r.output, "failed: interrupted\n")) << r.output;
    EXPECT_TRUE(Has(r.output, "Interrupted; nothing was imported.\n")) << r.output;
    EXPECT_FALSE(Has(r.output, "nrcan")) << r.output;  // not fetched
    EXPECT_EQ(ReadTextFile(data), text);  // the stored days stay as they were
    EXPECT_TRUE(NoTemporaryFileLeft());

    Configure({server.Url(Silso), server.Url("missing.csv"), server.Url(Nrcan)});
    r = RunSkylog("update");
    EXPECT_EQ(r.status, 1) << r.output;
    EXPECT_TRUE(Has(r.output, server.Url("missing.csv") + ": failed")) << r.output;
    EXPECT_TRUE(Has(r.output, server.Url(Nrcan) + ": nrcan, 44 days read, 44 added")) << r.output;
    const std::string saved = ReadTextFile(data);
    EXPECT_TRUE(Has(saved, "12/02/2011  127   157.3") && Has(saved, "08/31/1995  999   999.0")) << saved;
    EXPECT_TRUE(NoTemporaryFileLeft());

    r = RunSkylog("update");
    EXPECT_TRUE(Has(r.output, server.Url(Silso) + ": not changed since the last update")) << r.output;
    EXPECT_FALSE(Has(r.output, "added")) << r.output;
    EXPECT_EQ(ReadTextFile(data), saved);
}
