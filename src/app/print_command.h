// "skylog print": the printed page written to a PDF file, without a window.
#pragma once

#include "app/command.h"

Command PrintCommand();
