// The application: one running instance, the main window, the start-up.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include "ui/frame.h"
class QLocalServer;
class QLocalSocket;
class QtPrompt;

class PlotterApp : public QObject {
    Q_OBJECT
public:
    PlotterApp();
    ~PlotterApp() override;

    // Names, icon and desktop entry of the program, set once after the
    // application object exists.
    static void SetIdentity();

    // Starts the main window, on file when it is not empty. False when
    // another instance runs: it has been handed the file, or asked to come
    // to the front.
    bool InitInstance(const QString& file = {});
    Frame* MainFrame() const { return frame_; }

    // The name the running instance listens on (one per user and program folder).
    static QString InstanceName();
    // The request a second start sends: "raise", or "open" and the file.
    static QByteArray Request(const QString& file);

private:
    QLocalServer* server_ = nullptr;
    QPointer<Frame> frame_;
    QtPrompt* prompt_ = nullptr;
    QString pendingFile_;  // handed over while the window could not open it yet

    void BringToFront();
    void ReadRequests(QLocalSocket* socket);
    void OpenPendingFile();
};
