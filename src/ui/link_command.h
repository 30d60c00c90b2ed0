// Building the command that opens an address in the user's web browser when
// the desktop cannot open it directly.
#pragma once

#include <string>
#include <vector>

// Splits a desktop entry's Exec value into arguments (double quotes group,
// backslash escapes inside them; "%%" is a literal percent sign).
std::vector<std::string> SplitExecLine(const std::string& exec);

// The browser command for address: the arguments up to the first file or URL
// field code (%u, %U, %f, %F, or a "%1"), other field codes dropped, and the
// address appended as one argument. Empty when exec names no program.
std::vector<std::string> BrowserCommand(const std::string& exec, const std::string& address);

// The Exec value of a desktop entry's text (its [Desktop Entry] group).
std::string DesktopEntryExec(const std::string& desktopFileText);

// The message of the link error box for a result code.
std::string LinkErrorMessage(int code);
