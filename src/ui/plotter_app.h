// The application: one running instance, the main window, the start-up.
#pragma once

#include <QObject>
#include <QPointer>

#include "ui/frame.h"
class QLocalServer;
class QtPrompt;

class PlotterApp : public QObject {
    Q_OBJECT
public:
    PlotterApp();
    ~PlotterApp() override;

    // False when another instance runs: it has been asked to come to the front.
    bool InitInstance();
    Frame* MainFrame() const { return frame_; }

    // The name the running instance listens on (one per user and program folder).
    static QString InstanceName();

private:
    QLocalServer* server_ = nullptr;
    QPointer<Frame> frame_;
    QtPrompt* prompt_ = nullptr;

    void BringToFront();
};
