// One bulletin fetched from a real FTP server on loopback, and what is done with it.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <thread>
#include <tuple>

#include "bulletin/bulletin_parser.h"
#include "internet/bulletin_dispositions.h"
#include "internet/checked_file_list.h"
#include "internet/private_files.h"
#include "internet/remote_name.h"
#include "internet/single_bulletin.h"
#include "internet/viewer_copies.h"
#include "support/fetch_folders.h"
#include "support/ftp_server.h"
#include "support/scripted_prompt.h"
#include "support/site_bulletins.h"

namespace {

namespace fs = std::filesystem;

TEST(SingleBulletinNames, FoldersNumbersAndTheTreeOfKnownBulletins)
{
    for (const auto& [ftpDir, name, expected] :
         {std::tuple{"pub/bulletins", "2002-arlp005.txt", "pub/bulletins/2002"},
          {"pub/bulletins/", "1999-arlp101.txt", "pub/bulletins/1999"},
          {"/archive", "2002-arlp005.txt", "/archive/2002"}, {"", "2002-arlp005.txt", "2002"},
          {"/", "2002-arlp005.txt", "/2002"}})
        EXPECT_EQ(BulletinRemoteDir(ftpDir, name), expected) << ftpDir << " " << name;

    // The number proposed is one above the highest known of the year.
    CheckedFileList list;
    list.Replace({"2001-arlp040.txt", "2002-arlp005.txt", "2002-arlp012.txt", "2002-arlp009.txt",
                  "2004-arlp001.txt"});
    for (const auto& [year, expected] : {std::pair{2002, 13}, {2001, 41}, {2003, 1}, {2004, 2}})
        EXPECT_EQ(ProposedBulletinNumber(list, year), expected) << year;

    // The tree: a node per run of one year's names, in list order.
    const std::vector<BulletinYearNode> tree = KnownBulletinTree(list);
    ASSERT_EQ(tree.size(), 3u);
    EXPECT_EQ(tree[0].text + " " + tree[1].text, "2001 2002");
    EXPECT_EQ(tree[1].items, (std::vector<std::string>{"2002-ARLP-005", "2002-ARLP-012", "2002-ARLP-009"}));
    const std::optional<BulletinId> item = ParseBulletinItem("2002-ARLP-005");
    ASSERT_TRUE(item);
    EXPECT_EQ(item->year * 1000 + item->number, 2002005);
    EXPECT_FALSE(ParseBulletinItem("2002"));  // a year node names no bulletin
}

class SingleBulletinFetch : public FetchFolders {
protected:
    std::string root_ = home_.File("site");
    std::atomic<bool> abort_{false};
    std::string lines_[4];  // what each step's line shows at the end

