// The folder that holds the program's own files (SKYLOG.INI, GRAPH.DAT,
// FNAMES.DAT, CITIES.TXT and the help manual).
#pragma once

#include <string>

// $SKYLOG_HOME when set; else, for an installed program,
// $XDG_DATA_HOME/skylog (default ~/.local/share/skylog), created on first
// use and seeded with the sample history; else the executable's folder when
// it is writable (a build tree); else the XDG folder. Always ends without a
// slash.
std::string ProgramFolder();

// The folder of the installed program's own read-only files (the manual, the
// sample history): share/skylog beside the executable's bin folder. Empty
// when the program is not installed (it runs from its build tree).
std::string InstalledDataFolder();

// The manual: "skylog-help.html" beside the executable (a build), else in
// InstalledDataFolder(); the path beside the executable when neither exists.
std::string ManualPath();

// ProgramFolder() + "/" + name.
std::string ProgramFile(const std::string& name);

// Full path of the configuration file.
std::string IniFilePath();
