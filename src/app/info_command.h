// "skylog info": a summary of a data file on standard output.
#pragma once

#include "app/command.h"

Command InfoCommand();
