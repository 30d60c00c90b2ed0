#include "ui/internet_locate_dlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "config/plot_settings.h"
#include "data/prompt.h"
#include "internet/private_files.h"
#include "ui/list_scan_observer.h"
#include "ui/notice_box.h"
#include "ui/status_list.h"

namespace {

const char* const Explanation =
    "Files are normally deleted after they are parsed.  If you want to keep the files that "
    "contain new data, check the box below and specify the path for the files.";

const char* const NoticeText =
    "This functionality is new, and there will undoubtedly be some instances where it does "
    "not work correctly.  If you have problems with it, please send me an email note.  Click "
    "HELP on the main menu, and select Software Support for my email address.";

const char* const DirectoryNotFoundText =
    "The directory specified for copying new files into\n"
    "does not exist. File Copying will be disabled.  If\n"
    "you want to change the directory, click [STOP] to\n"
    "abort the process, and specify a different directory\n"
    "or create the directory that is specified.";

void ProcessPendingEvents()
{
    QApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace

// The keep folder ends with the folder separator, so the scan can put the
// bulletin's name right after it; on this system that is "/".
std::string WithFolderSeparator(const std::string& folder)
{
    if (folder.empty() || folder.back() == '/')
        return folder;
    return folder + "/";
}

InternetLocateDlg::InternetLocateDlg(bool flatButtons, QWidget* parent)
    : QDialog(parent), operations_(new StatusListModel("Message", "Status", this)),
      fileRows_(new StatusListModel("FileName", "Operation", this)),
      observer_(new ListScanObserver(operations_, fileRows_, this)),
      worker_(checked_, parser_, *observer_), menuBar_(new QMenuBar(this)),
      toolBar_(new QToolBar(this)),
      keepBox_(new QCheckBox("Keep Files Containing New Data", this)),
      keepLabel_(new QLabel("Put the files in this directory:", this)),
      keepFolder_(new QLineEdit(this)), browse_(new QPushButton("Browse", this)),
      operationsList_(new StatusListView(operations_, this)),
      fileList_(new StatusListView(fileRows_, this))
{
    setWindowTitle("Internet Data Location");
    // No close box: the window closes through Exit, after the scan stopped.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    start_ = new QAction("&Start", this);
    start_->setToolTip("Start");
    stop_ = new QAction("S&top", this);
    stop_->setToolTip("Stop");
    getFile_ = new QAction("Get File", this);
    getFile_->setToolTip("Download Bulletin");
    help_ = new QAction("&Help", this);
    help_->setToolTip("Help");
    exit_ = new QAction("Exit", this);
    exit_->setToolTip("Exit");
    menuExit_ = new QAction("E&xit", this);
    files_ = new QAction("&Files", this);
    for (QAction* action : {start_, stop_, getFile_, help_, exit_, menuExit_, files_})
        action->setMenuRole(QAction::NoRole);
    connect(start_, &QAction::triggered, this, &InternetLocateDlg::OnStart);
    connect(stop_, &QAction::triggered, this, &InternetLocateDlg::OnStop);
    connect(exit_, &QAction::triggered, this, &InternetLocateDlg::OnExit);
    // A menu command that does nothing would only puzzle: the File menu's
    // Exit closes the window as the toolbar's does (Enter and Escape do not).
    connect(menuExit_, &QAction::triggered, this, &InternetLocateDlg::OnExit);
    connect(help_, &QAction::triggered, this, [] { Prompt().ShowHelp(LocateHelpKeyword); });
    connect(getFile_, &QAction::triggered, this, [this] {
        if (!WorkerRunning())
            emit getFileRequested();
    });
    connect(files_, &QAction::triggered, this, [this] {
        if (!WorkerRunning())
            emit filesRequested();
    });

    QMenu* file = menuBar_->addMenu("&File");
    file->addActions({start_, stop_});
    file->addSeparator();
    file->addAction(menuExit_);
    menuBar_->addAction(help_);
    menuBar_->addAction(files_);

    toolBar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    toolBar_->addActions({start_, stop_});
    toolBar_->addSeparator();
    toolBar_->addAction(getFile_);
    toolBar_->addSeparator();
    toolBar_->addAction(help_);
    toolBar_->addSeparator();
    toolBar_->addAction(exit_);
    for (QToolButton* button : toolBar_->findChildren<QToolButton*>())
        button->setAutoRaise(flatButtons);

    auto* explanation = new QLabel(Explanation, this);
    explanation->setWordWrap(true);
    browse_->setAutoDefault(false);  // Enter must not browse
    connect(keepBox_, &QCheckBox::clicked, this, [this] {
        ReadKeepControls();
        EnableKeepControls();
    });
    connect(browse_, &QPushButton::clicked, this, &InternetLocateDlg::OnBrowse);

    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(keepLabel_);
    folderRow->addWidget(keepFolder_, 1);
    folderRow->addWidget(browse_);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar_);
    layout->addWidget(toolBar_);
    layout->addWidget(explanation);
    layout->addWidget(keepBox_);
    layout->addLayout(folderRow);
    layout->addWidget(operationsList_, 2);
    layout->addWidget(fileList_, 3);
    resize(560, 520);

    if (checked_.Load(CheckedFilesPath()) == CheckedFilesLoad::Damaged)
        Prompt().MessageBox(DamagedCheckedFilesText(checked_.Count()), "FNAMES.DAT",
                            PromptIcon::Exclamation, PromptButtons::Ok);
    keepBox_->setChecked(Settings().FTPKeepFiles != 0);
    keepFolder_->setText(QString::fromStdString(Settings().FTPKeepDir));
    EnableKeepControls();

    // The idle refresh of the commands: a scan ends without telling the window.
    auto* idle = new QTimer(this);
    connect(idle, &QTimer::timeout, this, &InternetLocateDlg::UpdateCommandStates);
    idle->start(100);
    UpdateCommandStates();
}

InternetLocateDlg::~InternetLocateDlg()
{
    Finish();
}

ScanSettings InternetLocateDlg::CurrentScanSettings() const
{
    ScanSettings settings;
    settings.site = Settings().FTPSite;
    settings.dir = Settings().FTPDir;
    settings.keepFiles = Settings().FTPKeepFiles != 0;
    settings.keepDir = Settings().FTPKeepDir;
    return settings;
}

void InternetLocateDlg::UpdateCommandStates()
{
    const bool idle = !worker_.WorkerRunning();
    getFile_->setEnabled(idle);
    files_->setEnabled(idle);
}

void InternetLocateDlg::EnableKeepControls()
{
    const bool on = keepBox_->isChecked();
    keepLabel_->setEnabled(on);
    keepFolder_->setEnabled(on);
    browse_->setEnabled(on);
}

void InternetLocateDlg::ReadKeepControls()
{
    Settings().FTPKeepFiles = keepBox_->isChecked() ? 1 : 0;
    Settings().FTPKeepDir = keepFolder_->text().toStdString();
}

void InternetLocateDlg::DisableKeeping()
{
    Settings().FTPKeepFiles = 0;
    keepBox_->setChecked(false);
    EnableKeepControls();
}

void InternetLocateDlg::OnStart()
{
    if (finished_)
        return;
    if (worker_.WorkerRunning()) {
        observer_->SetFileColor(observer_->AddFileRow("FTP Connection Already Started"), RowRed);
        return;
    }
    ReadKeepControls();
    PlotSettings& settings = Settings();
    if (settings.FTPKeepFiles) {
        if (settings.FTPKeepDir.empty()) {
            DisableKeeping();
        } else {
            settings.FTPKeepDir = WithFolderSeparator(settings.FTPKeepDir);
            keepFolder_->setText(QString::fromStdString(settings.FTPKeepDir));
            if (!IsWritableFolder(settings.FTPKeepDir)) {
                Prompt().MessageBox(DirectoryNotFoundText, "DIRECTORY NOT FOUND",
                                    PromptIcon::Information, PromptButtons::Ok);
                DisableKeeping();
            }
        }
    }
    observer_->AddFileRow("Starting FTP Connection");
    worker_.Start(CurrentScanSettings());
    UpdateCommandStates();
}

void InternetLocateDlg::OnStop()
{
    worker_.Stop(ProcessPendingEvents);
    UpdateCommandStates();
}

void InternetLocateDlg::OnExit()
{
    exiting_ = true;
    Finish();
    QDialog::done(QDialog::Accepted);
}

void InternetLocateDlg::OnBrowse()
{
    const std::string start = keepFolder_->text().isEmpty() ? QDir::homePath().toStdString()
                                                            : keepFolder_->text().toStdString();
    const std::optional<std::string> chosen =
        Prompt().ChooseFolder(start, "Pick a folder, any folder:");
    if (!chosen || chosen->empty())
        return;
    Settings().FTPKeepDir = WithFolderSeparator(*chosen);
    keepFolder_->setText(QString::fromStdString(Settings().FTPKeepDir));
}

void InternetLocateDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (noticeScheduled_)
        return;
    noticeScheduled_ = true;
    QTimer::singleShot(100, this, &InternetLocateDlg::ShowNotice);
}

void InternetLocateDlg::ShowNotice()
{
    if (!isVisible() || finished_)
        return;  // closed within the 100 ms
    ShowNoticeUnlessHidden(this, "ShowNote2", NoticeText, {"OK"});
}

void InternetLocateDlg::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        Prompt().ShowHelp(LocateHelpKeyword);
        return;
    }
    QDialog::keyReleaseEvent(event);
}

void InternetLocateDlg::closeEvent(QCloseEvent* event)
{
    // The desktop may close it anyway (there is no close box): as Exit.
    if (!exiting_)
        OnExit();
    event->accept();
}

void InternetLocateDlg::Finish()
{
    if (finished_)
        return;
    finished_ = true;
    ReadKeepControls();
    OnStop();
    // Past the stop protocol's limit the connection was broken, so the scan
    // ends now; the list must not be saved while it may still add a name.
    while (worker_.WorkerRunning()) {
        worker_.WaitFinished(10);
        ProcessPendingEvents();
    }
    if (!checked_.Save(CheckedFilesPath()))
        Prompt().MessageBox("The list of checked bulletin files could not be written to\n" +
                                CheckedFilesPath(),
                            "FNAMES.DAT", PromptIcon::Exclamation, PromptButtons::Ok);
    checked_.Clear();
}
