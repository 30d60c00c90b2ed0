#include "ui/incorrect_format_dlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

IncorrectFormatDlg::IncorrectFormatDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("INCORRECT FILE FORMAT");
    // Modal to the main window only, so the manual its Help opens can be used.
    setWindowModality(Qt::WindowModal);
    auto* layout = new QVBoxLayout(this);
    const char* texts[] = {
        "This is a ORB Version 2 data file using dates with 2 character years.  To be Y2K "
        "compliant it needs to have the date fields expanded so that the years are stored as 4 "
        "characters to include the century.",
        "This program can perform the conversion for you, however once the file has been "
        "converted it will no longer be compatible with previous versions of this application "
        "unless you manually edit the dates to convert them back to 2 character years.",
        "This version of ORB3 can still read the 2 character year values, however 2000 will be "
        "added to each year less than 50  and 1900 added to each year greater than 50.",
        "For more information on the changes that are made to the file click the [HELP] button\n"
        "To perform the conversion now click the [CONVERT FILE] button\n"
        "To leave the file in its current format click the [DO NOT CONVERT] button",
    };
    for (const char* text : texts) {
        auto* label = new QLabel(text, this);
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    auto* buttons = new QHBoxLayout;
    auto* help = new QPushButton("Help", this);
    auto* convert = new QPushButton("Convert the file", this);
    auto* keep = new QPushButton("Do NOT convert the file", this);
    help->setAutoDefault(false);
    buttons->addWidget(help);
    buttons->addStretch();
    buttons->addWidget(convert);
    buttons->addWidget(keep);
    layout->addLayout(buttons);
    connect(help, &QPushButton::clicked, this, &IncorrectFormatDlg::helpRequested);
    connect(convert, &QPushButton::clicked, this, &QDialog::accept);
    connect(keep, &QPushButton::clicked, this, &QDialog::reject);
    setFixedWidth(520);
}
