// The Internet window against a real FTP server on loopback (pyftpdlib):
// scans, stops, closing, the keep folder, the notice, and the two lists.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <unistd.h>

#include "config/ini_file.h"
#include "config/plot_settings.h"
#include "config/program_folder.h"
#include "data/record_array.h"
#include "internet/checked_file_list.h"
#include "plot/plot_state.h"
#include "support/data_state.h"
#include "support/dialog_driver.h"
#include "support/ftp_server.h"
#include "support/site_bulletins.h"
#include "support/scripted_prompt.h"
#include "support/temp_folder.h"
#include "ui/frame.h"
#include "ui/internet_locate_dlg.h"
#include "ui/status_list.h"
#include "ui/view.h"

namespace {

namespace fs = std::filesystem;

// The dates a fixture's bulletin lists, from the collection's own notes.
std::set<std::string> ExpectedDates(std::initializer_list<const char*> names)
{
    std::set<std::string> dates;
    for (const char* name : names) {
        for (const std::string& day : BulletinDays(name))
            dates.insert(day.substr(0, 10));
    }
    return dates;
}

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

const std::vector<Row> CompletedRun(const std::string& checking, const std::string& summary)
{
    return {{"Starting FTP Connection", "Done", false},
            {"Setting Directory", "Done", false},
            {"Retrieving File Names", "Done", false},
            {checking, "Done", false},
            {summary, "Finished", false}};
}

}  // namespace

class InternetLocate : public ::testing::Test {
protected:
    TempFolder tmp_;   // the scan's temporary folder
    TempFolder home_;  // the program folder (made last, so SKYLOG_HOME names it)
    ScriptedPrompt prompt_;

    void SetUp() override
    {
        ResetDataState();
        Settings() = PlotSettings();
        Settings().FTPDir = "pub/bulletins";
        setenv("TMPDIR", tmp_.Path().c_str(), 1);
        HideNotice();
    }
    void TearDown() override
    {
        unsetenv("TMPDIR");
        ResetDataState();
    }

    void HideNotice() { IniWriteText(IniFilePath(), SettingsSection, "ShowNote2", "1"); }
    std::string Site() const { return home_.File("site"); }
    void WriteSite(const std::vector<ArchiveFile>& files)
    {
        WriteArchive(Site(), "pub/bulletins", files);
    }
    static bool Idle(const InternetLocateDlg& dialog)
    {
        return !const_cast<InternetLocateDlg&>(dialog).WorkerRunning();
    }
    // Runs one whole scan and lets the lists catch up.
    static void ScanToTheEnd(InternetLocateDlg& dialog)
    {
        dialog.OnStart();
        ASSERT_TRUE(SpinUntil([&] { return Idle(dialog); }));
        QApplication::processEvents();
    }
};

TEST_F(InternetLocate, ScanFillsBothListsAndMergesTheDays)
{
    WriteSite({{"1995/1995-arlp038.txt", BulletinText("003_1995_arlp038")},
               {"1996/1996-arlp005.txt", BulletinText("004_1996_arlp005")},
               {"1996/1996-arlp099.txt", "No date line here.\n"}});
    FtpTestServer server(Site());
    Settings().FTPSite = server.Url();
    const std::set<std::string> dates = ExpectedDates({"003_1995_arlp038", "004_1996_arlp005"});

    InternetLocateDlg dialog(false);
    dialog.show();
    ScanToTheEnd(dialog);
    EXPECT_EQ(Rows(dialog.Operations()),
              CompletedRun("Checking File 3 of 3",
                           "Completed - " + std::to_string(dates.size()) + " Records Added"));
    EXPECT_EQ(Rows(dialog.Files()),
              (std::vector<Row>{{"1995-arlp038.txt", "Added New Data", false},
                                {"1996-arlp005.txt", "Added New Data", false},
                                {"1996-arlp099.txt", "Could Not Parse File (02)", true}}));
    ASSERT_EQ(Records().RecordCount(), static_cast<int>(dates.size()));
    for (int i = 0; i < Records().RecordCount(); ++i)
        EXPECT_TRUE(dates.count(std::string(Records().At(i).m_date.View())));
    // The failed file's row is drawn red (text is smoothed: clearly red pixels).
    const QImage list = dialog.FileList()->viewport()->grab().toImage();
    int red = 0;
    for (int y = 0; y < list.height(); ++y)
        for (int x = 0; x < list.width(); ++x) {
            const QColor c = list.pixelColor(x, y);
            red += c.red() > 150 && c.green() < 100 && c.blue() < 100;
        }
    EXPECT_GT(red, 20);
    EXPECT_EQ(Records().DataChanged(), 1);  // the user is asked to save
    EXPECT_TRUE(dialog.CheckedFiles().Contains("1996-arlp099.txt"));

    // The second run finds nothing new; both runs' rows stay, one after the other.
    ScanToTheEnd(dialog);
    std::vector<Row> both = CompletedRun("Checking File 3 of 3",
                                         "Completed - " + std::to_string(dates.size()) +
                                             " Records Added");
    for (const Row& row : CompletedRun("Checking File 3 of 3", "Completed - No New Files"))
        both.push_back(row);
    EXPECT_EQ(Rows(dialog.Operations()), both);
    EXPECT_TRUE(Rows(dialog.Files()).empty());
    dialog.OnExit();
}

