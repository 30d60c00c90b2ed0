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
