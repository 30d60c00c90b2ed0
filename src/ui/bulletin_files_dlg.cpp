#include "ui/bulletin_files_dlg.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "data/prompt.h"
#include "internet/bulletin_dispositions.h"
#include "internet/checked_file_list.h"
#include "internet/private_files.h"
#include "ui/single_download.h"
#include "ui/text_viewer.h"

namespace {

constexpr const char* HelpKeyword = "Bulletin Files Manager";
constexpr int StateRole = Qt::UserRole;

QLabel* Text(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

QHBoxLayout* IconLine(FileState state, const QString& text, QWidget* parent)
{
    auto* line = new QHBoxLayout;
    auto* icon = new QLabel(parent);
    icon->setPixmap(FileStateIcon(state).pixmap(16, 16));
    line->addWidget(icon);
    line->addWidget(new QLabel(text, parent), 1);
    return line;
}

}  // namespace

BulletinFilesDlg::BulletinFilesDlg(CheckedFileList& list, std::string fnamesPath, QWidget* parent)
    : QDialog(parent), checked_(list), fnamesPath_(std::move(fnamesPath)),
      list_(new QTreeWidget(this)), menu_(new QMenu("FTP Files Context Menu", this))
{
    setWindowTitle("Available Bulletin Files");
    setWindowModality(Qt::WindowModal);  // the manual its Help opens stays usable

    list_->setColumnCount(2);
    list_->setHeaderLabels({" ", "File Name"});
    list_->headerItem()->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
    list_->header()->setSectionsClickable(false);
    list_->header()->setStretchLastSection(false);
    list_->header()->setMinimumSectionSize(16);
    list_->setRootIsDecorated(false);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setIconSize(QSize(16, 16));
    list_->setTextElideMode(Qt::ElideRight);
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    list_->setMinimumSize(300, 260);
    for (const std::string& name : checked_.Names()) {
        auto* row = new QTreeWidgetItem(list_, {QString(), QString::fromStdString(name)});
        SetRowState(row, FileState::Keep);
    }

    auto* checkAll = new QPushButton("Check All Files", this);
    auto* uncheckAll = new QPushButton("Uncheck All Files", this);
    auto* help = new QPushButton("Help", this);
    auto* cancel = new QPushButton("Cancel", this);
    auto* ok = new QPushButton("OK", this);
    for (QPushButton* button : {checkAll, uncheckAll, help, ok})
        button->setAutoDefault(false);
    cancel->setDefault(true);  // Enter changes nothing

    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    left->addWidget(list_, 1);
    auto* allRow = new QHBoxLayout;
    allRow->addWidget(checkAll);
    allRow->addWidget(uncheckAll);
    left->addLayout(allRow);
    layout->addLayout(left, 1);

    auto* right = new QVBoxLayout;
    right->addWidget(Text("The file FNAMES.DAT is used to keep a listing of the files on the ARRL "
                          "FTP server that have been checked and included in the database "
                          "GRAPH.DAT.",
                          this));
    right->addWidget(Text("If you need to force a file, or group of files, to be checked again you "
                          "can remove their names from the list by using this dialog.",
                          this));
    right->addLayout(IconLine(FileState::Keep, "Means Leave The File In The List", this));
    right->addLayout(IconLine(FileState::Remove, "Means Delete The File From The List", this));
    right->addWidget(Text("Double-click a file to change its state, or use the buttons below to "
                          "change all of them.",
                          this));
    auto* warning = new QGroupBox("WARNING!", this);
    auto* warningText = new QVBoxLayout(warning);
    warningText->addWidget(Text("When you click [OK] the files that you have selected to be "
                                "removed from the list WILL be removed.",
                                warning));
    warningText->addWidget(Text("When you connect to the FTP server again, the list will be "
                                "rebuilt to include any newly found files.",
                                warning));
    right->addWidget(warning);
    right->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(help);
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(ok);
    right->addLayout(buttons);
    auto* rightBox = new QWidget(this);
    rightBox->setLayout(right);
    rightBox->setFixedWidth(330);
    layout->addWidget(rightBox);

    menu_->addAction("&Change State", this, &BulletinFilesDlg::ChangeState);
    menu_->addAction("Download and Save", this, &BulletinFilesDlg::DownloadAndSave);
    menu_->addAction("Download and View", this, &BulletinFilesDlg::DownloadAndView);

    connect(checkAll, &QPushButton::clicked, this, &BulletinFilesDlg::CheckAll);
    connect(uncheckAll, &QPushButton::clicked, this, &BulletinFilesDlg::UncheckAll);
    connect(help, &QPushButton::clicked, this, [] { Prompt().ShowHelp(HelpKeyword); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ok, &QPushButton::clicked, this, &BulletinFilesDlg::accept);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { ChangeState(); });
    connect(list_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        menu_->exec(list_->viewport()->mapToGlobal(at));
    });
    resize(720, 380);
}

