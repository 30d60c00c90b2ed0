#include "config/plot_settings.h"

#include <array>
#include <cstdio>
#include <string_view>

#include "config/ini_file.h"
#include "config/program_folder.h"
#include "data/data_file.h"
#include "data/number_text.h"

namespace {

// The configuration as last loaded. One instance, filled by LoadSettings and
// written by SaveSettings; main thread only.
struct LoadedConfiguration {
    PlotSettings settings;
    bool firstRun = false;
};

LoadedConfiguration& Configuration()
{
    static LoadedConfiguration configuration;
    return configuration;
}

struct IntKey {
    const char* name;
    int PlotSettings::*field;
};

#define SKYLOG_KEY(name) IntKey{#name, &PlotSettings::name}

// The integer keys of PlotSettings, in the order they are read.
constexpr std::array IntKeys = {
    SKYLOG_KEY(ShowNote1), SKYLOG_KEY(PosdataON), SKYLOG_KEY(AutosaveCfg),
    SKYLOG_KEY(SaveOpenFile), SKYLOG_KEY(SavePos),
    SKYLOG_KEY(DOverallSpotsON), SKYLOG_KEY(DOverallFluxON), SKYLOG_KEY(DOverallAvspotsON),
    SKYLOG_KEY(DOverallAvfluxON), SKYLOG_KEY(DCloseupSpotsON), SKYLOG_KEY(DCloseupFluxON),
    SKYLOG_KEY(DCloseupAvspotsON), SKYLOG_KEY(DCloseupAvfluxON), SKYLOG_KEY(GridON),
    SKYLOG_KEY(CumavgON), SKYLOG_KEY(RMHiSpots), SKYLOG_KEY(RMLoSpots), SKYLOG_KEY(RMHiFlux),
    SKYLOG_KEY(RMLoFlux), SKYLOG_KEY(DFillOverallFlux), SKYLOG_KEY(DFillOverallAvFlux),
    SKYLOG_KEY(DFillOverallSpots), SKYLOG_KEY(DFillOverallAvSpots), SKYLOG_KEY(DFillCloseupFlux),
    SKYLOG_KEY(DFillCloseupSpots), SKYLOG_KEY(DFillCloseupAvFlux),
    SKYLOG_KEY(DFillCloseupAvSpots), SKYLOG_KEY(POverallSpotsON), SKYLOG_KEY(POverallFluxON),
    SKYLOG_KEY(POverallAvspotsON), SKYLOG_KEY(POverallAvfluxON), SKYLOG_KEY(PCloseupSpotsON),
    SKYLOG_KEY(PCloseupFluxON), SKYLOG_KEY(PCloseupAvspotsON), SKYLOG_KEY(PCloseupAvfluxON),
    SKYLOG_KEY(PFillOverallFlux), SKYLOG_KEY(PFillOverallAvFlux), SKYLOG_KEY(PFillOverallSpots),
    SKYLOG_KEY(PFillOverallAvSpots), SKYLOG_KEY(PFillCloseupFlux), SKYLOG_KEY(PFillCloseupSpots),
    SKYLOG_KEY(PFillCloseupAvFlux), SKYLOG_KEY(PFillCloseupAvSpots), SKYLOG_KEY(ColorPrints),
    SKYLOG_KEY(CloseDays), SKYLOG_KEY(CloseScrn), SKYLOG_KEY(LagDays), SKYLOG_KEY(AvgInt),
    SKYLOG_KEY(RBOverall), SKYLOG_KEY(RBCloseup), SKYLOG_KEY(PanDays), SKYLOG_KEY(PosTop),
    SKYLOG_KEY(PosLeft), SKYLOG_KEY(PosRight), SKYLOG_KEY(PosBottom), SKYLOG_KEY(AxisLabels),
    SKYLOG_KEY(LenientParse),
};

// The integer keys written when AutosaveCfg is on (StaggerPlot after SavePos),
// in the order they are written.
constexpr std::array<std::string_view, 52> AutosavedIntKeys = {
    "PosdataON", "AutosaveCfg", "SaveOpenFile", "SavePos", "StaggerPlot", "DOverallSpotsON",
    "DOverallFluxON", "DOverallAvfluxON", "DOverallAvspotsON", "DCloseupSpotsON",
    "DCloseupFluxON", "DCloseupAvfluxON", "DCloseupAvspotsON", "GridON", "CumavgON", "RMHiSpots",
    "RMLoSpots", "RMHiFlux", "RMLoFlux", "DFillOverallFlux", "DFillOverallAvFlux",
    "DFillOverallSpots", "DFillOverallAvSpots", "DFillCloseupFlux", "DFillCloseupAvFlux",
    "DFillCloseupSpots", "DFillCloseupAvSpots", "POverallSpotsON", "POverallFluxON",
    "POverallAvfluxON", "POverallAvspotsON", "PCloseupSpotsON", "PCloseupFluxON",
    "PCloseupAvfluxON", "PCloseupAvspotsON", "PFillOverallFlux", "PFillOverallAvFlux",
    "PFillOverallSpots", "PFillOverallAvSpots", "PFillCloseupFlux", "PFillCloseupAvFlux",
    "PFillCloseupSpots", "PFillCloseupAvSpots", "ColorPrints", "RBOverall", "RBCloseup",
    "CloseDays", "CloseScrn", "LagDays", "AvgInt", "PanDays", "LenientParse",
};

constexpr const char* ColorKeys[ColorCount] = {"Background", "Grid", "AvFlux",
                                               "AvSpots",    "Spots", "Flux"};

// A data-file path is kept whole: a path cut short would name another file.
constexpr std::size_t PathLength = 4096;

std::string Decimal(long long value)
{
    return std::to_string(value);
}

int IntSetting(std::string_view key)
{
    const PlotSettings& settings = Settings();
    if (key == "StaggerPlot")
        return Stagger().enabled;
    if (key == "CloseDays" && settings.CloseDaysChosen > 0)
        return settings.CloseDaysChosen;
    for (const IntKey& entry : IntKeys)
        if (key == entry.name)
            return settings.*entry.field;
    return 0;
}

}  // namespace

