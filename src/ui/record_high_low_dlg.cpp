#include "ui/record_high_low_dlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "data/averages.h"
#include "data/number_text.h"
#include "data/record_array.h"

namespace {

QLineEdit* ShownField(const QString& name, const QString& text, QWidget* parent)
{
    auto* field = new QLineEdit(text, parent);
    field->setObjectName(name);
    field->setReadOnly(true);
    return field;
}

// A group with the rows Highest and Lowest, each a date and a value.
QGroupBox* RecordGroup(const QString& title, const QString& prefix, int high, int low, bool flux,
                       QWidget* parent)
{
    auto* group = new QGroupBox(title, parent);
    auto* grid = new QGridLayout(group);
    int row = 0;
    for (auto [label, key, index] : {std::tuple{"Highest", "high", high}, {"Lowest", "low", low}}) {
        std::string date;
        int spots = 0;
        double value = 0.0;
        Records().GetRecordValues(index, &date, &spots, &value);
        const QString shown = flux ? QString::fromStdString(FormatFixed(value, 0, 1)) : QString::number(spots);
        grid->addWidget(new QLabel(label, group), row, 0);
        grid->addWidget(ShownField(key + prefix + "Date", QString::fromStdString(date), group), row, 1);
        grid->addWidget(ShownField(key + prefix, shown, group), row, 2);
        ++row;
    }
    return group;
}

}  // namespace

RecordHighLowDlg::RecordHighLowDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("Record High / Low Values");
    const RecordExtremes& stats = RecordStats();
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel("These are the highest and lowest Sun Spot and Solar Flux values that "
                             "are recorded in the data file.", this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    layout->addWidget(RecordGroup("Sun Spot Records", "Spots", stats.HighSpotsIndex,
                                  stats.LowSpotsIndex, false, this));
    layout->addWidget(RecordGroup("Solar Flux Records", "Flux", stats.HighFluxIndex,
                                  stats.LowFluxIndex, true, this));
    auto* ties = new QLabel("If more than one day had the same value, the date shown is the latest "
                            "date in the file.", this);
    ties->setWordWrap(true);
    layout->addWidget(ties);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

QString RecordHighLowDlg::FieldText(const QString& name) const
{
    const auto* field = findChild<QLineEdit*>(name);
    return field ? field->text() : QString();
}
