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
#include "internet/remote_name.h"
#include "support/fetch_folders.h"
#include "support/ftp_server.h"
#include "support/site_bulletins.h"
#include "support/wait_until.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> Concat(std::initializer_list<std::vector<std::string>> parts)
{
    std::vector<std::string> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// The rows as "first | second", with " | red" for a red row.
std::vector<std::string> Rows(const std::vector<ScanRow>& rows)
{
    std::vector<std::string> out;
    for (const ScanRow& r : rows)
        out.push_back(r.first + " | " + r.second + (r.color == RowRed ? " | red" : ""));
    return out;
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
        ScanSettings settings;
        settings.site = site;
        settings.dir = dir;
        return settings;
    }
};

TEST_F(FtpScan, FirstScanMergesAndKeepsEveryNewBulletinAndASecondFetchesNothing)
{
    WriteArchive(root_, "pub/bulletins", StandardArchive());
    FtpTestServer server(root_);
    const std::string keep = home_.File("keep");
    fs::create_directories(keep);
    WriteTextFile(keep + "/1996-arlp005.txt", "mine\n");
    ScanSettings settings = SettingsFor(server.Url());
    settings.keepFiles = true;
    settings.keepDir = keep;

    const ScanResult first = worker_.Run(settings);
    EXPECT_EQ(first.outcome, ScanOutcome::Completed);
    EXPECT_EQ(first.filesMerged, 4);
    EXPECT_EQ(first.daysAdded, 28);
    EXPECT_EQ(Rows(observer_.Operations()),
              (std::vector<std::string>{"Starting FTP Connection | Done", "Setting Directory | Done",
                                        "Retrieving File Names | Done", "Checking File 5 of 5 | Done",
                                        "Completed - 28 Records Added | Finished"}));
    EXPECT_EQ(Rows(observer_.Files()),
              (std::vector<std::string>{"1995-arlp038.txt | Added New Data", "1996-arlp005.txt | Added New Data",
                                        "2002-arlp052.txt | Added New Data",
                                        "2002-arlp099.txt | Could Not Parse File (02) | red",
                                        "2003-arlp008.txt | Added New Data"}));
    EXPECT_EQ(RecordDays(), Concat({BulletinDays("003_1995_arlp038"), BulletinDays("004_1996_arlp005"),
                                    BulletinDays("013_2002_arlp052"), BulletinDays("014_2003_arlp008")}));
    // A -2 file is recorded too: it will not parse next time either.
    EXPECT_EQ(checked_.Names(), (std::vector<std::string>{"1995-arlp038.txt", "1996-arlp005.txt", "2002-arlp052.txt",
                                                          "2002-arlp099.txt", "2003-arlp008.txt"}));
    EXPECT_TRUE(NoTemporaryFiles());
    // Kept copies never replace a file already there; unparsable ones are kept too.
    EXPECT_EQ(ReadTextFile(keep + "/1995-arlp038.txt"), BulletinText("003_1995_arlp038"));
    EXPECT_EQ(ReadTextFile(keep + "/1996-arlp005.txt"), "mine\n");
    EXPECT_EQ(ReadTextFile(keep + "/2002-arlp099.txt"), "No date line here.\n");

    const ScanResult second = worker_.Run(SettingsFor(server.Url()));
    EXPECT_EQ(second.outcome, ScanOutcome::Completed);
    EXPECT_EQ(second.filesMerged, 0);
    EXPECT_TRUE(observer_.Files().empty());
    const std::vector<std::string> all = Rows(observer_.Operations());
    ASSERT_EQ(all.size(), 10u);  // the second run's rows follow the first's
    EXPECT_EQ(all[9], "Completed - No New Files | Finished");
    EXPECT_EQ(Records().RecordCount(), 28);
    EXPECT_EQ(checked_.Count(), 5);
}

// Also: an empty directory is the login one; a bare host is tried as ftp://.
TEST_F(FtpScan, KnownDaysAreKeptAndABulletinWithNothingNewSaysSo)
{
    WriteArchive(root_, "", {{"1995/1995-arlp038.txt", BulletinText("003_1995_arlp038")}});
    FtpTestServer server(root_);
    AddRecord("08/31/1995", 999, 999.0);
    const ScanResult first = worker_.Run(SettingsFor(server.Url(), ""));
    EXPECT_EQ(first.outcome, ScanOutcome::Completed);
    EXPECT_EQ(first.daysAdded, 6);
    EXPECT_EQ(RecordDays().front(), "08/31/1995 999 999.0");  // the stored value stays
    EXPECT_EQ(Rows(observer_.Operations()).back(), "Completed - 6 Records Added | Finished");

    checked_.Clear();
    worker_.Run(SettingsFor("127.0.0.1:" + std::to_string(server.Port()), ""));
    EXPECT_EQ(Rows(observer_.Operations()).back(), "Completed - No New Data | Finished");
    EXPECT_EQ(Records().RecordCount(), 7);
}

