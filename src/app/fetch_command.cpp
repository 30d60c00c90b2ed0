#include "app/fetch_command.h"

#include <atomic>
#include <csignal>
#include <deque>
#include <iostream>
#include <optional>
#include <set>
#include <unistd.h>

#include "app/command_setup.h"
#include "bulletin/bulletin_parser.h"
#include "bulletin/day_merge.h"
#include "config/plot_settings.h"
#include "config/program_folder.h"
#include "data/data_file.h"
#include "data/file_lock.h"
#include "data/number_text.h"
#include "data/record_array.h"
#include "internet/checked_file_list.h"
#include "internet/ftp_locate_worker.h"
#include "internet/private_files.h"
#include "internet/scan_observer.h"

namespace {

// Prints the rows as they change. A row is printed once its changes are
// complete (the next row is touched, or the run ends), so a failure and its
// red colour make one line. Steps in progress ("Transferring", "Checking File
// 3 of 50") are shown only on a terminal, on one line that each overwrites.
class PrintingObserver : public ScanObserver {
public:
    PrintingObserver() : terminal_(isatty(STDOUT_FILENO) == 1) {}
    ~PrintingObserver() override { Flush(); }

    int OperationRowCount() override { return static_cast<int>(operations_.size()); }
    int AddOperationRow(const std::string& message) override
    {
        operations_.push_back({{message, "", RowBlack}, ""});
        Touch(&operations_.back(), "");
        return static_cast<int>(operations_.size()) - 1;
    }
    void SetOperationMessage(int row, const std::string& message) override
    {
        Line& line = operations_[static_cast<std::size_t>(row)];
        line.row.first = message;
        Progress(message);
    }
    void SetOperationStatus(int row, const std::string& status) override
    {
        Line& line = operations_[static_cast<std::size_t>(row)];
        line.row.second = status;
        if (status == "Working" || status.rfind("Working: ", 0) == 0)
            Progress(line.row.first + ": " + status);
        else
            Touch(&line, "");
    }
    void SetOperationColor(int row, std::uint32_t color) override
    {
        Line& line = operations_[static_cast<std::size_t>(row)];
        line.row.color = color;
        Touch(&line, "");
    }
    void ClearFileRows() override
    {
        Flush();
        files_.clear();
    }
    int AddFileRow(const std::string& fileName) override
    {
        Flush();
        files_.push_back({{fileName, "", RowBlack}, ""});
        return static_cast<int>(files_.size()) - 1;
    }
    void SetFileOperation(int row, const std::string& operation) override
    {
        Line& line = files_[static_cast<std::size_t>(row)];
        line.row.second = operation;
        if (operation == "Transferring" || operation == "Checking" || operation == "Merging" ||
            operation == "Deleting")
            Progress(line.row.first + ": " + operation);
        else
            Touch(&line, "  ");
    }
    void SetFileColor(int row, std::uint32_t color) override
    {
        Line& line = files_[static_cast<std::size_t>(row)];
        line.row.color = color;
        Touch(&line, "  ");
    }

    // Prints the row still waiting, if it changed since it was last printed.
    void Flush()
    {
        if (!pending_)
            return;
        std::string text = pendingIndent_ + pending_->row.first;
        if (!pending_->row.second.empty())
            text += ": " + pending_->row.second;
        if (pending_->row.color == RowRed)
            text += "  [failed]";
        if (text != pending_->printed && !pending_->row.second.empty()) {
            EndProgress();
            std::cout << text << std::endl;
            pending_->printed = text;
        }
        pending_ = nullptr;
    }

private:
    struct Line {
        ScanRow row;
        std::string printed;
    };
    bool terminal_;
    bool progressShown_ = false;
    std::deque<Line> operations_;  // a deque keeps pending_ valid as rows are added
    std::deque<Line> files_;
    Line* pending_ = nullptr;
    std::string pendingIndent_;

