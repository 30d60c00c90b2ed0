#include "app/info_command.h"

#include <cstdio>
#include <iostream>

#include "config/ini_file.h"
#include "config/plot_settings.h"
#include "config/program_folder.h"
#include "data/averages.h"
#include "data/data_file.h"
#include "data/number_text.h"
#include "data/record_array.h"

namespace {

std::string AverageText(int average)
{
    char text[32];
    std::snprintf(text, sizeof text, "%6d%c", average < 0 ? -average : average,
                  average < 0 ? '*' : ' ');
    return text;
}

void PrintExtreme(const char* label, int index, bool flux)
{
    const SolarRecord& r = Records().At(index);
    const std::string value = flux ? FormatFixed(r.m_flux, 5, 1) : std::to_string(r.m_sunspots);
    std::cout << label << value << " on " << r.GetDate() << '\n';
}

int RunInfo(const CommandCall& call)
{
    const std::vector<std::string>& args = call.Arguments();
    DataFile().path = args.empty() ? ProgramFile("GRAPH.DAT") : args[0];
    const std::string path = DataFile().path;
    Stagger().enabled = 0;
    Records().SetDataChanged(0);

    switch (ReadDataFile()) {
    case ReadOutcome::Read:
        break;
    case ReadOutcome::Refused:
        return ExitNotDataFile;
    default:
        return ExitFailure;
    }

    const std::string ini = IniFilePath();
    const int avgInt = IniReadInt(ini, SettingsSection, "AvgInt", 28);
    const int lagDays = IniReadInt(ini, SettingsSection, "LagDays", 13);
    int averagesComputed = 0;
    ComputeAverages(avgInt, lagDays, averagesComputed);
    RecordStats() = RecordExtremes();
    FindRecordHighsLows();

    const RecordArray& records = Records();
    const int count = records.RecordCount();
    std::cout << "File:      " << path << '\n'
              << "Version:   " << (DataFile().version3 ? 3 : 2) << '\n'
              << "Records:   " << count << '\n';
    if (SkippedDataLines() > 0)
        std::cout << "Skipped:   " << SkippedDataLines()
                  << " malformed data lines (not kept when the file is saved)\n";
    if (count == 0)
        return 0;
    std::cout << "First day: " << records.At(0).GetDate() << '\n'
              << "Last day:  " << records.At(count - 1).GetDate() << '\n';
    const RecordExtremes& stats = RecordStats();
    PrintExtreme("Highest sunspot number: ", stats.HighSpotsIndex, false);
    PrintExtreme("Lowest sunspot number:  ", stats.LowSpotsIndex, false);
    PrintExtreme("Highest solar flux:     ", stats.HighFluxIndex, true);
    PrintExtreme("Lowest solar flux:      ", stats.LowFluxIndex, true);

    std::cout << "\nLast days, averages over " << avgInt << " days from " << lagDays
              << " days before (* partial average):\n"
              << "Date        Spots   Flux  AvSpots AvFlux\n";
    for (int i = count < 7 ? 0 : count - 7; i < count; ++i) {
        const SolarRecord& r = records.At(i);
        char spots[16];
        std::snprintf(spots, sizeof spots, "%5d", r.m_sunspots);
        std::cout << r.GetDate() << "  " << spots << "  " << FormatFixed(r.m_flux, 5, 1) << "  "
                  << AverageText(r.m_avgSunspots) << AverageText(r.m_avgFlux) << '\n';
    }
    return 0;
}

}  // namespace

Command InfoCommand()
{
    return {"info", "[DATAFILE]", "Summarises a data file.",
            "Reads the data file (GRAPH.DAT in the program folder unless DATAFILE is given)\n"
            "without asking anything and prints its path, version, number of days, first and\n"
            "last day, the record highs and lows and the last seven days with their running\n"
            "averages (* marks a partial average). A file that is not a data file is refused\n"
            "with exit status 2; other errors exit with status 1.",
            {}, 0, 1, RunInfo};
}
