// The text viewer fetched bulletins open in: the desktop's default program
// for text/plain (never the web browser), unless a test installed another.
#pragma once

#include "internet/bulletin_dispositions.h"

// The viewer in use; its failure is reported in a message box.
TextViewer InstalledTextViewer();
// Installs a viewer (tests record what they were given); an empty one
// restores the desktop's.
void SetTextViewer(TextViewer viewer);
