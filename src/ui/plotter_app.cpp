#include "ui/plotter_app.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QIcon>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QUrl>
#include <unistd.h>

#include "ui/frame.h"
#include "ui/qt_prompt.h"
#include "ui/view.h"
#include "config/program_folder.h"

namespace {

// A request line longer than this is no request of ours.
constexpr qint64 MaxRequestLength = 64 * 1024;

}  // namespace

PlotterApp::PlotterApp() = default;

PlotterApp::~PlotterApp()
{
    delete frame_;
    SetPrompt(nullptr);
    delete prompt_;
}

void PlotterApp::SetIdentity()
{
    QApplication::setOrganizationName("SkyLog");
    QApplication::setApplicationName("SkyLog");
    QApplication::setApplicationVersion(VersionText());
    // The desktop entry's name: the desktop matches the window to its launcher and icon.
    QGuiApplication::setDesktopFileName(SKYLOG_APP_ID);
    QIcon icon;
    for (const int size : {48, 128, 256})
        icon.addFile(QString(":/icons/skylog-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
}

QString PlotterApp::InstanceName()
{
    const QByteArray folder = QByteArray::fromStdString(ProgramFolder());
    const QByteArray hash = QCryptographicHash::hash(folder, QCryptographicHash::Sha1).toHex().left(12);
    return QString("skylog-%1-%2").arg(getuid()).arg(QString::fromLatin1(hash));
}

QByteArray PlotterApp::Request(const QString& file)
{
    if (file.isEmpty())
        return "raise\n";
    // As a URL, so that any character of the path (even a line end) travels safely.
    return "open " + QUrl::fromLocalFile(file).toEncoded() + '\n';
}

bool PlotterApp::InitInstance(const QString& file)
{
    const QString name = InstanceName();
    {
        QLocalSocket socket;
        socket.connectToServer(name);
        if (socket.waitForConnected(500)) {
            socket.write(Request(file));
            socket.waitForBytesWritten(500);
            socket.disconnectFromServer();
            return false;
        }
    }
    // Nobody answered: a socket left by a program that ended abnormally goes.
    QLocalServer::removeServer(name);
    server_ = new QLocalServer(this);
    // Only this user's own programs may hand it files.
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    server_->listen(name);
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadRequests(socket); });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        }
    });

    frame_ = new Frame;
    prompt_ = new QtPrompt([this]() -> QWidget* { return frame_; });
    SetPrompt(prompt_);
    frame_->show();
    frame_->PlotView()->InitialUpdate(file.toStdString());
    return true;
}

void PlotterApp::ReadRequests(QLocalSocket* socket)
{
    while (socket->canReadLine()) {
        const QByteArray line = socket->readLine(MaxRequestLength).trimmed();
        if (line == "raise") {
            BringToFront();
        } else if (line.startsWith("open ")) {
            const QUrl url = QUrl::fromEncoded(line.mid(5));
            if (url.isLocalFile()) {
                BringToFront();
                pendingFile_ = url.toLocalFile();
                OpenPendingFile();
            }
        }
    }
    if (socket->bytesAvailable() > MaxRequestLength)
        socket->abort();
}

void PlotterApp::OpenPendingFile()
{
    if (!frame_ || pendingFile_.isEmpty())
        return;
    // Not in the middle of a dialog or before the first load: the records
    // must not change under either. The file waits until they are done.
    if (QApplication::activeModalWidget() || frame_->PlotView()->StartupTimer().isActive()) {
        QTimer::singleShot(200, this, &PlotterApp::OpenPendingFile);
        return;
    }
    const QString file = pendingFile_;
    pendingFile_.clear();
    frame_->PlotView()->OpenDataFile(file.toStdString());
}

void PlotterApp::BringToFront()
{
    if (!frame_)
        return;
    if (frame_->isMinimized())
        frame_->showNormal();
    frame_->show();
    frame_->raise();
    frame_->activateWindow();
}