    FetchOutcome Fetch(const std::string& site, const std::string& name, PrivateTempFile& into)
    {
        for (std::string& line : lines_)
            line.clear();
        return FetchBulletin({site, "pub/bulletins", name}, into, abort_,
                             [this](FetchStep step, const std::string& status) {
                                 lines_[static_cast<int>(step)] = status;
                             });
    }
    // "Initializing|Connecting|GettingFile|ClosingSession"
    std::string Lines() const { return lines_[0] + "|" + lines_[1] + "|" + lines_[2] + "|" + lines_[3]; }
};

TEST_F(SingleBulletinFetch, FetchesTheNamedBulletinFromItsYearFolder)
{
    // The same name elsewhere must not be the one fetched.
    WriteArchive(root_, "pub/bulletins",
                 {{"2002/2002-arlp005.txt", BulletinText("013_2002_arlp052")},
                  {"2003/2002-arlp005.txt", "wrong folder\n"},
                  {"2002-arlp005.txt", "top level\n"}});
    FtpTestServer server(root_);
    PrivateTempFile into;
    EXPECT_EQ(Fetch(server.Url(), BulletinFileName(2002, 5), into), FetchOutcome::Fetched);
    EXPECT_EQ(ReadTextFile(into.Path()), BulletinText("013_2002_arlp052"));
    EXPECT_EQ(Lines(), "Completed|Completed|Completed|Completed");
    PrivateTempFile again;  // a bare host name is tried as an ftp:// address
    EXPECT_EQ(Fetch("127.0.0.1:" + std::to_string(server.Port()), "2002-arlp005.txt", again),
              FetchOutcome::Fetched);
}

TEST_F(SingleBulletinFetch, EachFailureShowsOnItsStepLine)
{
    WriteArchive(root_, "pub/bulletins", {{"2002/2002-arlp005.txt", BulletinText("013_2002_arlp052")}});
    FtpTestServer server(root_);
    FtpTestServer refusing(root_, {"no-login"});
    const struct { std::string site; std::string name; const char* lines; } cases[] = {
        {"ftp://bad host!", "2002-arlp005.txt", "Parse URL Failed|||"},
        {"http://127.0.0.1:" + std::to_string(server.Port()), "2002-arlp005.txt", "Completed|Failed||"},
        {"ftp://", "2002-arlp005.txt", "Completed|Failed||"},
        {refusing.Url(), "2002-arlp005.txt", "Completed|Failed||"},
        {server.Url(), "2004-arlp001.txt", "Completed|Completed|CD Failed|"},
        {server.Url(), "2002-arlp006.txt", "Completed|Completed|Transfer Failed|Completed"},
        // A name no listing could hand us: never used in a remote path.
        {server.Url(), "../2002/2002-arlp005.txt", "Completed|Completed|Transfer Failed|Completed"},
        {server.Url(), "", "Completed|Completed|Transfer Failed|Completed"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.site + " " + c.name);
        PrivateTempFile into;
        EXPECT_EQ(Fetch(c.site, c.name, into), FetchOutcome::Failed);
        EXPECT_EQ(Lines(), c.lines);
        EXPECT_EQ(fs::file_size(into.Path()), 0u);
    }
}

TEST_F(SingleBulletinFetch, AbortEndsAStalledTransferWithinAboutASecond)
{
    WriteArchive(root_, "pub/bulletins", {{"2002/2002-stall.txt", BulletinText("013_2002_arlp052")}});
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
    EXPECT_EQ(Lines(), "Completed|Completed|Aborted|");
    EXPECT_TRUE(fs::is_empty(tmp_.Path()));
}

// What happens to a fetched bulletin.
class FetchedBulletin : public FetchFolders {
protected:
    ScriptedPrompt prompt_;
    CheckedFileList checked_;
    BulletinParser parser_;
    std::vector<std::string> viewed_;       // paths the viewer was given
    std::vector<std::string> viewedTexts_;  // what they held when it started
    std::vector<std::unique_ptr<PrivateTempFile>> fetched_;  // kept to the end of the test

