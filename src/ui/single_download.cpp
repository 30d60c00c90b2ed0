#include "ui/single_download.h"

#include <QDate>

#include "config/plot_settings.h"
#include "internet/bulletin_dispositions.h"
#include "internet/checked_file_list.h"
#include "internet/private_files.h"
#include "internet/remote_name.h"
#include "internet/single_bulletin.h"
#include "ui/bulletin_files_dlg.h"
#include "ui/download_single_dlg.h"
#include "ui/get_file_dlg.h"
#include "ui/internet_locate_dlg.h"
#include "ui/text_viewer.h"

std::unique_ptr<PrivateTempFile> FetchWithDialog(const std::string& name, QWidget* parent)
{
    FetchRequest request;
    request.site = Settings().FTPSite;
    request.ftpDir = Settings().FTPDir;
    request.fileName = name;
    GetFileDlg dialog(request, parent);
    if (dialog.exec() != QDialog::Accepted || dialog.Failed())
        return nullptr;
    return dialog.TakeFetchedFile();
}

void RunSingleDownload(CheckedFileList& checked, BulletinParser& parser, QWidget* parent,
                       int currentYear)
{
    if (currentYear <= 0)
        currentYear = QDate::currentDate().year();
    DownloadSingleDlg ask(checked, currentYear, parent);
    if (ask.exec() != QDialog::Accepted)
        return;
    const std::string name = BulletinFileName(ask.Year(), ask.Number());
    const std::unique_ptr<PrivateTempFile> fetched = FetchWithDialog(name, parent);
    if (!fetched)
        return;
    HandleFetchedBulletin(name, *fetched, ask.Dispositions(), parser, checked,
                          InstalledTextViewer());
}

void RunBulletinFilesManager(CheckedFileList& checked, QWidget* parent)
{
    BulletinFilesDlg manager(checked, CheckedFilesPath(), parent);
    manager.exec();
}

void ConnectDownloadCommands(InternetLocateDlg& window)
{
    QObject::connect(&window, &InternetLocateDlg::getFileRequested, &window, [&window] {
        if (!window.WorkerRunning())
            RunSingleDownload(window.CheckedFiles(), window.Parser(), &window);
    });
    QObject::connect(&window, &InternetLocateDlg::filesRequested, &window, [&window] {
        if (!window.WorkerRunning())
            RunBulletinFilesManager(window.CheckedFiles(), &window);
    });
}
