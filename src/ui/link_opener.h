// Opening a web address (or a file) in the program the desktop associates with it.
#pragma once

#include <QString>
#include <functional>

// Result of an open: above 32 means success; otherwise one of the codes of
// LinkErrorMessage (31: no program for web pages; 2: that program is missing).
inline constexpr int LinkOpened = 33;

// Asks the desktop to open the address; when it cannot, starts the default
// handler of web pages (the freedesktop MIME associations) with the address.
int OpenLink(const QString& address);

// The caption-less error box "Unable to open hyperlink: ..." for a failed
// open, through the prompt interface.
void ShowLinkError(int code);

// The link service the program's links open through: OpenLink, unless
// another was installed (tests script it); an empty service restores OpenLink.
using LinkService = std::function<int(const QString& address)>;
void SetLinkService(LinkService service);
int OpenThroughLinkService(const QString& address);

// Opens the address; on failure beeps and shows the error box. True when opened.
bool OpenLinkOrReport(const QString& address);

// The project's own addresses, shown in About and Software Support.
inline constexpr const char* ProjectWebSite = "https://skylog.example.org/";
inline constexpr const char* ProjectIssuesPage = "https://skylog.example.org/issues";
inline constexpr const char* ProjectSupportMail = "mailto:support@skylog.example.org";

// The maker's web site, opened by the status bar's logo.
inline constexpr const char* MakerSite = "https://www.arrl.org/w1aw-bulletins-archive-propagation";
