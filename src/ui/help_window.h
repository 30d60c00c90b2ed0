// The program's manual, shown in a window of its own.
#pragma once

#include <QMainWindow>

class QTextBrowser;

// Path of the manual: "skylog-help.html" beside the executable (a build), or
// in the installed program's share/skylog folder.
QString HelpFilePath();

// Opens the manual at its contents (empty keyword) or at the section titled
// by the keyword; a missing manual is reported with its path.
void HelpRequest(const QString& keyword = {});

// The anchor of a section title: lower case, anything but letters and digits as "-".
QString HelpAnchor(const QString& keyword);

// The help window's first size: 720 x 640, or less on a smaller screen
// (its available area given).
QSize HelpWindowSize(const QSize& available);

class HelpWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);
    bool Load(const QString& path);
    void ShowSection(const QString& keyword);
    QTextBrowser* Browser() const { return browser_; }

    // The one help window of the program (created on first use).
    static HelpWindow* Instance();
    // Closes the help window, if there is one (the program is ending).
    static void CloseAll();

private:
    QTextBrowser* browser_;
};
