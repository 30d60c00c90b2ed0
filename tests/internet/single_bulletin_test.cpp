// One bulletin fetched from a real FTP server on loopback, and what is done with it.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <memory>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "bulletin/bulletin_parser.h"
#include "internet/bulletin_dispositions.h"
#include "internet/checked_file_list.h"
#include "internet/private_files.h"
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
    EXPECT_EQ(BulletinRemoteDir("pub/bulletins/", "1999-arlp101.txt") + BulletinRemoteDir("", "2002-arlp005.txt"),
              "pub/bulletins/19992002");
    CheckedFileList list;
    list.Replace({"2001-arlp040.txt", "2002-arlp005.txt", "2002-arlp012.txt", "2002-arlp009.txt", "2004-arlp001.txt"});
    // The number proposed is one above the highest known of the year.
    EXPECT_EQ(std::pair(ProposedBulletinNumber(list, 2002), ProposedBulletinNumber(list, 2003)), std::pair(13, 1));
    const std::vector<BulletinYearNode> tree = KnownBulletinTree(list);  // a node per run of one year's names
    EXPECT_EQ(tree.size() == 3 ? tree[1].items : std::vector<std::string>{},
              (std::vector<std::string>{"2002-ARLP-005", "2002-ARLP-012", "2002-ARLP-009"}));
    const auto item = ParseBulletinItem("2002-ARLP-005");  // a year node ("2002") names no bulletin
    EXPECT_TRUE(item && item->year * 1000 + item->number == 2002005 && !ParseBulletinItem("2002"));
}

class SingleBulletin : public FetchFolders {
protected:
    std::string root_ = home_.File("site");
    std::atomic<bool> abort_{false};
    std::string lines_[4];  // at the end, the lines of Initializing, Connecting, GettingFile, ClosingSession
    ScriptedPrompt prompt_;
    CheckedFileList checked_;
    BulletinParser parser_;
    std::vector<std::string> viewed_;  // the paths the viewer was given
    std::vector<std::unique_ptr<PrivateTempFile>> fetched_;  // kept to the end of the test

    FetchOutcome Fetch(const std::string& site, const std::string& name, PrivateTempFile& into)
    {
        std::fill(std::begin(lines_), std::end(lines_), "");
        return FetchBulletin(
            {site, "pub/bulletins", name}, into, abort_,
            [this](FetchStep step, const std::string& status) { lines_[static_cast<int>(step)] = status; });
    }
    std::string Lines() const { return lines_[0] + "|" + lines_[1] + "|" + lines_[2] + "|" + lines_[3]; }

    // Hands a fetched file holding text to the dispositions; returns its path.
    std::string Handle(const std::string& name, const std::string& text, BulletinDispositions dispositions)
    {
        PrivateTempFile& fetched = *fetched_.emplace_back(std::make_unique<PrivateTempFile>());
        WriteTextFile(fetched.Path(), text);
        const std::string temporary = fetched.Path();
        HandleFetchedBulletin(name, fetched, dispositions, parser_, checked_,
                              [this](const std::string& path) { return viewed_.push_back(path), true; });
        return temporary;
    }
};

