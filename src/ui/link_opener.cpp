#include "ui/link_opener.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include "ui/link_command.h"
#include "data/prompt.h"

namespace {

// The desktop file of the default handler of web pages, as `xdg-mime query
// default text/html` answers it.
QString DefaultHtmlHandler()
{
    QProcess query;
    query.start("xdg-mime", {"query", "default", "text/html"});
    if (!query.waitForFinished(3000) || query.exitCode() != 0)
        return {};
    return QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
}

QString FindDesktopFile(const QString& name)
{
    return QStandardPaths::locate(QStandardPaths::ApplicationsLocation, name);
}

int StartHandler(const QString& address)
{
    const QString desktopName = DefaultHtmlHandler();
    const QString desktopPath = desktopName.isEmpty() ? QString() : FindDesktopFile(desktopName);
    if (desktopPath.isEmpty())
        return 31;
    QFile file(desktopPath);
    if (!file.open(QIODevice::ReadOnly))
        return 31;
    const std::vector<std::string> command =
        BrowserCommand(DesktopEntryExec(file.readAll().toStdString()), address.toStdString());
    if (command.empty())
        return 27;
    QStringList args;
    for (std::size_t i = 1; i < command.size(); ++i)
        args << QString::fromStdString(command[i]);
    const QString program = QString::fromStdString(command[0]);
    if (QStandardPaths::findExecutable(program).isEmpty() && !QFile::exists(program))
        return 2;
    // Started as an argument list, never through a shell.
    return QProcess::startDetached(program, args) ? LinkOpened : 2;
}

}  // namespace

int OpenLink(const QString& address)
{
    WaitCursor wait;
    const QUrl url = QUrl::fromUserInput(address, QDir::currentPath());
    if (QDesktopServices::openUrl(url))
        return LinkOpened;
    return StartHandler(address);
}

void ShowLinkError(int code)
{
    Prompt().MessageBox("Unable to open hyperlink:\n\n" + LinkErrorMessage(code), "",
                        PromptIcon::Exclamation, PromptButtons::Ok);
}

namespace {
LinkService& InstalledLinkService()
{
    static LinkService service;
    return service;
}
}  // namespace

void SetLinkService(LinkService service)
{
    InstalledLinkService() = std::move(service);
}

int OpenThroughLinkService(const QString& address)
{
    const LinkService& service = InstalledLinkService();
    return service ? service(address) : OpenLink(address);
}

bool OpenLinkOrReport(const QString& address)
{
    const int result = OpenThroughLinkService(address);
    if (result > 32)
        return true;
    QApplication::beep();
    ShowLinkError(result);
    return false;
}
