// The Internet window against a real FTP server on loopback (pyftpdlib):
// scans, stops, closing, the keep folder, the notice, and the two lists.
// What a scan finds and merges is the scan's own tests' business; here one
// representative scan checks that the window shows it.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QDate>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>
#include <memory>

#include "config/ini_file.h"
#include "config/program_folder.h"
#include "internet/private_files.h"
#include "plot/plot_state.h"
#include "support/dialog_driver.h"
#include "support/download_fixture.h"
#include "support/site_bulletins.h"
#include "ui/download_single_dlg.h"
#include "ui/frame.h"
#include "ui/internet_locate_dlg.h"
#include "ui/status_list.h"
#include "ui/view.h"

namespace {

namespace fs = std::filesystem;

struct Row {
    std::string first, second;
    bool red;
    bool operator==(const Row&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Row& row)
{
    return out << '{' << row.first << " | " << row.second << (row.red ? " | red" : "") << '}';
}

std::vector<Row> Rows(const StatusListModel* model)
{
    std::vector<Row> rows;
    for (int i = 0; i < model->rowCount(); ++i)
        rows.push_back({model->index(i, 0).data().toString().toStdString(),
                        model->index(i, 1).data().toString().toStdString(),
                        model->index(i, 0).data(Qt::ForegroundRole).value<QColor>() ==
                            QColor(Qt::red)});
    return rows;
}

std::vector<Row> CompletedRun(const std::string& checking, const std::string& summary)
{
    return {{"Starting FTP Connection", "Done", false},
            {"Setting Directory", "Done", false},
            {"Retrieving File Names", "Done", false},
            {checking, "Done", false},
            {summary, "Finished", false}};
}

// Text is smoothed: the pixels of an image that are clearly red.
int RedPixels(const QImage& image)
{
    int red = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            red += c.red() > 150 && c.green() < 100 && c.blue() < 100;
        }
    return red;
}

}  // namespace

class InternetLocate : public DownloadFixture {
protected:
    std::unique_ptr<FtpTestServer> server_;

    void SetUp() override
    {
        DownloadFixture::SetUp();
        IniWriteText(IniFilePath(), SettingsSection, "ShowNote2", "1");  // no notice
    }
    // Serves the files and points the settings at the server.
    void Serve(const std::vector<ArchiveFile>& files, const std::vector<std::string>& faults = {})
    {
        WriteArchive(home_.File("site"), "pub/bulletins", files);
        server_ = std::make_unique<FtpTestServer>(home_.File("site"), faults);
        Settings().FTPSite = server_->Url();
    }
    // Runs one whole scan and lets the lists and the commands catch up.
    static void ScanToTheEnd(InternetLocateDlg& dialog)
    {
        dialog.OnStart();
        ASSERT_TRUE(SpinUntil([&] { return !dialog.WorkerRunning(); }, 20000));
        QApplication::processEvents();
        dialog.UpdateCommandStates();
    }
    const std::vector<ArchiveFile> stalling_ = {
        {"1995/1995-arlp038.txt", BulletinText("003_1995_arlp038")},
        {"1996/1996-arlpstall.txt", BulletinText("004_1996_arlp005")}};
};

TEST_F(InternetLocate, ScanFillsBothListsAndASecondRunFollowsTheFirst)
{
    Serve({{"1995/1995-arlp038.txt", BulletinText("003_1995_arlp038")},
           {"1996/1996-arlp099.txt", "No date line here.\n"}});
    const int days = static_cast<int>(BulletinDays("003_1995_arlp038").size());

    InternetLocateDlg dialog(false);
    dialog.show();
    ScanToTheEnd(dialog);
    const std::vector<Row> firstRun =
        CompletedRun("Checking File 2 of 2", "Completed - " + std::to_string(days) + " Records Added");
    EXPECT_EQ(Rows(dialog.Operations()), firstRun);
    EXPECT_EQ(Rows(dialog.Files()),
              (std::vector<Row>{{"1995-arlp038.txt", "Added New Data", false},
                                {"1996-arlp099.txt", "Could Not Parse File (02)", true}}));
    EXPECT_EQ(Records().RecordCount(), days);
    EXPECT_EQ(Records().DataChanged(), 1);  // the user is asked to save

    // Nothing new the second time; both runs' rows stay, one after the other.
    ScanToTheEnd(dialog);
    std::vector<Row> both = firstRun;
    for (const Row& row : CompletedRun("Checking File 2 of 2", "Completed - No New Files"))
        both.push_back(row);
    EXPECT_EQ(Rows(dialog.Operations()), both);
    EXPECT_TRUE(Rows(dialog.Files()).empty());
    dialog.OnExit();
}

