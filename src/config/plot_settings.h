// The program's preferences: the in-memory copy and its configuration file.
#pragma once

#include <cstdint>
#include <string>

inline constexpr const char* SettingsSection = "SOLAR_DATA";
inline constexpr const char* SettingsSignature = "ORB Version 2.01 Configuration File";
inline constexpr const char* DefaultFtpSite = "ftp.arrl.org";

// Colours are 0x00BBGGRR (red in the low byte).
enum ColorIndex { Background, Grid, AvFlux, AvSpots, Spots, Flux, ColorCount };

struct PlotSettings {
    int ShowNote1 = 0;
    int PosdataON = 1;
    int AutosaveCfg = 0;
    int SaveOpenFile = 0;
    int SavePos = 0;
    int DOverallSpotsON = 1;
    int DOverallFluxON = 1;
    int DOverallAvspotsON = 0;
    int DOverallAvfluxON = 0;
    int DCloseupSpotsON = 1;
    int DCloseupFluxON = 1;
    int DCloseupAvspotsON = 0;
    int DCloseupAvfluxON = 0;
    int GridON = 1;
    int CumavgON = 1;
    int RMHiSpots = 0;
    int RMLoSpots = 0;
    int RMHiFlux = 0;
    int RMLoFlux = 0;
    int DFillOverallFlux = 0;
    int DFillOverallAvFlux = 0;
    int DFillOverallSpots = 0;
    int DFillOverallAvSpots = 0;
    int DFillCloseupFlux = 0;
    int DFillCloseupSpots = 0;
    int DFillCloseupAvFlux = 0;
    int DFillCloseupAvSpots = 0;
    int POverallSpotsON = 1;
    int POverallFluxON = 1;
    int POverallAvspotsON = 0;
    int POverallAvfluxON = 0;
    int PCloseupSpotsON = 1;
    int PCloseupFluxON = 1;
    int PCloseupAvspotsON = 0;
    int PCloseupAvfluxON = 0;
    int PFillOverallFlux = 0;
    int PFillOverallAvFlux = 0;
    int PFillOverallSpots = 0;
    int PFillOverallAvSpots = 0;
    int PFillCloseupFlux = 0;
    int PFillCloseupSpots = 0;
    int PFillCloseupAvFlux = 0;
    int PFillCloseupAvSpots = 0;
    int ColorPrints = 1;
    int CloseDays = 252;
    // The closeup length the user chose while CloseDays is lowered to a short
    // file's day count; 0 when CloseDays is the user's own value. Saved in
    // CloseDays' place, and restored when a longer file is opened.
    int CloseDaysChosen = 0;
    int CloseScrn = 50;
    int LagDays = 13;
    int AvgInt = 28;
    int RBOverall = 1;
    int RBCloseup = 0;
    int PanDays = 252;
    int PosTop = 0;
    int PosLeft = 0;
    int PosRight = 640;
    int PosBottom = 480;
    // Year, date and value labels on the plots and a grid that never turns
    // into a hatch; 0 paints the bare plot.
    int AxisLabels = 1;
    // The key Spots colours the flux curve and Flux the sunspot curve, as
    // existing configuration files expect.
    std::uint32_t Colors[ColorCount] = {8421504u, 12632256u, 16777088u, 65280u, 16776960u, 255u};
    std::string Phrase1 = "SEATTLE, WA";
    std::string Phrase2 = "SUNSPOT NUMBERS FOR";
    std::string PFBPath;
    std::string PFBType = ".TXT";
    std::string FTPSite = DefaultFtpSite;
    std::string FTPDir = "pub/bulletins";
    std::string FTPKeepDir;
    int FTPKeepFiles = 0;
    // 1: a bulletin the exact parse cannot read is read leniently.
    int LenientParse = 1;
    std::string Version;
};

// The program-wide settings.
PlotSettings& Settings();

// True when the configuration file had no Version entry at the last LoadSettings.
bool FirstRun();

// Reads every key of the configuration file into Settings(), the data-file
// path and the stagger request. Never writes: on a first run the window
// saves the settings itself, commands that only read leave the file alone.
void LoadSettings();

// Writes the always-saved keys, and all the others when AutosaveCfg is on.
void SaveSettings();
