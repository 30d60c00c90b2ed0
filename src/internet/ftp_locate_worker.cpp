#include "internet/ftp_locate_worker.h"

#include <chrono>
#include <vector>

#include "bulletin/bulletin_parser.h"
#include "bulletin/bulletin_reading.h"
#include "data/record_array.h"
#include "internet/checked_file_list.h"
#include "internet/private_files.h"
#include "internet/remote_name.h"
#include "internet/scan_observer.h"

namespace {

enum class PassKind { Counting, Checking };

std::string JoinPath(const std::string& folder, const std::string& name)
{
    if (!folder.empty() && folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}

struct FileCheck {
    bool merged = false;
    int daysAdded = 0;
};

struct DirectoryCheck {
    bool failed = false;  // could not be entered or left; the pass ends
    int filesMerged = 0;
    int daysAdded = 0;
};

}  // namespace

// One pass over the site, with its own connection.
class ScanPass {
public:
    ScanPass(FtpLocateWorker& worker, const ScanSettings& settings, PassKind kind, int* fileTotal,
             int* fileIndex, ScanResult* result)
        : worker_(worker), observer_(worker.observer_), settings_(settings), kind_(kind),
          fileTotal_(*fileTotal), fileIndex_(*fileIndex), result_(*result)
    {
    }

    ScanOutcome Run();

private:
    FtpLocateWorker& worker_;
    ScanObserver& observer_;
    const ScanSettings& settings_;
    PassKind kind_;
    int& fileTotal_;
    int& fileIndex_;
    ScanResult& result_;
    FtpClient* client_ = nullptr;
    int directoryRow_ = -1;

    bool Counting() const { return kind_ == PassKind::Counting; }
    bool Aborted() const { return worker_.AbortRequested(); }
    void FailRow(int row, const std::string& status)
    {
        observer_.SetOperationStatus(row, status);
        observer_.SetOperationColor(row, RowRed);
    }
    ScanOutcome EndWalk(ScanOutcome outcome, const char* status)
    {
        worker_.CloseFtpSession();
        FailRow(directoryRow_, status);
        return outcome;
    }
    void UnsafeName(const std::string& name)
    {
        if (Counting())
            return;
        const int row = observer_.AddFileRow(PrintableName(name));
        observer_.SetFileOperation(row, "Unsafe File Name");
        observer_.SetFileColor(row, RowRed);
    }

