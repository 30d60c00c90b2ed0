#include "ui/link_opener.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include "data/prompt.h"
#include "ui/link_command.h"

namespace {

// Codes of the error box (the shell's codes the messages were written for).
constexpr int FileNotFound = 2;
constexpr int AssociationInvalid = 27;
constexpr int NoAssociation = 31;

void ReportFailure(int code)
{
    QApplication::beep();
    ShowLinkError(code);
}

// The desktop file of the default program for a MIME type, as `xdg-mime
// query default TYPE` answers it.
QString DefaultHandler(const QString& mimeType)
{
    QProcess query;
    query.start("xdg-mime", {"query", "default", mimeType});
    if (!query.waitForFinished(3000) || query.exitCode() != 0)
        return {};
    return QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
}

// The command line of the default program for mimeType with the address, or
// the error box's code when there is none.
int HandlerCommand(const QString& mimeType, const QString& address, QStringList* command)
{
    const QString desktopName = DefaultHandler(mimeType);
    const QString desktopPath =
        desktopName.isEmpty()
            ? QString()
            : QStandardPaths::locate(QStandardPaths::ApplicationsLocation, desktopName);
    if (desktopPath.isEmpty())
        return NoAssociation;
    QFile file(desktopPath);
    if (!file.open(QIODevice::ReadOnly))
        return NoAssociation;
    const std::vector<std::string> parts =
        BrowserCommand(DesktopEntryExec(file.readAll().toStdString()), address.toStdString());
    if (parts.empty())
        return AssociationInvalid;
    for (const std::string& part : parts)
        *command << QString::fromStdString(part);
    return 0;
}

// Starts the command (an argument list, never through a shell) and reports
// its failure when it ends. The process object is deliberately not owned by
// anything: destroying a running QProcess kills it, and the viewer must
// outlive the program; it is deleted when the process ends.
void StartWatched(const QStringList& command)
{
    auto* process = new QProcess;
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::errorOccurred, [process](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        process->deleteLater();
        ReportFailure(FileNotFound);
    });
    QObject::connect(process, &QProcess::finished,
                     [process](int exitCode, QProcess::ExitStatus status) {
                         process->deleteLater();
                         if (status != QProcess::NormalExit)
                             ReportFailure(AssociationInvalid);
                         else if (exitCode != 0)
                             ReportFailure(LinkErrorCode(exitCode));
                     });
    process->start(command.first(), command.mid(1));
}

}  // namespace

int LinkErrorCode(int exitStatus)
{
    switch (exitStatus) {
    case 2:
        return FileNotFound;
    case 3:
        return NoAssociation;
    default:
        return AssociationInvalid;
    }
}

int OpenLink(const QString& address, LinkKind kind)
{
    WaitCursor wait;
    QStringList command;
    if (kind == LinkKind::WebPage && !QStandardPaths::findExecutable("xdg-open").isEmpty()) {
        command = {"xdg-open", address};
    } else {
        const int code = HandlerCommand(kind == LinkKind::TextFile ? "text/plain" : "text/html",
                                        address, &command);
        if (code != 0)
            return code;
    }
    if (QStandardPaths::findExecutable(command.first()).isEmpty() && !QFile::exists(command.first()))
        return FileNotFound;
    StartWatched(command);
    return LinkOpened;
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

bool OpenLinkOrReport(const QString& address, LinkKind kind)
{
    const int result =
        kind == LinkKind::WebPage ? OpenThroughLinkService(address) : OpenLink(address, kind);
    if (result > 32)
        return true;
    ReportFailure(result);
    return false;
}
