// "Internet Data Location": scans the bulletin FTP archive for new bulletins
// on a thread of its own, showing each step in two lists, and is where a
// single bulletin is fetched (Get File) and the list of checked files is
// pruned (Files).
#pragma once

#include <QDialog>

#include "bulletin/bulletin_parser.h"
#include "internet/checked_file_list.h"
#include "internet/ftp_locate_worker.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QToolBar;
class ListScanObserver;
class StatusListModel;
class StatusListView;

inline constexpr const char* LocateHelpKeyword = "Locate PFB Files On The Internet";

class InternetLocateDlg : public QDialog {
    Q_OBJECT
public:
    // flatButtons: the main window's Buttons setting.
    explicit InternetLocateDlg(bool flatButtons, QWidget* parent = nullptr);
    ~InternetLocateDlg() override;

    // What the single download and the checked-files manager work on; touch
    // them only while WorkerRunning() is false.
    CheckedFileList& CheckedFiles() { return checked_; }
    BulletinParser& Parser() { return parser_; }
    bool WorkerRunning() const { return worker_.WorkerRunning(); }
    // FTPSite, FTPDir and the keep settings as a scan would use them now.
    ScanSettings CurrentScanSettings() const;
    FtpLocateWorker& Worker() { return worker_; }

    QToolBar* ToolBar() const { return toolBar_; }
    QMenuBar* MenuBar() const { return menuBar_; }
    QAction* StartAction() const { return start_; }
    QAction* StopAction() const { return stop_; }
    QAction* GetFileAction() const { return getFile_; }
    QAction* HelpAction() const { return help_; }
    QAction* ExitAction() const { return exit_; }
    QAction* MenuExitAction() const { return menuExit_; }
    QAction* FilesAction() const { return files_; }
    QCheckBox* KeepBox() const { return keepBox_; }
    QLineEdit* KeepFolderField() const { return keepFolder_; }
    QPushButton* BrowseButton() const { return browse_; }
    StatusListModel* Operations() const { return operations_; }
    StatusListModel* Files() const { return fileRows_; }
    StatusListView* OperationsList() const { return operationsList_; }
    StatusListView* FileList() const { return fileList_; }

    void OnStart();
    // Stops a running scan, waiting for it while the window keeps working.
    void OnStop();
    void OnExit();
    void OnBrowse();
    // Enables what may be used now (Get File and Files only while idle).
    void UpdateCommandStates();

signals:
    // Get File and Files, given only while no scan runs.
    void getFileRequested();
    void filesRequested();

public slots:
    // Escape must not close the window; only Exit does. (Enter has no
    // default button to press.)
    void reject() override {}

protected:
    void showEvent(QShowEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    StatusListModel* operations_;
    StatusListModel* fileRows_;
    ListScanObserver* observer_;
    CheckedFileList checked_;
    BulletinParser parser_;
    FtpLocateWorker worker_;  // last: it goes first, while the rest still exists

    QMenuBar* menuBar_;
    QToolBar* toolBar_;
    QAction* start_;
    QAction* stop_;
    QAction* getFile_;
    QAction* help_;
    QAction* exit_;
    QAction* menuExit_;
    QAction* files_;
    QCheckBox* keepBox_;
    QLabel* keepLabel_;
    QLineEdit* keepFolder_;
    QPushButton* browse_;
    StatusListView* operationsList_;
    StatusListView* fileList_;
    bool noticeScheduled_ = false;
    bool finished_ = false;
    bool exiting_ = false;

    void EnableKeepControls();
    void ReadKeepControls();
    // Keeping switched off: settings, box and folder controls.
    void DisableKeeping();
    void ShowNotice();
    // Whatever closes the window: stop the scan, save FNAMES.DAT.
    void Finish();
};

// The keep folder as stored: ends with the folder separator ("/").
std::string WithFolderSeparator(const std::string& folder);