    // Hands a fetched file holding text to the dispositions; returns its path.
    std::string Handle(const std::string& name, const std::string& text, BulletinDispositions dispositions)
    {
        PrivateTempFile& fetched = *fetched_.emplace_back(std::make_unique<PrivateTempFile>());
        const std::string temporary = fetched.Path();
        WriteTextFile(temporary, text);
        HandleFetchedBulletin(name, fetched, dispositions, parser_, checked_,
                              [this](const std::string& path) {
                                  viewed_.push_back(path);
                                  viewedTexts_.push_back(ReadTextFile(path));
                                  return true;
                              });
        return temporary;
    }
    // The folder picked for Save, holding a file of the user's when one is named.
    std::string KeepFolder(const std::string& existingName = {}, const std::string& existingText = {})
    {
        const std::string keep = home_.File("kept");
        fs::create_directory(keep);
        if (!existingName.empty())
            WriteTextFile(keep + "/" + existingName, existingText);
        prompt_.chosenFiles.push_back(keep);
        return keep;
    }
};

TEST_F(FetchedBulletin, ViewHandsTheViewerAPrivateCopyAndNoTemporaryFileStays)
{
    const std::string text = BulletinText("013_2002_arlp052");
    BulletinDispositions only;
    only.view = true;
    Handle("2002-arlp005.txt", text, only);
    ASSERT_EQ(viewed_.size(), 1u);
    EXPECT_EQ(fs::path(viewed_[0]).filename(), "2002-arlp005.txt");
    EXPECT_EQ(viewedTexts_[0], text);
    EXPECT_TRUE(NoTemporaryFiles());
    // The viewer may read it later: the copy stays, readable by us only.
    EXPECT_EQ(ReadTextFile(viewed_[0]), text);
    const fs::perms folder = fs::status(ViewerCopiesFolder()).permissions();
    EXPECT_EQ(folder & (fs::perms::group_all | fs::perms::others_all), fs::perms::none);
    // Named for this run, so a later run can tell when it has ended.
    EXPECT_EQ(fs::path(ViewerCopiesFolder()).filename().string().rfind(
                  "skylog-view-" + std::to_string(getpid()) + "-", 0), 0u);
    EXPECT_TRUE(prompt_.messages.empty());
    EXPECT_EQ(Records().RecordCount() + checked_.Count(), 0);

    // Save with the folder choice cancelled leaves nothing behind either.
    BulletinDispositions save;
    save.save = true;
    Handle("2002-arlp052.txt", text, save);
    EXPECT_EQ(prompt_.folderTitles, (std::vector<std::string>{"Select Directory"}));
    EXPECT_TRUE(NoTemporaryFiles());
    EXPECT_TRUE(prompt_.messages.empty());
}

TEST_F(FetchedBulletin, SaveAndAddParseTheMovedFile)
{
    const std::string keep = KeepFolder();
    BulletinDispositions dispositions;
    dispositions.save = dispositions.add = dispositions.view = true;
    Handle("2002-arlp052.txt", BulletinText("013_2002_arlp052"), dispositions);

    EXPECT_TRUE(NoTemporaryFiles());
    EXPECT_EQ(ReadTextFile(keep + "/2002-arlp052.txt"), BulletinText("013_2002_arlp052"));
    // Saved like any file the user makes: 0666 less the umask.
    const mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(static_cast<mode_t>(fs::status(keep + "/2002-arlp052.txt").permissions()), 0666 & ~mask);
    EXPECT_EQ(RecordDays(), BulletinDays("013_2002_arlp052"));
    EXPECT_EQ(Records().DataChanged(), 1);
    EXPECT_EQ(prompt_.messages.size(), 1u);
    EXPECT_EQ(viewedTexts_, std::vector<std::string>{BulletinText("013_2002_arlp052")});
    EXPECT_EQ(prompt_.waitDepth, 0);
}

// Added one after another: what each says; each name is recorded, as these
// bulletins will read no differently next time.
TEST_F(FetchedBulletin, AddingSaysWhatHappenedAndRecordsWhatWillNotChange)
{
    const std::string added = "New Data Added To Database|NEW DATA ADDED";
    const std::string notAdded = "ERROR ADDING DATA\n";
    const struct { const char* name; std::string text; std::string message; } cases[] = {
        {"2003-arlp008.txt", BulletinText("014_2003_arlp008"), added},
        {"2003-arlp008.txt", BulletinText("014_2003_arlp008"), added},  // recorded twice
        {"no-date.txt", "No date line here.\n", notAdded + "Could Not Parse File (02)|DATA NOT ADDED"},
        {"empty.txt", "", notAdded + "Could Not Parse File (02)|DATA NOT ADDED"},
        {"no-flux.txt",
         "SEATTLE, WA  MARCH 15, 2002\nSUNSPOT NUMBERS FOR MARCH 7 THROUGH 13 WERE 0 EACH DAY.\n\n",
         notAdded + "Solar Flux Data Not Located|DATA NOT ADDED"},
        {"no-days.txt", "SEATTLE, WA  MARCH 15, 2002\nnothing here\n",
         notAdded + "No Days Found|DATA NOT ADDED"},
    };
    BulletinDispositions add;
    add.add = true;
    std::vector<std::string> recorded;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        prompt_.messages.clear();
        Handle(c.name, c.text, add);
        ASSERT_EQ(prompt_.messages.size(), 1u);
        EXPECT_EQ(prompt_.messages[0].text + "|" + prompt_.messages[0].caption, c.message);
        EXPECT_EQ(prompt_.messages[0].icon, PromptIcon::Information);
        recorded.push_back(c.name);
        EXPECT_EQ(checked_.Names(), recorded);
        EXPECT_TRUE(NoTemporaryFiles());
    }
    EXPECT_EQ(RecordDays(), BulletinDays("014_2003_arlp008"));
}

