#include "ui/download_single_dlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "data/prompt.h"
#include "internet/checked_file_list.h"
#include "internet/single_bulletin.h"
#include "ui/select_bulletin_dlg.h"

namespace {
constexpr const char* HelpKeyword = "Single File Download";

QLineEdit* WholeNumberField(int digits, QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setMaxLength(digits);
    field->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QString("[0-9]{0,%1}").arg(digits)), field));
    return field;
}
}  // namespace

DownloadSingleDlg::DownloadSingleDlg(const CheckedFileList& list, int currentYear, QWidget* parent)
    : QDialog(parent), list_(list), currentYear_(currentYear), year_(WholeNumberField(4, this)),
      number_(WholeNumberField(3, this)), save_(new QCheckBox("Save To Disk", this)),
      view_(new QCheckBox("Open In Viewer", this)),
      add_(new QCheckBox("Add Data To Datebase", this)), browse_(new QPushButton("Browse", this)),
      ok_(new QPushButton("OK", this)), cancel_(new QPushButton("Cancel", this))
{
    setWindowTitle("Download Single File");
    setWindowModality(Qt::WindowModal);  // the manual its Help opens stays usable
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Download A Bulletin From The FTP Server ......", this));

    auto* identification = new QGroupBox("Bulletin Identification", this);
    auto* grid = new QGridLayout(identification);
    grid->addWidget(new QLabel("Year", identification), 0, 0);
    grid->addWidget(year_, 0, 1);
    grid->addWidget(new QLabel("Number", identification), 1, 0);
    grid->addWidget(number_, 1, 1);
    grid->addWidget(browse_, 0, 2, 2, 1, Qt::AlignVCenter);
    layout->addWidget(identification);

    auto* disposition = new QGroupBox("Disposition", this);
    auto* boxes = new QVBoxLayout(disposition);
    for (QCheckBox* box : {save_, view_, add_})
        boxes->addWidget(box);
    layout->addWidget(disposition);

    auto* help = new QPushButton("Help", this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(help);
    buttons->addStretch();
    buttons->addWidget(cancel_);
    buttons->addWidget(ok_);
    layout->addLayout(buttons);
    // Enter cancels: nothing is fetched by accident.
    for (QPushButton* button : {help, browse_, ok_})
        button->setAutoDefault(false);
    cancel_->setDefault(true);

    year_->setText(QString::number(currentYear_));
    number_->setText(QString::number(ProposedBulletinNumber(list_, currentYear_)));
    ok_->setEnabled(false);

    connect(year_, &QLineEdit::textChanged, this, &DownloadSingleDlg::UpdateOk);
    connect(number_, &QLineEdit::textChanged, this, &DownloadSingleDlg::UpdateOk);
    for (QCheckBox* box : {save_, view_, add_})
        connect(box, &QCheckBox::clicked, this, &DownloadSingleDlg::UpdateOk);
    connect(browse_, &QPushButton::clicked, this, &DownloadSingleDlg::OnBrowse);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [] { Prompt().ShowHelp(HelpKeyword); });
}

int DownloadSingleDlg::Year() const
{
    return year_->text().toInt();
}

int DownloadSingleDlg::Number() const
{
    return number_->text().toInt();
}

BulletinDispositions DownloadSingleDlg::Dispositions() const
{
    BulletinDispositions dispositions;
    dispositions.save = save_->isChecked();
    dispositions.view = view_->isChecked();
    dispositions.add = add_->isChecked();
    return dispositions;
}

void DownloadSingleDlg::UpdateOk()
{
    const int year = Year();
    const bool anyDisposition = save_->isChecked() || view_->isChecked() || add_->isChecked();
    ok_->setEnabled(year >= 1995 && year <= currentYear_ && Number() >= 1 && anyDisposition);
}

void DownloadSingleDlg::OnBrowse()
{
    SelectBulletinDlg select(list_, this);
    if (select.exec() != QDialog::Accepted)
        return;
    const std::optional<BulletinId> chosen = ParseBulletinItem(select.Text().toStdString());
    if (!chosen)
        return;
    year_->setText(QString::number(chosen->year));
    number_->setText(QString::number(chosen->number));
}

void DownloadSingleDlg::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        Prompt().ShowHelp(HelpKeyword);
        return;
    }
    QDialog::keyReleaseEvent(event);
}
