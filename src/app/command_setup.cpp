#include "app/command_setup.h"

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

bool OpenDataFile(const std::string& path)
{
    Records().SetDataChanged(0);
    Stagger().enabled = 0;
    if (!FileExists(path)) {
        Records().FreeRecords();
        DataFilePath = path;
        FileIsVersion3 = 1;
        return true;
    }
    DataFilePath = path;
    return ReadDataFile() == ReadOutcome::Read;
}