TEST_F(SingleBulletin, FetchesFromTheYearFolderFailsOnItsStepLineAndAbortsWithinASecond)
{
    // The same name elsewhere must not be the one fetched.
    WriteArchive(root_, "pub/bulletins", {{"2002/2002-arlp005.txt", BulletinText("013_2002_arlp052")},
                                          {"2002/2002-stall.txt", BulletinText("013_2002_arlp052")},
                                          {"2003/2002-arlp005.txt", "wrong folder\n"}, {"2002-arlp005.txt", "top\n"}});
    FtpTestServer server(root_, {"stall"});
    PrivateTempFile fetched;
    EXPECT_EQ(Fetch(server.Url(), "2002-arlp005.txt", fetched), FetchOutcome::Fetched);
    EXPECT_EQ(ReadTextFile(fetched.Path()), BulletinText("013_2002_arlp052"));
    EXPECT_EQ(Lines(), "Completed|Completed|Completed|Completed");

    FtpTestServer refusing(root_, {"no-login"});
    const struct { std::string site; std::string name; const char* lines; } cases[] = {
        {"ftp://bad host!", "2002-arlp005.txt", "Parse URL Failed|||"},
        {refusing.Url(), "2002-arlp005.txt", "Completed|Failed||"},
        {server.Url(), "2004-arlp001.txt", "Completed|Completed|CD Failed|"},
        {server.Url(), "2002-arlp006.txt", "Completed|Completed|Transfer Failed|Completed"},
        // A name no listing could hand us: never used in a remote path.
        {server.Url(), "../2002/2002-arlp005.txt", "Completed|Completed|Transfer Failed|Completed"},
    };
    for (const auto& c : cases) {
        PrivateTempFile into;
        EXPECT_EQ(Fetch(c.site, c.name, into), FetchOutcome::Failed) << c.site << " " << c.name;
        EXPECT_EQ(Lines(), c.lines) << c.site << " " << c.name;
        EXPECT_EQ(fs::file_size(into.Path()), 0u) << c.site << " " << c.name;
    }

    PrivateTempFile stalled;
    auto fetch = std::async(std::launch::async, [&] { return Fetch(server.Url(), "2002-stall.txt", stalled); });
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const auto asked = std::chrono::steady_clock::now();
    abort_.store(true);
    EXPECT_EQ(fetch.get(), FetchOutcome::Aborted);
    EXPECT_LT(std::chrono::steady_clock::now() - asked, std::chrono::seconds(2));
    EXPECT_EQ(Lines(), "Completed|Completed|Aborted|");
}

// Saved where the user picks, added, viewed from a private copy of ours; a
// move never replaces the user's file and says where the bulletin is.
TEST_F(SingleBulletin, SaveAddAndViewAndNoTemporaryFileStays)
{
    const std::string keep = home_.File("kept"), text = BulletinText("013_2002_arlp052");
    fs::create_directory(keep);
    WriteTextFile(keep + "/2002-arlp099.txt", "the user's own file\n");
    prompt_.chosenFiles = {keep, keep};
    Handle("2002-arlp052.txt", text, {.save = true, .view = true, .add = true});
    EXPECT_TRUE(NoTemporaryFiles());
    EXPECT_EQ(ReadTextFile(keep + "/2002-arlp052.txt"), text);
    const mode_t mask = umask(0);  // saved like any file the user makes: 0666 less the umask
    umask(mask);
    EXPECT_EQ(static_cast<mode_t>(fs::status(keep + "/2002-arlp052.txt").permissions()), 0666 & ~mask);
    EXPECT_EQ(RecordDays(), BulletinDays("013_2002_arlp052"));
    ASSERT_EQ(prompt_.messages.size(), 1u);
    EXPECT_EQ(prompt_.messages[0].text, "New Data Added To Database");
    // The viewer may read its copy later: it stays, in a folder for us only, named for this run.
    ASSERT_EQ(viewed_.size(), 1u);
    EXPECT_TRUE(viewed_[0].starts_with(ViewerCopiesFolder() + "/") && viewed_[0].ends_with("/2002-arlp052.txt"));
    EXPECT_EQ(ReadTextFile(viewed_[0]), text);
    EXPECT_EQ(fs::status(ViewerCopiesFolder()).permissions() & (fs::perms::group_all | fs::perms::others_all),
              fs::perms::none);
    const std::string folderName = fs::path(ViewerCopiesFolder()).filename().string();
    EXPECT_EQ(folderName.rfind("skylog-view-" + std::to_string(getpid()) + "-", 0), 0u);

    const std::string temporary = Handle("2002-arlp099.txt", text, {.save = true, .add = true});
    EXPECT_EQ(ReadTextFile(keep + "/2002-arlp099.txt"), "the user's own file\n");
    ASSERT_EQ(prompt_.messages.size(), 3u);
    EXPECT_EQ(prompt_.messages[1].text, "Could Not Move File From\n" + temporary + "\nTo\n" + keep +
                                            "/2002-arlp099.txt\n\nIt is still named\n" + temporary);
    // The other dispositions use the file under its temporary name, which stays.
    EXPECT_EQ(prompt_.messages[2].caption, "NEW DATA ADDED");
    EXPECT_EQ(ReadTextFile(temporary), text);
    fs::remove(temporary);

    Handle("2002-arlp100.txt", text, {.save = true});  // the folder choice cancelled
    EXPECT_TRUE(NoTemporaryFiles());
    EXPECT_EQ(prompt_.messages.size(), 3u);
}

