#include "ui/record_dlg.h"

#include <QDate>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QVBoxLayout>

#include "data/date_input.h"
#include "ui/dialog_helpers.h"
#include "data/prompt.h"
#include "data/solar_record.h"

namespace {

QDate FromLocale(const QLocale& locale, const QString& text, QLocale::FormatType type)
{
    const QString format = locale.dateFormat(type);
    QDate date = locale.toDate(text, format);
    // A two-digit year follows the program's one century rule.
    if (date.isValid() && !format.contains("yyyy") && format.contains("yy"))
        date = QDate(ExpandTwoDigitYear(date.year() % 100), date.month(), date.day());
    return date;
}

}  // namespace

QString ParseUserDate(const QString& text)
{
    // The user's locale (QLocale() follows the system unless set otherwise).
    const auto localeForms = [](const std::string& typed) {
        const QLocale locale;
        for (QLocale::FormatType type : {QLocale::ShortFormat, QLocale::LongFormat}) {
            const QDate date = FromLocale(locale, QString::fromStdString(typed), type);
            if (date.isValid())
                return FormatRecordDate(date.month(), date.day(), date.year());
        }
        return std::string();
    };
    return QString::fromStdString(::ParseUserDate(text.trimmed().toStdString(), localeForms));
}

RecordDlg::RecordDlg(int mode, const QString& date, int sunspots, const QString& flux,
                     QWidget* parent)
    : QDialog(parent), acceptedDate_(date), date_(new QLineEdit(date, this)),
      sunspots_(new QLineEdit(QString::number(sunspots), this)), flux_(new QLineEdit(flux, this))
{
    setWindowTitle(mode == 0 ? "Edit Record" : mode == 1 ? "Adding Record" : " ");
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->addRow("Date:", date_);
    form->addRow("Sun Spot Value:", sunspots_);
    form->addRow("Solar Flux Value:", flux_);
    layout->addLayout(form);
    layout->addWidget(AddOkCancel(this));
}

QString RecordDlg::Date() const
{
    return date_->text();
}

int RecordDlg::Sunspots() const
{
    return sunspots_->text().trimmed().toInt();
}

QString RecordDlg::FluxText() const
{
    return flux_->text();
}

void RecordDlg::accept()
{
    // Values no day can have would be saved and spoil the plot's scales.
    int sunspots = 0;
    if (!ReadWholeNumber(sunspots_, 0, HighestValidSunspots, &sunspots))
        return;
    double flux = 0.0;
    if (!ReadRealNumber(flux_, 0.0, HighestValidFlux, &flux))
        return;
    const QString date = ParseUserDate(date_->text());
    if (date.isEmpty()) {
        Prompt().MessageBox("Date Is Incorrect\n\nUse mm/dd/yyyy or\nother accepted date format",
                            "INCORRECT DATE", PromptIcon::Stop, PromptButtons::Ok);
        // The field goes back to the date it held before this attempt.
        date_->setText(acceptedDate_);
        date_->setFocus();
        return;
    }
    acceptedDate_ = date;
    date_->setText(date);
    QDialog::accept();
}

RecordCountDlg::RecordCountDlg(int mode, const QString& dateText, QWidget* parent)
    : QDialog(parent), label_(new QLabel(this)), count_(new QLineEdit("1", this))
{
    const QString date = dateText.left(8);
    setWindowTitle(mode == 0 ? "INSERT DATA FILE RECORDS" : "DELETE DATA FILE RECORDS");
    label_->setText((mode == 0 ? "INSERT" : "DELETE") + QString(" Records After ") + date);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    auto* form = new QFormLayout;
    form->addRow("Number of Records", count_);
    layout->addLayout(form);
    layout->addWidget(AddOkCancel(this));
    count_->selectAll();
}

int RecordCountDlg::Count() const
{
    return count_->text().trimmed().toInt();
}

void RecordCountDlg::accept()
{
    int count = 0;
    if (ReadWholeNumber(count_, 1, 32767, &count))
        QDialog::accept();
}
