// The single bulletin download's windows against a pyftpdlib server on
// loopback: the question, the step window with its worker thread, Get File.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>

#include "bulletin/bulletin_parser.h"
#include "config/ini_file.h"
#include "config/program_folder.h"
#include "support/dialog_driver.h"
#include "support/download_fixture.h"
#include "support/site_bulletins.h"
#include "ui/download_single_dlg.h"
#include "ui/get_file_dlg.h"
#include "ui/select_bulletin_dlg.h"
#include "ui/single_download.h"

using SingleDownloadTest = DownloadFixture;

TEST_F(SingleDownloadTest, TheQuestionEnablesOkOnlyForAUsableChoiceAndEnterCancels)
{
    const CheckedFileList list = ListOf({"2001-arlp050.txt", "2002-arlp005.txt", "2002-arlp012.txt"});
    DownloadSingleDlg dialog(list, 2002);
    dialog.show();
    EXPECT_EQ(dialog.YearField()->text() + "-" + dialog.NumberField()->text(), "2002-13");
    const struct {
        const char *year, *number;
        bool save, view, add, enabled;
    } cases[] = {
        {"2002", "13", false, false, false, false}, {"2002", "13", true, false, false, true},
        {"1995", "1", false, true, false, true},    {"2002", "13", false, false, true, true},
        {"1994", "13", true, false, false, false},  {"2003", "13", true, false, false, false},
        {"2002", "0", true, false, false, false},   {"", "5", true, false, false, false},
    };
    for (const auto& c : cases) {
        for (auto [box, want] :
             {std::pair{dialog.SaveBox(), c.save}, {dialog.ViewBox(), c.view}, {dialog.AddBox(), c.add}})
            if (box->isChecked() != want)
                box->click();
        dialog.YearField()->setText(c.year);
        dialog.NumberField()->setText(c.number);
        EXPECT_EQ(dialog.OkButton()->isEnabled(), c.enabled) << c.year << " " << c.number << c.save << c.view;
    }

    // Browse fills the fields from a chosen bulletin, not from a year; its
    // Refresh shows a notice until told not to (a second one would hang).
    for (const int child : {1, -1}) {
        OnNextDialog([&](QWidget* shown) {
            auto* select = qobject_cast<SelectBulletinDlg*>(shown);
            if (child > 0)
                OnNextDialog([](QWidget* notice) {
                    qobject_cast<QMessageBox*>(notice)->checkBox()->setChecked(true);
                    ButtonNamed(notice, "Cancel")->click();
                });
            select->RefreshButton()->click();
            QTreeWidgetItem* year = select->Tree()->topLevelItem(1);
            (child < 0 ? year : year->child(child))->setSelected(true);
            ButtonNamed(select, "OK")->click();
        });
        dialog.BrowseButton()->click();
        EXPECT_EQ(dialog.YearField()->text() + "-" + dialog.NumberField()->text(), "2002-12");
    }
    EXPECT_EQ(IniReadInt(IniFilePath(), SettingsSection, "ShowNote3", 0), 1);

    QTest::keyClick(dialog.NumberField(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    QTest::keyRelease(&dialog, Qt::Key_F1);
    EXPECT_EQ(prompt_.helpKeywords, (std::vector<std::string>{"Single File Download"}));
}

// The transfer runs on its own thread (its steps show while it hangs); Escape ends it quickly.
TEST_F(SingleDownloadTest, AbortEndsAStalledFetchWhileTheWindowKeepsWorking)
{
    FtpTestServer server(WriteSite({{"2002/2002-stall.txt", "stalls\n"}}), {"stall"});
    GetFileDlg dialog({server.Url(), "pub/bulletins", "2002-stall.txt"});
    dialog.show();
    ASSERT_TRUE(SpinUntil([&] { return dialog.StepStatus(FetchStep::GettingFile)->text() == "Transferring"; }));
    QElapsedTimer timer;
    timer.start();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.Button()->isEnabled());
    ASSERT_TRUE(SpinUntil([&] { return !dialog.isVisible(); }, 5000));
    EXPECT_LT(timer.elapsed(), 2000);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.Failed());
    EXPECT_TRUE(NoTemporaryFiles());
}

TEST_F(SingleDownloadTest, GetFileFetchesTheAskedBulletinAndHandlesEachChoice)
{
    FtpTestServer server(WriteSite({{"2002/2002-arlp013.txt", BulletinText("013_2002_arlp052")}}));
    Settings().FTPSite = server.Url();
    CheckedFileList checked = ListOf({"2002-arlp005.txt", "2002-arlp012.txt"});
    BulletinParser parser;
    const std::string keep = home_.File("kept");
    std::filesystem::create_directory(keep);
    prompt_.chosenFiles.push_back(keep);
    // View only, then save and add; 14 is not on the server.
    const struct {
        const char* number;
        bool save, view, add, fails;
    } runs[] = {{"13", false, true, false, false}, {"13", true, false, true, false}, {"14", false, true, false, true}};
    for (const auto& run : runs) {
        OnNextDialog([&](QWidget* shown) {
            auto* ask = qobject_cast<DownloadSingleDlg*>(shown);
            ask->NumberField()->setText(run.number);
            for (auto [box, on] :
                 {std::pair{ask->SaveBox(), run.save}, {ask->ViewBox(), run.view}, {ask->AddBox(), run.add}})
                if (box->isChecked() != on)
                    box->click();
            ask->OkButton()->click();
            if (run.fails)
                OnNextDialog([](QWidget* step) {
                    auto* get = qobject_cast<GetFileDlg*>(step);
                    ASSERT_TRUE(SpinUntil([&] { return get->Failed(); }));
                    EXPECT_EQ(get->StepStatus(FetchStep::GettingFile)->text(), "Transfer Failed");
                    EXPECT_EQ(get->Button()->text(), "Done");
                    get->Button()->click();
                });
        });
        RunSingleDownload(checked, parser, nullptr, 2002);
        EXPECT_TRUE(NoTemporaryFiles());
    }
    EXPECT_EQ(viewedTexts_, (std::vector<std::string>{BulletinText("013_2002_arlp052")}));
    EXPECT_EQ(ReadTextFile(keep + "/2002-arlp013.txt"), BulletinText("013_2002_arlp052"));
    EXPECT_EQ(checked.Names(), (std::vector<std::string>{"2002-arlp005.txt", "2002-arlp012.txt", "2002-arlp013.txt"}));
    EXPECT_EQ(prompt_.Captions(), (std::vector<std::string>{"NEW DATA ADDED"}));

    OnNextDialog([](QWidget* shown) { ButtonNamed(shown, "Cancel")->click(); });
    RunSingleDownload(checked, parser, nullptr, 2002);  // nothing fetched: nothing said
    EXPECT_EQ(prompt_.messages.size(), 1u);
}
