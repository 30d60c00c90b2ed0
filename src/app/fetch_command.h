// "skylog fetch": one scan of the bulletin archive without a window, for
// scripts and cron jobs.
#pragma once

#include "app/command.h"

// Exit status: 0 the run completed (single files may have failed), 1 the run
// failed (site, login, directory, listing) or the data file could not be
// saved, 2 the data file is not one, 64 bad usage, 130 stopped by Ctrl+C.
Command FetchCommand();