TEST_F(InternetLocate, SecondStartAndStopDuringAStalledTransfer)
{
    Serve(stalling_, {"stall"});
    InternetLocateDlg dialog(false);
    dialog.show();
    QSignalSpy getFile(&dialog, &InternetLocateDlg::getFileRequested);
    QSignalSpy files(&dialog, &InternetLocateDlg::filesRequested);
    dialog.OnStart();
    ASSERT_TRUE(SpinUntil([&] {
        const std::vector<Row> rows = Rows(dialog.Files());
        return rows.size() == 2 && rows[1] == Row{"1996-arlpstall.txt", "Transferring", false};
    }));
    // Get File and Files wait for the scan: it owns the records and the list.
    dialog.UpdateCommandStates();
    EXPECT_FALSE(dialog.GetFileAction()->isEnabled());
    EXPECT_FALSE(dialog.FilesAction()->isEnabled());
    dialog.GetFileAction()->activate(QAction::Trigger);
    dialog.FilesAction()->activate(QAction::Trigger);
    EXPECT_EQ(getFile.count() + files.count(), 0);

    dialog.OnStart();
    QApplication::processEvents();
    EXPECT_EQ(Rows(dialog.Files()).back(), (Row{"FTP Connection Already Started", "", true}));
    EXPECT_TRUE(dialog.WorkerRunning());  // the running scan goes on

    // Stop keeps the window working while it waits, and ends the scan quickly.
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(0);  // fires whenever the window's events are processed
    QElapsedTimer clock;
    clock.start();
    dialog.OnStop();
    EXPECT_LT(clock.elapsed(), 8000);
    EXPECT_FALSE(dialog.WorkerRunning());
    EXPECT_GT(ticks, 0);
    QApplication::processEvents();
    const std::vector<Row> operations = Rows(dialog.Operations());
    EXPECT_TRUE(operations.back().red);
    EXPECT_TRUE(operations.front().red);  // the run's first row tells it failed

    // Idle again: the two commands are offered and reach whoever handles them.
    dialog.UpdateCommandStates();
    dialog.GetFileAction()->trigger();
    dialog.FilesAction()->trigger();
    EXPECT_EQ(getFile.count(), 1);
    EXPECT_EQ(files.count(), 1);
    dialog.OnExit();
}

TEST_F(InternetLocate, ClosingDuringAScanStopsItAndSavesTheCheckedFiles)
{
    Serve(stalling_, {"stall"});
    ASSERT_TRUE(ListOf({"1990-arlp001.txt"}).Save(CheckedFilesPath()));

    InternetLocateDlg dialog(false);
    dialog.show();
    dialog.OnStart();
    ASSERT_TRUE(SpinUntil([&] { return Rows(dialog.Files()).size() == 2; }));
    QElapsedTimer clock;
    clock.start();
    dialog.close();
    EXPECT_LT(clock.elapsed(), 8000);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(dialog.WorkerRunning());

    CheckedFileList saved;
    ASSERT_EQ(saved.Load(CheckedFilesPath()), CheckedFilesLoad::Read);
    EXPECT_EQ(saved.Names(), (std::vector<std::string>{"1990-arlp001.txt", "1995-arlp038.txt"}));
    EXPECT_EQ(dialog.CheckedFiles().Count(), 0);  // the window let go of the list
}

