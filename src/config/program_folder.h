// The folder that holds the program's own files (SKYLOG.INI, GRAPH.DAT,
// FNAMES.DAT, CITIES.TXT and the help manual).
#pragma once

#include <string>

// $SKYLOG_HOME when set; else the executable's folder when it is writable;
// else $XDG_DATA_HOME/skylog (default ~/.local/share/skylog), created on
// first use. Always ends without a slash.
std::string ProgramFolder();

// ProgramFolder() + "/" + name.
std::string ProgramFile(const std::string& name);

// Full path of the configuration file.
std::string IniFilePath();
