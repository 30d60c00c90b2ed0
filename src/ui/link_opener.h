// Opening a web address (or a file) in the program the desktop associates with it.
#pragma once

#include <QString>

// Result of an open: above 32 means success; otherwise one of the codes of
// LinkErrorMessage (31: no program for web pages; 2: that program is missing).
inline constexpr int LinkOpened = 33;

// Asks the desktop to open the address; when it cannot, starts the default
// handler of web pages (the freedesktop MIME associations) with the address.
int OpenLink(const QString& address);

// The caption-less error box "Unable to open hyperlink: ..." for a failed open.
void ShowLinkError(int code);

// The maker's web site, opened by the status bar's logo.
inline constexpr const char* MakerSite = "https://www.arrl.org/w1aw-bulletins-archive-propagation";
