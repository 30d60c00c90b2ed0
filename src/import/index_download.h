// Fetching a daily index file over HTTP(S) with libcurl: certificates
// checked, bounded in time and size, and not fetched again when unchanged.
#pragma once

#include <csignal>
#include <cstdint>
#include <optional>
#include <string>

struct DownloadLimits {
    long connectSeconds = 30;
    long stallSeconds = 60;  // no byte for this long ends the transfer
    std::int64_t maxBytes = std::int64_t{64} << 20;
    // Set (by a signal handler, say) to end the transfer at once.
    const volatile std::sig_atomic_t* cancel = nullptr;
};

enum class DownloadStatus { Fetched, NotModified, Failed };

struct DownloadResult {
    DownloadStatus status = DownloadStatus::Failed;
    std::string error;             // why it failed
    std::int64_t bytes = 0;
    std::optional<std::int64_t> lastModified;  // the server's time stamp (Unix seconds)
};

// "SkyLog/3.13 (daily index update)".
std::string UpdateUserAgent();

// Fetches url into targetPath (written whole or not at all). With
// modifiedSince set, a file the server reports unchanged is not fetched.
// Only http and https addresses (also on redirects).
DownloadResult DownloadFile(const std::string& url, const std::string& targetPath,
                            std::optional<std::int64_t> modifiedSince,
                            const DownloadLimits& limits = {});
