// "Stagger Plot Setup": the interval, the day the staggered days are counted
// from, and the switch.
#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;

class StaggerDlg : public QDialog {
    Q_OBJECT
public:
    StaggerDlg(int interval, const QString& date, bool enabled, QWidget* parent = nullptr);

    int Interval() const;
    QString DateText() const;
    bool Enabled() const;
    QLineEdit* IntervalField() const { return interval_; }
    QLineEdit* DateField() const { return date_; }
    QCheckBox* EnableBox() const { return enable_; }

    void accept() override;

private:
    QLineEdit* interval_;
    QLineEdit* date_;
    QCheckBox* enable_;
};