    ScanOutcome Walk();
    DirectoryCheck CheckDirectory(const std::string& entry);
    FileCheck CheckFile(const std::string& name);
};

ScanOutcome ScanPass::Run()
{
    if (Aborted()) {
        worker_.CloseFtpSession();
        return ScanOutcome::Aborted;
    }
    if (worker_.HasSession()) {
        FailRow(observer_.AddOperationRow("Stopping Current Session"), "");
        worker_.CloseFtpSession();
        return ScanOutcome::Aborted;
    }
    const std::optional<FtpSite> site = ParseFtpSite(settings_.site);
    if (!site) {
        if (Counting())
            FailRow(observer_.AddOperationRow("Starting FTP Connection"), "Failed");
        return ScanOutcome::BadUrl;
    }
    if (site->host.empty()) {
        if (Counting())
            FailRow(observer_.AddOperationRow("Server Name Not Specified"), "Failed");
        return ScanOutcome::BadUrl;
    }
    worker_.SetClient(MakeFtpClient(&worker_.abort_, worker_.limits_));
    client_ = worker_.client_.get();  // only this thread replaces it
    if (Aborted()) {
        worker_.CloseFtpSession();
        return ScanOutcome::Aborted;
    }

    const int connectRow = Counting() ? observer_.AddOperationRow("Starting FTP Connection") : -1;
    if (site->scheme != "ftp") {
        worker_.CloseFtpSession();
        if (Counting())
            FailRow(connectRow, "Failed");
        return ScanOutcome::BadUrl;
    }
    FtpOutcome outcome = client_->Connect(*site, FtpUser, FtpPassword);
    if (outcome != FtpOutcome::Ok) {
        worker_.CloseFtpSession();
        const bool aborted = outcome == FtpOutcome::Aborted;
        if (Counting())
            FailRow(connectRow, aborted ? "Aborted" : "Failed");
        return aborted ? ScanOutcome::Aborted : ScanOutcome::LoginFailed;
    }
    if (Counting())
        observer_.SetOperationStatus(connectRow, "Done");
    if (Aborted()) {
        worker_.CloseFtpSession();
        return ScanOutcome::Aborted;
    }

    const int directoryStepRow = Counting() ? observer_.AddOperationRow("Setting Directory") : -1;
    if (!settings_.dir.empty()) {
        outcome = client_->ChangeDirectory(settings_.dir);
        if (outcome != FtpOutcome::Ok) {
            worker_.CloseFtpSession();
            const bool aborted = outcome == FtpOutcome::Aborted;
            if (Counting())
                FailRow(directoryStepRow, aborted ? "Aborted" : "Failed");
            return aborted ? ScanOutcome::Aborted : ScanOutcome::NoDirectory;
        }
    }
    if (Counting())
        observer_.SetOperationStatus(directoryStepRow, "Done");
    if (Aborted()) {
        worker_.CloseFtpSession();
        return ScanOutcome::Aborted;
    }

    if (Counting()) {
        directoryRow_ = observer_.AddOperationRow("Retrieving File Names");
    } else {
        observer_.SetOperationStatus(observer_.OperationRowCount() - 1, "Done");
        directoryRow_ = observer_.AddOperationRow("Checking Files");
    }
    observer_.SetOperationStatus(directoryRow_, "Working");
    const ScanOutcome walked = Walk();
    if (walked != ScanOutcome::Completed)
        return walked;

    if (!Counting()) {
        observer_.SetOperationStatus(directoryRow_, "Done");
        std::string summary;
        if (result_.filesMerged == 0)
            summary = "Completed - No New Files";
        else if (result_.daysAdded > 0)
            summary = "Completed - " + std::to_string(result_.daysAdded) + " Records Added";
        else
            summary = "Completed - No New Data";
        observer_.SetOperationStatus(observer_.AddOperationRow(summary), "Finished");
    }
    worker_.CloseFtpSession();
    return ScanOutcome::Completed;
}

ScanOutcome ScanPass::Walk()
{
    std::vector<std::string> entries;
    const FtpOutcome listed = client_->ListNames(&entries);
    if (listed == FtpOutcome::Aborted)
        return EndWalk(ScanOutcome::Aborted, "Aborted");
    if (listed != FtpOutcome::Ok)
        return EndWalk(ScanOutcome::WalkFailed, "Failed");
    if (entries.empty()) {
        worker_.CloseFtpSession();
        if (Counting())
            observer_.SetOperationStatus(directoryRow_, "Done");
        return ScanOutcome::NoFiles;
    }
    for (const std::string& entry : entries) {
        if (IsIndexName(entry))
            continue;
        if (!IsSafeRemoteName(entry)) {
            UnsafeName(entry);
            continue;
        }
        const DirectoryCheck checked = CheckDirectory(entry);
        if (Aborted())
            return EndWalk(ScanOutcome::Aborted, "Aborted");
        if (checked.failed)
            return ScanOutcome::WalkFailed;
        result_.filesMerged += checked.filesMerged;
        result_.daysAdded += checked.daysAdded;
    }
    return ScanOutcome::Completed;
}

DirectoryCheck ScanPass::CheckDirectory(const std::string& entry)
{
    DirectoryCheck check;
    if (client_->ChangeDirectory(entry) != FtpOutcome::Ok) {
        check.failed = true;
        if (!Aborted())
            EndWalk(ScanOutcome::WalkFailed, "Failed");
        return check;
    }
    std::vector<std::string> names;
    client_->ListNames(&names);  // an unreadable folder is an empty one
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (!MatchesListingPattern("*arlp*.txt", names[i]))
            continue;
        const FileCheck file = CheckFile(names[i]);
        if (file.merged) {
            ++check.filesMerged;
            check.daysAdded += file.daysAdded;
        }
        if (Aborted())
            return check;
    }
    if (client_->ChangeDirectory("..") != FtpOutcome::Ok && !Aborted()) {
        check.failed = true;
        EndWalk(ScanOutcome::WalkFailed, "Failed");
    }
    return check;
}

