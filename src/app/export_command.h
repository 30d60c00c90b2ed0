// "skylog export": the days of a data file as CSV.
#pragma once

#include "app/command.h"

Command ExportCommand();
