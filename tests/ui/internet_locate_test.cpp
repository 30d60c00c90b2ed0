// The Internet window against a loopback FTP server: what it shows of a scan, and its safety.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <filesystem>

#include "config/ini_file.h"
#include "config/program_folder.h"
#include "support/dialog_driver.h"
#include "support/download_fixture.h"
#include "support/site_bulletins.h"
#include "ui/download_single_dlg.h"
#include "ui/frame.h"
#include "ui/internet_locate_dlg.h"
#include "ui/status_list.h"
#include "ui/view.h"

using Texts = std::vector<std::string>;

// Each row as "first|second", with "!" after it when it is red.
static Texts Rows(const StatusListModel* model)
{
    Texts rows;
    for (int i = 0; i < model->rowCount(); ++i)
        rows.push_back((model->index(i, 0).data().toString() + "|" + model->index(i, 1).data().toString() +
                        (model->index(i, 0).data(Qt::ForegroundRole).value<QColor>() == QColor(Qt::red) ? "!" : ""))
                           .toStdString());
    return rows;
}

class InternetLocate : public DownloadFixture {
protected:
    std::unique_ptr<FtpTestServer> server_;

    void SetUp() override
    {
        DownloadFixture::SetUp();
        IniWriteText(IniFilePath(), SettingsSection, "ShowNote2", "1");  // no notice
    }
    void Serve(const std::vector<ArchiveFile>& files, const std::vector<std::string>& faults = {})
    {
        server_ = std::make_unique<FtpTestServer>(WriteSite(files), faults);
        Settings().FTPSite = server_->Url();
    }
    static void ScanToTheEnd(InternetLocateDlg& dialog)
    {
        dialog.OnStart();
        ASSERT_TRUE(SpinUntil([&] { return !dialog.WorkerRunning(); }, 20000));
        QApplication::processEvents();
        dialog.UpdateCommandStates();
    }
};

// From the main window: drawing waits while the window is open, both lists
// show the runs, the days are plotted and unsaved, Get File and Files open.
TEST_F(InternetLocate, MainWindowCommandShowsTheScansAndOffersTheDownloadCommands)
{
    Serve({{"2003/2003-arlp008.txt", BulletinText("014_2003_arlp008")},
           {"2004/2004-arlp099.txt", "No date line here.\n"}});
    AddRecord("01/01/2000", 100, 150.0);
    PreparePlotData();
    Frame frame;
    frame.show();
    const int days = static_cast<int>(BulletinDays("014_2003_arlp008").size());
    QStringList opened;
    OnNextDialog([&](QWidget* modal) {
        auto* window = qobject_cast<InternetLocateDlg*>(modal);
        EXPECT_NE(Plot().drawingSuspended, 0);
        ScanToTheEnd(*window);
        EXPECT_EQ(Rows(window->Files()),
                  (Texts{"2003-arlp008.txt|Added New Data", "2004-arlp099.txt|Could Not Parse File (02)!"}));
        ScanToTheEnd(*window);  // nothing new; its rows follow the first run's
        EXPECT_TRUE(Rows(window->Files()).empty());
        Texts both;
        for (const std::string& summary : {"Completed - " + std::to_string(days) + " Records Added",
                                          std::string("Completed - No New Files")})
            both.insert(both.end(), {"Starting FTP Connection|Done", "Setting Directory|Done",
                                     "Retrieving File Names|Done", "Checking File 2 of 2|Done", summary + "|Finished"});
        EXPECT_EQ(Rows(window->Operations()), both);

        window->CheckedFiles().Add(std::to_string(QDate::currentDate().year()) + "-arlp007.txt");
        for (QAction* command : {window->GetFileAction(), window->FilesAction()}) {
            OnNextDialog([&](QWidget* shown) {
                opened << shown->windowTitle();
                if (auto* ask = qobject_cast<DownloadSingleDlg*>(shown))
                    opened << ask->NumberField()->text();
                ButtonNamed(shown, "Cancel")->click();
            });
            command->trigger();
        }
        window->ExitAction()->trigger();
    });
    frame.Action("locateBulletins")->trigger();
    EXPECT_EQ(opened, (QStringList{"Download Single File", "8", "Available Bulletin Files"}));
    EXPECT_EQ(Plot().drawingSuspended, 0);
    EXPECT_EQ(Plot().CloseupEnd, 1 + days);  // prepared again for the new days
    QApplication::processEvents();
    EXPECT_TRUE(frame.isWindowModified());
    Records().SetDataChanged(0);
}

