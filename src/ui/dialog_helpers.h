// Small pieces the program's dialogs share.
#pragma once

class QDialog;
class QDialogButtonBox;
class QLineEdit;

// OK and Cancel, connected to the dialog's accept and reject.
QDialogButtonBox* AddOkCancel(QDialog* dialog);

// The field's whole number when it lies from low to high; otherwise says so
// (the range message) and puts the focus back on the field.
bool ReadWholeNumber(QLineEdit* field, int low, int high, int* value);
// The same for a decimal number ("123.45", with a point whatever the locale).
bool ReadRealNumber(QLineEdit* field, double low, double high, double* value);
