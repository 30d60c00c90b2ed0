#include "app/command_setup.h"

#include <filesystem>

#include "config/plot_settings.h"
#include "config/program_folder.h"
#include "data/data_file.h"
#include "data/record_array.h"
#include "data/text_file.h"

void LoadCommandSettings()
{
    if (FileExists(IniFilePath())) {
        const std::string folderPath = DataFilePath;
        const int stagger = Stagger().enabled;
        LoadSettings();
        DataFilePath = folderPath;
        Stagger().enabled = stagger;
    }
}

ReadOutcome OpenDataFile(const std::string& path)
{
    Records().SetDataChanged(0);
    Stagger().enabled = 0;
    DataFilePath = path;
    // Anything at the path (a FIFO, a dangling link) goes to the reader, which refuses it.
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, error))) {
        Records().FreeRecords();
        FileIsVersion3 = 1;
        return ReadOutcome::Read;
    }
    return ReadDataFile();
}

int OpenFailureStatus(ReadOutcome outcome)
{
    return outcome == ReadOutcome::Refused ? 2 : 1;
}

bool TakeReadingOptions(std::vector<std::string>* args, BulletinReadingOptions* options)
{
    *options = SettingsReadingOptions(false);
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < args->size(); ++i) {
        const std::string& arg = (*args)[i];
        if (arg == "--exact") {
            options->lenient = false;
        } else if (arg == "--year") {
            const std::string text = i + 1 < args->size() ? (*args)[++i] : std::string();
            const bool digits =
                text.size() == 4 && text.find_first_not_of("0123456789") == std::string::npos;
            if (!digits) {
                std::cerr << "skylog: --year needs a four-digit year\n";
                return false;
            }
            options->year = std::stoi(text);
        } else {
            rest.push_back(arg);
        }
    }
    *args = rest;
    return true;
}