PlotSettings& Settings()
{
    return Configuration().settings;
}

bool FirstRun()
{
    return Configuration().firstRun;
}

void LoadSettings()
{
    const IniFile ini(IniFilePath());
    const char* section = SettingsSection;
    PlotSettings& settings = Settings();
    const PlotSettings defaults;

    for (const IntKey& entry : IntKeys) {
        settings.*entry.field = ini.ReadInt(section, entry.name, defaults.*entry.field);
        if (std::string_view(entry.name) == "SavePos")
            Stagger().enabled = ini.ReadInt(section, "StaggerPlot", 0);
    }
    settings.CloseDaysChosen = 0;
    Stagger().interval = ini.ReadInt(section, "StaggerPlotDays", 28);

    std::string day = ini.ReadText(section, "StaggerPlotStartDay", "01/01/1989", 10);
    if (day.size() == 8)
        day = day.substr(0, 6) + "19" + day.substr(6, 2);
    Stagger().day = day;

    if (settings.SaveOpenFile)
        DataFile().path = ini.ReadText(section, "FileName", "GRAPH.DAT", PathLength);
    else
        DataFile().path.clear();

    for (int i = 0; i < ColorCount; ++i) {
        const std::string text =
            ini.ReadText(section, ColorKeys[i], Decimal(defaults.Colors[i]), 62);
        settings.Colors[i] = static_cast<std::uint32_t>(ParseLeadingLong(text));
    }

    settings.Phrase1 = ini.ReadText(section, "Phrase1", defaults.Phrase1, 62);
    settings.Phrase2 = ini.ReadText(section, "Phrase2", defaults.Phrase2, 62);
    settings.PFBPath = ini.ReadText(section, "PFBPath", defaults.PFBPath, 254);
    settings.PFBType = ini.ReadText(section, "PFBType", defaults.PFBType, 254);
    settings.FTPSite = ini.ReadText(section, "FTPSite", defaults.FTPSite, 254);
    settings.FTPDir = ini.ReadText(section, "FTPDir", defaults.FTPDir, 254);
    settings.FTPKeepDir = ini.ReadText(section, "FTPKeepDir", defaults.FTPKeepDir, 254);
    settings.FTPKeepFiles = ini.ReadInt(section, "FTPKeepFiles", defaults.FTPKeepFiles);
    settings.Version = ini.ReadText(section, "Version", "", 62);

    Configuration().firstRun = settings.Version.empty();
}

void SaveSettings()
{
    IniFile ini(IniFilePath());
    const char* section = SettingsSection;
    PlotSettings& settings = Settings();

    settings.Version = SettingsSignature;
    ini.Write(section, "Version", settings.Version);
    ini.Write(section, "ShowNote1", Decimal(settings.ShowNote1));
    ini.Write(section, "PFBPath", settings.PFBPath);
    ini.Write(section, "PFBType", settings.PFBType);
    ini.Write(section, "FTPKeepFiles", Decimal(settings.FTPKeepFiles));
    ini.Write(section, "FTPKeepDir", settings.FTPKeepDir);

    if (settings.AutosaveCfg) {
        for (std::string_view key : AutosavedIntKeys)
            ini.Write(section, key, Decimal(IntSetting(key)));
        ini.Write(section, "FileName", DataFile().path);
        ini.Write(section, "StaggerPlotDays", Decimal(Stagger().interval));
        ini.Write(section, "StaggerPlotStartDay", Stagger().day);
        for (int i = 0; i < ColorCount; ++i)
            ini.Write(section, ColorKeys[i], Decimal(settings.Colors[i]));
        ini.Write(section, "Phrase1", settings.Phrase1);
        ini.Write(section, "Phrase2", settings.Phrase2);
        ini.Write(section, "AxisLabels", Decimal(settings.AxisLabels));
    }
    // A configuration that cannot be written is not reported.
    ini.Save();
}
