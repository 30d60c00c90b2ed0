// The checked-files manager: row states, OK writing FNAMES.DAT, Cancel, and
// its downloads against a real FTP server on loopback.
#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>

#include "ui/bulletin_files_dlg.h"
#include "ui/state_icons.h"
#include "support/download_fixture.h"

namespace {

namespace fs = std::filesystem;

std::string States(const BulletinFilesDlg& dialog)
{
    std::string states;
    for (int i = 0; i < dialog.List()->topLevelItemCount(); ++i)
        states += dialog.RowState(i) == FileState::Keep ? 'K' : dialog.RowState(i) == FileState::Remove ? 'R' : '?';
    return states;
}

void Select(BulletinFilesDlg& dialog, std::initializer_list<int> rows)
{
    dialog.List()->clearSelection();
    for (int row : rows)
        dialog.List()->topLevelItem(row)->setSelected(true);
}

}  // namespace

using BulletinFilesTest = DownloadFixture;

TEST_F(BulletinFilesTest, StateIconsAreABlueCheckAndARedCross)
{
    const auto count = [](FileState state, bool wantRed) {
        const QImage image = FileStateIcon(state).pixmap(16, 16).toImage();
        int pixels = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const QColor c = image.pixelColor(x, y);
                const int mine = wantRed ? c.red() : c.blue(), other = wantRed ? c.blue() : c.red();
                pixels += mine > 180 && other < 100 && c.green() < 100 ? 1 : 0;
            }
        return pixels;
    };
    EXPECT_GT(count(FileState::Keep, false), 10);
    EXPECT_EQ(count(FileState::Keep, true), 0);
    EXPECT_GT(count(FileState::Remove, true), 10);
    EXPECT_EQ(count(FileState::Remove, false), 0);
}

TEST_F(BulletinFilesTest, TogglesChangeOnlyTheFirstSelectedRow)
{
    CheckedFileList list = ListOf({"1.txt", "2.txt", "3.txt", "4.txt"});
    BulletinFilesDlg dialog(list, Fnames());
    dialog.show();
    const struct {
        std::initializer_list<int> selected;
        const char* after;
    } toggles[] = {
        {{2, 1}, "KRKK"},  // the first in the list, not the first picked
        {{1}, "KKKK"},
        {{3, 0}, "RKKK"},
        {{}, "RKKK"},      // nothing selected: nothing changes
    };
    for (const auto& t : toggles) {
        Select(dialog, t.selected);
        dialog.ChangeState();
        EXPECT_EQ(States(dialog), t.after);
    }
    dialog.UncheckAll();
    EXPECT_EQ(States(dialog), "RRRR");
    dialog.CheckAll();
    EXPECT_EQ(States(dialog), "KKKK");

    // A double-click toggles too.
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    Select(dialog, {2});
    QTreeWidget* view = dialog.List();
    const QPoint at = view->visualItemRect(view->topLevelItem(2)).center();
    int doubles = 0;
    QObject::connect(view, &QTreeWidget::itemDoubleClicked, [&] { ++doubles; });
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(doubles, 1);
    EXPECT_EQ(States(dialog), "KKRK");
    QTest::keyRelease(&dialog, Qt::Key_F1);
    EXPECT_EQ(prompt_.helpKeywords, (std::vector<std::string>{"Bulletin Files Manager"}));
}

// OK keeps the names of the kept rows, in order, and writes them to the file.
TEST_F(BulletinFilesTest, OkKeepsTheCheckedRowsAndWritesTheFile)
{
    const struct {
        std::vector<int> removed;
        std::vector<std::string> kept;
    } cases[] = {
        {{1, 3}, {"a.txt", "bb.txt"}},  // one of the two a.txt rows goes; the other stays
        {{0, 1, 2, 3}, {}},
    };
    for (const auto& c : cases) {
        CheckedFileList list = ListOf({"a.txt", "x.txt", "bb.txt", "a.txt"});
        BulletinFilesDlg dialog(list, Fnames());
        for (int row : c.removed) {
            Select(dialog, {row});
            dialog.ChangeState();
        }
        dialog.accept();
        EXPECT_EQ(list.Names(), c.kept);
        CheckedFileList saved;
        ASSERT_EQ(saved.Load(Fnames()), CheckedFilesLoad::Read);
        EXPECT_EQ(saved.Names(), c.kept);
    }
    EXPECT_TRUE(prompt_.messages.empty());
}

// Enter is Cancel: nothing changes; a list that cannot be written is reported.
TEST_F(BulletinFilesTest, CancelChangesNothingAndAFailedWriteIsReported)
{
    WriteTextFile(Fnames(), "left alone");
    CheckedFileList list = ListOf({"a.txt", "bb.txt"});
    BulletinFilesDlg dialog(list, Fnames());
    dialog.show();
    dialog.UncheckAll();
    QTest::keyClick(dialog.List(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(list.Names(), (std::vector<std::string>{"a.txt", "bb.txt"}));
    EXPECT_EQ(ReadTextFile(Fnames()), "left alone");

    BulletinFilesDlg unwritable(list, home_.File("missing/FNAMES.DAT"));
    unwritable.accept();
    EXPECT_EQ(prompt_.Captions(), std::vector<std::string>{"FNAMES.DAT NOT SAVED"});
}

TEST_F(BulletinFilesTest, DownloadsSaveOrViewTheFirstSelectedFile)
{
    FtpTestServer server(
        WriteSite({{"2002/2002-arlp005.txt", "five\n"}, {"2003/2003-arlp007.txt", "seven\n"}}));
    Settings().FTPSite = server.Url();
    CheckedFileList list = ListOf({"2002-arlp005.txt", "2003-arlp007.txt"});
    BulletinFilesDlg dialog(list, Fnames());
    const std::string keep = home_.File("kept");
    fs::create_directory(keep);

    Select(dialog, {1, 0});
    dialog.DownloadAndView();
    EXPECT_EQ(viewedTexts_, (std::vector<std::string>{"five\n"}));
    EXPECT_TRUE(NoTemporaryFiles());

    Select(dialog, {1});
    prompt_.chosenFiles.push_back(keep);
    dialog.DownloadAndSave();
    EXPECT_EQ(prompt_.folderTitles, (std::vector<std::string>{"Select Directory"}));
    EXPECT_EQ(ReadTextFile(keep + "/2003-arlp007.txt"), "seven\n");

    // A cancelled folder choice leaves no temporary file.
    dialog.DownloadAndSave();
    EXPECT_TRUE(NoTemporaryFiles());
    EXPECT_TRUE(prompt_.messages.empty());

    EXPECT_EQ(States(dialog), "KK");  // downloads change no state
    EXPECT_EQ(list.Count(), 2);
}
