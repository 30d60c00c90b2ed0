// "skylog parse" and "skylog import": bulletins from the command line.
#pragma once

#include <string>
#include <vector>

int RunParseCommand(const std::vector<std::string>& args);
int RunImportCommand(const std::vector<std::string>& args);
