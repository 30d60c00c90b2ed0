// The FTP operations the bulletin scan and the single download need. One
// client holds one control connection, reused for every listing and transfer.
#pragma once

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <vector>

enum class FtpOutcome {
    Ok,
    Failed,    // refused by the server, or the connection broke or stalled
    TooLarge,  // the file is larger than FtpLimits::maxFileBytes
    Aborted,   // the abort flag was set
};

struct FtpLimits {
    long connectSeconds = 30;
    // A transfer, listing or reply that moves nothing for this long fails.
    long stallSeconds = 60;
    long long maxFileBytes = 16LL * 1024 * 1024;
};

// The limits in force: the defaults above, with SKYLOG_FTP_STALL_SECONDS and
// SKYLOG_FTP_CONNECT_SECONDS (whole seconds) overriding them when set.
FtpLimits CurrentFtpLimits();

// A server given as a host name or an ftp:// address.
struct FtpSite {
    std::string scheme;  // lower case; "ftp" is the only one served
    std::string host;    // empty when the text names none
    int port = 0;        // 0: the default
};

// Parses text as an address; when it has no scheme, as "ftp://" + text.
// Empty optional when neither reading works.
std::optional<FtpSite> ParseFtpSite(const std::string& text);

class FtpClient {
public:
    virtual ~FtpClient() = default;

    // Connects and logs in (passive mode).
    virtual FtpOutcome Connect(const FtpSite& site, const std::string& user,
                               const std::string& password) = 0;
    // Changes the current remote directory: a path relative to it, an
    // absolute one, or "..". The directory is entered on the server.
    virtual FtpOutcome ChangeDirectory(const std::string& path) = 0;
    // The names in the current directory (the server's name list, unfiltered).
    virtual FtpOutcome ListNames(std::vector<std::string>* names) = 0;
    // Fetches a file of the current directory into the open descriptor fd.
    virtual FtpOutcome FetchFile(const std::string& name, int fd) = 0;
    // Logs out and closes the connection; safe to call more than once.
    virtual void Close() = 0;
    // From any thread: breaks the connection so that a blocked call fails.
    // The client stays valid; its owner still calls Close().
    virtual void ForceClose() = 0;
};

// A libcurl client that gives up as soon as abort is set (checked at least
// once a second during every call).
std::unique_ptr<FtpClient> MakeFtpClient(const std::atomic<bool>* abort, FtpLimits limits);