TEST_F(InternetLocate, EnterAndEscapeLeaveTheWindowOpenBothExitsCloseIt)
{
    InternetLocateDlg dialog(true);
    dialog.show();
    dialog.KeepBox()->click();
    for (QWidget* target : {static_cast<QWidget*>(&dialog),
                            static_cast<QWidget*>(dialog.KeepFolderField())}) {
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            QTest::keyClick(target, key);
            QApplication::processEvents();
            EXPECT_TRUE(dialog.isVisible()) << key;
        }
    }
    for (QAction* exit : {dialog.ExitAction(), dialog.MenuExitAction()}) {
        dialog.show();
        exit->trigger();
        EXPECT_FALSE(dialog.isVisible()) << exit->text().toStdString();
    }
}

TEST_F(InternetLocate, KeepFolderIsCheckedBeforeTheScanStarts)
{
    Serve({});
    const std::string folder = home_.File("kept");
    fs::create_directory(folder);
    struct Case {
        std::string typed;
        std::string shown;  // the field after Start
        bool keeps;
        bool warned;
    };
    const Case cases[] = {
        {folder, folder + "/", true, false},
        {home_.File("missing"), home_.File("missing") + "/", false, true},
        {"", "", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        prompt_.messages.clear();
        Settings().FTPKeepFiles = 0;
        InternetLocateDlg dialog(false);
        dialog.show();
        dialog.KeepBox()->click();
        dialog.KeepFolderField()->setText(QString::fromStdString(c.typed));
        ScanToTheEnd(dialog);
        EXPECT_EQ(dialog.KeepFolderField()->text().toStdString(), c.shown);
        EXPECT_EQ(dialog.KeepBox()->isChecked(), c.keeps);
        EXPECT_EQ(dialog.KeepFolderField()->isEnabled(), c.keeps);
        EXPECT_EQ(Settings().FTPKeepFiles, c.keeps ? 1 : 0);
        EXPECT_EQ(Settings().FTPKeepDir, c.shown);
        EXPECT_EQ(prompt_.Captions(),
                  c.warned ? std::vector<std::string>{"DIRECTORY NOT FOUND"} : std::vector<std::string>{});
        // The scan ran all the same.
        EXPECT_EQ(Rows(dialog.Operations()).front(), (Row{"Starting FTP Connection", "Done", false}));
        dialog.OnExit();
    }

    // Browse: the chosen folder, with its separator; Cancel changes nothing.
    InternetLocateDlg dialog(false);
    dialog.KeepBox()->click();
    prompt_.chosenFiles = {folder, std::nullopt};
    dialog.BrowseButton()->click();
    EXPECT_EQ(dialog.KeepFolderField()->text().toStdString(), folder + "/");
    EXPECT_EQ(prompt_.folderTitles.back(), "Pick a folder, any folder:");
    dialog.BrowseButton()->click();
    EXPECT_EQ(dialog.KeepFolderField()->text().toStdString(), folder + "/");
    dialog.OnExit();
}

// Each opening shows the window twice; the notices are answered as they
// come, the second one with its box ticked.
TEST_F(InternetLocate, NoticeOncePerOpeningUntilItsBoxIsChecked)
{
    IniWriteText(IniFilePath(), SettingsSection, "ShowNote2", "0");
    int shown = 0;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            ++shown;
            EXPECT_TRUE(box->text().startsWith("This functionality is new, and there will"));
            box->checkBox()->setChecked(shown == 2);
            box->buttons().front()->click();
        }
    });
    answer.start(20);
    for (int opening = 0; opening < 3; ++opening) {
        InternetLocateDlg dialog(false);
        for (int showing = 0; showing < 2; ++showing) {
            dialog.show();
            SpinUntil([] { return false; }, 400);
            dialog.hide();
        }
        dialog.OnExit();
    }
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(IniReadInt(IniFilePath(), SettingsSection, "ShowNote2", -1), 1);
}

