#include "ui/duplicate_dates_dlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

DuplicateDatesDlg::DuplicateDatesDlg(QWidget* parent)
    : QDialog(parent), ignore_(new QRadioButton("Ignore the data from the Bulletin File", this)),
      replace_(new QRadioButton(
          "Replace the values in my database with those from the Bulletin File", this))
{
    setWindowTitle("Duplicate Dates Detected");
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel("The Bulletin File that you are inserting contains values for dates "
                            "that are already in your data file.  Do you want to:",
                            this);
    text->setWordWrap(true);
    layout->addWidget(text);
    layout->addWidget(ignore_);
    layout->addWidget(replace_);
    ignore_->setChecked(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(440);
}

int DuplicateDatesDlg::Choice() const
{
    return replace_->isChecked() ? 1 : 0;
}
