#include "ui/export_commands.h"

#include <filesystem>

#include "config/plot_settings.h"
#include "data/averages.h"
#include "data/csv_export.h"
#include "data/data_file.h"
#include "data/prompt.h"
#include "plot/plot_export.h"
#include "plot/plot_renderer.h"
#include "plot/plot_state.h"
#include "ui/export_plot_dlg.h"
#include "ui/view.h"

namespace {

// A file beside the data file (or in the working folder without one).
std::string BesideDataFile(const std::string& name)
{
    if (DataFile().path.empty())
        return name;
    return (std::filesystem::path(DataFile().path).parent_path() / name).string();
}

// An export must never overwrite the data file itself.
bool IsTheDataFile(const std::string& path)
{
    std::error_code error;
    if (DataFile().path.empty() || !std::filesystem::exists(path, error))
        return false;
    if (std::filesystem::equivalent(path, DataFile().path, error) && !error) {
        Prompt().MessageBox("The data file cannot be overwritten by an export.\nChoose another file name.",
                            "EXPORT ERROR", PromptIcon::Stop, PromptButtons::Ok);
        return true;
    }
    return false;
}

void ReportWriteError(const std::string& path, const std::string& error)
{
    Prompt().MessageBox("Could Not Write " + path + "\n" + error, "EXPORT ERROR", PromptIcon::Stop,
                        PromptButtons::Ok);
}

}  // namespace

void ExportPlotCommand(View* view)
{
    ExportPlotDlg dialog(QString::fromStdString(BesideDataFile("skylog-plot.png")), view->size(), view);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const std::string path = dialog.Path().toStdString();
    if (IsTheDataFile(path))
        return;
    WaitCursor wait;
    std::string error;
    if (!ExportPlot(path, dialog.PlotSize(), 1.0, view->font(), CreatePlotPens(Settings()), &error))
        ReportWriteError(path, error);
}

void ExportDataCommand(View*)
{
    const std::string start =
        DataFile().path.empty()
            ? std::string("skylog-days.csv")
            : std::filesystem::path(DataFile().path).replace_extension(".csv").string();
    const std::optional<std::string> path = Prompt().ChooseSaveFile(start, "CSV Files (*.csv);;All Files (*)");
    if (!path || IsTheDataFile(*path))
        return;
    const PlotSettings& s = Settings();
    WaitCursor wait;
    // The averages of the current settings, also when no curve shows them.
    if (!Plot().AveragesComputed)
        ComputeAverages(s.AvgInt, s.LagDays, Plot().AveragesComputed);
    std::string error;
    if (!WriteCsvFile(*path, s.AvgInt, s.LagDays, &error))
        ReportWriteError(*path, error);
}
