// The single bulletin download's windows driven for real against a pyftpdlib
// server on loopback: the question, the known-bulletin tree, the step window
// with its worker thread, and the whole Get File procedure.
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
#include "internet/private_files.h"
#include "support/dialog_driver.h"
#include "support/download_fixture.h"
#include "support/site_bulletins.h"
#include "ui/download_single_dlg.h"
#include "ui/get_file_dlg.h"
#include "ui/select_bulletin_dlg.h"
#include "ui/single_download.h"

namespace fs = std::filesystem;

using SingleDownloadTest = DownloadFixture;

TEST_F(SingleDownloadTest, TheQuestionProposesTheNextNumberAndEnablesOkOnlyForAUsableChoice)
{
    const CheckedFileList list = ListOf({"2002-arlp005.txt", "2001-arlp050.txt", "2002-arlp012.txt"});
    DownloadSingleDlg dialog(list, 2002);
    dialog.show();
    EXPECT_EQ(dialog.YearField()->text(), "2002");
    EXPECT_EQ(dialog.NumberField()->text(), "13");
    EXPECT_FALSE(dialog.OkButton()->isEnabled());

    const struct {
        const char* year;
        const char* number;
        bool save, view, add;
        bool enabled;
    } cases[] = {
        {"2002", "13", false, false, false, false},  // no disposition
        {"2002", "13", true, false, false, true},
        {"2002", "13", false, false, true, true},
        {"1995", "1", true, true, true, true},
        {"1994", "13", true, false, false, false},
        {"2003", "13", true, false, false, false},  // a year after this one
        {"2002", "0", true, false, false, false},
        {"", "5", true, false, false, false},
    };
    for (const auto& c : cases) {
        // The boxes are clicked as a user would, the fields typed into.
        for (auto [box, want] : {std::pair{dialog.SaveBox(), c.save}, {dialog.ViewBox(), c.view},
                                 {dialog.AddBox(), c.add}}) {
            if (box->isChecked() != want)
                QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
        }
        dialog.YearField()->clear();
        QTest::keyClicks(dialog.YearField(), c.year);
        dialog.NumberField()->clear();
        QTest::keyClicks(dialog.NumberField(), c.number);
        EXPECT_EQ(dialog.OkButton()->isEnabled(), c.enabled) << c.year << " " << c.number;
    }
    // Whole numbers only.
    dialog.NumberField()->clear();
    QTest::keyClicks(dialog.NumberField(), "-4x7");
    EXPECT_EQ(dialog.NumberField()->text(), "47");

    // Enter cancels; F1 opens the help at the dialog's section.
    QTest::keyClick(dialog.NumberField(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    QTest::keyRelease(&dialog, Qt::Key_F1);
    EXPECT_EQ(prompt_.helpKeywords, (std::vector<std::string>{"Single File Download"}));
}

TEST_F(SingleDownloadTest, BrowseFillsTheFieldsFromTheChosenBulletinButNotFromAYear)
{
    const CheckedFileList list = ListOf({"2001-arlp050.txt", "2002-arlp005.txt", "2002-arlp012.txt"});
    DownloadSingleDlg dialog(list, 2026);
    // The tree itself is the single-bulletin code's business: years, then bulletins.
    OnNextDialog([&](QWidget* shown) {
        auto* select = qobject_cast<SelectBulletinDlg*>(shown);
        ASSERT_TRUE(select);
        select->Tree()->topLevelItem(1)->child(1)->setSelected(true);
        ButtonNamed(select, "OK")->click();
    });
    dialog.OnBrowse();
    EXPECT_EQ(dialog.YearField()->text(), "2002");
    EXPECT_EQ(dialog.NumberField()->text(), "12");

    // A year node gives nothing: the fields stay.
    OnNextDialog([&](QWidget* shown) {
        auto* select = qobject_cast<SelectBulletinDlg*>(shown);
        select->Tree()->topLevelItem(0)->setSelected(true);
        ButtonNamed(select, "OK")->click();
    });
    dialog.OnBrowse();
    EXPECT_EQ(dialog.YearField()->text(), "2002");
    EXPECT_EQ(dialog.NumberField()->text(), "12");
}

TEST_F(SingleDownloadTest, RefreshShowsItsNoticeUntilToldNotTo)
{
    const CheckedFileList list = ListOf({"2002-arlp005.txt"});
    SelectBulletinDlg select(list);
    int notices = 0;
    const auto answer = [&](bool dontShow, const char* button) {
        OnNextDialog([&, dontShow, button](QWidget* shown) {
            auto* notice = qobject_cast<QMessageBox*>(shown);
            ASSERT_TRUE(notice);
            ++notices;
            EXPECT_EQ(notice->text(), RefreshNoticeText);
            notice->checkBox()->setChecked(dontShow);
            ButtonNamed(notice, button)->click();
        });
    };
    answer(false, "Continue");
    select.RefreshButton()->click();
    answer(true, "Cancel");
    select.RefreshButton()->click();
    EXPECT_EQ(notices, 2);
    EXPECT_EQ(IniReadInt(IniFilePath(), SettingsSection, "ShowNote3", 0), 1);
    select.RefreshButton()->click();  // not shown again: nothing waits for it
    EXPECT_EQ(notices, 2);
    EXPECT_EQ(select.Tree()->topLevelItemCount(), 1);
}

TEST_F(SingleDownloadTest, AFailedFetchShowsItsStepAndDone)
{
    FtpTestServer server(WriteSite({{"2002/2002-arlp005.txt", "five\n"}}));
    const struct {
        std::string site, name;
        FetchStep step;
        const char* status;
    } cases[] = {
        {"http://127.0.0.1", "2002-arlp005.txt", FetchStep::Connecting, "Failed"},
        {server.Url(), "2002-arlp006.txt", FetchStep::GettingFile, "Transfer Failed"},
    };
    for (const auto& c : cases) {
        GetFileDlg dialog({c.site, "pub/bulletins", c.name});
        dialog.show();
        ASSERT_TRUE(SpinUntil([&] { return dialog.Failed(); })) << c.site;
        EXPECT_EQ(dialog.StepStatus(c.step)->text().toStdString(), c.status) << c.site;
        EXPECT_EQ(dialog.Button()->text(), "Done");
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_FALSE(dialog.TakeFetchedFile());
        dialog.Button()->click();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    EXPECT_TRUE(NoTemporaryFiles());
}

TEST_F(SingleDownloadTest, AbortEndsAStalledFetchWhileTheWindowKeepsWorking)
{
    FtpTestServer server(WriteSite({{"2002/2002-stall.txt", "stalls\n"}}), {"stall"});
    GetFileDlg dialog({server.Url(), "pub/bulletins", "2002-stall.txt"});
    dialog.show();
    ASSERT_TRUE(SpinUntil([&] {
        return dialog.StepStatus(FetchStep::GettingFile)->text() == "Transferring";
    }));
    // The event loop runs while the transfer hangs: a timer still fires.
    bool ticked = false;
    QTimer::singleShot(50, [&] { ticked = true; });
    EXPECT_TRUE(SpinUntil([&] { return ticked; }, 1000));
    EXPECT_FALSE(NoTemporaryFiles());

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
    fs::create_directory(keep);

    // Open In Viewer only: the proposed number 13 is the one fetched.
    OnNextDialog([](QWidget* shown) {
        auto* ask = qobject_cast<DownloadSingleDlg*>(shown);
        ASSERT_TRUE(ask);
        QTest::mouseClick(ask->ViewBox(), Qt::LeftButton, {}, QPoint(4, ask->ViewBox()->height() / 2));
        ask->OkButton()->click();
    });
    RunSingleDownload(checked, parser, nullptr, 2002);
    EXPECT_EQ(viewedTexts_, (std::vector<std::string>{BulletinText("013_2002_arlp052")}));
    EXPECT_EQ(checked.Count(), 2);
    EXPECT_TRUE(NoTemporaryFiles());

    // Save and add.
    prompt_.chosenFiles.push_back(keep);
    OnNextDialog([](QWidget* shown) {
        auto* ask = qobject_cast<DownloadSingleDlg*>(shown);
        ask->SaveBox()->click();
        ask->AddBox()->click();
        ask->OkButton()->click();
    });
    RunSingleDownload(checked, parser, nullptr, 2002);
    EXPECT_EQ(ReadTextFile(keep + "/2002-arlp013.txt"), BulletinText("013_2002_arlp052"));
    EXPECT_GT(Records().RecordCount(), 0);
    EXPECT_EQ(checked.Names().back(), "2002-arlp013.txt");
    EXPECT_EQ(prompt_.Captions(), (std::vector<std::string>{"NEW DATA ADDED"}));
    EXPECT_TRUE(NoTemporaryFiles());
    EXPECT_EQ(viewedTexts_.size(), 1u);

    // Cancel: nothing fetched.
    OnNextDialog([](QWidget* shown) { ButtonNamed(shown, "Cancel")->click(); });
    RunSingleDownload(checked, parser, nullptr, 2002);
    EXPECT_EQ(checked.Count(), 3);
    EXPECT_EQ(prompt_.messages.size(), 1u);
}
