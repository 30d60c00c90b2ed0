#include "internet/viewer_copies.h"

#include <filesystem>
#include <mutex>
#include <stdlib.h>

#include "internet/private_files.h"
#include "internet/remote_name.h"

namespace {

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
            std::string pattern = TemporaryFolder() + "/skylog-view-XXXXXX";
            if (mkdtemp(pattern.data()))  // mode 0700
                path_ = pattern;
        }
        return path_;
    }
    const std::string& Existing() const { return path_; }

private:
    std::string path_;
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