TEST_F(FetchedBulletin, AMoveNeverReplacesAFileAndSaysWhereTheBulletinIs)
{
    const std::string keep = KeepFolder("2002-arlp052.txt", "the user's own file\n");
    BulletinDispositions dispositions;
    dispositions.save = dispositions.add = true;
    const std::string temporary = Handle("2002-arlp052.txt", BulletinText("013_2002_arlp052"), dispositions);

    EXPECT_EQ(ReadTextFile(keep + "/2002-arlp052.txt"), "the user's own file\n");
    ASSERT_EQ(prompt_.messages.size(), 2u);
    EXPECT_EQ(prompt_.messages[0].text, "Could Not Move File From\n" + temporary + "\nTo\n" + keep +
                                            "/2002-arlp052.txt\n\nIt is still named\n" + temporary);
    EXPECT_EQ(prompt_.messages[0].caption, "MOVE FILE FAILED");
    // The other dispositions use the file under its temporary name, which stays.
    EXPECT_EQ(prompt_.messages[1].caption, "NEW DATA ADDED");
    EXPECT_EQ(ReadTextFile(temporary), BulletinText("013_2002_arlp052"));
    fs::remove(temporary);
}

}  // namespace

// A run killed before it could remove its viewer folder leaves it behind; the
// next run removes it, and only folders of ours whose run has ended.
TEST(ViewerCopies, FoldersOfEndedRunsAreRemovedAndNothingElse)
{
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    ASSERT_GT(child, 0);
    waitpid(child, nullptr, 0);
    const std::string ended = std::to_string(child);
    const std::string running = std::to_string(getppid());
    const std::string ours = std::to_string(getpid());

    TempFolder temp;
    TempFolder elsewhere;
    WriteTextFile(elsewhere.File("kept.txt"), "kept");
    const struct {
        std::string name;
        bool removed;
    } cases[] = {
        {"skylog-view-" + ended + "-a1B2c3", true},
        {"skylog-view-" + running + "-a1B2c3", false},
        {"skylog-view-" + ours + "-a1B2c3", false},
        {"skylog-view-" + ended, false},
        {"skylog-view-a1B2c3", false},
        {"skylog-view-x" + ended + "-a1B2c3", false},
        {"other-view-" + ended + "-a1B2c3", false},
        {"skylog-view-99999999999-a1B2c3", false},
    };
    for (const auto& c : cases) {
        fs::create_directories(temp.File(c.name + "/1"));
        WriteTextFile(temp.File(c.name + "/1/2002-arlp005.txt"), "bulletin");
    }
    const std::string link = temp.File("skylog-view-" + ended + "-link");
    fs::create_directory_symlink(elsewhere.Path(), link);
    const std::string file = temp.File("skylog-view-" + ended + "-file");
    WriteTextFile(file, "not a folder");

    // Another user's folder, where we may give one away (as root): kept.
    const std::string theirs = temp.File("skylog-view-" + ended + "-theirs");
    fs::create_directory(theirs);
    const bool gaveAway = chown(theirs.c_str(), 65534, 65534) == 0;

    RemoveEndedRunsViewerFolders(temp.Path());
    EXPECT_EQ(PathExists(theirs), gaveAway);
    for (const auto& c : cases)
        EXPECT_EQ(PathExists(temp.File(c.name)), !c.removed) << c.name;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadTextFile(elsewhere.File("kept.txt")), "kept");
    EXPECT_TRUE(PathExists(file));
}
