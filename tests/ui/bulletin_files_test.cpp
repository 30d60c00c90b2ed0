// The checked-files manager: row states, OK and Cancel, downloads from a loopback FTP server.
#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <QTreeWidget>

#include "support/dialog_driver.h"
#include "support/download_fixture.h"
#include "ui/bulletin_files_dlg.h"

// Each row's state as its icon shows it: 'K' a blue check, 'R' a red cross
// (clearly blue or red pixels, none of the other colour).
static std::string States(const BulletinFilesDlg& dialog)
{
    std::string states;
    for (int i = 0; i < dialog.List()->topLevelItemCount(); ++i) {
        const QImage image = dialog.List()->topLevelItem(i)->icon(0).pixmap(16, 16).toImage();
        int blue = 0, red = 0;
        for (int p = 0; p < 256; ++p) {
            const QColor c = image.pixelColor(p % 16, p / 16);
            blue += c.blue() > 180 && c.red() < 100 && c.green() < 100;
            red += c.red() > 180 && c.blue() < 100 && c.green() < 100;
        }
        states += blue > 10 && red == 0 ? 'K' : red > 10 && blue == 0 ? 'R' : '?';
    }
    return states;
}

static void Select(BulletinFilesDlg& dialog, std::initializer_list<int> rows)
{
    dialog.List()->clearSelection();
    for (int row : rows)
        dialog.List()->topLevelItem(row)->setSelected(true);
}

using BulletinFilesTest = DownloadFixture;

// A toggle or a double-click changes only the first selected row in the list;
// Enter is Cancel and changes nothing; OK writes the kept rows' names in order.
TEST_F(BulletinFilesTest, TogglesChangeOnlyTheFirstSelectedRowAndOkWritesTheKeptOnes)
{
    CheckedFileList list = ListOf({"a.txt", "x.txt", "bb.txt", "a.txt"});
    BulletinFilesDlg dialog(list, Fnames());
    dialog.show();
    dialog.UncheckAll();
    EXPECT_EQ(States(dialog), "RRRR");
    dialog.CheckAll();
    const struct {
        std::initializer_list<int> selected;
        const char* after;
    } toggles[] = {{{2, 1}, "KRKK"}, {{1}, "KKKK"}, {{3, 0}, "RKKK"}, {{}, "RKKK"}, {{0}, "KKKK"}, {{1}, "KRKK"}};
    for (const auto& [selected, after] : toggles) {
        Select(dialog, selected);
        dialog.ChangeState();
        EXPECT_EQ(States(dialog), after);
    }
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    Select(dialog, {3});
    const QPoint at = dialog.List()->visualItemRect(dialog.List()->topLevelItem(3)).center();
    QTest::mouseClick(dialog.List()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(dialog.List()->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(States(dialog), "KRKR");
    QTest::keyRelease(&dialog, Qt::Key_F1);
    EXPECT_EQ(prompt_.helpKeywords, (std::vector<std::string>{"Bulletin Files Manager"}));
    QTest::keyClick(dialog.List(), Qt::Key_Return);
    EXPECT_EQ(list.Count(), 4);
    EXPECT_FALSE(PathExists(Fnames()));
    dialog.show();
    ButtonNamed(&dialog, "OK")->click();
    CheckedFileList saved;
    ASSERT_EQ(saved.Load(Fnames()), CheckedFilesLoad::Read);
    EXPECT_EQ(saved.Names(), (std::vector<std::string>{"a.txt", "bb.txt"}));

    BulletinFilesDlg unwritable(list, home_.File("missing/FNAMES.DAT"));
    unwritable.UncheckAll();
    unwritable.accept();
    EXPECT_EQ(list.Count(), 0);  // the window saves the list again when it closes
    EXPECT_EQ(prompt_.Captions(), std::vector<std::string>{"FNAMES.DAT NOT SAVED"});
}

TEST_F(BulletinFilesTest, DownloadsViewOrSaveTheFirstSelectedFile)
{
    FtpTestServer server(WriteSite({{"2002/2002-arlp005.txt", "five\n"}, {"2003/2003-arlp007.txt", "seven\n"}}));
    Settings().FTPSite = server.Url();
    CheckedFileList list = ListOf({"2002-arlp005.txt", "2003-arlp007.txt"});
    BulletinFilesDlg dialog(list, Fnames());
    prompt_.chosenFiles = {home_.Path()};
    Select(dialog, {1, 0});
    dialog.DownloadAndView();
    dialog.DownloadAndSave();
    dialog.DownloadAndSave();  // the folder choice cancelled
    EXPECT_EQ(viewedTexts_, (std::vector<std::string>{"five\n"}));
    EXPECT_EQ(ReadTextFile(home_.File("2002-arlp005.txt")), "five\n");
    EXPECT_TRUE(NoTemporaryFiles());
    EXPECT_TRUE(prompt_.messages.empty());
}
