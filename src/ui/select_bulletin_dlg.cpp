#include "ui/select_bulletin_dlg.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "data/prompt.h"
#include "internet/checked_file_list.h"
#include "internet/single_bulletin.h"
#include "ui/notice_box.h"

namespace {
constexpr const char* HelpKeyword = "Select Single File To Download";
}

const char* const RefreshNoticeText =
    "Downloading all file names from the FTP server might take several minutes, especially if "
    "you are using a slow internet connection.  If you want to continue, click the [CONTINUE] "
    "button.  If you want to change your mind, click [CANCEL].";

SelectBulletinDlg::SelectBulletinDlg(const CheckedFileList& list, QWidget* parent)
    : QDialog(parent), tree_(new QTreeWidget(this)), expand_(new QPushButton("Expand All", this)),
      collapse_(new QPushButton("Collapse All", this)),
      refresh_(new QPushButton("Refresh From Net", this))
{
    setWindowTitle("Select Bulletin File");
    setWindowModality(Qt::WindowModal);  // the manual its Help opens stays usable
    tree_->setHeaderHidden(true);
    tree_->setRootIsDecorated(true);
    tree_->setMinimumSize(260, 280);
    {
        WaitCursor wait;
        for (const BulletinYearNode& node : KnownBulletinTree(list)) {
            auto* year = new QTreeWidgetItem(tree_, {QString::fromStdString(node.text)});
            for (const std::string& item : node.items)
                new QTreeWidgetItem(year, {QString::fromStdString(item)});
            PumpMessages();
        }
    }

    auto* ok = new QPushButton("OK", this);
    auto* cancel = new QPushButton("Cancel", this);
    auto* help = new QPushButton("Help", this);
    ok->setDefault(true);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(tree_, 1);
    auto* column = new QVBoxLayout;
    for (QPushButton* button : {ok, cancel, help, expand_, collapse_, refresh_})
        column->addWidget(button);
    column->insertSpacing(3, 16);
    column->addStretch();
    layout->addLayout(column);

    connect(ok, &QPushButton::clicked, this, &SelectBulletinDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [] { Prompt().ShowHelp(HelpKeyword); });
    connect(expand_, &QPushButton::clicked, this, [this] { SetAllExpanded(true); });
    connect(collapse_, &QPushButton::clicked, this, [this] { SetAllExpanded(false); });
    connect(refresh_, &QPushButton::clicked, this, &SelectBulletinDlg::OnRefresh);
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (item->parent())
            accept();
    });
}

void SelectBulletinDlg::SetAllExpanded(bool expanded)
{
    WaitCursor wait;
    for (int i = 0; i < tree_->topLevelItemCount(); ++i) {
        tree_->topLevelItem(i)->setExpanded(expanded);
        PumpMessages();
    }
    if (QTreeWidgetItem* current = tree_->currentItem())
        tree_->scrollToItem(current);
}

void SelectBulletinDlg::OnRefresh()
{
    // The tree comes from the checked-file list only; the notice is all this does.
    ShowNoticeUnlessHidden(this, "ShowNote3", RefreshNoticeText, {"Continue", "Cancel"});
}

void SelectBulletinDlg::accept()
{
    const QList<QTreeWidgetItem*> selected = tree_->selectedItems();
    text_ = selected.isEmpty() ? QString() : selected.first()->text(0);
    if (text_.size() < 12)
        text_.clear();  // a year node names no bulletin
    QDialog::accept();
}

void SelectBulletinDlg::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        Prompt().ShowHelp(HelpKeyword);
        return;
    }
    QDialog::keyReleaseEvent(event);
}
