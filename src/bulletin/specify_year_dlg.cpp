#include "bulletin/specify_year_dlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

namespace {

QDialogButtonBox* OkCancel(QDialog* dialog)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

}  // namespace

SpecifyYearDlg::SpecifyYearDlg(int initialYear, QWidget* parent)
    : QDialog(parent), field_(new QLineEdit(QString::number(initialYear), this))
{
    setWindowTitle("Specify Year");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Enter the year that this data is from (i.e. 1996, 1997, etc.)", this));
    layout->addWidget(field_);
    layout->addWidget(OkCancel(this));
    field_->selectAll();
}

int SpecifyYearDlg::Year() const
{
    return field_->text().trimmed().toInt();
}

void SpecifyYearDlg::accept()
{
    bool whole = false;
    const int year = field_->text().trimmed().toInt(&whole);
    if (!whole || year < 1858 || year > 2099) {
        QMessageBox::warning(this, windowTitle(), "Please enter an integer between 1858 and 2099.");
        field_->setFocus();
        field_->selectAll();
        return;
    }
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
    layout->addWidget(OkCancel(this));
    setMinimumWidth(420);
}

QString SearchTextDlg::Text() const
{
    return field_->text();
}
