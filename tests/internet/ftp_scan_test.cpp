// The scan against a real FTP server on loopback (pyftpdlib, started per test).
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>

#include "bulletin/bulletin_parser.h"
#include "internet/checked_file_list.h"
#include "internet/ftp_locate_worker.h"
#include "internet/recording_observer.h"
#include "support/fetch_folders.h"
#include "support/ftp_server.h"
#include "support/site_bulletins.h"
#include "support/wait_until.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

// The days of bulletins of the set, one after another.
Lines DaysOf(std::initializer_list<const char*> names)
{
    Lines all;
    for (const char* name : names)
        for (const std::string& day : BulletinDays(name))
            all.push_back(day);
    return all;
}

class FtpScan : public FetchFolders {
protected:
    std::string root_ = home_.File("site");
    CheckedFileList checked_;
    BulletinParser parser_;
    RecordingObserver observer_;
    FtpLocateWorker worker_{checked_, parser_, observer_};

    static ScanSettings SettingsFor(const std::string& site, const std::string& dir = "pub/bulletins")
    {
        return {site, dir, false, ""};
    }
};

// Also: an empty directory is the login one; a bare host is tried as ftp://.
TEST_F(FtpScan, FirstScanMergesAndKeepsEveryNewBulletinAndASecondFetchesNothing)
{
    WriteArchive(root_, "", StandardArchive());
    FtpTestServer server(root_);
    AddRecord("08/31/1995", 999, 999.0);  // a day of the 1995 bulletin: its stored values stay
    const std::string keep = home_.File("keep");
    fs::create_directories(keep);
    WriteTextFile(keep + "/1996-arlp005.txt", "mine\n");
    EXPECT_EQ(worker_.Run({server.Url(), "", true, keep}).filesMerged, 4);
    EXPECT_EQ(observer_.Operations(),
              (Lines{"Starting FTP Connection | Done", "Setting Directory | Done", "Retrieving File Names | Done",
                     "Checking File 5 of 5 | Done", "Completed - 27 Records Added | Finished"}));
    EXPECT_EQ(observer_.Files(),
              (Lines{"1995-arlp038.txt | Added New Data", "1996-arlp005.txt | Added New Data",
                     "2002-arlp052.txt | Added New Data", "2002-arlp099.txt | Could Not Parse File (02) | red",
                     "2003-arlp008.txt | Added New Data"}));
    Lines days = DaysOf({"003_1995_arlp038", "004_1996_arlp005", "013_2002_arlp052", "014_2003_arlp008"});
    days[0] = "08/31/1995 999 999.0";
    EXPECT_EQ(RecordDays(), days);
    // A -2 file is recorded too: it will not parse next time either.
    EXPECT_EQ(checked_.Names(), (Lines{"1995-arlp038.txt", "1996-arlp005.txt", "2002-arlp052.txt",
                                       "2002-arlp099.txt", "2003-arlp008.txt"}));
    EXPECT_TRUE(NoTemporaryFiles());
    // Kept copies never replace a file already there; unparsable ones are kept too.
    EXPECT_EQ(ReadTextFile(keep + "/1995-arlp038.txt"), BulletinText("003_1995_arlp038"));
    EXPECT_EQ(ReadTextFile(keep + "/1996-arlp005.txt"), "mine\n");
    EXPECT_EQ(ReadTextFile(keep + "/2002-arlp099.txt"), "No date line here.\n");

    EXPECT_EQ(worker_.Run(SettingsFor(server.Url(), "")).filesMerged, 0);
    EXPECT_TRUE(observer_.Files().empty());
    EXPECT_EQ(observer_.Operations().back(), "Completed - No New Files | Finished");
    checked_.Clear();  // fetched again, the bulletins hold no new day
    worker_.Run(SettingsFor("127.0.0.1:" + std::to_string(server.Port()), ""));
    EXPECT_EQ(observer_.Operations().back(), "Completed - No New Data | Finished");
    EXPECT_EQ(RecordDays(), days);
}

TEST_F(FtpScan, RunFailuresColourTheFirstRowAndSayWhy)
{
    fs::create_directories(root_ + "/pub/empty");
    WriteArchive(root_, "pub/stray", {{"1995/1995-arlp038.txt", BulletinText("003_1995_arlp038")}});
    WriteTextFile(root_ + "/pub/stray/README", "a file among the year folders\n");
    FtpTestServer server(root_);
    FtpTestServer refusing(root_, {"no-login"});
    const std::string connection = "Starting FTP Connection | ";
    const struct { std::string site, dir; ScanOutcome outcome; Lines rows; } cases[] = {
        {refusing.Url(), "pub/stray", ScanOutcome::LoginFailed,
         {connection + "Failed - Could Not Connect To Site | red"}},
        {server.Url(), "pub/nothing", ScanOutcome::NoDirectory,
         {connection + "Failed - Could Not Set Remote Directory | red", "Setting Directory | Failed | red"}},
        {server.Url(), "pub/empty", ScanOutcome::NoFiles,
         {connection + "Failed - No Files Found | red", "Setting Directory | Done", "Retrieving File Names | Done"}},
        {server.Url(), "pub/stray", ScanOutcome::WalkFailed,  // a file where a year folder should be
         {connection + "Done | red", "Setting Directory | Done", "Retrieving File Names | Failed | red"}},
        {"http://127.0.0.1:" + std::to_string(server.Port()), "pub/stray", ScanOutcome::BadUrl,
         {connection + "Failed - URL is incorrect | red"}},
        {"ftp://", "pub/stray", ScanOutcome::BadUrl, {"Server Name Not Specified | Failed - URL is incorrect | red"}},
    };
    for (const auto& c : cases) {
        RecordingObserver observer;
        FtpLocateWorker worker(checked_, parser_, observer);
        EXPECT_EQ(worker.Run(SettingsFor(c.site, c.dir)).outcome, c.outcome) << c.rows[0];
        EXPECT_EQ(observer.Operations(), c.rows);
        EXPECT_TRUE(observer.Files().empty());
    }
    EXPECT_EQ(checked_.Count(), 0);
    EXPECT_EQ(Records().RecordCount(), 0);
}

