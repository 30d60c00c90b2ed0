// The checked-files manager: row states, OK writing FNAMES.DAT, Cancel, and
// its downloads against a real FTP server on loopback.
#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QMenu>
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

TEST_F(BulletinFilesTest, ShowsEveryNameAsAKeptRow)
{
    CheckedFileList list = ListOf({"a.txt", "bb.txt", "a.txt"});
    BulletinFilesDlg dialog(list, Fnames());
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Available Bulletin Files");
    EXPECT_EQ(States(dialog), "KKK");
    EXPECT_EQ(dialog.List()->topLevelItem(2)->text(1), "a.txt");
    QStringList actions;
    for (QAction* action : dialog.ContextMenu()->actions())
        actions << action->text();
    EXPECT_EQ(actions, (QStringList{"&Change State", "Download and Save", "Download and View"}));

    QTest::keyRelease(&dialog, Qt::Key_F1);
    EXPECT_EQ(prompt_.helpKeywords, (std::vector<std::string>{"Bulletin Files Manager"}));
}

TEST_F(BulletinFilesTest, StateIconsAreABlueCheckAndARedCross)
{
    const auto count = [](FileState state, auto isColour) {
        const QImage image = FileStateIcon(state).pixmap(16, 16).toImage();
        int pixels = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                pixels += isColour(image.pixelColor(x, y)) ? 1 : 0;
        return pixels;
    };
    const auto blue = [](QColor c) { return c.blue() > 180 && c.red() < 100 && c.green() < 100; };
    const auto red = [](QColor c) { return c.red() > 180 && c.blue() < 100 && c.green() < 100; };
    EXPECT_EQ(FileStateIcon(FileState::Keep).pixmap(16, 16).size(), QSize(16, 16));
    EXPECT_GT(count(FileState::Keep, blue), 10);
    EXPECT_EQ(count(FileState::Keep, red), 0);
    EXPECT_GT(count(FileState::Remove, red), 10);
    EXPECT_EQ(count(FileState::Remove, blue), 0);
    EXPECT_EQ(count(FileState::Empty, red) + count(FileState::Empty, blue), 0);
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

TEST_F(BulletinFilesTest, CancelChangesNothing)
{
    WriteTextFile(Fnames(), "left alone");
    CheckedFileList list = ListOf({"a.txt", "bb.txt"});
    BulletinFilesDlg dialog(list, Fnames());
    dialog.show();
    dialog.UncheckAll();
    QTest::keyClick(dialog.List(), Qt::Key_Return);  // Enter is Cancel
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(list.Names(), (std::vector<std::string>{"a.txt", "bb.txt"}));
    EXPECT_EQ(ReadTextFile(Fnames()), "left alone");
}

TEST_F(BulletinFilesTest, AListThatCannotBeWrittenIsReported)
{
    CheckedFileList list = ListOf({"a.txt"});
    BulletinFilesDlg dialog(list, home_.File("missing/FNAMES.DAT"));
    dialog.accept();
    ASSERT_EQ(prompt_.messages.size(), 1u);
    EXPECT_EQ(prompt_.messages[0].caption, "FNAMES.DAT NOT SAVED");
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
