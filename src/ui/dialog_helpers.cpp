#include "ui/dialog_helpers.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <string>

#include "data/prompt.h"

QDialogButtonBox* AddOkCancel(QDialog* dialog)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

bool ReadWholeNumber(QLineEdit* field, int low, int high, int* value)
{
    bool whole = false;
    *value = field->text().trimmed().toInt(&whole);
    if (whole && *value >= low && *value <= high)
        return true;
    Prompt().MessageBox("Please enter an integer between " + std::to_string(low) + " and " +
                            std::to_string(high) + ".",
                        "SKYLOG", PromptIcon::Exclamation, PromptButtons::Ok);
    field->setFocus();
    field->selectAll();
    return false;
}
