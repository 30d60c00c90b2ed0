// The Internet window's Get File and the manager's download commands: ask
// which bulletin, fetch it with the step window, then save, add or view it.
#pragma once

#include <memory>
#include <string>

class BulletinParser;
class CheckedFileList;
class InternetLocateDlg;
class PrivateTempFile;
class QWidget;

// Fetches name from its year folder on the configured site (FTPSite,
// FTPDir), showing "Getting File From Server ...". The fetched file, or
// null when the fetch failed or was aborted.
std::unique_ptr<PrivateTempFile> FetchWithDialog(const std::string& name, QWidget* parent);

// Get File: "Download Single File", the fetch, and the chosen dispositions.
// currentYear is the latest year that may be asked for (0: this year).
void RunSingleDownload(CheckedFileList& checked, BulletinParser& parser, QWidget* parent,
                       int currentYear = 0);

// "Available Bulletin Files" over the window's list; OK saves it to FNAMES.DAT.
void RunBulletinFilesManager(CheckedFileList& checked, QWidget* parent);

// Gives the Internet window's Get File and Files commands their work, which
// runs only while no scan does.
void ConnectDownloadCommands(InternetLocateDlg& window);
