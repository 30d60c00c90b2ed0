#include "ui/insert_bulletin_dlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/duplicate_dates_dlg.h"
#include "bulletin/bulletin_reading.h"
#include "config/plot_settings.h"
#include "data/prompt.h"

std::string BulletinChooserStart()
{
    return Settings().PFBPath + "*" + Settings().PFBType;
}

InsertBulletinDlg::InsertBulletinDlg(int validate, QWidget* parent)
    : QDialog(parent), select_(new QPushButton("Select", this)), path_(new QLineEdit(this)),
      list_(new QTreeWidget(this)), validate_(new QCheckBox("Validate Data", this)),
      status_(new QLabel("Validating Data .....", this)), progress_(new QProgressBar(this)),
      ok_(new QPushButton("OK", this)), cancel_(new QPushButton("Cancel", this)),
      help_(new QPushButton("Help", this))
{
    setWindowTitle("Insert Propagation Forecast Data Into Data File");
    // Modal to the main window only, so the manual its Help opens can be used.
    setWindowModality(Qt::WindowModal);
    askDuplicatePolicy = [this]() -> std::optional<int> {
        DuplicateDatesDlg dialog(this);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.Choice();
    };

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("STEP 1: Select the file to be inserted into the data", this));
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(select_);
    fileRow->addWidget(path_, 1);
    layout->addLayout(fileRow);
    path_->setReadOnly(true);

    QFont font("Courier New");
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(12);
    font.setWeight(QFont::Normal);
    list_->setFont(font);
    list_->setRootIsDecorated(false);
    list_->setColumnCount(3);
    list_->setHeaderLabels({"Date", "Sun Spots", "Solar Flux"});
    list_->header()->setDefaultAlignment(Qt::AlignCenter);
    list_->header()->setSectionResizeMode(QHeaderView::Stretch);
    list_->setMinimumHeight(200);
    layout->addWidget(list_);

    layout->addWidget(validate_);
    validate_->setChecked(validate != 0);
    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(status_);
    statusRow->addWidget(progress_, 1);
    layout->addLayout(statusRow);
    status_->hide();
    progress_->setRange(0, 100);
    progress_->hide();

    layout->addWidget(new QLabel("STEP 2:", this));
    auto* step2 = new QLabel("Click [OK] to add the data to your existing data or [CANCEL] to exit "
                             "without saving the data.  If [OK] is disabled there is no new data "
                             "to be added.",
                             this);
    step2->setWordWrap(true);
    layout->addWidget(step2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    buttons->addWidget(help_);
    layout->addLayout(buttons);
    ok_->setEnabled(false);
    ok_->setDefault(true);

    connect(select_, &QPushButton::clicked, this, &InsertBulletinDlg::OnSelect);
    connect(ok_, &QPushButton::clicked, this, &InsertBulletinDlg::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(help_, &QPushButton::clicked, this, [] { Prompt().ShowHelp("Insert PFB Into Data"); });
    setMinimumWidth(480);
}

int InsertBulletinDlg::Validate() const
{
    return validate_->isChecked() ? 1 : 0;
}

void InsertBulletinDlg::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        Prompt().ShowHelp("Insert PFB Into Data");
        return;
    }
    QDialog::keyReleaseEvent(event);
}

void InsertBulletinDlg::OnSelect()
{
    const std::optional<std::string> chosen =
        Prompt().ChooseOpenFile(BulletinChooserStart(), BulletinFileFilter);
    if (!chosen)
        return;
    const QFileInfo file(QString::fromStdString(*chosen));
    path_->setText(file.filePath());
    Settings().PFBType = file.suffix().isEmpty() ? "" : "." + file.suffix().toStdString();
    Settings().PFBPath = file.absolutePath().toStdString() + "/";

    status_->setText("Scanning File ....");
    status_->show();
    list_->clear();
    int result;
    {
        WaitCursor wait;
        const BulletinReading reading = ReadBulletin(parser_, *chosen, SettingsReadingOptions(true));
        result = reading.result;
        readLeniently_ = reading.kind == ReadingKind::Lenient;
    }
    if (result < 0) {
        status_->hide();
        Prompt().MessageBox(ParseResultMessage(result, Settings().Phrase2),
                            ParseResultCaption(result), PromptIcon::Exclamation, PromptButtons::Ok);
        return;
    }
    FillList();
    select_->setEnabled(false);
    if (validate_->isChecked()) {
        CheckDuplicates();
        if (path_->text().isEmpty())
            return;  // abandoned in the duplicates dialog
    } else {
        status_->hide();
    }
    if (readLeniently_) {
        status_->setText(LenientNote);
        status_->show();
    }
    progress_->hide();
    if (list_->topLevelItemCount() > 0)
        ok_->setEnabled(true);
    else
        select_->setEnabled(true);
}

void InsertBulletinDlg::FillList()
{
    for (int i = 0; i <= parser_.GetLastIndex(); ++i) {
        const DayColumns day = FormatHeldDay(parser_, i);
        auto* row = new QTreeWidgetItem(list_, {QString::fromStdString(day.date),
                                                QString::fromStdString(day.sunspots),
                                                QString::fromStdString(day.flux)});
        for (int column = 0; column < 3; ++column)
            row->setTextAlignment(column, Qt::AlignCenter);
        row->setData(0, Qt::UserRole, i);  // the day this row shows
    }
}

void InsertBulletinDlg::CheckDuplicates()
{
    cancel_->setEnabled(false);
    progress_->setValue(0);
    progress_->show();
    status_->setText("Validating Data ...");
    int duplicates;
    {
        WaitCursor wait;
        duplicates = parser_.FindDuplicates([this](int percent) {
            progress_->setValue(percent);
            progress_->repaint();
        });
    }
    status_->hide();
    cancel_->setEnabled(true);
    if (duplicates <= 0)
        return;
    const std::optional<int> choice = askDuplicatePolicy();
    if (!choice) {
        path_->clear();
        list_->clear();
        progress_->hide();
        return;
    }
    if (*choice == 0) {
        for (int row = list_->topLevelItemCount() - 1; row >= 0; --row) {
            const int day = list_->topLevelItem(row)->data(0, Qt::UserRole).toInt();
            if (parser_.GetDuplicateFlag(day) != 0)
                delete list_->takeTopLevelItem(row);
        }
        parser_.ApplyDuplicatePolicy(1);
    } else {
        parser_.ApplyDuplicatePolicy(0);
    }
}

void InsertBulletinDlg::accept()
{
    if (!ok_->isEnabled())
        return;  // nothing listed to add
    merged_ = parser_.MergeIntoRecords(1);
    QDialog::accept();
}
