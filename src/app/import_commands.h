// "skylog import": bulletins and daily index files into the data file;
// "skylog update": the configured daily index files fetched and imported.
#pragma once

#include <string>
#include <vector>

int RunImportCommand(const std::vector<std::string>& args);
int RunUpdateCommand(const std::vector<std::string>& args);
