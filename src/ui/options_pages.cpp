#include "ui/options_pages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <initializer_list>
#include <utility>

#include "config/plot_settings.h"
#include "ui/dialog_helpers.h"

namespace {

QLabel* Explanation(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

// The layout every page starts with: its explanations, then a form of
// labelled fields (if any). The page adds what else it holds.
QVBoxLayout* ExplainedForm(QWidget* page, std::initializer_list<const char*> explanations,
                           std::initializer_list<std::pair<const char*, QWidget*>> rows = {})
{
    auto* layout = new QVBoxLayout(page);
    for (const char* text : explanations)
        layout->addWidget(Explanation(text, page));
    if (rows.size() > 0) {
        auto* form = new QFormLayout;
        for (const auto& [label, field] : rows)
            form->addRow(label, field);
        layout->addLayout(form);
    }
    return layout;
}

QLineEdit* NumberField(QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setMaximumWidth(100);
    return field;
}

QButtonGroup* IntervalGroup(const QString& title, QVBoxLayout* layout, QWidget* parent)
{
    auto* box = new QGroupBox(title, parent);
    auto* boxLayout = new QVBoxLayout(box);
    auto* group = new QButtonGroup(parent);
    int id = 0;
    for (const char* text : {"Weeks (7 Days)", "Months (28 days)", "Years (365 Days)"}) {
        auto* button = new QRadioButton(text, box);
        boxLayout->addWidget(button);
        group->addButton(button, id++);
    }
    layout->addWidget(box);
    return group;
}

}  // namespace

Opt1::Opt1(QWidget* parent) : OptionsPage(parent), avgInt(NumberField(this)), lagDays(NumberField(this))
{
    ExplainedForm(this,
                  {"Each running average is the mean of the days of one averaging interval.",
                   "The lag days are the days of the interval that lie before the day the average "
                   "is shown for; the rest lie on and after it.",
                   "New values apply to the averages at once; near the ends of the data the "
                   "averages are partial."},
                  {{"Averaging Interval (in days):", avgInt},
                   {"Lag Days (days BEFORE the target date):", lagDays}})
        ->addStretch();
}

void Opt1::Load(const PlotSettings& s)
{
    avgInt->setText(QString::number(s.AvgInt));
    lagDays->setText(QString::number(s.LagDays));
}

bool Opt1::Store(PlotSettings& s)
{
    int interval = 0, lag = 0;
    if (!ReadWholeNumber(avgInt, 0, 999999, &interval) || !ReadWholeNumber(lagDays, 0, 999999, &lag))
        return false;
    s.AvgInt = interval;
    s.LagDays = lag;
    return true;
}

Opt2::Opt2(QWidget* parent)
    : OptionsPage(parent), closeDays(NumberField(this)), panDays(NumberField(this)),
      closeScrn(NumberField(this))
{
    ExplainedForm(this,
                  {"The closeup (the lower plot) shows this many days; one page step of the "
                   "scroll bar or a click moves it by the pan days.",
                   "The overall screen percentage is the share of the window's height the upper "
                   "plot gets."},
                  {{"Closeup Days:", closeDays},
                   {"Pan Days:", panDays},
                   {"Overall Screen Percentage:", closeScrn}})
        ->addStretch();
}

void Opt2::Load(const PlotSettings& s)
{
    // The length the user chose, also while a short file shows fewer days.
    closeDays->setText(QString::number(s.CloseDaysChosen > 0 ? s.CloseDaysChosen : s.CloseDays));
    panDays->setText(QString::number(s.PanDays));
    closeScrn->setText(QString::number(s.CloseScrn));
}

bool Opt2::Store(PlotSettings& s)
{
    int days = 0, pan = 0, share = 0;
    if (!ReadWholeNumber(closeDays, 1, 99999, &days) || !ReadWholeNumber(panDays, 1, 99999, &pan) ||
        !ReadWholeNumber(closeScrn, 10, 90, &share))
        return false;
    s.CloseDays = days;
    s.PanDays = pan;
    s.CloseScrn = share;
    return true;
}

Opt3::Opt3(QWidget* parent) : OptionsPage(parent)
{
    QVBoxLayout* layout =
        ExplainedForm(this, {"The distance between the vertical grid lines of each plot."});
    overall = IntervalGroup("Overall Window", layout, this);
    closeup = IntervalGroup("Closeup Window", layout, this);
    layout->addStretch();
}

void Opt3::Load(const PlotSettings& s)
{
    // A value outside 0..2 (edited by hand) checks no button and is kept.
    if (QAbstractButton* button = overall->button(s.RBOverall))
        button->setChecked(true);
    if (QAbstractButton* button = closeup->button(s.RBCloseup))
        button->setChecked(true);
}

bool Opt3::Store(PlotSettings& s)
{
    if (overall->checkedId() >= 0)
        s.RBOverall = overall->checkedId();
    if (closeup->checkedId() >= 0)
        s.RBCloseup = closeup->checkedId();
    return true;
}

Opt5::Opt5(QWidget* parent)
    : OptionsPage(parent),
      autosave(new QCheckBox("Save the configuration options when the program exits", this)),
      saveOpenFile(new QCheckBox("Save the last open file name in the configuration file", this)),
      savePos(new QCheckBox("Save the current window position in the configuration file", this))
{
    auto* layout = new QVBoxLayout(this);
    const std::pair<const char*, QCheckBox*> boxes[] = {
        {"Without this, changes made here last only until the program ends.", autosave},
        {"The program then opens the same data file at its next start.", saveOpenFile},
        {"The window then opens where, and as large as, it was when the program ended.", savePos},
    };
    for (const auto& [text, box] : boxes) {
        layout->addWidget(Explanation(text, this));
        layout->addWidget(box);
    }
    layout->addStretch();
}

void Opt5::Load(const PlotSettings& s)
{
    autosave->setChecked(s.AutosaveCfg != 0);
    saveOpenFile->setChecked(s.SaveOpenFile != 0);
    savePos->setChecked(s.SavePos != 0);
}

bool Opt5::Store(PlotSettings& s)
{
    s.AutosaveCfg = autosave->isChecked() ? 1 : 0;
    s.SaveOpenFile = saveOpenFile->isChecked() ? 1 : 0;
    s.SavePos = savePos->isChecked() ? 1 : 0;
    return true;
}

Opt7::Opt7(QWidget* parent)
    : OptionsPage(parent),
      datePhrase(new QLineEdit(this)),
      valuesPhrase(new QLineEdit(this)),
      lenientParse(new QCheckBox("Read a bulletin leniently when the exact reading fails", this))
{
    datePhrase->setMaxLength(63);
    valuesPhrase->setMaxLength(63);
    QVBoxLayout* layout =
        ExplainedForm(this,
                      {"The values phrase starts the paragraph of a bulletin that holds the daily "
                       "sunspot numbers and flux values."},
                      {{"Date Phrase", datePhrase}, {"Values Phrase:", valuesPhrase}});
    auto* reset = new QPushButton("Reset Default Values", this);
    connect(reset, &QPushButton::clicked, this, [this] {
        datePhrase->setText("SEATTLE, WA");
        valuesPhrase->setText("SUNSPOT NUMBERS FOR");
    });
    layout->addWidget(reset, 0, Qt::AlignLeft);
    layout->addWidget(Explanation(
        "Older and newer bulletins word their values differently (\"Sunspot numbers from\", "
        "\"10.7-cm flux\", \"April 10-16\"). Read leniently, such a bulletin gives its days "
        "only where they are certain; anything uncertain is refused.",
        this));
    layout->addWidget(lenientParse);
    layout->addStretch();
}

void Opt7::Load(const PlotSettings& s)
{
    datePhrase->setText(QString::fromStdString(s.Phrase1));
    valuesPhrase->setText(QString::fromStdString(s.Phrase2));
    lenientParse->setChecked(s.LenientParse != 0);
}

bool Opt7::Store(PlotSettings& s)
{
    s.Phrase1 = datePhrase->text().toStdString();
    s.Phrase2 = valuesPhrase->text().toStdString();
    s.LenientParse = lenientParse->isChecked() ? 1 : 0;
    return true;
}
