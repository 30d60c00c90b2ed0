// "INCORRECT FILE FORMAT": the offer to convert a two-digit-year data file.
#pragma once

#include <QDialog>

class IncorrectFormatDlg : public QDialog {
    Q_OBJECT
public:
    explicit IncorrectFormatDlg(QWidget* parent = nullptr);

signals:
    // The Help button: the dialog stays open.
    void helpRequested();
};
