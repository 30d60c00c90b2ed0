#include "ui/specify_year_dlg.h"

#include "ui/dialog_helpers.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

SpecifyYearDlg::SpecifyYearDlg(int initialYear, QWidget* parent)
    : QDialog(parent), field_(new QLineEdit(QString::number(initialYear), this))
{
    setWindowTitle("Specify Year");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Enter the year that this data is from (i.e. 1996, 1997, etc.)", this));
    layout->addWidget(field_);
    layout->addWidget(AddOkCancel(this));
    field_->selectAll();
}

int SpecifyYearDlg::Year() const
{
    return field_->text().trimmed().toInt();
}

void SpecifyYearDlg::accept()
{
    int year = 0;
    if (ReadWholeNumber(field_, 1858, 2099, &year))
        QDialog::accept();
}

SearchTextDlg::SearchTextDlg(const QString& initialText, QWidget* parent)
    : QDialog(parent), field_(new QLineEdit(initialText, this))
{
    setWindowTitle("Specify Search Text");
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(
        "This function looks for lines beginning with the text \"Sunspot Numbers for\" and none "
        "were found in the data file you specified.  You can enter a different string to check "
        "for in the field below or click the [CANCEL] button to cancel the search.",
        this);
    text->setWordWrap(true);
    layout->addWidget(text);
    layout->addWidget(field_);
    layout->addWidget(AddOkCancel(this));
    setMinimumWidth(420);
}

QString SearchTextDlg::Text() const
{
    return field_->text();
}
