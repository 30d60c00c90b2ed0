// Opening a web address (or a file) in the program the desktop associates with it.
#pragma once

#include <QString>
#include <functional>

// What is opened: a web page goes to the desktop's opener (xdg-open), a text
// file to the default program for text/plain, whatever its file name says.
enum class LinkKind { WebPage, TextFile };

// Result of an open: above 32 means the opener started; otherwise one of the
// codes of LinkErrorMessage (31: no program for it; 2: that program is missing).
inline constexpr int LinkOpened = 33;

// Starts the opener for the address and watches it. When it cannot be
// started the result says why; when it ends later with a failure status
// (no browser behind xdg-open, say), the program beeps and shows the link
// error box then. An opener still running when the program ends is left
// running (it may be the viewer itself).
int OpenLink(const QString& address, LinkKind kind = LinkKind::WebPage);

// The error box's code for an opener's failure status (xdg-open's: 2 no
// such file, 3 no program for it, others a failed action).
int LinkErrorCode(int exitStatus);

// The caption-less error box "Unable to open hyperlink: ..." for a failed
// open, through the prompt interface.
void ShowLinkError(int code);

// The link service the program's links open through: OpenLink, unless
// another was installed (tests script it); an empty service restores OpenLink.
using LinkService = std::function<int(const QString& address)>;
void SetLinkService(LinkService service);
int OpenThroughLinkService(const QString& address);

// Opens the address (a web page through the link service); on failure beeps
// and shows the error box. True when the opener started.
bool OpenLinkOrReport(const QString& address, LinkKind kind = LinkKind::WebPage);

// The project's own addresses, shown in About and Software Support; set
// when the program is configured (SKYLOG_WEB_SITE and the others).
inline constexpr const char* ProjectWebSite = SKYLOG_WEB_SITE;
inline constexpr const char* ProjectIssuesPage = SKYLOG_ISSUES_URL;
inline constexpr const char* ProjectSupportMail = SKYLOG_SUPPORT_MAIL;

// The maker's web site, opened by the status bar's logo.
inline constexpr const char* MakerSite = "https://www.arrl.org/w1aw-bulletins-archive-propagation";
