#include "app/window_start.h"

#include <QApplication>
#include <iostream>

#include "app/command.h"
#include "app/quiet_toolkit.h"
#include "ui/plotter_app.h"

namespace {

bool DisplayAvailable()
{
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

}  // namespace

int RunWindow(const QString& file)
{
    // Without a display Qt would abort with a page of plugin notes.
    if (!DisplayAvailable()) {
        std::cerr << "skylog: no display to open the window on (\"skylog render\" paints the plots "
                     "into a picture)\n";
        return ExitFailure;
    }
    // A user starting the window from a terminal sees no toolkit notes either.
    QuietToolkit(true);
    // The command line has been read; Qt gets none of it to interpret.
    static char programName[] = "skylog";
    int argc = 1;
    char* argv[] = {programName, nullptr};
    QApplication app(argc, argv);
    PlotterApp::SetIdentity();
    PlotterApp plotter;
    if (!plotter.InitInstance(file))
        return ExitSuccess;
    return QApplication::exec();
}
