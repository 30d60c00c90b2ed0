#include "app/bulletin_commands.h"

#include <cstdio>
#include <iostream>

#include "bulletin/bulletin_parser.h"
#include "config/plot_settings.h"
#include "config/program_folder.h"
#include "data/data_file.h"
#include "data/record_array.h"
#include "data/text_file.h"

namespace {

// The values phrase comes from the configuration, as in the program.
void LoadValuesPhrase()
{
    if (FileExists(IniFilePath())) {
        const std::string folderPath = DataFilePath;
        const int stagger = Stagger().enabled;
        LoadSettings();
        DataFilePath = folderPath;
        Stagger().enabled = stagger;
    }
}

void PrintDays(const BulletinParser& parser)
{
    for (int i = 0; i <= parser.GetLastIndex(); ++i) {
        const DayColumns day = FormatHeldDay(parser, i);
        std::cout << day.date << "  " << day.sunspots << "  " << day.flux << '\n';
    }
}

// Opens the data file to import into; a file that does not exist yet starts empty.
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

}  // namespace

int RunParseCommand(const std::vector<std::string>& args)
{
    if (args.empty()) {
        std::cerr << "usage: skylog parse FILE...\n";
        return 64;
    }
    LoadValuesPhrase();
    int status = 0;
    BulletinParser parser;
    for (const std::string& file : args) {
        if (args.size() > 1)
            std::cout << file << ":\n";
        const int result = parser.Parse(file, 0);
        if (result < 0) {
            std::cout << ParseResultStatus(result) << '\n';
            status = 1;
        } else {
            PrintDays(parser);
        }
    }
    return status;
}

int RunImportCommand(const std::vector<std::string>& args)
{
    std::string dataPath;
    bool replace = false;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--data" && i + 1 < args.size())
            dataPath = args[++i];
        else if (args[i] == "--replace")
            replace = true;
        else
            files.push_back(args[i]);
    }
    if (files.empty()) {
        std::cerr << "usage: skylog import [--data DATAFILE] [--replace] FILE...\n";
        return 64;
    }
    LoadValuesPhrase();
    if (dataPath.empty())
        dataPath = ProgramFile("GRAPH.DAT");
    if (!OpenDataFile(dataPath))
        return 2;

    int status = 0;
    bool changed = false;
    BulletinParser parser;
    for (const std::string& file : files) {
        const int result = parser.Parse(file, 0);
        if (result < 0) {
            std::cout << file << ": " << ParseResultStatus(result) << '\n';
            status = 1;
            continue;
        }
        const int before = Records().RecordCount();
        const int duplicates = parser.FindDuplicates();
        if (duplicates > 0)
            parser.ApplyDuplicatePolicy(replace ? 0 : 1);
        parser.MergeIntoRecords(0);
        const int added = Records().RecordCount() - before;
        const int replaced = replace ? duplicates : 0;
        const int dropped = result - added - duplicates;
        changed = changed || added > 0 || replaced > 0;
        std::cout << file << ": " << added << " added, " << replaced << " replaced, "
                  << (replace ? 0 : duplicates) << " skipped";
        if (dropped > 0)
            std::cout << ", " << dropped << " dropped (invalid date)";
        std::cout << '\n';
    }
    Records().SetDataChanged(changed ? 1 : 0);
    if (changed && !WriteDataFile())
        return 1;
    return status;
}
