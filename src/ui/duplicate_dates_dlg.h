// "Duplicate Dates Detected": ignore the bulletin's values or replace the stored ones.
#pragma once

#include <QDialog>

class QRadioButton;

class DuplicateDatesDlg : public QDialog {
    Q_OBJECT
public:
    explicit DuplicateDatesDlg(QWidget* parent = nullptr);
    // 0: ignore the bulletin's values; 1: replace the stored ones.
    int Choice() const;

private:
    QRadioButton* ignore_;
    QRadioButton* replace_;
};
