#include "ui/export_plot_dlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "data/prompt.h"
#include "plot/plot_export.h"
#include "ui/dialog_helpers.h"

ExportPlotDlg::ExportPlotDlg(const QString& path, QSize size, QWidget* parent)
    : QDialog(parent), path_(new QLineEdit(path, this)),
      width_(new QLineEdit(QString::number(size.width()), this)),
      height_(new QLineEdit(QString::number(size.height()), this))
{
    setWindowTitle("Export Plot");
    auto* browse = new QPushButton("&Browse...", this);
    browse->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, &ExportPlotDlg::Browse);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(path_, 1);
    fileRow->addWidget(browse);
    path_->setMinimumWidth(320);
    auto* form = new QFormLayout;
    form->addRow("&File (.png, .svg or .pdf):", fileRow);
    form->addRow("&Width in pixels:", width_);
    form->addRow("&Height in pixels:", height_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(AddOkCancel(this));
}

QString ExportPlotDlg::Path() const
{
    return path_->text().trimmed();
}

QSize ExportPlotDlg::PlotSize() const
{
    return {width_->text().trimmed().toInt(), height_->text().trimmed().toInt()};
}

void ExportPlotDlg::Browse()
{
    if (const auto chosen = Prompt().ChooseSaveFile(Path().toStdString(), PlotFileFilter))
        path_->setText(QString::fromStdString(*chosen));
}

void ExportPlotDlg::accept()
{
    int width = 0, height = 0;
    if (!PlotFormatOf(Path().toStdString())) {
        Prompt().MessageBox("The file name must end in .png, .svg or .pdf", "EXPORT PLOT",
                            PromptIcon::Exclamation, PromptButtons::Ok);
        path_->setFocus();
        return;
    }
    if (ReadWholeNumber(width_, 100, 20000, &width) && ReadWholeNumber(height_, 100, 20000, &height))
        QDialog::accept();
}