TEST_F(InternetLocate, SecondStartAndStopDuringAStalledTransfer)
{
    WriteSite({{"1995/1995-arlp038.txt", BulletinText("003_1995_arlp038")},
               {"1996/1996-arlpstall.txt", BulletinText("004_1996_arlp005")}});
    FtpTestServer server(Site(), {"stall"});
    Settings().FTPSite = server.Url();

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
    EXPECT_TRUE(operations.back().second == "Aborted" || operations.back().second == "Aborting")
        << operations.back();
    EXPECT_TRUE(operations.front().red);  // the run's first row tells it failed

    // Idle again: the two commands are offered and reach whoever handles them.
    dialog.UpdateCommandStates();
    EXPECT_TRUE(dialog.GetFileAction()->isEnabled());
    dialog.GetFileAction()->trigger();
    dialog.FilesAction()->trigger();
    EXPECT_EQ(getFile.count(), 1);
    EXPECT_EQ(files.count(), 1);
    dialog.OnExit();
}

TEST_F(InternetLocate, ClosingDuringAScanStopsItAndSavesTheCheckedFiles)
{
    WriteSite({{"1995/1995-arlp038.txt", BulletinText("003_1995_arlp038")},
               {"1996/1996-arlpstall.txt", BulletinText("004_1996_arlp005")}});
    FtpTestServer server(Site(), {"stall"});
    Settings().FTPSite = server.Url();
    CheckedFileList known;
    known.Add("1990-arlp001.txt");
    ASSERT_TRUE(known.Save(CheckedFilesPath()));

    auto dialog = std::make_unique<InternetLocateDlg>(false);
    dialog->show();
    dialog->OnStart();
    ASSERT_TRUE(SpinUntil([&] { return Rows(dialog->Files()).size() == 2; }));
    QElapsedTimer clock;
    clock.start();
    dialog->close();
    EXPECT_LT(clock.elapsed(), 8000);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(dialog->WorkerRunning());

    CheckedFileList saved;
    ASSERT_EQ(saved.Load(CheckedFilesPath()), CheckedFilesLoad::Read);
    EXPECT_EQ(saved.Names(), (std::vector<std::string>{"1990-arlp001.txt", "1995-arlp038.txt"}));
    EXPECT_EQ(dialog->CheckedFiles().Count(), 0);  // the window let go of the list
    EXPECT_GT(Records().RecordCount(), 0);
}

TEST_F(InternetLocate, EnterAndEscapeLeaveTheWindowOpenBothExitsCloseIt)
{
    InternetLocateDlg dialog(true);
    dialog.show();
    dialog.KeepBox()->setChecked(true);
    dialog.KeepFolderField()->setEnabled(true);
    for (QWidget* target : {static_cast<QWidget*>(&dialog),
                            static_cast<QWidget*>(dialog.KeepFolderField())}) {
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            QTest::keyClick(target, key);
            QApplication::processEvents();
            EXPECT_TRUE(dialog.isVisible()) << key;
        }
    }
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint);

    QTest::keyRelease(&dialog, Qt::Key_F1);
    dialog.HelpAction()->trigger();
    EXPECT_EQ(prompt_.helpKeywords, (std::vector<std::string>(2, "Locate PFB Files On The Internet")));

    for (QAction* exit : {dialog.ExitAction(), dialog.MenuExitAction()}) {
        dialog.show();
        exit->trigger();
        EXPECT_FALSE(dialog.isVisible()) << exit->text().toStdString();
    }
}

