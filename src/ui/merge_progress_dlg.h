// The window that shows a merge's progress: caption-less, modeless, no buttons.
#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;

class MergeProgressDlg : public QDialog {
    Q_OBJECT
public:
    explicit MergeProgressDlg(const QString& text, QWidget* parent = nullptr);

    void SetPosition(int percent);
    QString Text() const;
    int Position() const;

private:
    QLabel* text_;
    QProgressBar* bar_;
};
