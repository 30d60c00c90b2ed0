#include "app/import_commands.h"

#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "app/command_setup.h"
#include "bulletin/bulletin_reading.h"
#include "config/plot_settings.h"
#include "config/program_folder.h"
#include "data/data_file.h"
#include "data/file_lock.h"
#include "data/record_array.h"
#include "import/import_run.h"
#include "import/index_download.h"
#include "import/update_sources.h"

namespace {

struct ImportOptions {
    std::string dataPath;
    bool replace = false;
    std::vector<ImportSource> sources;
};

// Reads, merges and saves once; prints a report line per file. Exit status:
// 0 all read, 1 a file failed or the data file could not be saved.
int ImportAndSave(const std::vector<ImportSource>& sources, DuplicatePolicy policy,
                  const BulletinReadingOptions& bulletinReading)
{
    ImportRun run;
    run.Read(sources, Settings().Phrase2, bulletinReading);
    const bool changed = run.Merge(policy);
    for (const FileReport& report : run.Reports())
        std::cout << ReportText(report) << '\n';
    if (changed && !WriteDataFile()) {
        std::cerr << "The data file " << DataFile().path << " could not be written; it is unchanged.\n";
        return 1;
    }
    return run.AllRead() ? 0 : 1;
}

std::string LockedMessage(const DataFileLock& lock)
{
    return "The folder " + lock.LockedFolder() +
           " stayed locked by another program changing the data file; nothing was imported.\n";
}

// The files in order, each with the --format given last before it (the
// parser has checked the options already; "--" ends them).
std::optional<std::vector<ImportSource>> SourcesInOrder(const CommandCall& call, std::string& badFormat)
{
    std::vector<ImportSource> sources;
    std::optional<IndexFormat> format;
    const std::vector<std::string>& raw = call.RawArguments();
    bool optionsEnded = false;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const std::string& argument = raw[i];
        std::optional<std::string> formatName;
        if (optionsEnded || argument == "-" || argument.rfind("-", 0) != 0) {
            sources.push_back({argument, argument, format});
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--format" && i + 1 < raw.size()) {
            formatName = raw[++i];
        } else if (argument.rfind("--format=", 0) == 0) {
            formatName = argument.substr(9);
        } else if (argument == "--data" || argument == "--year") {
            ++i;  // its value
        }
        if (formatName) {
            format = FormatFromName(*formatName);
            if (*formatName == "auto") {
                format.reset();
            } else if (!format) {
                badFormat = *formatName;
                return std::nullopt;
            }
        }
    }
    return sources;
}

int RunImport(const CommandCall& call)
{
    ImportOptions options;
    options.dataPath = call.Value("data").value_or("");
    options.replace = call.IsSet("replace");
    std::string badFormat;
    const auto sources = SourcesInOrder(call, badFormat);
    if (!sources)
        return call.UsageError(QString::fromStdString("Unknown format \"" + badFormat +
                                                      "\"; the formats known are " +
                                                      KnownFormatNames() + " (or auto)."));
    options.sources = *sources;
    LoadCommandSettings();
    BulletinReadingOptions bulletinReading;
    if (const int usage = BulletinReadingOf(call, &bulletinReading); usage != ExitSuccess)
        return usage;
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
                         options.replace ? DuplicatePolicy::Replace : DuplicatePolicy::Ignore,
                         bulletinReading);
}

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

// Ctrl+C or a stop of the service during the downloads: the transfer ends,
// nothing is imported, and no temporary file stays behind.
volatile std::sig_atomic_t updateInterrupted = 0;

extern "C" void InterruptUpdate(int)
{
    updateInterrupted = 1;
}

int RunUpdate(const CommandCall& call)
{
    std::string dataPath = call.Value("data").value_or("");
    const bool replace = call.IsSet("replace");
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
    DownloadLimits limits;
    limits.cancel = &updateInterrupted;
    std::signal(SIGINT, InterruptUpdate);
    std::signal(SIGTERM, InterruptUpdate);
    for (const UpdateSource& source : sources) {
        if (updateInterrupted)
            break;
        const std::string temp = DownloadTempPath();
        const DownloadResult result =
            temp.empty() ? DownloadResult{DownloadStatus::Failed, "no temporary file", 0, {}}
                         : DownloadFile(source.url, temp, LastImportStamp(iniPath, source), limits);
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
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    if (updateInterrupted) {
        for (const Fetched& f : fetched)
            std::remove(f.path.c_str());
        std::cerr << "Interrupted; nothing was imported.\n";
        return 1;
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
        run.Read(imports, Settings().Phrase2, SettingsReadingOptions(false));
        const bool changed = run.Merge(replace ? DuplicatePolicy::Replace : DuplicatePolicy::Ignore);
        for (const FileReport& report : run.Reports())
            std::cout << ReportText(report) << '\n';
        saved = !changed || WriteDataFile();
        if (!saved)
            std::cerr << "The data file " << DataFile().path << " could not be written; it is unchanged.\n";
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

}  // namespace

Command ImportCommand()
{
    return {"import", "[[--format NAME] FILE...]...", "Merges bulletins and daily index files into a data file.",
            "Reads each bulletin or daily index file and merges its days into the data file\n"
            "(GRAPH.DAT in the program folder unless --data says otherwise; a missing file is\n"
            "created). The format of an index file is found from its content, or named by the\n"
            "--format before it. Days already stored are skipped, or replaced with --replace.\n"
            "A bulletin the exact reading cannot read is read leniently (its line says\n"
            "\"(read leniently)\") unless --exact is given; --year gives the year of a\n"
            "bulletin that prints none.\n"
            "Prints a line per file and saves the file once at the end. Exit status 0 when\n"
            "every file was read, 1 otherwise or when saving failed, 2 when the data file is\n"
            "not one.",
            {QCommandLineOption("data", "The data file to merge into.", "DATAFILE"),
             QCommandLineOption("replace", "Stored days are replaced by the files' values."),
             QCommandLineOption("format", "The format of the files after it (or auto).", "NAME"),
             BulletinReadingCommandOptions()[0], BulletinReadingCommandOptions()[1]},
            1, -1, RunImport};
}

Command UpdateCommand()
{
    return {"update", "", "Fetches and imports the configured daily index files.",
            "Fetches the daily index files configured as UpdateSource1 to UpdateSource4 in\n"
            "SKYLOG.INI (only those changed since the last update) and merges their days into\n"
            "the data file (GRAPH.DAT in the program folder unless --data says otherwise).\n"
            "Days already stored are skipped, or replaced with --replace. Exit status 0 when\n"
            "every file was fetched and imported, 1 otherwise, 2 when the data file is not one.",
            {QCommandLineOption("data", "The data file to merge into.", "DATAFILE"),
             QCommandLineOption("replace", "Stored days are replaced by the files' values.")},
            0, 0, RunUpdate};
}
