#include "ui/plotter_app.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>
#include <unistd.h>

#include "ui/frame.h"
#include "ui/qt_prompt.h"
#include "ui/view.h"
#include "config/program_folder.h"

PlotterApp::PlotterApp() = default;

PlotterApp::~PlotterApp()
{
    delete frame_;
    SetPrompt(nullptr);
    delete prompt_;
}

QString PlotterApp::InstanceName()
{
    const QByteArray folder = QByteArray::fromStdString(ProgramFolder());
    const QByteArray hash = QCryptographicHash::hash(folder, QCryptographicHash::Sha1).toHex().left(12);
    return QString("skylog-%1-%2").arg(getuid()).arg(QString::fromLatin1(hash));
}

bool PlotterApp::InitInstance()
{
    const QString name = InstanceName();
    {
        QLocalSocket socket;
        socket.connectToServer(name);
        if (socket.waitForConnected(500)) {
            socket.write("raise\n");
            socket.waitForBytesWritten(500);
            socket.disconnectFromServer();
            return false;
        }
    }
    // Nobody answered: a socket left by a program that ended abnormally goes.
    QLocalServer::removeServer(name);
    server_ = new QLocalServer(this);
    server_->listen(name);
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            BringToFront();
        }
    });

    frame_ = new Frame;
    prompt_ = new QtPrompt([this]() -> QWidget* { return frame_; });
    SetPrompt(prompt_);
    frame_->show();
    frame_->PlotView()->InitialUpdate();
    return true;
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
