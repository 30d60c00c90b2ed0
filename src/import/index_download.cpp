#include "import/index_download.h"

#include <curl/curl.h>

#include <mutex>

#include "data/text_file.h"

namespace {

struct Transfer {
    AtomicFileWriter* writer = nullptr;
    std::int64_t bytes = 0;
    std::int64_t maxBytes = 0;
    bool tooLarge = false;
    const volatile std::sig_atomic_t* cancel = nullptr;
};

// Called by libcurl about once a second and on every block: a nonzero
// answer ends the transfer.
int CheckCancel(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    const Transfer& transfer = *static_cast<const Transfer*>(user);
    return transfer.cancel && *transfer.cancel ? 1 : 0;
}

std::size_t WriteBody(char* data, std::size_t size, std::size_t count, void* user)
{
    Transfer& transfer = *static_cast<Transfer*>(user);
    const std::size_t n = size * count;
    transfer.bytes += static_cast<std::int64_t>(n);
    if (transfer.bytes > transfer.maxBytes) {
        transfer.tooLarge = true;
        return 0;  // ends the transfer
    }
    transfer.writer->Write(std::string_view(data, n));
    return n;
}

void InitCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::string MegabytesText(std::int64_t bytes) { return std::to_string(bytes >> 20) + " MiB"; }

}  // namespace

std::string UpdateUserAgent() { return std::string("SkyLog/") + SKYLOG_VERSION + " (daily index update)"; }

DownloadResult DownloadFile(const std::string& url, const std::string& targetPath,
                            std::optional<std::int64_t> modifiedSince, const DownloadLimits& limits)
{
    InitCurlOnce();
    DownloadResult result;
    CURL* curl = curl_easy_init();
    if (!curl) {
        result.error = "the transfer library could not start";
        return result;
    }
    AtomicFileWriter writer(targetPath);
    if (!writer.IsOpen()) {
        curl_easy_cleanup(curl);
        result.error = "cannot write " + targetPath;
        return result;
    }
    Transfer transfer{&writer, 0, limits.maxBytes, false, limits.cancel};
    const std::string agent = UpdateUserAgent();
    char errorText[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, limits.connectSeconds);
    // Less than one byte a second for the stall time counts as stalled.
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, limits.stallSeconds);
    curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxBytes));
    curl_easy_setopt(curl, CURLOPT_USERAGENT, agent.c_str());
    curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(curl, CURLOPT_FILETIME, 1L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorText);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, WriteBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, CheckCancel);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    if (modifiedSince) {
        curl_easy_setopt(curl, CURLOPT_TIMECONDITION, static_cast<long>(CURL_TIMECOND_IFMODSINCE));
        curl_easy_setopt(curl, CURLOPT_TIMEVALUE_LARGE, static_cast<curl_off_t>(*modifiedSince));
    }
    const CURLcode code = curl_easy_perform(curl);
    long unmet = 0;
    curl_easy_getinfo(curl, CURLINFO_CONDITION_UNMET, &unmet);
    curl_off_t fileTime = -1;
    curl_easy_getinfo(curl, CURLINFO_FILETIME_T, &fileTime);
    curl_easy_cleanup(curl);

    result.bytes = transfer.bytes;
    if (fileTime >= 0)
        result.lastModified = static_cast<std::int64_t>(fileTime);
    if (code == CURLE_ABORTED_BY_CALLBACK) {
        result.error = "interrupted";
    } else if (transfer.tooLarge || code == CURLE_FILESIZE_EXCEEDED) {
        result.error = "larger than " + MegabytesText(limits.maxBytes) + "; not imported";
    } else if (code == CURLE_OPERATION_TIMEDOUT) {
        result.error = "timed out (" + std::string(errorText[0] ? errorText : curl_easy_strerror(code)) + ")";
    } else if (code != CURLE_OK) {
        result.error = errorText[0] ? errorText : curl_easy_strerror(code);
    } else if (unmet) {
        result.status = DownloadStatus::NotModified;
    } else if (!writer.Commit()) {
        result.error = "cannot write " + targetPath + ": " + writer.Error();
    } else {
        result.status = DownloadStatus::Fetched;
    }
    return result;
}