// Broken transfers fail one file and the run goes on; untrusted names are
// never fetched or recorded.
TEST_F(FtpScan, BrokenTransfersAndUntrustedNames)
{
    std::vector<ArchiveFile> files = StandardArchive();
    const std::string accented = "2002-arlp\xC3\xA9" "01.txt";
    files.push_back({"2002/" + accented, BulletinText("013_2002_arlp052")});
    files.push_back({"2002/2002-arlp050-drop.txt", BulletinText("013_2002_arlp052") + std::string(200000, ' ')});
    files.push_back({"2002/2002-arlp051-stall.txt", BulletinText("013_2002_arlp052")});
    WriteArchive(root_, "pub/bulletins", files);
    std::ofstream(root_ + "/pub/bulletins/2003/2003-arlp001-big.txt").close();  // past 16 MiB, sparse
    fs::resize_file(root_ + "/pub/bulletins/2003/2003-arlp001-big.txt", 17 * 1024 * 1024);
    FtpTestServer server(root_, {"drop", "stall", "hostile"});
    worker_.SetLimits(FtpLimits{.stallSeconds = 2});

    EXPECT_EQ(worker_.Run(SettingsFor(server.Url())).filesMerged, 5);  // the run goes on to 2003
    const Lines rows = observer_.Files();
    for (const std::string name : {"2002-arlp050-drop.txt", "2002-arlp051-stall.txt", "2003-arlp001-big.txt"}) {
        EXPECT_NE(std::find(rows.begin(), rows.end(), name + " | Transfer Failed | red"), rows.end()) << name;
        EXPECT_FALSE(checked_.Contains(name)) << name;
    }
    // Top level: "..", ".", "a/b", "bad\x01dir"; each year folder: six names.
    EXPECT_EQ(std::count_if(rows.begin(), rows.end(), [](auto& r) { return r.ends_with(" | Unsafe File Name | red"); }),
              4 + 4 * 6);
    EXPECT_TRUE(checked_.Contains(accented) && checked_.Count() == 6);  // the bytes the server listed
    EXPECT_TRUE(fs::is_empty(tmp_.Path()) && !fs::exists(home_.Path() + "/x"));
}

TEST_F(FtpScan, StopEndsTheRunPromptlyKeepingWhatWasMerged)
{
    std::vector<ArchiveFile> files = StandardArchive();
    files.push_back({"2002/2002-arlp051-stall.txt", BulletinText("013_2002_arlp052")});
    WriteArchive(root_, "pub/bulletins", files);
    FtpTestServer server(root_, {"stall"});
    ASSERT_TRUE(worker_.Start(SettingsFor(server.Url())));
    EXPECT_FALSE(worker_.Start(SettingsFor(server.Url())));  // one run at a time
    ASSERT_TRUE(WaitUntil([&] {
        const Lines rows = observer_.Files();
        return !rows.empty() && rows.back() == "2002-arlp051-stall.txt | Transferring";
    }));
    const auto before = std::chrono::steady_clock::now();
    int pumps = 0;
    worker_.Stop([&] { ++pumps; });  // the stalled server would hold the run a minute
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(10));
    EXPECT_TRUE(pumps > 0 && !worker_.WorkerRunning());
    EXPECT_EQ(observer_.Operations(), (Lines{"Starting FTP Connection | Done | red", "Setting Directory | Done",
                                             "Retrieving File Names | Done", "Checking File 3 of 6 | Aborted | red"}));
    EXPECT_EQ(observer_.Files().back(), "2002-arlp051-stall.txt | Aborted | red");
    // Merged before Stop: recorded and kept.
    EXPECT_EQ(checked_.Names(), (Lines{"1995-arlp038.txt", "1996-arlp005.txt"}));
    EXPECT_EQ(RecordDays(), DaysOf({"003_1995_arlp038", "004_1996_arlp005"}));
    EXPECT_TRUE(NoTemporaryFiles());

    FtpTestServer listing(root_, {"stall-list"});  // stopped while the names are listed
    ASSERT_TRUE(worker_.Start(SettingsFor(listing.Url())));
    ASSERT_TRUE(WaitUntil([&] { return observer_.Operations().back() == "Retrieving File Names | Working"; }));
    worker_.Stop([] {});
    EXPECT_EQ(observer_.Operations().back(), "Retrieving File Names | Aborted | red");
}

}  // namespace
