// "skylog parse": the days a bulletin gives, without importing them.
#pragma once

#include <string>
#include <vector>

int RunParseCommand(const std::vector<std::string>& args);
