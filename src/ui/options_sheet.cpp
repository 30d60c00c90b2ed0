#include "ui/options_sheet.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

#include "data/prompt.h"
#include "ui/options_colors.h"
#include "ui/options_pages.h"
#include "ui/options_plots.h"

int& OptionsStartPage()
{
    static int page = 0;
    return page;
}

Options::Options(const PlotSettings& settings, QWidget* parent)
    : QDialog(parent), edited_(settings), tabs_(new QTabWidget(this))
{
    setWindowTitle("Program Configuration");
    pages_ = {new Opt1(this), new Opt2(this), new Opt3(this), new Opt4(this),
              new Opt5(this), new Opt6(this), new Opt7(this)};
    for (OptionsPage* page : pages_) {
        page->Load(edited_);
        tabs_->addTab(page, page->Caption());
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    help_ = buttons->addButton("Help", QDialogButtonBox::HelpRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &Options::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(help_, &QPushButton::clicked, this, &Options::Help);
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, &Options::Help);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);

    const int start = OptionsStartPage();
    shownPage_ = start >= 0 && start < tabs_->count() ? start : 0;
    tabs_->setCurrentIndex(shownPage_);
    OptionsStartPage() = shownPage_;
    connect(tabs_, &QTabWidget::currentChanged, this, &Options::PageChanged);
}

void Options::PageChanged(int index)
{
    if (index == shownPage_)
        return;
    // A page is left only with acceptable values.
    if (!pages_[static_cast<std::size_t>(shownPage_)]->Store(edited_)) {
        const QSignalBlocker blocker(tabs_);
        tabs_->setCurrentIndex(shownPage_);
        return;
    }
    shownPage_ = index;
    OptionsStartPage() = index;
}

void Options::Help()
{
    Prompt().ShowHelp(pages_[static_cast<std::size_t>(tabs_->currentIndex())]->HelpKeyword().toStdString());
}

void Options::accept()
{
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        if (!pages_[i]->Store(edited_)) {
            const QSignalBlocker blocker(tabs_);
            tabs_->setCurrentIndex(static_cast<int>(i));
            shownPage_ = static_cast<int>(i);
            OptionsStartPage() = shownPage_;
            return;
        }
    }
    QDialog::accept();
}
