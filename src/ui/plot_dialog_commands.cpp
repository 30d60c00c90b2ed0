#include "ui/plot_dialog_commands.h"

#include "data/data_file.h"
#include "data/stagger_date.h"
#include "data/prompt.h"
#include "ui/color_legend_dlg.h"
#include "ui/record_high_low_dlg.h"
#include "ui/stagger_dlg.h"
#include "ui/view.h"

void StaggerPlotCommand(View* view)
{
    StaggerRequest& stagger = Stagger();
    StaggerDlg dialog(stagger.interval, QString::fromStdString(stagger.day), stagger.enabled != 0, view);
    if (dialog.exec() != QDialog::Accepted)
        return;
    stagger.enabled = dialog.Enabled() ? 1 : 0;
    if (stagger.enabled) {
        stagger.interval = dialog.Interval();
        if (const std::optional<std::string> day = NormalizeStaggerDate(dialog.DateText().toStdString())) {
            stagger.day = *day;
        } else {
            Prompt().MessageBox(StaggerDateMessage, "Invalid Date", PromptIcon::Stop, PromptButtons::Ok);
            stagger.enabled = 0;
        }
    }
    // Read again, with or without the stagger selection.
    view->ReloadDataFile();
}

void RecordsCommand(QWidget* parent)
{
    RecordHighLowDlg dialog(parent);
    dialog.exec();
}

void ColorLegendCommand(QWidget* parent)
{
    ColorLegendDlg dialog(parent);
    dialog.exec();
}
