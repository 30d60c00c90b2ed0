// The scan against a real FTP server on loopback (pyftpdlib, started per test).
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "bulletin/bulletin_parser.h"
#include "config/plot_settings.h"
#include "data/record_array.h"
#include "internet/checked_file_list.h"
#include "internet/ftp_locate_worker.h"
#include "internet/recording_observer.h"
#include "internet/remote_name.h"
#include "support/data_state.h"
#include "support/ftp_server.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

const std::string BulletinDir = std::string(SKYLOG_TEST_DATA_DIR) + "/internet/bulletins/";

std::string Fixture(const std::string& name)
{
    return ReadTextFile(BulletinDir + name + ".txt");
}

// The days the bulletin collection lists for a fixture: "mm/dd/yyyy ss flux" lines.
std::vector<std::string> ExpectedDays(const std::string& name)
{
    std::ifstream in(BulletinDir + name + ".expected");
    std::vector<std::string> days;
    for (std::string line; std::getline(in, line);)
        days.push_back(line);
    return days;
}

std::vector<std::string> RecordDays()
{
    std::vector<std::string> days;
    for (int i = 0; i < Records().RecordCount(); ++i) {
        const SolarRecord& r = Records().At(i);
        std::ostringstream line;
        line.setf(std::ios::fixed);
        line.precision(1);
        line << r.m_date.View() << ' ' << r.m_sunspots << ' ' << r.m_flux;
        days.push_back(line.str());
    }
    return days;
}