FileCheck ScanPass::CheckFile(const std::string& name)
{
    FileCheck check;
    if (IsIndexName(name))
        return check;
    if (!IsSafeRemoteName(name)) {
        UnsafeName(name);
        return check;
    }
    if (Counting()) {
        ++fileTotal_;
        if (fileTotal_ % 10 == 0)
            observer_.SetOperationStatus(directoryRow_, "Working: " + std::to_string(fileTotal_));
        return check;
    }
    ++fileIndex_;
    observer_.SetOperationMessage(directoryRow_, "Checking File " + std::to_string(fileIndex_) +
                                                     " of " + std::to_string(fileTotal_));
    if (worker_.checked_.Contains(name))
        return check;

    const int row = observer_.AddFileRow(PrintableName(name));
    const auto fail = [&](const std::string& operation) {
        observer_.SetFileOperation(row, operation);
        observer_.SetFileColor(row, RowRed);
    };
    PrivateTempFile temp;
    observer_.SetFileOperation(row, "Transferring");
    const FtpOutcome fetched =
        temp.IsOpen() ? client_->FetchFile(name, temp.Descriptor()) : FtpOutcome::Failed;
    if (fetched == FtpOutcome::Aborted || (fetched == FtpOutcome::Ok && Aborted())) {
        fail("Aborted");
        return check;
    }
    if (fetched != FtpOutcome::Ok) {
        fail("Transfer Failed");
        return check;
    }

    observer_.SetFileOperation(row, "Checking");
    BulletinParser& parser = worker_.parser_;
    parser.Reset();
    // Read leniently too where the settings allow, as a bulletin opened by hand.
    const int parsed = ReadBulletin(parser, temp.Path(), SettingsReadingOptions(false)).result;
    if (parsed < 0)
        fail(ParseResultStatus(parsed));
    if (settings_.keepFiles && !settings_.keepDir.empty() &&
        MoveFileNoReplace(temp.Path(), JoinPath(settings_.keepDir, name)))
        temp.Release();
    if (parsed < 0 || Aborted()) {
        if (parsed < 0 && IsPermanentParseFailure(parsed))
            worker_.checked_.Add(name);
        if (parsed >= 0)
            fail("Aborted");
        return check;
    }

    observer_.SetFileOperation(row, "Merging");
    if (parser.FindDuplicates() > 0)
        parser.ApplyDuplicatePolicy(1);
    if (Aborted()) {
        fail("Aborted");
        return check;
    }
    RecordArray& records = Records();
    {
        // Merged days are recorded even when Stop comes now: they are in the array.
        RecordArray::Lock lock = records.Acquire();
        const int before = records.RecordCount();
        parser.MergeIntoRecords(0);
        check.daysAdded = records.RecordCount() - before;
    }
    check.merged = true;
    observer_.SetFileOperation(row, "Deleting");
    temp.Remove();
    worker_.checked_.Add(name);
    observer_.SetFileOperation(row, "Added New Data");
    return check;
}

bool IsPermanentParseFailure(int code)
{
    return code == ParseNoYear || code == ParseNoValuesSection || code == ParseError ||
           code == ParseNoMonth || code == ParseNoSunspots || code == ParseNoFlux;
}

std::string ScanFailureText(ScanOutcome outcome)
{
    switch (outcome) {
    case ScanOutcome::BadUrl:
        return "Failed - URL is incorrect";
    case ScanOutcome::LoginFailed:
        return "Failed - Could Not Connect To Site";
    case ScanOutcome::NoDirectory:
        return "Failed - Could Not Set Remote Directory";
    case ScanOutcome::NoFiles:
        return "Failed - No Files Found";
    default:
        return {};
    }
}

FtpLocateWorker::FtpLocateWorker(CheckedFileList& checked, BulletinParser& parser,
                                 ScanObserver& observer)
    : checked_(checked), parser_(parser), observer_(observer)
{
}