TEST_F(FtpScan, RunFailuresColourTheFirstRowAndSayWhy)
{
    WriteArchive(root_, "pub/bulletins", {});
    fs::create_directories(root_ + "/pub/empty");
    WriteArchive(root_, "pub/stray", {{"1995/1995-arlp038.txt", BulletinText("003_1995_arlp038")}});
    WriteTextFile(root_ + "/pub/stray/README", "a file among the year folders\n");
    FtpTestServer server(root_);
    FtpTestServer refusing(root_, {"no-login"});

    struct Case {
        const char* what;
        std::string site, dir;
        ScanOutcome outcome;
        std::vector<std::string> rows;
    } const cases[] = {
        {"login refused", refusing.Url(), "pub/bulletins", ScanOutcome::LoginFailed,
         {"Starting FTP Connection | Failed - Could Not Connect To Site | red"}},
        {"no bulletin directory", server.Url(), "pub/nothing", ScanOutcome::NoDirectory,
         {"Starting FTP Connection | Failed - Could Not Set Remote Directory | red",
          "Setting Directory | Failed | red"}},
        {"empty directory", server.Url(), "pub/empty", ScanOutcome::NoFiles,
         {"Starting FTP Connection | Failed - No Files Found | red", "Setting Directory | Done",
          "Retrieving File Names | Done"}},
        {"a file where a year folder should be", server.Url(), "pub/stray", ScanOutcome::WalkFailed,
         {"Starting FTP Connection | Done | red", "Setting Directory | Done",
          "Retrieving File Names | Failed | red"}},
        {"not an ftp address", "http://127.0.0.1:" + std::to_string(server.Port()), "pub/bulletins",
         ScanOutcome::BadUrl, {"Starting FTP Connection | Failed - URL is incorrect | red"}},
        {"no address at all", "ftp://", "pub/bulletins", ScanOutcome::BadUrl,
         {"Server Name Not Specified | Failed - URL is incorrect | red"}},
        {"unreadable address", "ftp://host:123456", "pub/bulletins", ScanOutcome::BadUrl,
         {"Starting FTP Connection | Failed - URL is incorrect | red"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingObserver observer;
        FtpLocateWorker worker(checked_, parser_, observer);
        EXPECT_EQ(worker.Run(SettingsFor(c.site, c.dir)).outcome, c.outcome);
        EXPECT_EQ(Rows(observer.Operations()), c.rows);
        EXPECT_TRUE(observer.Files().empty());
    }
    EXPECT_EQ(checked_.Count(), 0);
    EXPECT_EQ(Records().RecordCount(), 0);
    EXPECT_TRUE(NoTemporaryFiles());
}

TEST_F(FtpScan, BrokenTransfersFailOneFileAndTheRunGoesOn)
{
    std::vector<ArchiveFile> files = StandardArchive();
    files.push_back(
        {"2002/2002-arlp050-drop.txt", BulletinText("013_2002_arlp052") + std::string(200000, ' ')});
    files.push_back({"2002/2002-arlp051-stall.txt", BulletinText("013_2002_arlp052")});
    WriteArchive(root_, "pub/bulletins", files);
    std::ofstream(root_ + "/pub/bulletins/2003/2003-arlp001-big.txt").close();  // past 16 MiB, sparse
    fs::resize_file(root_ + "/pub/bulletins/2003/2003-arlp001-big.txt", 17 * 1024 * 1024);
    FtpTestServer server(root_, {"drop", "stall"});
    FtpLimits limits;
    limits.stallSeconds = 2;
    worker_.SetLimits(limits);

    const ScanResult result = worker_.Run(SettingsFor(server.Url()));
    EXPECT_EQ(result.outcome, ScanOutcome::Completed);
    EXPECT_EQ(result.filesMerged, 4);
    const std::vector<std::string> rows = Rows(observer_.Files());
    for (const std::string name :
         {"2002-arlp050-drop.txt", "2002-arlp051-stall.txt", "2003-arlp001-big.txt"}) {
        EXPECT_NE(std::find(rows.begin(), rows.end(), name + " | Transfer Failed | red"), rows.end()) << name;
        EXPECT_FALSE(checked_.Contains(name)) << name;
    }
    EXPECT_EQ(rows.back(), "2003-arlp008.txt | Added New Data");
    EXPECT_EQ(Records().RecordCount(), 28);
    EXPECT_TRUE(NoTemporaryFiles());
}

TEST_F(FtpScan, UntrustedNamesAreNeverFetchedOrRecorded)
{
    std::vector<ArchiveFile> files = StandardArchive();
    const std::string accented = "2002-arlp\xC3\xA9" "01.txt";
    files.push_back({"2002/" + accented, BulletinText("013_2002_arlp052")});
    WriteArchive(root_, "pub/bulletins", files);
    FtpTestServer server(root_, {"hostile"});

    EXPECT_EQ(worker_.Run(SettingsFor(server.Url())).outcome, ScanOutcome::Completed);
    std::vector<std::string> unsafe;
    for (const std::string& row : Rows(observer_.Files()))
        if (row.ends_with(" | Unsafe File Name | red"))
            unsafe.push_back(row);
    // Top level: "..", ".", "a/b", "bad\x01dir"; each year folder: six names.
    EXPECT_EQ(unsafe.size(), 4u + 4u * 6u);
    EXPECT_NE(std::find(unsafe.begin(), unsafe.end(), "2002-arlp\\x01902.txt | Unsafe File Name | red"),
              unsafe.end());
    EXPECT_TRUE(checked_.Contains(accented));  // the bytes the server listed
    EXPECT_EQ(checked_.Count(), 6);
    for (const std::string& name : checked_.Names())
        EXPECT_TRUE(IsSafeRemoteName(name)) << name;
    EXPECT_TRUE(fs::is_empty(tmp_.Path()));
    EXPECT_FALSE(fs::exists(home_.Path() + "/x"));
}

TEST_F(FtpScan, StopEndsTheRunPromptlyKeepingWhatWasMerged)
{
    struct Case {
        const char* what;
        const char* fault;
        bool (*ready)(const RecordingObserver&);  // the run is stuck where the case wants it
        std::vector<std::string> operations, files, checked, days;
    } const cases[] = {
        {"in the counting pass", "stall-list",
         [](const RecordingObserver& o) {
             const auto rows = o.Operations();
             return rows.size() == 3 && rows[2].second == "Working";
         },
         {"Starting FTP Connection | Done | red", "Setting Directory | Done",
          "Retrieving File Names | Aborted | red"}, {}, {}, {}},
        {"in a transfer", "stall",
         [](const RecordingObserver& o) {
             const auto rows = o.Files();
             return !rows.empty() && rows.back().first == "2002-arlp051-stall.txt" &&
                    rows.back().second == "Transferring";
         },
         {"Starting FTP Connection | Done | red", "Setting Directory | Done",
          "Retrieving File Names | Done", "Checking File 3 of 6 | Aborted | red"},
         {"1995-arlp038.txt | Added New Data", "1996-arlp005.txt | Added New Data",
          "2002-arlp051-stall.txt | Aborted | red"},
         {"1995-arlp038.txt", "1996-arlp005.txt"},
         Concat({BulletinDays("003_1995_arlp038"), BulletinDays("004_1996_arlp005")})},
    };
    std::vector<ArchiveFile> files = StandardArchive();
    files.push_back({"2002/2002-arlp051-stall.txt", BulletinText("013_2002_arlp052")});
    WriteArchive(root_, "pub/bulletins", files);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetDataState();
        checked_.Clear();
        RecordingObserver observer;
        FtpLocateWorker worker(checked_, parser_, observer);
        FtpTestServer server(root_, {c.fault});
        ASSERT_TRUE(worker.Start(SettingsFor(server.Url())));
        EXPECT_FALSE(worker.Start(SettingsFor(server.Url())));  // one run at a time
        ASSERT_TRUE(WaitUntil([&] { return c.ready(observer); }));
        const auto before = std::chrono::steady_clock::now();
        int pumps = 0;
        worker.Stop([&] { ++pumps; });  // the stalled server would hold the run a minute
        EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(10));
        EXPECT_GT(pumps, 0);
        EXPECT_FALSE(worker.WorkerRunning());
        EXPECT_EQ(worker.LastResult().outcome, ScanOutcome::Aborted);
        EXPECT_EQ(Rows(observer.Operations()), c.operations);
        EXPECT_EQ(Rows(observer.Files()), c.files);
        EXPECT_EQ(checked_.Names(), c.checked);  // merged before Stop: recorded
        EXPECT_EQ(RecordDays(), c.days);
        EXPECT_TRUE(NoTemporaryFiles());
    }
}

}  // namespace
