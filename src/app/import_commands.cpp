#include "app/import_commands.h"

#include <iostream>

#include "app/command_setup.h"
#include "config/plot_settings.h"
#include "config/program_folder.h"
#include "data/data_file.h"
#include "data/record_array.h"
#include "import/import_run.h"

namespace {

constexpr const char* ImportUsage =
    "usage: skylog import [--data DATAFILE] [--replace] [[--format NAME] FILE...]...\n";

struct ImportOptions {
    std::string dataPath;
    bool replace = false;
    std::vector<ImportSource> sources;
};

// Reads, merges and saves once; prints a report line per file. Exit status:
// 0 all read, 1 a file failed or the data file could not be saved.
int ImportAndSave(const std::vector<ImportSource>& sources, DuplicatePolicy policy)
{
    ImportRun run;
    run.Read(sources, Settings().Phrase2);
    const bool changed = run.Merge(policy);
    for (const FileReport& report : run.Reports())
        std::cout << ReportText(report) << '\n';
    if (changed && !WriteDataFile()) {
        std::cerr << "The data file " << DataFilePath << " could not be written; it is unchanged.\n";
        return 1;
    }
    return run.AllRead() ? 0 : 1;
}

}  // namespace

int RunImportCommand(const std::vector<std::string>& args)
{
    ImportOptions options;
    std::optional<IndexFormat> format;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--data" && i + 1 < args.size()) {
            options.dataPath = args[++i];
        } else if (args[i] == "--replace") {
            options.replace = true;
        } else if (args[i] == "--format" && i + 1 < args.size()) {
            const std::string name = args[++i];
            format = FormatFromName(name);
            if (name == "auto") {
                format.reset();
            } else if (!format) {
                std::cerr << "unknown format \"" << name << "\"; the formats known are "
                          << KnownFormatNames() << " (or auto)\n";
                return 64;
            }
        } else {
            options.sources.push_back({args[i], args[i], format});
        }
    }
    if (options.sources.empty()) {
        std::cerr << ImportUsage;
        return 64;
    }
    LoadCommandSettings();
    if (options.dataPath.empty())
        options.dataPath = ProgramFile("GRAPH.DAT");
    if (!OpenDataFile(options.dataPath))
        return 2;
    return ImportAndSave(options.sources,
                         options.replace ? DuplicatePolicy::Replace : DuplicatePolicy::Ignore);
}

int RunUpdateCommand(const std::vector<std::string>&)
{
    return 1;
}