std::vector<std::string> Concat(std::initializer_list<std::vector<std::string>> parts)
{
    std::vector<std::string> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// The standard archive: four real bulletins in three year folders, a bulletin
// without a date line (code -2), and a file the pattern leaves alone.
std::vector<ArchiveFile> StandardArchive()
{
    return {
        {"1995/1995-arlp038.txt", Fixture("003_1995_arlp038")},
        {"1996/1996-arlp005.txt", Fixture("004_1996_arlp005")},
        {"1996/notes.txt", "not a bulletin\n"},
        {"2002/2002-arlp052.txt", Fixture("013_2002_arlp052")},
        {"2002/2002-arlp099.txt", "No date line here.\n"},
        {"2003/2003-arlp008.txt", Fixture("014_2003_arlp008")},
    };
}

struct Row {
    std::string first, second;
    bool red;
    bool operator==(const Row&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Row& row)
{
    return out << '{' << row.first << " | " << row.second << (row.red ? " | red" : "") << '}';
}

std::vector<Row> Rows(const std::vector<ScanRow>& rows)
{
    std::vector<Row> out;
    for (const ScanRow& r : rows)
        out.push_back({r.first, r.second, r.color == RowRed});
    return out;
}

class FtpScan : public ::testing::Test {
protected:
    TempFolder tmp_;   // the temporary folder of the scan
    TempFolder home_;  // the program folder (made last, so SKYLOG_HOME names it)
    std::string root_;
    CheckedFileList checked_;
    BulletinParser parser_;
    RecordingObserver observer_;
    FtpLocateWorker worker_{checked_, parser_, observer_};

    void SetUp() override
    {
        ResetDataState();
        Settings() = PlotSettings();
        root_ = home_.File("site");
        setenv("TMPDIR", tmp_.Path().c_str(), 1);
    }
    void TearDown() override { unsetenv("TMPDIR"); }

    ScanSettings SettingsFor(const FtpTestServer& server, const std::string& dir = "pub/bulletins")
    {
        ScanSettings settings;
        settings.site = server.Url();
        settings.dir = dir;
        return settings;
    }

    bool TemporaryFolderEmpty() const { return fs::is_empty(tmp_.Path()); }

    // Waits (up to 20 s) until the observer shows what is asked for.
    template <typename Pred>
    bool WaitFor(Pred pred)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (std::chrono::steady_clock::now() < deadline) {
            if (pred())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }
};

TEST_F(FtpScan, FirstScanMergesAndKeepsEveryNewBulletinAndASecondFetchesNothing)
{
    WriteArchive(root_, "pub/bulletins", StandardArchive());
    FtpTestServer server(root_);
    const std::string keep = home_.File("keep");
    fs::create_directories(keep);
    WriteTextFile(keep + "/1996-arlp005.txt", "mine\n");
    ScanSettings settings = SettingsFor(server);
    settings.keepFiles = true;
    settings.keepDir = keep;

    const ScanResult first = worker_.Run(settings);
    EXPECT_EQ(first.outcome, ScanOutcome::Completed);
    EXPECT_EQ(first.filesMerged, 4);
    EXPECT_EQ(first.daysAdded, 28);
    const std::vector<Row> operations = {
        {"Starting FTP Connection", "Done", false},
        {"Setting Directory", "Done", false},
        {"Retrieving File Names", "Done", false},
        {"Checking File 5 of 5", "Done", false},
        {"Completed - 28 Records Added", "Finished", false},
    };
    EXPECT_EQ(Rows(observer_.Operations()), operations);
    const std::vector<Row> files = {
        {"1995-arlp038.txt", "Added New Data", false},
        {"1996-arlp005.txt", "Added New Data", false},
        {"2002-arlp052.txt", "Added New Data", false},
        {"2002-arlp099.txt", "Could Not Parse File (02)", true},
        {"2003-arlp008.txt", "Added New Data", false},
    };
    EXPECT_EQ(Rows(observer_.Files()), files);
    EXPECT_EQ(RecordDays(), Concat({ExpectedDays("003_1995_arlp038"), ExpectedDays("004_1996_arlp005"),
                                    ExpectedDays("013_2002_arlp052"), ExpectedDays("014_2003_arlp008")}));
    // A -2 file is recorded too: it will not parse next time either.
    EXPECT_EQ(checked_.Names(), (std::vector<std::string>{"1995-arlp038.txt", "1996-arlp005.txt",
                                                          "2002-arlp052.txt", "2002-arlp099.txt",
                                                          "2003-arlp008.txt"}));
    EXPECT_TRUE(TemporaryFolderEmpty());
    // Kept copies never replace a file already there; unparsable ones are kept too.
    EXPECT_EQ(ReadTextFile(keep + "/1995-arlp038.txt"), Fixture("003_1995_arlp038"));
    EXPECT_EQ(ReadTextFile(keep + "/1996-arlp005.txt"), "mine\n");
    EXPECT_EQ(ReadTextFile(keep + "/2002-arlp099.txt"), "No date line here.\n");

    const ScanResult second = worker_.Run(SettingsFor(server));
    EXPECT_EQ(second.outcome, ScanOutcome::Completed);
    EXPECT_EQ(second.filesMerged, 0);
    EXPECT_TRUE(observer_.Files().empty());
    const std::vector<Row> all = Rows(observer_.Operations());
    ASSERT_EQ(all.size(), 10u);  // the second run's rows follow the first's
    EXPECT_EQ(all[8], (Row{"Checking File 5 of 5", "Done", false}));
    EXPECT_EQ(all[9], (Row{"Completed - No New Files", "Finished", false}));
    EXPECT_EQ(Records().RecordCount(), 28);
    EXPECT_EQ(checked_.Count(), 5);
}

TEST_F(FtpScan, KnownDaysAreKeptAndABulletinWithNothingNewSaysSo)
{
    WriteArchive(root_, "pub/bulletins", {{"1995/1995-arlp038.txt", Fixture("003_1995_arlp038")}});
    FtpTestServer server(root_);
    AddRecord("08/31/1995", 999, 999.0);
    const ScanResult first = worker_.Run(SettingsFor(server));
    EXPECT_EQ(first.daysAdded, 6);
    EXPECT_EQ(RecordDays().front(), "08/31/1995 999 999.0");  // the stored value stays
    EXPECT_EQ(Rows(observer_.Operations()).back(), (Row{"Completed - 6 Records Added", "Finished", false}));

    checked_.Clear();
    worker_.Run(SettingsFor(server));
    EXPECT_EQ(Rows(observer_.Operations()).back(), (Row{"Completed - No New Data", "Finished", false}));
    EXPECT_EQ(Records().RecordCount(), 7);
}

TEST(ScanRules, PermanentParseFailuresAreRecordedOthersAreNot)
{
    for (int code = -1; code >= -9; --code) {
        const bool recorded = code == -2 || code == -3 || code == -5 || code == -7 || code == -8 || code == -9;
        EXPECT_EQ(IsPermanentParseFailure(code), recorded) << code;
    }
}

TEST_F(FtpScan, RunFailuresColourTheFirstRowAndSayWhy)
{
    WriteArchive(root_, "pub/bulletins", {});
    fs::create_directories(root_ + "/pub/empty");
    WriteArchive(root_, "pub/stray", {{"1995/1995-arlp038.txt", Fixture("003_1995_arlp038")}});
    WriteTextFile(root_ + "/pub/stray/README", "a file among the year folders\n");
    FtpTestServer server(root_);
    FtpTestServer refusing(root_, {"no-login"});

    struct Case {
        const char* what;
        std::string site, dir;
        ScanOutcome outcome;
        std::vector<Row> rows;
    };
    const std::vector<Case> cases = {
        {"login refused", refusing.Url(), "pub/bulletins", ScanOutcome::LoginFailed,
         {{"Starting FTP Connection", "Failed - Could Not Connect To Site", true}}},
        {"no bulletin directory", server.Url(), "pub/nothing", ScanOutcome::NoDirectory,
         {{"Starting FTP Connection", "Failed - Could Not Set Remote Directory", true},
          {"Setting Directory", "Failed", true}}},
        {"empty directory", server.Url(), "pub/empty", ScanOutcome::NoFiles,
         {{"Starting FTP Connection", "Failed - No Files Found", true},
          {"Setting Directory", "Done", false},
          {"Retrieving File Names", "Done", false}}},
        {"a file where a year folder should be", server.Url(), "pub/stray", ScanOutcome::WalkFailed,
         {{"Starting FTP Connection", "Done", true},
          {"Setting Directory", "Done", false},
          {"Retrieving File Names", "Failed", true}}},
        {"not an ftp address", "http://127.0.0.1:" + std::to_string(server.Port()), "pub/bulletins",
         ScanOutcome::BadUrl, {{"Starting FTP Connection", "Failed - URL is incorrect", true}}},
        {"no address at all", "ftp://", "pub/bulletins", ScanOutcome::BadUrl,
         {{"Server Name Not Specified", "Failed - URL is incorrect", true}}},
        {"unreadable address", "ftp://host:123456", "pub/bulletins", ScanOutcome::BadUrl,
         {{"Starting FTP Connection", "Failed - URL is incorrect", true}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingObserver observer;
        FtpLocateWorker worker(checked_, parser_, observer);
        ScanSettings settings;
        settings.site = c.site;
        settings.dir = c.dir;
        EXPECT_EQ(worker.Run(settings).outcome, c.outcome);
        EXPECT_EQ(Rows(observer.Operations()), c.rows);
        EXPECT_TRUE(observer.Files().empty());
    }
    EXPECT_EQ(checked_.Count(), 0);
    EXPECT_EQ(Records().RecordCount(), 0);
    EXPECT_TRUE(TemporaryFolderEmpty());
}

TEST_F(FtpScan, AnEmptyDirectoryNameMeansTheLoginDirectory)
{
    WriteArchive(root_, "", {{"2003/2003-arlp008.txt", Fixture("014_2003_arlp008")}});
    FtpTestServer server(root_);
    EXPECT_EQ(worker_.Run(SettingsFor(server, "")).outcome, ScanOutcome::Completed);
    EXPECT_EQ(Rows(observer_.Operations())[1], (Row{"Setting Directory", "Done", false}));
    EXPECT_EQ(Records().RecordCount(), 7);
    // A bare host name is tried as an ftp:// address.
    checked_.Clear();
    ScanSettings bare = SettingsFor(server, "");
    bare.site = "127.0.0.1:" + std::to_string(server.Port());
    EXPECT_EQ(worker_.Run(bare).outcome, ScanOutcome::Completed);
}

TEST_F(FtpScan, BrokenTransfersFailOneFileAndTheRunGoesOn)
{
    std::vector<ArchiveFile> files = StandardArchive();
    files.push_back({"2002/2002-arlp050-drop.txt", Fixture("013_2002_arlp052") + std::string(200000, ' ')});
    files.push_back({"2002/2002-arlp051-stall.txt", Fixture("013_2002_arlp052")});
    WriteArchive(root_, "pub/bulletins", files);
    // Larger than the limit, without taking the disk space.
    { std::ofstream big(root_ + "/pub/bulletins/2003/2003-arlp001-big.txt"); }
    fs::resize_file(root_ + "/pub/bulletins/2003/2003-arlp001-big.txt", 17 * 1024 * 1024);
    FtpTestServer server(root_, {"drop", "stall"});
    FtpLimits limits;
    limits.stallSeconds = 2;
    worker_.SetLimits(limits);

    const ScanResult result = worker_.Run(SettingsFor(server));
    EXPECT_EQ(result.outcome, ScanOutcome::Completed);
    EXPECT_EQ(result.filesMerged, 4);
    const std::vector<Row> rows = Rows(observer_.Files());
    for (const char* name : {"2002-arlp050-drop.txt", "2002-arlp051-stall.txt", "2003-arlp001-big.txt"}) {
        EXPECT_NE(std::find(rows.begin(), rows.end(), Row{name, "Transfer Failed", true}), rows.end()) << name;
        EXPECT_FALSE(checked_.Contains(name)) << name;
    }
    EXPECT_EQ(rows.back(), (Row{"2003-arlp008.txt", "Added New Data", false}));
    EXPECT_EQ(Records().RecordCount(), 28);
    EXPECT_TRUE(TemporaryFolderEmpty());
}

TEST_F(FtpScan, UntrustedNamesAreNeverFetchedOrRecorded)
{
    std::vector<ArchiveFile> files = StandardArchive();
    const std::string accented = "2002-arlp\xC3\xA9" "01.txt";
    files.push_back({"2002/" + accented, Fixture("013_2002_arlp052")});
    WriteArchive(root_, "pub/bulletins", files);
    FtpTestServer server(root_, {"hostile"});

    EXPECT_EQ(worker_.Run(SettingsFor(server)).outcome, ScanOutcome::Completed);
    std::vector<Row> unsafe;
    for (const Row& r : Rows(observer_.Files())) {
        if (r.second == "Unsafe File Name" && r.red)
            unsafe.push_back(r);
    }
    // Top level: "..", ".", "a/b", "bad\x01dir"; each year folder: six names.
    EXPECT_EQ(unsafe.size(), 4u + 4u * 6u);
    EXPECT_NE(std::find(unsafe.begin(), unsafe.end(), Row{"2002-arlp\\x01902.txt", "Unsafe File Name", true}),
              unsafe.end());
    EXPECT_TRUE(checked_.Contains(accented));  // the bytes the server listed
    EXPECT_EQ(checked_.Count(), 6);
    for (const std::string& name : checked_.Names())
        EXPECT_TRUE(IsSafeRemoteName(name)) << name;
    EXPECT_TRUE(TemporaryFolderEmpty());
    EXPECT_FALSE(fs::exists(home_.Path() + "/x"));
}

TEST_F(FtpScan, StopEndsTheRunPromptlyKeepingWhatWasMerged)
{
    struct Case {
        const char* what;
        const char* fault;
        bool (*ready)(const RecordingObserver&);  // the run is stuck where the case wants it
        std::vector<Row> operations, files;
        std::vector<std::string> checked, days;
    };
    const std::vector<Case> cases = {
        {"in the counting pass", "stall-list",
         [](const RecordingObserver& o) {
             const auto rows = o.Operations();
             return rows.size() == 3 && rows[2].second == "Working";
         },
         {{"Starting FTP Connection", "Done", true},
          {"Setting Directory", "Done", false},
          {"Retrieving File Names", "Aborted", true}},
         {},
         {},
         {}},
        {"in a transfer", "stall",
         [](const RecordingObserver& o) {
             const auto rows = o.Files();
             return !rows.empty() && rows.back().first == "2002-arlp051-stall.txt" &&
                    rows.back().second == "Transferring";
         },
         {{"Starting FTP Connection", "Done", true},
          {"Setting Directory", "Done", false},
          {"Retrieving File Names", "Done", false},
          {"Checking File 3 of 6", "Aborted", true}},
         {{"1995-arlp038.txt", "Added New Data", false},
          {"1996-arlp005.txt", "Added New Data", false},
          {"2002-arlp051-stall.txt", "Aborted", true}},
         {"1995-arlp038.txt", "1996-arlp005.txt"},
         Concat({ExpectedDays("003_1995_arlp038"), ExpectedDays("004_1996_arlp005")})},
    };
    std::vector<ArchiveFile> files = StandardArchive();
    files.push_back({"2002/2002-arlp051-stall.txt", Fixture("013_2002_arlp052")});
    WriteArchive(root_, "pub/bulletins", files);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ResetDataState();
        checked_.Clear();
        RecordingObserver observer;
        FtpLocateWorker worker(checked_, parser_, observer);
        FtpTestServer server(root_, {c.fault});
        ASSERT_TRUE(worker.Start(SettingsFor(server)));
        EXPECT_FALSE(worker.Start(SettingsFor(server)));  // one run at a time
        ASSERT_TRUE(WaitFor([&] { return c.ready(observer); }));
        const auto before = std::chrono::steady_clock::now();
        int pumps = 0;
        worker.Stop([&] { ++pumps; });
        // The stalled server would hold the run for a minute.
        EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - before).count(), 10.0);
        EXPECT_GT(pumps, 0);
        EXPECT_FALSE(worker.WorkerRunning());
        EXPECT_EQ(worker.LastResult().outcome, ScanOutcome::Aborted);
        EXPECT_EQ(Rows(observer.Operations()), c.operations);
        EXPECT_EQ(Rows(observer.Files()), c.files);
        EXPECT_EQ(checked_.Names(), c.checked);  // merged before Stop: recorded
        EXPECT_EQ(RecordDays(), c.days);
        EXPECT_TRUE(TemporaryFolderEmpty());
    }
}

}  // namespace
