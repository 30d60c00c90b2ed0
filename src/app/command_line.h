// The program's command line: "skylog [FILE]" opens the main window, "skylog
// COMMAND ..." runs one of the commands of Commands() without a window.
#pragma once

// Parses the arguments, answers --help and --version, reports wrong use with
// exit status 64 and runs the window or the command. Returns the exit status.
int RunCommandLine(int argc, char** argv);
