// FtpClient over libcurl: one easy handle, so curl keeps the control
// connection open and reuses it for every listing and transfer.
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <curl/curl.h>
#include <mutex>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>

#include "internet/ftp_client.h"

namespace {

long EnvironmentSeconds(const char* name, long fallback)
{
    const char* text = std::getenv(name);
    if (!text || !*text)
        return fallback;
    const long value = std::strtol(text, nullptr, 10);
    return value > 0 ? value : fallback;
}

bool ValidHost(const std::string& host)
{
    if (host.size() > 2 && host.front() == '[' && host.back() == ']') {
        return std::all_of(host.begin() + 1, host.end() - 1, [](char c) {
            return std::isxdigit(static_cast<unsigned char>(c)) || c == ':' || c == '.';
        });
    }
    return std::all_of(host.begin(), host.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '.' || c == '_';
    });
}

// Reads scheme://host[:port][/path]; the path is not used.
std::optional<FtpSite> ParseAddress(const std::string& text)
{
    const std::size_t marker = text.find("://");
    if (marker == std::string::npos || marker == 0)
        return std::nullopt;
    FtpSite site;
    for (char c : text.substr(0, marker)) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.')
            return std::nullopt;
        site.scheme += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    std::string authority = text.substr(marker + 3);
    authority = authority.substr(0, authority.find_first_of("/?#"));
    if (authority.find('@') != std::string::npos)
        return std::nullopt;  // the login is always anonymous
    std::string host = authority;
    const std::size_t colon = authority.rfind(':');
    if (colon != std::string::npos && authority.find(']', colon) == std::string::npos) {
        host = authority.substr(0, colon);
        const std::string port = authority.substr(colon + 1);
        if (port.empty() || port.size() > 5 ||
            !std::all_of(port.begin(), port.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return std::nullopt;
        site.port = std::atoi(port.c_str());
        if (site.port < 1 || site.port > 65535)
            return std::nullopt;
    }
    if (!ValidHost(host))
        return std::nullopt;
    site.host = host;
    return site;
}

void InitCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

class CurlFtpClient final : public FtpClient {
public:
    CurlFtpClient(const std::atomic<bool>* abort, FtpLimits limits) : abort_(abort), limits_(limits)
    {
        InitCurlOnce();
    }
    ~CurlFtpClient() override { Close(); }

    FtpOutcome Connect(const FtpSite& site, const std::string& user,
                       const std::string& password) override
    {
        Close();
        multi_ = curl_multi_init();
        easy_ = curl_easy_init();
        if (!multi_ || !easy_) {
            Close();
            return FtpOutcome::Failed;
        }
        base_ = "ftp://" + site.host;
        if (site.port > 0)
            base_ += ":" + std::to_string(site.port);
        path_.clear();
        absolute_ = false;
        curl_easy_setopt(easy_, CURLOPT_USERNAME, user.c_str());
        curl_easy_setopt(easy_, CURLOPT_PASSWORD, password.c_str());
        curl_easy_setopt(easy_, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(easy_, CURLOPT_PROTOCOLS_STR, "ftp");
        curl_easy_setopt(easy_, CURLOPT_CONNECTTIMEOUT, limits_.connectSeconds);
        curl_easy_setopt(easy_, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(easy_, CURLOPT_LOW_SPEED_TIME, limits_.stallSeconds);
        curl_easy_setopt(easy_, CURLOPT_SERVER_RESPONSE_TIMEOUT, limits_.stallSeconds);
        curl_easy_setopt(easy_, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(easy_, CURLOPT_XFERINFOFUNCTION, &CurlFtpClient::OnProgress);
        curl_easy_setopt(easy_, CURLOPT_XFERINFODATA, this);
        curl_easy_setopt(easy_, CURLOPT_OPENSOCKETFUNCTION, &CurlFtpClient::OnOpenSocket);
        curl_easy_setopt(easy_, CURLOPT_OPENSOCKETDATA, this);
        curl_easy_setopt(easy_, CURLOPT_CLOSESOCKETFUNCTION, &CurlFtpClient::OnCloseSocket);
        curl_easy_setopt(easy_, CURLOPT_CLOSESOCKETDATA, this);
        curl_easy_setopt(easy_, CURLOPT_WRITEFUNCTION, &CurlFtpClient::OnWrite);
        curl_easy_setopt(easy_, CURLOPT_WRITEDATA, this);
        curl_easy_setopt(easy_, CURLOPT_ERRORBUFFER, errorText_);
        // One CWD per directory change instead of one per path component,
        // and no SIZE before each RETR (OnWrite enforces the size limit):
        // two round trips per bulletin instead of three.
        curl_easy_setopt(easy_, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_SINGLECWD));
        curl_easy_setopt(easy_, CURLOPT_IGNORE_CONTENT_LENGTH, 1L);
        // The login happens on the first request; it lists nothing.
        return Perform(DirectoryUrl(), Request::Probe);
    }

    FtpOutcome ChangeDirectory(const std::string& path) override
    {
        if (!easy_)
            return FtpOutcome::Failed;
        std::vector<std::string> target = path_;
        bool absolute = absolute_;
        if (!path.empty() && path.front() == '/') {
            target.clear();
            absolute = true;
        }
        std::size_t start = 0;
        while (start <= path.size()) {
            std::size_t end = path.find('/', start);
            if (end == std::string::npos)
                end = path.size();
            const std::string part = path.substr(start, end - start);
            if (part == "..") {
                if (!target.empty())
                    target.pop_back();
            } else if (!part.empty() && part != ".") {
                target.push_back(part);
            }
            start = end + 1;
        }
        const std::vector<std::string> previous = path_;
        const bool previousAbsolute = absolute_;
        path_ = target;
        absolute_ = absolute;
        const FtpOutcome outcome = Perform(DirectoryUrl(), Request::Probe);
        if (outcome != FtpOutcome::Ok) {
            path_ = previous;
            absolute_ = previousAbsolute;
        }
        return outcome;
    }

    FtpOutcome ListNames(std::vector<std::string>* names) override
    {
        names->clear();
        if (!easy_)
            return FtpOutcome::Failed;
        listing_.clear();
        const FtpOutcome outcome = Perform(DirectoryUrl(), Request::List);
        if (outcome != FtpOutcome::Ok)
            return outcome;
        std::size_t start = 0;
        while (start < listing_.size()) {
            std::size_t end = listing_.find('\n', start);
            if (end == std::string::npos)
                end = listing_.size();
            std::string name = listing_.substr(start, end - start);
            if (!name.empty() && name.back() == '\r')
                name.pop_back();
            if (!name.empty())
                names->push_back(std::move(name));
            start = end + 1;
        }
        return FtpOutcome::Ok;
    }

    FtpOutcome FetchFile(const std::string& name, int fd) override
    {
        if (!easy_)
            return FtpOutcome::Failed;
        char* escaped = curl_easy_escape(easy_, name.c_str(), static_cast<int>(name.size()));
        if (!escaped)
            return FtpOutcome::Failed;
        const std::string url = DirectoryUrl() + escaped;
        curl_free(escaped);
        fd_ = fd;
        return Perform(url, Request::Fetch);
    }

    // The connection lives in the multi handle's cache: closing that logs out.
    void Close() override
    {
        if (easy_) {
            curl_easy_cleanup(easy_);
            easy_ = nullptr;
        }
        if (multi_) {
            curl_multi_cleanup(multi_);
            multi_ = nullptr;
        }
    }

    void ForceClose() override
    {
        std::lock_guard<std::mutex> lock(socketsMutex_);
        for (curl_socket_t socket : sockets_)
            shutdown(socket, SHUT_RDWR);
    }

private:
    enum class Request { Probe, List, Fetch };

    const std::atomic<bool>* abort_;
    FtpLimits limits_;
    CURLM* multi_ = nullptr;
    CURL* easy_ = nullptr;
    std::string base_;
    std::vector<std::string> path_;
    bool absolute_ = false;
    Request request_ = Request::Probe;
    std::string listing_;
    int fd_ = -1;
    long long received_ = 0;
    bool tooLarge_ = false;
    bool writeFailed_ = false;
    char errorText_[CURL_ERROR_SIZE] = {};
    std::mutex socketsMutex_;
    std::vector<curl_socket_t> sockets_;

    std::string DirectoryUrl() const
    {
        std::string url = base_ + "/";
        if (absolute_)
            url += "%2F";
        for (const std::string& part : path_) {
            char* escaped = curl_easy_escape(easy_, part.c_str(), static_cast<int>(part.size()));
            url += escaped ? escaped : "";
            curl_free(escaped);
            url += "/";
        }
        return url;
    }

    FtpOutcome Perform(const std::string& url, Request request)
    {
        if (abort_ && abort_->load())
            return FtpOutcome::Aborted;
        request_ = request;
        received_ = 0;
        tooLarge_ = false;
        writeFailed_ = false;
        errorText_[0] = '\0';
        curl_easy_setopt(easy_, CURLOPT_URL, url.c_str());
        curl_easy_setopt(easy_, CURLOPT_NOBODY, request == Request::Probe ? 1L : 0L);
        curl_easy_setopt(easy_, CURLOPT_DIRLISTONLY, request == Request::List ? 1L : 0L);
        curl_easy_setopt(easy_, CURLOPT_MAXFILESIZE_LARGE,
                         static_cast<curl_off_t>(request == Request::Fetch ? limits_.maxFileBytes : 0));
        const CURLcode code = Drive();
        if (code == CURLE_OK)
            return FtpOutcome::Ok;
        if (abort_ && abort_->load())
            return FtpOutcome::Aborted;
        if (code == CURLE_FILESIZE_EXCEEDED || tooLarge_)
            return FtpOutcome::TooLarge;
        return FtpOutcome::Failed;
    }

    // Runs the request to its end. libcurl 7.88 can read a reply (the
    // passive-mode port, typically) and then wait on no socket at all until
    // its next timer, a second or more away: when it watches no socket it is
    // called again at once, and the wait is capped at 10 ms besides.
    CURLcode Drive()
    {
        if (curl_multi_add_handle(multi_, easy_) != CURLM_OK)
            return CURLE_FAILED_INIT;
        CURLcode result = CURLE_OK;
        for (int running = 1, quietRounds = 0;;) {
            if (curl_multi_perform(multi_, &running) != CURLM_OK) {
                result = CURLE_FAILED_INIT;
                break;
            }
            if (running == 0)
                break;
            if (abort_ && abort_->load()) {
                result = CURLE_ABORTED_BY_CALLBACK;
                break;
            }
            if (!WatchesSocket() && ++quietRounds <= 3)
                continue;
            quietRounds = 0;
            curl_multi_poll(multi_, nullptr, 0, 10, nullptr);
        }
        int queued = 0;
        while (CURLMsg* message = curl_multi_info_read(multi_, &queued)) {
            if (message->msg == CURLMSG_DONE && message->easy_handle == easy_)
                result = message->data.result;
        }
        curl_multi_remove_handle(multi_, easy_);
        return result;
    }

    bool WatchesSocket()
    {
        fd_set read, write, error;
        FD_ZERO(&read);
        FD_ZERO(&write);
        FD_ZERO(&error);
        int highest = -1;
        curl_multi_fdset(multi_, &read, &write, &error, &highest);
        return highest >= 0;
    }

    static size_t OnWrite(char* data, size_t size, size_t count, void* self)
    {
        auto* client = static_cast<CurlFtpClient*>(self);
        const size_t bytes = size * count;
        client->received_ += static_cast<long long>(bytes);
        if (client->received_ > client->limits_.maxFileBytes) {
            client->tooLarge_ = true;
            return 0;  // refuse: the transfer ends before the disk fills
        }
        if (client->request_ == Request::List) {
            client->listing_.append(data, bytes);
            return bytes;
        }
        for (size_t done = 0; done < bytes;) {
            const ssize_t n = write(client->fd_, data + done, bytes - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                client->writeFailed_ = true;
                return 0;
            }
            done += static_cast<size_t>(n);
        }
        return bytes;
    }

    static int OnProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
    {
        const auto* client = static_cast<const CurlFtpClient*>(self);
        return client->abort_ && client->abort_->load() ? 1 : 0;
    }

    static curl_socket_t OnOpenSocket(void* self, curlsocktype, curl_sockaddr* address)
    {
        auto* client = static_cast<CurlFtpClient*>(self);
        const curl_socket_t socket =
            ::socket(address->family, address->socktype | SOCK_CLOEXEC, address->protocol);
        if (socket != CURL_SOCKET_BAD) {
            std::lock_guard<std::mutex> lock(client->socketsMutex_);
            client->sockets_.push_back(socket);
        }
        return socket;
    }

    // Closing under the lock keeps ForceClose from reaching a reused number.
    static int OnCloseSocket(void* self, curl_socket_t socket)
    {
        auto* client = static_cast<CurlFtpClient*>(self);
        std::lock_guard<std::mutex> lock(client->socketsMutex_);
        auto& sockets = client->sockets_;
        sockets.erase(std::remove(sockets.begin(), sockets.end(), socket), sockets.end());
        return ::close(socket);
    }
};

}  // namespace

FtpLimits CurrentFtpLimits()
{
    FtpLimits limits;
    limits.stallSeconds = EnvironmentSeconds("SKYLOG_FTP_STALL_SECONDS", limits.stallSeconds);
    limits.connectSeconds = EnvironmentSeconds("SKYLOG_FTP_CONNECT_SECONDS", limits.connectSeconds);
    return limits;
}

std::optional<FtpSite> ParseFtpSite(const std::string& text)
{
    if (text.find("://") != std::string::npos)
        return ParseAddress(text);
    return ParseAddress("ftp://" + text);
}

std::unique_ptr<FtpClient> MakeFtpClient(const std::atomic<bool>* abort, FtpLimits limits)
{
    return std::make_unique<CurlFtpClient>(abort, limits);
}
