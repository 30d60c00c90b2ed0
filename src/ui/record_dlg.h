// The record dialogs of the data editor: one day's values, and a count of
// records to insert or delete.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

// "Edit Record" (mode 0) or "Adding Record" (mode 1).
class RecordDlg : public QDialog {
    Q_OBJECT
public:
    RecordDlg(int mode, const QString& date, int sunspots, const QString& flux,
              QWidget* parent = nullptr);

    QString Date() const;
    int Sunspots() const;
    QString FluxText() const;
    QLineEdit* DateField() const { return date_; }
    QLineEdit* SunspotField() const { return sunspots_; }
    QLineEdit* FluxField() const { return flux_; }

    void accept() override;

private:
    QString acceptedDate_;  // the date the field held before the last OK
    QLineEdit* date_;
    QLineEdit* sunspots_;
    QLineEdit* flux_;
};

// The date as "mm/dd/yyyy" when the text is a date in the user's locale
// (short or long form) or in the forms m/d/yyyy, m/d/yy and yyyy-mm-dd; empty otherwise.
QString ParseUserDate(const QString& text);

// "INSERT DATA FILE RECORDS" (mode 0) or "DELETE DATA FILE RECORDS" (mode 1).
class RecordCountDlg : public QDialog {
    Q_OBJECT
public:
    RecordCountDlg(int mode, const QString& dateText, QWidget* parent = nullptr);
    int Count() const;
    QLabel* Label() const { return label_; }
    QLineEdit* CountField() const { return count_; }

    void accept() override;

private:
    QLabel* label_;
    QLineEdit* count_;
};
