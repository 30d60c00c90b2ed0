// One bulletin fetched by year and number from a real FTP server on loopback
// (pyftpdlib, started per test), and what is done with it afterwards.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <thread>

#include "bulletin/bulletin_parser.h"
#include "config/plot_settings.h"
#include "data/record_array.h"
#include "internet/bulletin_dispositions.h"
#include "internet/checked_file_list.h"
#include "internet/private_files.h"
#include "internet/remote_name.h"
#include "internet/single_bulletin.h"
#include "internet/viewer_copies.h"
#include "support/data_state.h"
#include "support/ftp_server.h"
#include "support/scripted_prompt.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

const std::string BulletinDir = std::string(SKYLOG_TEST_DATA_DIR) + "/internet/bulletins/";

std::string Fixture(const std::string& name)
{
    return ReadTextFile(BulletinDir + name + ".txt");
}

int ExpectedDayCount(const std::string& name)
{
    std::ifstream in(BulletinDir + name + ".expected");
    int count = 0;
    for (std::string line; std::getline(in, line);)
        ++count;
    return count;
}

CheckedFileList ListOf(const std::vector<std::string>& names)
{
    CheckedFileList list;
    for (const std::string& name : names)
        list.Add(name);
    return list;
}

using Steps = std::vector<std::pair<FetchStep, std::string>>;

const char* StepName(FetchStep step)
{
    switch (step) {
    case FetchStep::Initializing:
        return "Initializing";
    case FetchStep::Connecting:
        return "Connecting";
    case FetchStep::GettingFile:
        return "GettingFile";
    case FetchStep::ClosingSession:
        return "ClosingSession";
    }
    return "?";
}

// The last status each step showed, as the four lines would read at the end.
std::string FinalLines(const Steps& steps)
{
    std::string lines[4];
    for (const auto& [step, status] : steps)
        lines[static_cast<int>(step)] = status;
    std::string text;
    for (int i = 0; i < 4; ++i)
        text += std::string(StepName(static_cast<FetchStep>(i))) + "=" + lines[i] + ";";
    return text;
}

}  // namespace

