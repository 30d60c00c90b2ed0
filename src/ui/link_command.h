// Building the command that opens an address in the user's web browser when
// the desktop cannot open it directly.
#pragma once

#include <string>
#include <vector>

// Splits a desktop entry's Exec value into arguments (double quotes group,
// backslash escapes inside them; "%%" is a literal percent sign).
std::vector<std::string> SplitExecLine(const std::string& exec);

// The command that opens address: the desktop entry's arguments with the
// address, as one argument, in place of the first file or URL field code
// (%u, %U, %f, %F, or a "%1"; appended when there is none), other field codes
// dropped. Empty when exec names no program.
std::vector<std::string> BrowserCommand(const std::string& exec, const std::string& address);

// The Exec value of a desktop entry's text (its [Desktop Entry] group).
std::string DesktopEntryExec(const std::string& desktopFileText);

// The message of the link error box for a result code.
std::string LinkErrorMessage(int code);
