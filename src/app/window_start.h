// "skylog [FILE]": the main window.
#pragma once

#include <QString>

// Runs the main window, on file when it is not empty. When the window is
// already open, hands the file to it (or brings it to the front) and ends.
int RunWindow(const QString& file);