// From the main window: drawing waits while the window is open, the days it
// adds are plotted, and its Get File and Files commands open their dialogs.
TEST_F(InternetLocate, MainWindowCommandOpensTheWindowAndItsCommands)
{
    Serve({{"2003/2003-arlp008.txt", BulletinText("014_2003_arlp008")}});
    AddRecord("01/01/2000", 100, 150.0);
    PreparePlotData();
    Frame frame;
    frame.show();
    bool sawSuspended = false;
    QStringList opened;
    OnNextDialog([&](QWidget* modal) {
        auto* window = qobject_cast<InternetLocateDlg*>(modal);
        ASSERT_NE(window, nullptr);
        sawSuspended = Plot().drawingSuspended != 0;
        ScanToTheEnd(*window);
        window->CheckedFiles().Add(std::to_string(QDate::currentDate().year()) + "-arlp007.txt");
        OnNextDialog([&](QWidget* shown) {
            opened << shown->windowTitle();
            EXPECT_EQ(qobject_cast<DownloadSingleDlg*>(shown)->NumberField()->text(), "8");
            ButtonNamed(shown, "Cancel")->click();
        });
        window->GetFileAction()->trigger();
        OnNextDialog([&](QWidget* shown) {
            opened << shown->windowTitle();
            ButtonNamed(shown, "Cancel")->click();
        });
        window->FilesAction()->trigger();
        window->ExitAction()->trigger();
    });
    frame.Action("locateBulletins")->trigger();
    EXPECT_EQ(opened, (QStringList{"Download Single File", "Available Bulletin Files"}));
    EXPECT_TRUE(sawSuspended);
    EXPECT_EQ(Plot().drawingSuspended, 0);
    const int count = 1 + static_cast<int>(BulletinDays("014_2003_arlp008").size());
    EXPECT_EQ(Records().RecordCount(), count);
    // Prepared again for the new count: the closeup ends at the last day.
    EXPECT_EQ(Plot().CloseupEnd, count);
    QApplication::processEvents();
    EXPECT_TRUE(frame.isWindowModified());
    Records().SetDataChanged(0);
}

// The scan gives colours as 0x00BBGGRR; a red row is drawn red.
TEST(StatusList, RowsDrawnInTheScansColour)
{
    StatusListModel model("FileName", "Operation");
    StatusListView view(&model);
    view.resize(400, 120);
    model.AppendRow("2002-arlp052.txt");
    model.SetSecond(0, "Could Not Parse File (02)");
    model.SetColor(0, 0x00123456);
    EXPECT_EQ(model.index(0, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(0x56, 0x34, 0x12));
    model.SetColor(0, RowRed);
    view.show();
    QApplication::processEvents();
    EXPECT_GT(RedPixels(view.viewport()->grab().toImage()), 20);
}

TEST(StatusList, TextCutWithThreeDotsToFitItsCell)
{
    const QFontMetrics metrics(QApplication::font());
    const QString long_text = "Completed - 12345 Records Added To The Data";
    const int full = metrics.horizontalAdvance(long_text);
    for (const int width : {full + 5, full + 4, full + 3, full, full / 2, 30, 10, 0}) {
        SCOPED_TRACE(width);
        const QString shown = ElideWithDots(long_text, metrics, width);
        if (full < width - 4) {
            EXPECT_EQ(shown, long_text);
            continue;
        }
        ASSERT_TRUE(shown.endsWith("..."));
        const QString kept = shown.chopped(3);
        EXPECT_TRUE(long_text.startsWith(kept));
        if (!kept.isEmpty()) {
            EXPECT_LT(metrics.horizontalAdvance(shown), width - 4);
        }
        // The longest such start: one more character would not fit.
        if (kept.size() < long_text.size()) {
            EXPECT_GE(metrics.horizontalAdvance(long_text.left(kept.size() + 1) + "..."), width - 4);
        }
    }
}
