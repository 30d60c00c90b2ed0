// Help > About: the program's picture, a link to its web site, Support and OK.
#pragma once

#include <QDialog>

class LinkLabel;

class AboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit AboutDlg(QWidget* parent = nullptr);
    // True when the box was closed with Support: the caller opens Software Support.
    bool SupportRequested() const { return supportRequested_; }
    LinkLabel* Link() const { return link_; }

private:
    LinkLabel* link_;
    bool supportRequested_ = false;
};

// Shows About, then Software Support when the user asked for it there.
void ShowAbout(QWidget* parent);