FileState BulletinFilesDlg::RowState(int row) const
{
    return static_cast<FileState>(list_->topLevelItem(row)->data(0, StateRole).toInt());
}

void BulletinFilesDlg::SetRowState(QTreeWidgetItem* row, FileState state)
{
    row->setData(0, StateRole, static_cast<int>(state));
    row->setIcon(0, FileStateIcon(state));
}

void BulletinFilesDlg::SetAllStates(FileState state)
{
    for (int i = 0; i < list_->topLevelItemCount(); ++i)
        SetRowState(list_->topLevelItem(i), state);
}

QTreeWidgetItem* BulletinFilesDlg::FirstSelectedRow() const
{
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        if (list_->topLevelItem(i)->isSelected())
            return list_->topLevelItem(i);
    }
    return nullptr;
}

std::string BulletinFilesDlg::FirstSelectedName() const
{
    const QTreeWidgetItem* row = FirstSelectedRow();
    return row ? row->text(1).toStdString() : std::string();
}

void BulletinFilesDlg::ChangeState()
{
    QTreeWidgetItem* row = FirstSelectedRow();
    if (!row)
        return;
    const auto state = static_cast<FileState>(row->data(0, StateRole).toInt());
    SetRowState(row, state == FileState::Remove ? FileState::Keep : FileState::Remove);
}

void BulletinFilesDlg::DownloadAndSave()
{
    const std::string name = FirstSelectedName();
    const std::unique_ptr<PrivateTempFile> fetched = FetchWithDialog(name, this);
    if (fetched)
        SaveFetchedBulletin(name, *fetched);  // a cancelled choice removes it with fetched
}

void BulletinFilesDlg::DownloadAndView()
{
    const std::string name = FirstSelectedName();
    const std::unique_ptr<PrivateTempFile> fetched = FetchWithDialog(name, this);
    if (fetched)
        ViewFetchedBulletin(name, fetched->Path(), InstalledTextViewer());
}

void BulletinFilesDlg::accept()
{
    std::vector<std::string> kept;
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        if (RowState(i) == FileState::Keep)
            kept.push_back(list_->topLevelItem(i)->text(1).toStdString());
    }
    checked_.Replace(std::move(kept));
    if (!checked_.Save(fnamesPath_)) {
        // The list in memory is rebuilt; the window saves it again when it closes.
        Prompt().MessageBox("The list of checked files could not be written to\n" + fnamesPath_,
                            "FNAMES.DAT NOT SAVED", PromptIcon::Exclamation, PromptButtons::Ok);
    }
    QDialog::accept();
}

void BulletinFilesDlg::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        Prompt().ShowHelp(HelpKeyword);
        return;
    }
    QDialog::keyReleaseEvent(event);
}

void BulletinFilesDlg::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    list_->setColumnWidth(0, 20);
    list_->setColumnWidth(1, std::max(40, list_->width() - 20 - 25));
}
