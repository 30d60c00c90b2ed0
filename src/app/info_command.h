// "skylog info": a summary of a data file on standard output.
#pragma once

#include <string>
#include <vector>

int RunInfoCommand(const std::vector<std::string>& args);