TEST_F(InternetLocate, KeepFolderIsCheckedBeforeTheScanStarts)
{
    WriteSite({});
    FtpTestServer server(Site());
    Settings().FTPSite = server.Url();
    const std::string folder = home_.File("kept");
    fs::create_directory(folder);
    const std::string locked = home_.File("locked");
    fs::create_directory(locked);
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
    const bool permissionsBind = geteuid() != 0;  // root writes anywhere
    WriteTextFile(home_.File("plain"), "a file, not a folder\n");

    struct Case {
        std::string typed;
        std::string shown;  // the field after Start
        bool keeps;
        bool warned;
    };
    std::vector<Case> cases = {
        {folder, folder + "/", true, false},
        {folder + "/", folder + "/", true, false},
        {home_.File("missing"), home_.File("missing") + "/", false, true},
        {home_.File("plain"), home_.File("plain") + "/", false, true},
        {"", "", false, false},
    };
    if (permissionsBind)
        cases.push_back({locked, locked + "/", false, true});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        prompt_.messages.clear();
        Settings().FTPKeepFiles = 0;
        InternetLocateDlg dialog(false);
        dialog.show();
        dialog.KeepBox()->click();
        ASSERT_TRUE(dialog.KeepFolderField()->isEnabled());
        dialog.KeepFolderField()->setText(QString::fromStdString(c.typed));
        ScanToTheEnd(dialog);
        EXPECT_EQ(dialog.KeepFolderField()->text().toStdString(), c.shown);
        EXPECT_EQ(dialog.KeepBox()->isChecked(), c.keeps);
        EXPECT_EQ(dialog.KeepFolderField()->isEnabled(), c.keeps);
        EXPECT_EQ(Settings().FTPKeepFiles, c.keeps ? 1 : 0);
        EXPECT_EQ(Settings().FTPKeepDir, c.shown);
        ASSERT_EQ(prompt_.messages.size(), c.warned ? 1u : 0u);
        if (c.warned) {
            EXPECT_EQ(prompt_.messages[0].caption, "DIRECTORY NOT FOUND");
            EXPECT_EQ(prompt_.messages[0].icon, PromptIcon::Information);
        }
        // The scan ran all the same.
        EXPECT_EQ(Rows(dialog.Operations()).front(), (Row{"Starting FTP Connection", "Done", false}));
        dialog.OnExit();
    }
    fs::permissions(locked, fs::perms::owner_all);

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

TEST_F(InternetLocate, NoticeOncePerOpeningUntilItsBoxIsChecked)
{
    IniWriteText(IniFilePath(), SettingsSection, "ShowNote2", "0");
    int shown = 0;
    const auto openOnce = [&](bool tick) {
        InternetLocateDlg dialog(false);
        // Answers the notice, then shows the window again in the same opening;
        // 1.5 s without a notice ends the opening.
        QElapsedTimer clock;
        clock.start();
        bool answered = false, shownAgain = false, over = false;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box) {
                ++shown;
                EXPECT_FALSE(answered) << "a second notice in one opening";
                answered = true;
                EXPECT_EQ(box->windowTitle(), "Notice .....");
                EXPECT_TRUE(box->text().startsWith("This functionality is new, and there will"));
                EXPECT_EQ(box->checkBox()->text(), "Don't Show This Notice Again!");
                box->checkBox()->setChecked(tick);
                box->buttons().front()->click();
                clock.restart();
            } else if (answered && !shownAgain) {
                shownAgain = true;
                dialog.hide();
                dialog.show();
                clock.restart();
            } else if (clock.elapsed() > 1500) {
                over = true;
            }
        });
        watch.start(20);
        dialog.show();
        EXPECT_TRUE(SpinUntil([&] { return over; }, 10000));
        watch.stop();
        dialog.OnExit();
    };
    openOnce(false);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(IniReadInt(IniFilePath(), SettingsSection, "ShowNote2", -1), 0);
    openOnce(true);
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(IniReadInt(IniFilePath(), SettingsSection, "ShowNote2", -1), 1);
    openOnce(false);
    EXPECT_EQ(shown, 2);
}

