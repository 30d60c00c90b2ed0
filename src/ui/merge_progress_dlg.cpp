#include "ui/merge_progress_dlg.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

MergeProgressDlg::MergeProgressDlg(const QString& text, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), text_(new QLabel(text, this)),
      bar_(new QProgressBar(this))
{
    setModal(false);
    // Without a title bar the window needs an edge of its own.
    setStyleSheet("MergeProgressDlg { border: 1px solid palette(dark); }");
    text_->setWordWrap(true);
    bar_->setRange(0, 100);
    bar_->setValue(0);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(bar_);
    setFixedWidth(360);
}

void MergeProgressDlg::SetPosition(int percent)
{
    bar_->setValue(percent);
}

QString MergeProgressDlg::Text() const
{
    return text_->text();
}

int MergeProgressDlg::Position() const
{
    return bar_->value();
}
