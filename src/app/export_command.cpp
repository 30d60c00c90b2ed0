#include "app/export_command.h"

#include <iostream>

#include "app/command_setup.h"
#include "config/plot_settings.h"
#include "data/averages.h"
#include "data/csv_export.h"

namespace {

int RunExport(const CommandCall& call)
{
    const std::vector<std::string>& args = call.Arguments();
    const std::optional<std::string> output = call.Value("output");
    if (!output || output->empty())
        return call.UsageError("Missing -o FILE.csv.");
    if (const std::optional<int> failed = LoadCommandData(args.empty() ? std::string() : args[0]))
        return *failed;
    const PlotSettings& s = Settings();
    int computed = 0;
    ComputeAverages(s.AvgInt, s.LagDays, computed);
    std::string error;
    if (!WriteCsvFile(*output, s.AvgInt, s.LagDays, &error)) {
        std::cerr << "skylog export: cannot write " << *output << ": " << error << '\n';
        return ExitFailure;
    }
    return ExitSuccess;
}

}  // namespace

Command ExportCommand()
{
    return {"export", "[DATAFILE]", "Writes the days of a data file as CSV.",
            "Writes every day of the data file (the configured stagger plot applies) as CSV:\n"
            "a header row \"date,sunspots,flux,avg_sunspots,avg_flux,avg_partial\", then one\n"
            "row per day with its ISO date, values, running averages over AvgInt days and 1\n"
            "when the average is partial. Numbers use \".\" whatever the locale. The data file\n"
            "is never changed.",
            {QCommandLineOption({"o", "output"}, "The CSV file to write.", "FILE.csv")},
            0, 1, RunExport};
}
