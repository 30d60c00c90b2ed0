// "skylog import": bulletins and daily index files into the data file;
// "skylog update": the configured daily index files fetched and imported.
#pragma once

#include "app/command.h"

Command ImportCommand();
Command UpdateCommand();
