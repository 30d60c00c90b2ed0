// The bulletin scan: logs in to the archive, walks its year folders, fetches
// every bulletin the checked-file list does not name, parses and merges it,
// and reports each step to a ScanObserver. Runs on a thread of its own (the
// window's Start) or on the caller's ("skylog fetch").
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "internet/ftp_client.h"

class BulletinParser;
class CheckedFileList;
class ScanObserver;

struct ScanSettings {
    std::string site;  // FTPSite: host name or ftp:// address
    std::string dir;   // FTPDir: the bulletin directory, empty for the login directory
    bool keepFiles = false;
    std::string keepDir;  // an existing, writable folder when keepFiles is set
};

inline constexpr const char* FtpUser = "anonymous";
inline constexpr const char* FtpPassword = "daily plotting";

enum class ScanOutcome {
    Completed,
    BadUrl,          // "Failed - URL is incorrect"
    LoginFailed,     // "Failed - Could Not Connect To Site"
    NoDirectory,     // "Failed - Could Not Set Remote Directory"
    NoFiles,         // "Failed - No Files Found"
    WalkFailed,      // a year folder could not be entered or listed
    Aborted,
};

// True for the parse failures that will not change on a later attempt
// (-2, -3, -5, -7, -8, -9): the file is recorded as checked all the same.
bool IsPermanentParseFailure(int code);

// The text row R shows for a failed run; empty for the others.
std::string ScanFailureText(ScanOutcome outcome);

struct ScanResult {
    ScanOutcome outcome = ScanOutcome::Completed;
    int filesMerged = 0;  // bulletins parsed and merged in this run
    int daysAdded = 0;    // records the merges added
};

class FtpLocateWorker {
public:
    FtpLocateWorker(CheckedFileList& checked, BulletinParser& parser, ScanObserver& observer);
    ~FtpLocateWorker();  // stops and joins a running scan
    FtpLocateWorker(const FtpLocateWorker&) = delete;
    FtpLocateWorker& operator=(const FtpLocateWorker&) = delete;

    // One whole run on the calling thread.
    ScanResult Run(const ScanSettings& settings);

    // Starts a run on a new thread; false (nothing started) while one runs.
    bool Start(const ScanSettings& settings);
    bool WorkerRunning() const { return running_.load(); }
    // The last result of a run started with Start, once it has ended.
    ScanResult LastResult() const;

    // Asks the run to end; every transfer and listing notices within a second.
    void RequestAbort() { abort_.store(true); }
    bool AbortRequested() const { return abort_.load(); }
    // Waits up to timeoutMs for a started run to end; true when it has.
    bool WaitFinished(int timeoutMs);

    // The Stop command: asks the run to end, marks the last operations row
    // "Aborting" in red, and waits in 10 ms slices, calling pump between them,
    // for at most 1,500 slices; then breaks the connection. Call it from the
    // thread that owns the observer's lists.
    void Stop(const std::function<void()>& pump);

    // The FTP client the scan uses; tests and the benchmark keep the default.
    void SetLimits(FtpLimits limits) { limits_ = limits; }

private:
    CheckedFileList& checked_;
    BulletinParser& parser_;
    ScanObserver& observer_;
    FtpLimits limits_ = CurrentFtpLimits();

    // The scan's two flags (WorkerRunning, AbortRequested), one pair per
    // worker: owned here; the scan thread and the window's thread both read
    // and write them, which is why they are atomics.
    std::atomic<bool> running_{false};
    std::atomic<bool> abort_{false};
    std::thread thread_;
    mutable std::mutex stateMutex_;
    std::condition_variable finishedSignal_;
    bool finished_ = true;
    ScanResult lastResult_;

    // The connection of the pass in progress; ForceClose reaches it from the
    // window's thread, so it is swapped under clientMutex_.
    std::mutex clientMutex_;
    std::unique_ptr<FtpClient> client_;

    void Finish(const ScanResult& result);
    void JoinThread();

    friend class ScanPass;
    void SetClient(std::unique_ptr<FtpClient> client);
    void CloseFtpSession();
    void ForceCloseFtpSession();
    bool HasSession();
};