// Closing during a stalled transfer ends the scan quickly, keeps the window
// working meanwhile and saves the checked files, the new one among them. The
// notice shown on opening is answered "don't show again".
TEST_F(InternetLocate, ClosingDuringAStalledScanStopsItAndSavesTheCheckedFiles)
{
    Serve({{"1995/1995-arlp038.txt", BulletinText("003_1995_arlp038")},
           {"1996/1996-arlpstall.txt", BulletinText("004_1996_arlp005")}},
          {"stall"});
    ASSERT_TRUE(ListOf({"1990-arlp001.txt"}).Save(CheckedFilesPath()));
    IniWriteText(IniFilePath(), SettingsSection, "ShowNote2", "0");
    OnNextDialog([](QWidget* notice) {
        qobject_cast<QMessageBox*>(notice)->checkBox()->setChecked(true);
        ButtonNamed(notice, "OK")->click();
    });
    InternetLocateDlg dialog(false);
    dialog.show();
    ASSERT_TRUE(SpinUntil([] { return IniReadInt(IniFilePath(), SettingsSection, "ShowNote2", 0) == 1; }, 5000));
    dialog.OnStart();
    ASSERT_TRUE(SpinUntil([&] { return Rows(dialog.Files()) == Texts{"1995-arlp038.txt|Added New Data",
                                                                      "1996-arlpstall.txt|Transferring"}; }));
    // Get File and Files wait: the scan owns the records and the list.
    dialog.UpdateCommandStates();
    EXPECT_FALSE(dialog.GetFileAction()->isEnabled() || dialog.FilesAction()->isEnabled());
    dialog.OnStart();
    QApplication::processEvents();
    EXPECT_EQ(Rows(dialog.Files()).back(), "FTP Connection Already Started|!");
    const QImage image = dialog.grab().toImage();
    int red = 0;  // the red row is drawn red (text is smoothed: clearly red pixels)
    for (int i = 0; i < image.width() * image.height(); ++i) {
        const QColor c = image.pixelColor(i % image.width(), i / image.width());
        red += c.red() > 150 && c.green() < 100 && c.blue() < 100;
    }
    EXPECT_GT(red, 20);

    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(0);
    QElapsedTimer clock;
    clock.start();
    dialog.close();
    EXPECT_LT(clock.elapsed(), 8000);
    EXPECT_GT(ticks, 0);
    EXPECT_FALSE(dialog.WorkerRunning());
    QApplication::processEvents();
    EXPECT_EQ(Rows(dialog.Operations()).front().back(), '!');  // the run's first row tells it failed

    CheckedFileList saved;
    ASSERT_EQ(saved.Load(CheckedFilesPath()), CheckedFilesLoad::Read);
    EXPECT_EQ(saved.Names(), (Texts{"1990-arlp001.txt", "1995-arlp038.txt"}));
    EXPECT_EQ(dialog.CheckedFiles().Count(), 0);  // the window let go of the list
}

// The keep folder is checked at Start; the scan runs all the same.
TEST_F(InternetLocate, KeepFolderIsCheckedAtStartAndKeysDoNotCloseTheWindow)
{
    Serve({});
    const std::string folder = home_.File("kept"), missing = home_.File("missing");
    std::filesystem::create_directory(folder);
    const struct {
        std::string typed, shown;  // the field after Start
        bool keeps;
    } cases[] = {{folder, folder + "/", true}, {missing, missing + "/", false}, {"", "", false}};
    for (const auto& c : cases) {
        prompt_.messages.clear();
        InternetLocateDlg dialog(false);
        dialog.KeepBox()->setChecked(true);
        dialog.KeepFolderField()->setText(QString::fromStdString(c.typed));
        ScanToTheEnd(dialog);
        EXPECT_EQ(dialog.KeepFolderField()->text().toStdString(), c.shown) << c.typed;
        EXPECT_EQ(dialog.KeepBox()->isChecked() + Settings().FTPKeepFiles, c.keeps ? 2 : 0);
        EXPECT_EQ(prompt_.Captions(), c.typed == missing ? Texts{"DIRECTORY NOT FOUND"} : Texts{});
        EXPECT_EQ(Rows(dialog.Operations()).front(), "Starting FTP Connection|Done");
        dialog.OnExit();
    }

    // Enter and Escape neither close nor browse; Browse adds the separator, Cancel keeps it; both exits close.
    InternetLocateDlg dialog(true);
    dialog.show();
    dialog.KeepBox()->click();
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape})
        QTest::keyClick(dialog.KeepFolderField(), key);
    EXPECT_TRUE(dialog.isVisible() && prompt_.folderTitles.empty());
    prompt_.chosenFiles = {folder};
    dialog.BrowseButton()->click();
    dialog.BrowseButton()->click();  // cancelled
    EXPECT_EQ(dialog.KeepFolderField()->text().toStdString(), folder + "/");
    for (QAction* exit : {dialog.ExitAction(), dialog.MenuExitAction()}) {
        dialog.show();
        exit->trigger();
        EXPECT_FALSE(dialog.isVisible());
    }
}

// Cut to the longest start that fits with "..." in the cell less its 4-pixel margin.
TEST(StatusList, TextCutWithThreeDotsToFitItsCell)
{
    const QFontMetrics metrics(QApplication::font());
    const QString text = "Completed - 12345 Records Added To The Data";
    const int full = metrics.horizontalAdvance(text);
    EXPECT_EQ(ElideWithDots(text, metrics, full + 5), text);
    for (const int width : {full + 4, full / 2, 40}) {
        const QString kept = ElideWithDots(text, metrics, width).chopped(3);
        EXPECT_EQ(ElideWithDots(text, metrics, width), kept + "...") << width;
        EXPECT_TRUE(text.startsWith(kept)) << width;
        EXPECT_LT(metrics.horizontalAdvance(kept + "..."), width - 4) << width;
        EXPECT_GE(metrics.horizontalAdvance(text.left(kept.size() + 1) + "..."), width - 4) << width;
    }
}
