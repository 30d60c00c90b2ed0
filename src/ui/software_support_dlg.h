// Help > Software Support: where to ask for help and report problems, and
// the version that is running.
#pragma once

#include <QDialog>

class LinkLabel;
class QLabel;

class SoftwareSupportDlg : public QDialog {
    Q_OBJECT
public:
    explicit SoftwareSupportDlg(QWidget* parent = nullptr);
    LinkLabel* MailLink() const { return mail_; }
    LinkLabel* WebLink() const { return web_; }
    QLabel* VersionLine() const { return version_; }

private:
    LinkLabel* mail_;
    LinkLabel* web_;
    QLabel* version_;
};