FtpLocateWorker::~FtpLocateWorker()
{
    if (running_.load()) {
        RequestAbort();
        if (!WaitFinished(15000))
            ForceCloseFtpSession();
    }
    JoinThread();
}

ScanResult FtpLocateWorker::Run(const ScanSettings& settings)
{
    abort_.store(false);
    running_.store(true);
    {
        std::lock_guard<std::mutex> lock(stateMutex_);
        finished_ = false;
    }
    ScanResult result;
    observer_.ClearFileRows();
    if (AbortRequested()) {
        CloseFtpSession();
        result.outcome = ScanOutcome::Aborted;
        Finish(result);
        return result;
    }
    const int firstRow = observer_.OperationRowCount();
    int fileTotal = 0, fileIndex = 0;
    result.outcome =
        ScanPass(*this, settings, PassKind::Counting, &fileTotal, &fileIndex, &result).Run();
    if (result.outcome == ScanOutcome::Completed)
        result.outcome =
            ScanPass(*this, settings, PassKind::Checking, &fileTotal, &fileIndex, &result).Run();
    if (result.outcome != ScanOutcome::Completed && observer_.OperationRowCount() > firstRow) {
        const std::string text = ScanFailureText(result.outcome);
        if (!text.empty())
            observer_.SetOperationStatus(firstRow, text);
        observer_.SetOperationColor(firstRow, RowRed);
    }
    Finish(result);
    return result;
}

void FtpLocateWorker::Finish(const ScanResult& result)
{
    std::lock_guard<std::mutex> lock(stateMutex_);
    lastResult_ = result;
    finished_ = true;
    running_.store(false);
    finishedSignal_.notify_all();
}

bool FtpLocateWorker::Start(const ScanSettings& settings)
{
    if (running_.exchange(true))
        return false;  // set before the thread exists, so a second Start cannot slip in
    JoinThread();
    {
        std::lock_guard<std::mutex> lock(stateMutex_);
        finished_ = false;
    }
    thread_ = std::thread([this, settings] { Run(settings); });
    return true;
}

ScanResult FtpLocateWorker::LastResult() const
{
    std::lock_guard<std::mutex> lock(stateMutex_);
    return lastResult_;
}

bool FtpLocateWorker::WaitFinished(int timeoutMs)
{
    std::unique_lock<std::mutex> lock(stateMutex_);
    const bool done = finishedSignal_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                               [this] { return finished_; });
    if (done) {
        lock.unlock();
        JoinThread();
    }
    return done;
}

void FtpLocateWorker::Stop(const std::function<void()>& pump)
{
    if (!running_.load())
        return;
    RequestAbort();
    const int last = observer_.OperationRowCount() - 1;
    if (last >= 0) {
        observer_.SetOperationStatus(last, "Aborting");
        observer_.SetOperationColor(last, RowRed);
    }
    if (pump)
        pump();
    for (int failedWaits = 0; failedWaits <= 1500; ++failedWaits) {
        if (WaitFinished(10))
            return;
        std::this_thread::yield();
        if (pump)
            pump();
    }
    ForceCloseFtpSession();
}

void FtpLocateWorker::JoinThread()
{
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id())
        thread_.join();
}

void FtpLocateWorker::SetClient(std::unique_ptr<FtpClient> client)
{
    std::lock_guard<std::mutex> lock(clientMutex_);
    client_ = std::move(client);
}

bool FtpLocateWorker::HasSession()
{
    std::lock_guard<std::mutex> lock(clientMutex_);
    return client_ != nullptr;
}

void FtpLocateWorker::CloseFtpSession()
{
    std::unique_ptr<FtpClient> closing;
    {
        std::lock_guard<std::mutex> lock(clientMutex_);
        closing = std::move(client_);
    }
    if (!closing)
        return;
    if (AbortRequested())
        closing->ForceClose();  // no polite goodbye to a server that may not answer
    closing->Close();
}

void FtpLocateWorker::ForceCloseFtpSession()
{
    std::lock_guard<std::mutex> lock(clientMutex_);
    if (client_)
        client_->ForceClose();
}