    void Touch(Line* line, const char* indent)
    {
        if (pending_ != line)
            Flush();
        pending_ = line;
        pendingIndent_ = indent;
    }
    void Progress(const std::string& text)
    {
        if (!terminal_)
            return;
        std::cout << '\r' << text << "\x1b[K" << std::flush;
        progressShown_ = true;
    }
    void EndProgress()
    {
        if (progressShown_)
            std::cout << "\r\x1b[K";
        progressShown_ = false;
    }
};

std::atomic<FtpLocateWorker*> interruptTarget{nullptr};

extern "C" void OnInterrupt(int)
{
    if (FtpLocateWorker* worker = interruptTarget.load())
        worker->RequestAbort();
    std::signal(SIGINT, SIG_DFL);  // a second Ctrl+C ends the program at once
}

// The records the scan added: every record whose date was not stored before.
std::vector<MergeDay> AddedDays(const std::set<std::string>& before)
{
    std::vector<MergeDay> days;
    RecordArray& records = Records();
    RecordArray::Lock lock = records.Acquire();
    for (int i = 0; i < records.RecordCount(); ++i) {
        const SolarRecord& r = records.At(i);
        const std::string date(r.m_date.View());
        if (before.count(date) || date.size() != 10)
            continue;
        MergeDay day;
        day.month = ParseLeadingInt(date.substr(0, 2));
        day.day = ParseLeadingInt(date.substr(3, 2));
        day.year = ParseLeadingInt(date.substr(6, 4));
        day.sunspots = r.m_sunspots;
        day.flux = r.m_flux;
        days.push_back(day);
    }
    return days;
}

std::set<std::string> StoredDates()
{
    std::set<std::string> dates;
    RecordArray& records = Records();
    RecordArray::Lock lock = records.Acquire();
    for (int i = 0; i < records.RecordCount(); ++i)
        dates.insert(std::string(records.At(i).m_date.View()));
    return dates;
}

// Merges the scan's new days into the data file as it is now, under its
// lock: another program may have saved it while the scan ran. Days it holds
// by now keep their values. The number of days added, or nothing when the
// file could not be read or written.
std::optional<int> SaveAddedDays(const std::string& dataPath, const std::vector<MergeDay>& added)
{
    const DataFileLock lock(dataPath);
    if (!lock.IsHeld()) {
        std::cerr << "The folder " << lock.LockedFolder()
                  << " stayed locked by another program changing the data file; the new days were not saved.\n";
        return std::nullopt;
    }
    if (OpenDataFile(dataPath) != ReadOutcome::Read)
        return std::nullopt;
    const std::set<std::string> stored = StoredDates();
    std::vector<MergeDay> fresh;
    for (const MergeDay& day : added) {
        if (!stored.count(FormatDayDate(day.month, day.day, day.year)))
            fresh.push_back(day);
    }
    if (fresh.empty())
        return 0;
    const int before = Records().RecordCount();
    MergeDays(fresh);
    if (!WriteDataFile()) {
        std::cerr << "The data file " << dataPath << " could not be written; it is unchanged.\n";
        return std::nullopt;
    }
    return Records().RecordCount() - before;
}

int RunFetch(const CommandCall& call)
{
    const std::optional<std::string> keep = call.Value("keep");
    if (keep && !IsWritableFolder(*keep))
        return call.UsageError(QString::fromStdString("The keep folder " + *keep +
                                                      " does not exist or is not writable."));
    LoadCommandSettings();
    ScanSettings settings;
    settings.site = call.Value("site").value_or(Settings().FTPSite);
    settings.dir = call.Value("dir").value_or(Settings().FTPDir);
    settings.keepFiles = keep.has_value() || Settings().FTPKeepFiles != 0;
    settings.keepDir = keep.value_or(Settings().FTPKeepDir);
    if (settings.keepFiles && !keep && !IsWritableFolder(settings.keepDir)) {
        std::cerr << "The directory specified for copying new files into does not exist: "
                  << settings.keepDir << "\nFile copying is disabled for this run.\n";
        settings.keepFiles = false;
    }

    // The data file is read under its lock, then left free while the scan
    // runs (it may take minutes); the new days are merged under the lock again.
    const std::string dataPath = call.Value("data").value_or(ProgramFile("GRAPH.DAT"));
    {
        const DataFileLock lock(dataPath);
        const ReadOutcome opened = OpenDataFile(dataPath);
        if (opened != ReadOutcome::Read)
            return OpenFailureStatus(opened);
    }
    const std::set<std::string> before = StoredDates();

    CheckedFileList checked;
    if (checked.Load(CheckedFilesPath()) == CheckedFilesLoad::Damaged)
        std::cerr << DamagedCheckedFilesText(checked.Count()) << '\n';

    BulletinParser parser;
    PrintingObserver observer;
    FtpLocateWorker worker(checked, parser, observer);
    interruptTarget.store(&worker);
    std::signal(SIGINT, OnInterrupt);
    const ScanResult result = worker.Run(settings);
    std::signal(SIGINT, SIG_DFL);
    interruptTarget.store(nullptr);
    observer.Flush();

    int status = ExitSuccess;
    if (result.outcome == ScanOutcome::Aborted)
        status = 130;
    else if (result.outcome != ScanOutcome::Completed)
        status = ExitFailure;
    // Whatever was merged is saved, also after Ctrl+C or a failed run.
    const std::vector<MergeDay> added = AddedDays(before);
    if (!added.empty()) {
        const std::optional<int> saved = SaveAddedDays(dataPath, added);
        if (!saved) {
            // The names stay unrecorded, so the next run fetches them again.
            std::cerr << "FNAMES.DAT is left as it was.\n";
            return ExitFailure;
        }
        std::cout << *saved << " days added to " << dataPath << '\n';
    }
    if (!checked.Save(CheckedFilesPath())) {
        std::cerr << "FNAMES.DAT could not be written in " << ProgramFolder() << ".\n";
        if (status == ExitSuccess)
            status = ExitFailure;
    }
    return status;
}

}  // namespace

Command FetchCommand()
{
    return {"fetch", "", "Scans the bulletin FTP archive for new bulletins.",
            "Logs in to the bulletin FTP archive (FTPSite and FTPDir of SKYLOG.INI), fetches\n"
            "every bulletin not named in FNAMES.DAT yet, merges its new days into the data\n"
            "file (GRAPH.DAT in the program folder unless --data says otherwise; stored days\n"
            "are kept) and records its name. Every step is printed; a failed one ends in\n"
            "[failed]. Ctrl+C stops the scan and still saves what was added. Exit status 0\n"
            "when the scan completed (single files may have failed), 1 when it failed,\n"
            "2 when the data file is not one, 130 after Ctrl+C.",
            {QCommandLineOption("site", "The FTP site, a host name or ftp:// address.", "URL"),
             QCommandLineOption("dir", "The bulletin directory on the site.", "DIR"),
             QCommandLineOption("data", "The data file to merge into.", "DATAFILE"),
             QCommandLineOption("keep", "Keep a copy of every fetched file in this folder.", "DIR")},
            0, 0, RunFetch};
}
