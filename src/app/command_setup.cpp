#include "app/command_setup.h"

#include <cctype>
#include <filesystem>

#include "config/plot_settings.h"
#include "config/program_folder.h"
#include "data/data_file.h"
#include "data/record_array.h"
#include "data/text_file.h"
#include "plot/plot_state.h"

void LoadCommandSettings()
{
    if (FileExists(IniFilePath())) {
        const std::string folderPath = DataFile().path;
        const int stagger = Stagger().enabled;
        LoadSettings();
        DataFile().path = folderPath;
        Stagger().enabled = stagger;
    }
}

ReadOutcome OpenDataFile(const std::string& path)
{
    Records().SetDataChanged(0);
    Stagger().enabled = 0;
    DataFile().path = path;
    // Anything at the path (a FIFO, a dangling link) goes to the reader, which refuses it.
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, error))) {
        Records().FreeRecords();
        DataFile().version3 = true;
        return ReadOutcome::Read;
    }
    return ReadDataFile();
}

int OpenFailureStatus(ReadOutcome outcome)
{
    return outcome == ReadOutcome::Refused ? 2 : 1;
}

std::vector<QCommandLineOption> BulletinReadingCommandOptions()
{
    return {QCommandLineOption("exact", "Only the exact reading: no lenient reading of bulletins "
                                        "it cannot read."),
            QCommandLineOption("year", "The year of the first day of a bulletin that prints no "
                                       "year.",
                               "YYYY")};
}

int BulletinReadingOf(const CommandCall& call, BulletinReadingOptions* options)
{
    *options = SettingsReadingOptions(false);
    if (call.IsSet("exact"))
        options->lenient = false;
    if (const std::optional<std::string> year = call.Value("year")) {
        const bool digits =
            year->size() == 4 && year->find_first_not_of("0123456789") == std::string::npos;
        if (!digits)
            return call.UsageError("--year takes a four-digit year.");
        options->year = std::stoi(*year);
    }
    return ExitSuccess;
}

std::optional<int> LoadCommandData(const std::string& dataPath)
{
    if (FileExists(IniFilePath()))
        LoadSettings();
    if (!dataPath.empty()) {
        // The full path, as the window holds it (the printed headline shows it).
        std::error_code error;
        const std::filesystem::path full = std::filesystem::absolute(dataPath, error);
        DataFile().path = error ? dataPath : full.lexically_normal().string();
    } else if (DataFile().path.empty()) {
        DataFile().path = ProgramFile("GRAPH.DAT");
    } else if (DataFile().path.find('/') == std::string::npos) {
        DataFile().path = ProgramFile(DataFile().path);
    }
    ConnectPlotToDataFile();
    const ReadOutcome outcome = ReadDataFile();
    if (outcome != ReadOutcome::Read && outcome != ReadOutcome::NoPath)
        return OpenFailureStatus(outcome);
    return std::nullopt;
}

std::string LowerExtension(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    std::string extension = path.substr(dot + 1);
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension;
}
