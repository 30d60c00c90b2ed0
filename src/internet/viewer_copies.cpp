#include "internet/viewer_copies.h"

#include <cerrno>
#include <filesystem>
#include <mutex>
#include <signal.h>
#include <stdlib.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

#include "data/number_text.h"
#include "internet/private_files.h"
#include "internet/remote_name.h"

namespace {

// "skylog-view-PID-XXXXXX": the process id tells a later run whether the
// folder's run has ended.
constexpr std::string_view FolderPrefix = "skylog-view-";
constexpr double PidLimit = 4194304;  // Linux's highest possible process id

// The process id in a viewer folder's name; 0 when the name is not one.
pid_t FolderProcess(std::string_view name)
{
    if (name.substr(0, FolderPrefix.size()) != FolderPrefix)
        return 0;
    name.remove_prefix(FolderPrefix.size());
    const std::size_t dash = name.find('-');
    const std::optional<double> pid =
        dash == std::string_view::npos ? std::nullopt : ParseWholeDecimal(name.substr(0, dash), false);
    return pid && *pid >= 1 && *pid <= PidLimit ? static_cast<pid_t>(*pid) : 0;
}

bool ProcessHasEnded(pid_t pid)
{
    return kill(pid, 0) != 0 && errno == ESRCH;
}

// Removes the folder and what it holds when the program ends.
class ViewerFolder {
public:
    ~ViewerFolder()
    {
        if (!path_.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(path_, ignored);
        }
    }
    const std::string& Path()
    {
        // Made again if something (a temporary-file cleaner) removed it.
        std::error_code error;
        if (!path_.empty() && !std::filesystem::is_directory(path_, error))
            path_.clear();
        if (path_.empty()) {
            if (!cleanedUp_) {
                RemoveEndedRunsViewerFolders(TemporaryFolder());
                cleanedUp_ = true;
            }
            std::string pattern = TemporaryFolder() + "/" + std::string(FolderPrefix) +
                                  std::to_string(getpid()) + "-XXXXXX";
            if (mkdtemp(pattern.data()))  // mode 0700
                path_ = pattern;
        }
        return path_;
    }
    const std::string& Existing() const { return path_; }

private:
    std::string path_;
    bool cleanedUp_ = false;
};

std::mutex& FolderMutex()
{
    static std::mutex mutex;
    return mutex;
}

ViewerFolder& Folder()
{
    static ViewerFolder folder;
    return folder;
}

}  // namespace

std::optional<std::string> MakeViewerCopy(const std::string& path, const std::string& name)
{
    if (!IsSafeRemoteName(name))
        return std::nullopt;
    std::lock_guard<std::mutex> lock(FolderMutex());
    const std::string folder = Folder().Path();
    if (folder.empty())
        return std::nullopt;
    // Each copy in a folder of its own, so a bulletin viewed twice keeps its name.
    for (int attempt = 1; attempt < 1000; ++attempt) {
        const std::string sub = folder + "/" + std::to_string(attempt);
        std::error_code error;
        if (!std::filesystem::create_directory(sub, error))
            continue;
        const std::string copy = sub + "/" + name;
        std::filesystem::copy_file(path, copy, error);
        if (error)
            return std::nullopt;
        return copy;
    }
    return std::nullopt;
}

std::string ViewerCopiesFolder()
{
    std::lock_guard<std::mutex> lock(FolderMutex());
    return Folder().Existing();
}

void RemoveEndedRunsViewerFolders(const std::string& tempFolder)
{
    std::error_code error;
    std::filesystem::directory_iterator it(tempFolder, error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        const std::filesystem::directory_entry& entry = *it;
        const std::string name = entry.path().filename().string();
        const pid_t pid = FolderProcess(name);
        if (pid == 0 || !ProcessHasEnded(pid))
            continue;
        // lstat: a link named like our folder is not followed, and only our
        // own folders are removed, whoever else can write to the folder.
        struct stat info {};
        if (lstat(entry.path().c_str(), &info) != 0 || !S_ISDIR(info.st_mode) ||
            info.st_uid != getuid())
            continue;
        std::error_code ignored;
        std::filesystem::remove_all(entry.path(), ignored);
    }
}
