#include "app/import_commands.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "app/command_setup.h"
#include "config/plot_settings.h"
#include "config/program_folder.h"
#include "data/data_file.h"
#include "data/file_lock.h"
#include "data/record_array.h"
#include "import/import_run.h"
#include "import/index_download.h"
#include "import/update_sources.h"

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

std::string LockedMessage(const DataFileLock& lock)
{
    return "The folder " + lock.LockedFolder() +
           " stayed locked by another program changing the data file; nothing was imported.\n";
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
    // Read, merge and write under the data file's lock, so that a second
    // import (or the window's save) cannot drop the days this one adds.
    const DataFileLock lock(options.dataPath);
    if (!lock.IsHeld()) {
        std::cerr << LockedMessage(lock);
        return 1;
    }
    const ReadOutcome opened = OpenDataFile(options.dataPath);
    if (opened != ReadOutcome::Read)
        return OpenFailureStatus(opened);
    return ImportAndSave(options.sources,
                         options.replace ? DuplicatePolicy::Replace : DuplicatePolicy::Ignore);
}

namespace {

// A file of its own in the system's temporary folder for one download.
std::string DownloadTempPath()
{
    std::string pattern =
        (std::filesystem::temp_directory_path() / "skylog-update-XXXXXX").string();
    const int fd = mkstemp(pattern.data());
    if (fd < 0)
        return {};
    close(fd);
    return pattern;
}

struct Fetched {
    UpdateSource source;
    std::string path;
    std::optional<std::int64_t> stamp;
};

}  // namespace

int RunUpdateCommand(const std::vector<std::string>& args)
{
    std::string dataPath;
    bool replace = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--data" && i + 1 < args.size()) {
            dataPath = args[++i];
        } else if (args[i] == "--replace") {
            replace = true;
        } else {
            std::cerr << "usage: skylog update [--data DATAFILE] [--replace]\n";
            return 64;
        }
    }
    LoadCommandSettings();
    const std::string iniPath = IniFilePath();
    const std::vector<UpdateSource> sources = ConfiguredUpdateSources(iniPath);
    if (sources.empty()) {
        std::cerr << "No update source is configured (keys UpdateSource1 to UpdateSource4 of "
                  << iniPath << ").\n";
        return 1;
    }

    // Fetch first, so the data file is busy only for the import itself.
    int status = 0;
    std::vector<Fetched> fetched;
    for (const UpdateSource& source : sources) {
        const std::string temp = DownloadTempPath();
        const DownloadResult result =
            temp.empty() ? DownloadResult{DownloadStatus::Failed, "no temporary file", 0, {}}
                         : DownloadFile(source.url, temp, LastImportStamp(iniPath, source));
        if (result.status == DownloadStatus::Fetched) {
            fetched.push_back({source, temp, result.lastModified});
            continue;
        }
        std::remove(temp.c_str());
        if (result.status == DownloadStatus::NotModified) {
            std::cout << source.url << ": not changed since the last update\n";
        } else {
            std::cout << source.url << ": failed: " << result.error << '\n';
            status = 1;
        }
    }
    if (fetched.empty())
        return status;

    if (dataPath.empty())
        dataPath = ProgramFile("GRAPH.DAT");
    std::vector<ImportSource> imports;
    for (const Fetched& f : fetched)
        imports.push_back({f.path, f.source.url, std::nullopt});
    ImportRun run;
    bool saved = false;
    const DataFileLock lock(dataPath);
    if (!lock.IsHeld()) {
        std::cerr << LockedMessage(lock);
        status = 1;
    } else if (const ReadOutcome opened = OpenDataFile(dataPath); opened == ReadOutcome::Read) {
        run.Read(imports, Settings().Phrase2);
        const bool changed = run.Merge(replace ? DuplicatePolicy::Replace : DuplicatePolicy::Ignore);
        for (const FileReport& report : run.Reports())
            std::cout << ReportText(report) << '\n';
        saved = !changed || WriteDataFile();
        if (!saved)
            std::cerr << "The data file " << DataFilePath << " could not be written; it is unchanged.\n";
    } else {
        status = OpenFailureStatus(opened);
    }
    for (std::size_t i = 0; i < fetched.size(); ++i) {
        std::remove(fetched[i].path.c_str());
        // Only a file fully imported and saved is not fetched again.
        const bool imported = saved && !run.Reports()[i].Failed();
        if (!imported && status == 0)
            status = 1;
        if (imported && fetched[i].stamp)
            SaveImportStamp(iniPath, fetched[i].source, *fetched[i].stamp);
    }
    return status;
}