TEST(StatusList, RowColourFromTheScansValue)
{
    struct Case {
        std::uint32_t bgr;
        QColor color;
    };
    const Case cases[] = {
        {RowBlack, QColor(0, 0, 0)},
        {RowRed, QColor(255, 0, 0)},
        {0x00FF8000, QColor(0x00, 0x80, 0xFF)},
        {0x00123456, QColor(0x56, 0x34, 0x12)},
    };
    StatusListModel model("Message", "Status");
    for (const Case& c : cases) {
        model.AppendRow("row");
        model.SetColor(model.rowCount() - 1, c.bgr);
        for (int column : {0, 1})
            EXPECT_EQ(model.index(model.rowCount() - 1, column).data(Qt::ForegroundRole).value<QColor>(),
                      c.color);
    }
    EXPECT_EQ(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "Message");
    EXPECT_EQ(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "Status");
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

TEST(StatusList, ColumnWidthsFollowTheList)
{
    StatusListModel model("FileName", "Operation");
    StatusListView view(&model);
    view.show();
    for (const int width : {400, 640}) {
        view.resize(width, 200);
        QApplication::processEvents();
        const int second = view.fontMetrics().horizontalAdvance("Solar Flux Data Not Located") + 16;
        EXPECT_EQ(view.columnWidth(1), second);
        EXPECT_EQ(view.columnWidth(0), width - second - 25);
    }
}

TEST(StatusList, DrawnInTheRowsColour)
{
    StatusListModel model("FileName", "Operation");
    StatusListView view(&model);
    view.resize(400, 120);
    model.AppendRow("2002-arlp052.txt");
    model.SetSecond(0, "Could Not Parse File (02)");
    model.SetColor(0, RowRed);
    view.show();
    QApplication::processEvents();
    const QImage image = view.viewport()->grab().toImage();
    // Text is smoothed: count the pixels that are clearly red.
    int red = 0, otherInk = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 150 && c.green() < 100 && c.blue() < 100)
                ++red;
            else if (c.red() < 100 && c.green() < 100 && c.blue() < 100)
                ++otherInk;
        }
    EXPECT_GT(red, 20);
    EXPECT_EQ(otherInk, 0);
}

TEST_F(InternetLocate, MainWindowCommandOpensTheWindowAndRedrawsAfterNewDays)
{
    WriteSite({{"2003/2003-arlp008.txt", BulletinText("014_2003_arlp008")}});
    FtpTestServer server(Site());
    Settings().FTPSite = server.Url();
    AddRecord("01/01/2000", 100, 150.0);
    PreparePlotData();

    Frame frame;
    frame.show();
    QAction* locate = frame.Action("locateBulletins");
    ASSERT_NE(locate, nullptr);
    bool sawSuspended = false;
    OnNextDialog([&](QWidget* modal) {
        auto* dialog = qobject_cast<InternetLocateDlg*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Internet Data Location");
        sawSuspended = Plot().drawingSuspended != 0;
        dialog->OnStart();
        SpinUntil([&] { return !dialog->WorkerRunning(); });
        dialog->ExitAction()->trigger();
    });
    locate->trigger();
    EXPECT_TRUE(sawSuspended);
    EXPECT_EQ(Plot().drawingSuspended, 0);
    const int count = 1 + static_cast<int>(ExpectedDates({"014_2003_arlp008"}).size());
    EXPECT_EQ(Records().RecordCount(), count);
    // Prepared again for the new count: the closeup ends at the last day.
    EXPECT_EQ(Plot().CloseupEnd, count);
    EXPECT_EQ(static_cast<int>(Plot().PointArray.size()), count + 5);
    QApplication::processEvents();
    EXPECT_TRUE(frame.isWindowModified());
    Records().SetDataChanged(0);
}