TEST(SingleBulletinNames, RemoteFolderIsTheYearUnderTheBulletinDirectory)
{
    const struct {
        const char* ftpDir;
        const char* name;
        const char* expected;
    } cases[] = {
        {"pub/bulletins", "2002-arlp005.txt", "pub/bulletins/2002"},
        {"pub/bulletins/", "1999-arlp101.txt", "pub/bulletins/1999"},
        {"/archive", "2002-arlp005.txt", "/archive/2002"},
        {"", "2002-arlp005.txt", "2002"},
        {"/", "2002-arlp005.txt", "/2002"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BulletinRemoteDir(c.ftpDir, c.name), c.expected) << c.ftpDir << " " << c.name;
    EXPECT_EQ(BulletinFileName(2002, 5), "2002-arlp005.txt");
}

TEST(SingleBulletinNames, ProposedNumberIsOneAboveTheHighestKnownOfTheYear)
{
    const CheckedFileList list =
        ListOf({"2002-arlp005.txt", "2001-arlp040.txt", "2002-arlp012.txt", "2002-arlp009.txt",
                "2004-arlp001.txt"});
    const struct {
        int year;
        int expected;
    } cases[] = {{2002, 13}, {2001, 41}, {2003, 1}, {1995, 1}, {2004, 2}};
    for (const auto& c : cases)
        EXPECT_EQ(ProposedBulletinNumber(list, c.year), c.expected) << c.year;
}

TEST(SingleBulletinNames, KnownBulletinsFormATreeOfYearsInListOrder)
{
    const CheckedFileList list = ListOf({"2001-arlp040.txt", "2002-arlp005.txt", "2002-arlp012.txt",
                                         "2003-arlp001.txt"});
    const std::vector<BulletinYearNode> tree = KnownBulletinTree(list);
    ASSERT_EQ(tree.size(), 3u);
    EXPECT_EQ(tree[0].text, "2001");
    EXPECT_EQ(tree[0].items, (std::vector<std::string>{"2001-ARLP-040"}));
    EXPECT_EQ(tree[1].text, "2002");
    EXPECT_EQ(tree[1].items, (std::vector<std::string>{"2002-ARLP-005", "2002-ARLP-012"}));
    EXPECT_EQ(tree[2].items, (std::vector<std::string>{"2003-ARLP-001"}));

    const std::optional<BulletinId> item = ParseBulletinItem("2002-ARLP-005");
    ASSERT_TRUE(item);
    EXPECT_EQ(item->year, 2002);
    EXPECT_EQ(item->number, 5);
    EXPECT_FALSE(ParseBulletinItem("2002"));  // a year node names no bulletin
    EXPECT_FALSE(ParseBulletinItem(""));
}

class SingleBulletinFetch : public ::testing::Test {
protected:
    TempFolder tmp_;   // the temporary folder of the fetch
    TempFolder home_;  // the program folder (made last, so SKYLOG_HOME names it)
    std::string root_;
    std::atomic<bool> abort_{false};
    Steps steps_;

    void SetUp() override
    {
        ResetDataState();
        Settings() = PlotSettings();
        root_ = home_.File("site");
        setenv("TMPDIR", tmp_.Path().c_str(), 1);
    }
    void TearDown() override
    {
        unsetenv("TMPDIR");
        ResetDataState();
    }

    FetchOutcome Fetch(const std::string& site, const std::string& name, PrivateTempFile& into,
                       const std::string& dir = "pub/bulletins")
    {
        steps_.clear();
        return FetchBulletin({site, dir, name}, into, abort_,
                             [this](FetchStep step, const std::string& status) {
                                 steps_.emplace_back(step, status);
                             });
    }
};

TEST_F(SingleBulletinFetch, FetchesTheNamedBulletinFromItsYearFolder)
{
    // The same name elsewhere must not be the one fetched.
    WriteArchive(root_, "pub/bulletins",
                 {{"2002/2002-arlp005.txt", Fixture("013_2002_arlp052")},
                  {"2003/2002-arlp005.txt", "wrong folder\n"},
                  {"2002-arlp005.txt", "top level\n"}});
    FtpTestServer server(root_);
    PrivateTempFile into;
    EXPECT_EQ(Fetch(server.Url(), BulletinFileName(2002, 5), into), FetchOutcome::Fetched);
    EXPECT_EQ(ReadTextFile(into.Path()), Fixture("013_2002_arlp052"));
    const Steps expected = {
        {FetchStep::Initializing, "Starting"},     {FetchStep::Initializing, "Completed"},
        {FetchStep::Connecting, "Starting"},       {FetchStep::Connecting, "Completed"},
        {FetchStep::GettingFile, "Starting"},      {FetchStep::GettingFile, "Transferring"},
        {FetchStep::GettingFile, "Completed"},     {FetchStep::ClosingSession, "Starting"},
        {FetchStep::ClosingSession, "Completed"},
    };
    EXPECT_EQ(steps_, expected);

    // A bare host name is tried as an ftp:// address.
    PrivateTempFile again;
    EXPECT_EQ(Fetch("127.0.0.1:" + std::to_string(server.Port()), "2002-arlp005.txt", again),
              FetchOutcome::Fetched);
}

TEST_F(SingleBulletinFetch, EachFailureShowsOnItsStepLine)
{
    WriteArchive(root_, "pub/bulletins", {{"2002/2002-arlp005.txt", Fixture("013_2002_arlp052")}});
    FtpTestServer server(root_);
    FtpTestServer refusing(root_, {"no-login"});
    const std::string port = std::to_string(server.Port());
    const struct {
        std::string site;
        std::string name;
        const char* lines;
    } cases[] = {
        {"ftp://bad host!", "2002-arlp005.txt",
         "Initializing=Parse URL Failed;Connecting=;GettingFile=;ClosingSession=;"},
        {"http://127.0.0.1:" + port, "2002-arlp005.txt",
         "Initializing=Completed;Connecting=Failed;GettingFile=;ClosingSession=;"},
        {"ftp://", "2002-arlp005.txt",
         "Initializing=Completed;Connecting=Failed;GettingFile=;ClosingSession=;"},
        {refusing.Url(), "2002-arlp005.txt",
         "Initializing=Completed;Connecting=Failed;GettingFile=;ClosingSession=;"},
        {server.Url(), "2004-arlp001.txt",
         "Initializing=Completed;Connecting=Completed;GettingFile=CD Failed;ClosingSession=;"},
        {server.Url(), "2002-arlp006.txt",
         "Initializing=Completed;Connecting=Completed;GettingFile=Transfer Failed;"
         "ClosingSession=Completed;"},
        // A name no listing could hand us: never used in a remote path.
        {server.Url(), "../2002/2002-arlp005.txt",
         "Initializing=Completed;Connecting=Completed;GettingFile=Transfer Failed;"
         "ClosingSession=Completed;"},
        {server.Url(), "",
         "Initializing=Completed;Connecting=Completed;GettingFile=Transfer Failed;"
         "ClosingSession=Completed;"},
    };
    for (const auto& c : cases) {
        PrivateTempFile into;
        EXPECT_EQ(Fetch(c.site, c.name, into), FetchOutcome::Failed) << c.site << " " << c.name;
        EXPECT_EQ(FinalLines(steps_), c.lines) << c.site << " " << c.name;
        EXPECT_EQ(fs::file_size(into.Path()), 0u) << c.site;
    }
}

TEST_F(SingleBulletinFetch, AbortEndsAStalledTransferWithinAboutASecond)
{
    WriteArchive(root_, "pub/bulletins", {{"2002/2002-stall.txt", Fixture("013_2002_arlp052")}});
    FtpTestServer server(root_, {"stall"});
    FetchOutcome outcome = FetchOutcome::Fetched;
    std::chrono::steady_clock::time_point ended;
    {
        PrivateTempFile into;
        std::thread fetch([&] {
            outcome = Fetch(server.Url(), "2002-stall.txt", into);
            ended = std::chrono::steady_clock::now();
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        const auto asked = std::chrono::steady_clock::now();
        abort_.store(true);
        fetch.join();
        EXPECT_LT(ended - asked, std::chrono::seconds(2));
    }
    EXPECT_EQ(outcome, FetchOutcome::Aborted);
    EXPECT_EQ(FinalLines(steps_),
              "Initializing=Completed;Connecting=Completed;GettingFile=Aborted;ClosingSession=;");
    EXPECT_TRUE(fs::is_empty(tmp_.Path()));
}

// What happens to a fetched bulletin: the file is a real fetch result.
class FetchedBulletin : public SingleBulletinFetch {
protected:
    ScriptedPrompt prompt_;
    CheckedFileList checked_;
    BulletinParser parser_;
    std::vector<std::string> viewed_;        // paths the viewer was given
    std::vector<std::string> viewedTexts_;   // what they held when it started

    TextViewer Viewer()
    {
        return [this](const std::string& path) {
            viewed_.push_back(path);
            viewedTexts_.push_back(ReadTextFile(path));
            return true;
        };
    }

    // A fetched file holding text, as the fetch leaves it.
    std::unique_ptr<PrivateTempFile> Fetched(const std::string& text)
    {
        auto file = std::make_unique<PrivateTempFile>();
        WriteTextFile(file->Path(), text);
        return file;
    }
};

TEST_F(FetchedBulletin, OnlyViewHandsTheViewerAPrivateCopyAndRemovesTheTemporaryFile)
{
    const std::string text = Fixture("013_2002_arlp052");
    std::unique_ptr<PrivateTempFile> fetched = Fetched(text);
    const std::string temporary = fetched->Path();
    BulletinDispositions only;
    only.view = true;
    HandleFetchedBulletin("2002-arlp005.txt", *fetched, only, parser_, checked_, Viewer());

    ASSERT_EQ(viewed_.size(), 1u);
    EXPECT_NE(viewed_[0], temporary);
    EXPECT_EQ(fs::path(viewed_[0]).filename(), "2002-arlp005.txt");
    EXPECT_EQ(viewedTexts_[0], text);
    EXPECT_FALSE(PathExists(temporary));
    // The viewer may read it later: the copy stays, readable by us only.
    EXPECT_EQ(ReadTextFile(viewed_[0]), text);
    const fs::perms folder = fs::status(ViewerCopiesFolder()).permissions();
    EXPECT_EQ(folder & (fs::perms::group_all | fs::perms::others_all), fs::perms::none);
    EXPECT_TRUE(prompt_.messages.empty());
    EXPECT_EQ(Records().RecordCount(), 0);
    EXPECT_EQ(checked_.Count(), 0);
}

TEST_F(FetchedBulletin, SaveAndAddParseTheMovedFile)
{
    const std::string bulletin = "013_2002_arlp052";
    std::unique_ptr<PrivateTempFile> fetched = Fetched(Fixture(bulletin));
    const std::string temporary = fetched->Path();
    const std::string keep = home_.File("kept");
    fs::create_directory(keep);
    prompt_.chosenFiles.push_back(keep);
    BulletinDispositions dispositions;
    dispositions.save = dispositions.add = dispositions.view = true;
    HandleFetchedBulletin("2002-arlp052.txt", *fetched, dispositions, parser_, checked_, Viewer());

    EXPECT_EQ(prompt_.folderTitles, (std::vector<std::string>{"Select Directory"}));
    EXPECT_FALSE(PathExists(temporary));
    EXPECT_EQ(ReadTextFile(keep + "/2002-arlp052.txt"), Fixture(bulletin));
    // Saved like any file the user makes: 0666 less the umask.
    const mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(static_cast<mode_t>(fs::status(keep + "/2002-arlp052.txt").permissions()),
              0666 & ~mask);
    EXPECT_EQ(Records().RecordCount(), ExpectedDayCount(bulletin));
    EXPECT_EQ(Records().DataChanged(), 1);
    EXPECT_EQ(checked_.Names(), (std::vector<std::string>{"2002-arlp052.txt"}));
    ASSERT_EQ(prompt_.Captions(), (std::vector<std::string>{"NEW DATA ADDED"}));
    EXPECT_EQ(prompt_.messages[0].text, "New Data Added To Database");
    EXPECT_EQ(prompt_.messages[0].caption, "NEW DATA ADDED");
    EXPECT_EQ(prompt_.messages[0].icon, PromptIcon::Information);
    ASSERT_EQ(viewedTexts_.size(), 1u);
    EXPECT_EQ(viewedTexts_[0], Fixture(bulletin));
    EXPECT_EQ(prompt_.maxWaitDepth, 1);
    EXPECT_EQ(prompt_.waitDepth, 0);
}

TEST_F(FetchedBulletin, AddingTheSameBulletinTwiceRecordsItsNameTwice)
{
    BulletinDispositions add;
    add.add = true;
    for (int i = 0; i < 2; ++i) {
        std::unique_ptr<PrivateTempFile> fetched = Fetched(Fixture("014_2003_arlp008"));
        HandleFetchedBulletin("2003-arlp008.txt", *fetched, add, parser_, checked_, Viewer());
        EXPECT_FALSE(PathExists(fetched->Path()));
    }
    EXPECT_EQ(checked_.Names(), (std::vector<std::string>{"2003-arlp008.txt", "2003-arlp008.txt"}));
    EXPECT_EQ(Records().RecordCount(), ExpectedDayCount("014_2003_arlp008"));
    EXPECT_EQ(prompt_.Captions(), (std::vector<std::string>{"NEW DATA ADDED", "NEW DATA ADDED"}));
}

TEST_F(FetchedBulletin, AFailedParseSaysWhyAndRecordsOnlyPermanentFailures)
{
    const struct {
        std::string text;
        const char* message;
        bool recorded;
    } cases[] = {
        {"No date line here.\n", "ERROR ADDING DATA\nCould Not Parse File (02)", true},
        {"", "ERROR ADDING DATA\nCould Not Parse File (02)", true},
    };
    for (const auto& c : cases) {
        checked_.Clear();
        prompt_.messages.clear();
        std::unique_ptr<PrivateTempFile> fetched = Fetched(c.text);
        BulletinDispositions add;
        add.add = true;
        HandleFetchedBulletin("2002-arlp099.txt", *fetched, add, parser_, checked_, Viewer());
        ASSERT_EQ(prompt_.messages.size(), 1u);
        EXPECT_EQ(prompt_.messages[0].text, c.message);
        EXPECT_EQ(prompt_.messages[0].caption, "DATA NOT ADDED");
        EXPECT_EQ(prompt_.messages[0].icon, PromptIcon::Information);
        EXPECT_EQ(checked_.Count(), c.recorded ? 1 : 0);
    }
    EXPECT_EQ(Records().RecordCount(), 0);
}

TEST_F(FetchedBulletin, AMoveNeverReplacesAFileAndSaysWhereTheBulletinIs)
{
    const std::string keep = home_.File("kept");
    fs::create_directory(keep);
    WriteTextFile(keep + "/2002-arlp052.txt", "the user's own file\n");
    std::unique_ptr<PrivateTempFile> fetched = Fetched(Fixture("013_2002_arlp052"));
    const std::string temporary = fetched->Path();
    prompt_.chosenFiles.push_back(keep);
    BulletinDispositions dispositions;
    dispositions.save = dispositions.add = true;
    HandleFetchedBulletin("2002-arlp052.txt", *fetched, dispositions, parser_, checked_, Viewer());

    EXPECT_EQ(ReadTextFile(keep + "/2002-arlp052.txt"), "the user's own file\n");
    ASSERT_EQ(prompt_.messages.size(), 2u);
    EXPECT_EQ(prompt_.messages[0].text, "Could Not Move File From\n" + temporary + "\nTo\n" + keep +
                                            "/2002-arlp052.txt\n\nIt is still named\n" + temporary);
    EXPECT_EQ(prompt_.messages[0].caption, "MOVE FILE FAILED");
    EXPECT_EQ(prompt_.messages[0].icon, PromptIcon::Information);
    // The other dispositions use the file under its temporary name, which stays.
    EXPECT_EQ(prompt_.messages[1].caption, "NEW DATA ADDED");
    EXPECT_EQ(ReadTextFile(temporary), Fixture("013_2002_arlp052"));
    fs::remove(temporary);
}

TEST_F(FetchedBulletin, ACancelledFolderChoiceLeavesNoTemporaryFile)
{
    std::unique_ptr<PrivateTempFile> fetched = Fetched(Fixture("013_2002_arlp052"));
    BulletinDispositions save;
    save.save = true;
    HandleFetchedBulletin("2002-arlp052.txt", *fetched, save, parser_, checked_, Viewer());
    EXPECT_EQ(prompt_.folderTitles.size(), 1u);
    EXPECT_TRUE(fs::is_empty(tmp_.Path()));
    EXPECT_TRUE(prompt_.messages.empty());
}
