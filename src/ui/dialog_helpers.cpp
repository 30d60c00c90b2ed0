#include "ui/dialog_helpers.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QString>
#include <string>

#include "data/prompt.h"

QDialogButtonBox* AddOkCancel(QDialog* dialog)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

namespace {

bool RefuseField(QLineEdit* field, const std::string& message)
{
    Prompt().MessageBox(message, "SKYLOG", PromptIcon::Exclamation, PromptButtons::Ok);
    field->setFocus();
    field->selectAll();
    return false;
}

}  // namespace

bool ReadRealNumber(QLineEdit* field, double low, double high, double* value)
{
    bool number = false;
    *value = field->text().trimmed().toDouble(&number);  // C locale: "123.45"
    if (number && *value >= low && *value <= high)
        return true;
    return RefuseField(field, "Please enter a number between " +
                                  QString::number(low).toStdString() + " and " +
                                  QString::number(high).toStdString() + ".");
}

bool ReadWholeNumber(QLineEdit* field, int low, int high, int* value)
{
    bool whole = false;
    *value = field->text().trimmed().toInt(&whole);
    if (whole && *value >= low && *value <= high)
        return true;
    return RefuseField(field, "Please enter an integer between " + std::to_string(low) +
                                  " and " + std::to_string(high) + ".");
}