// What adding says; each name is recorded, as these bulletins will read no differently next time.
TEST_F(SingleBulletin, AddingSaysWhatWentWrongAndRecordsWhatWillNotChange)
{
    const std::string date = "SEATTLE, WA  MARCH 15, 2002\n";
    const struct { const char* name; std::string text, message; } cases[] = {
        {"no-date.txt", "No date line here.\n", "Could Not Parse File (02)"},
        {"no-flux.txt", date + "SUNSPOT NUMBERS FOR MARCH 7 THROUGH 13 WERE 0 EACH DAY.\n\n",
         "Solar Flux Data Not Located"},
        {"no-days.txt", date + "nothing here\n", "No Days Found"},
    };
    for (const auto& c : cases) {
        prompt_.messages.clear();
        Handle(c.name, c.text, {.add = true});
        EXPECT_EQ(prompt_.messages.size() == 1 ? prompt_.messages[0].text + "|" + prompt_.messages[0].caption : "",
                  std::string("ERROR ADDING DATA\n") + c.message + "|DATA NOT ADDED");
        EXPECT_EQ(checked_.Names().back(), c.name);
    }
    EXPECT_EQ(checked_.Count(), 3);
    EXPECT_EQ(Records().RecordCount(), 0);
    EXPECT_TRUE(NoTemporaryFiles());
}

}  // namespace

// A run killed before it could remove its viewer folder leaves it behind; the
// next run removes it, and only folders of ours whose run has ended.
TEST(ViewerCopies, FoldersOfEndedRunsAreRemovedAndNothingElse)
{
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    waitpid(child, nullptr, 0);
    const std::string ended = "skylog-view-" + std::to_string(child);
    TempFolder temp, elsewhere;
    WriteTextFile(elsewhere.File("kept.txt"), "kept");
    const struct { std::string name; bool removed; } cases[] = {
        {ended + "-a1B2c3", true}, {"skylog-view-" + std::to_string(getppid()) + "-a1B2c3", false}, {ended, false},
        {"skylog-view-x" + std::to_string(child) + "-a1B2c3", false},
        {"other-view-" + std::to_string(child) + "-a1B2c3", false}, {"skylog-view-99999999999-a1B2c3", false},
    };
    for (const auto& c : cases) {
        fs::create_directories(temp.File(c.name + "/1"));
        WriteTextFile(temp.File(c.name + "/1/2002-arlp005.txt"), "bulletin");
    }
    fs::create_directory_symlink(elsewhere.Path(), temp.File(ended + "-link"));
    WriteTextFile(temp.File(ended + "-file"), "not a folder");
    // Another user's folder, where we may give one away (as root): kept.
    const std::string theirs = temp.File(ended + "-theirs");
    fs::create_directory(theirs);
    const bool gaveAway = chown(theirs.c_str(), 65534, 65534) == 0;

    RemoveEndedRunsViewerFolders(temp.Path());
    EXPECT_EQ(PathExists(theirs), gaveAway);
    for (const auto& c : cases)
        EXPECT_EQ(PathExists(temp.File(c.name)), !c.removed) << c.name;
    EXPECT_TRUE(fs::is_symlink(temp.File(ended + "-link")) && PathExists(temp.File(ended + "-file")));
    EXPECT_EQ(ReadTextFile(elsewhere.File("kept.txt")), "kept");
}
