#include "ui/stagger_dlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "ui/dialog_helpers.h"

StaggerDlg::StaggerDlg(int interval, const QString& date, bool enabled, QWidget* parent)
    : QDialog(parent), interval_(new QLineEdit(QString::number(interval), this)),
      date_(new QLineEdit(date, this)), enable_(new QCheckBox("Enable Stagger Plot", this))
{
    setWindowTitle("Stagger Plot Setup");
    date_->setMaxLength(11);
    enable_->setChecked(enabled);
    auto* form = new QFormLayout;
    form->addRow("Number of Days\nIn Plot Interval", interval_);
    form->addRow("Date on Plot", date_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(enable_);
    layout->addWidget(AddOkCancel(this));
}

int StaggerDlg::Interval() const
{
    return interval_->text().trimmed().toInt();
}

QString StaggerDlg::DateText() const
{
    return date_->text();
}

bool StaggerDlg::Enabled() const
{
    return enable_->isChecked();
}

void StaggerDlg::accept()
{
    int interval = 0;
    if (ReadWholeNumber(interval_, 1, 99999, &interval))
        QDialog::accept();
}
