// Command-line uses print their results and real errors only; the window
// starts as quietly.
#pragma once

// Drops Qt's own debug, information and warning messages (a missing runtime
// folder, font or display notes), which mean nothing to the user of a
// command. With keepDisplayErrors, the display connection's warnings stay
// (they say why a window could not open).
void QuietToolkit(bool keepDisplayErrors = false);
