// The parser's questions: the bulletin's year, and another values phrase.
#pragma once

#include <QDialog>

class QLineEdit;

class SpecifyYearDlg : public QDialog {
    Q_OBJECT
public:
    explicit SpecifyYearDlg(int initialYear, QWidget* parent = nullptr);
    int Year() const;
    QLineEdit* Field() const { return field_; }

    void accept() override;

private:
    QLineEdit* field_;
};

class SearchTextDlg : public QDialog {
    Q_OBJECT
public:
    explicit SearchTextDlg(const QString& initialText, QWidget* parent = nullptr);
    QString Text() const;
    QLineEdit* Field() const { return field_; }

private:
    QLineEdit* field_;
};
