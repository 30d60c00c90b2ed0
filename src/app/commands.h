// Every command of "skylog COMMAND": the one list to extend with a new one.
#pragma once

#include <vector>

#include "app/command.h"

const std::vector<Command>& Commands();
