#include "data/file_lock.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <map>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

#include "data/prompt.h"
#include "data/text_file.h"

namespace {

struct HeldLock {
    int fd = -1;
    int depth = 0;
};

// flock locks belong to an open file, so a second open in this process
// would wait for itself: nested locks of one folder share the first.
std::map<std::string, HeldLock>& HeldLocks()
{
    static std::map<std::string, HeldLock> locks;
    return locks;
}

}  // namespace

DataFileLock::DataFileLock(const std::string& dataPath, int waitSeconds)
    : folder_(FolderOf(ResolveLinks(dataPath)))
{
    auto found = HeldLocks().find(folder_);
    if (found != HeldLocks().end()) {
        ++found->second.depth;
        held_ = owns_ = true;
        return;
    }
    const int fd = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        held_ = true;
        return;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(waitSeconds);
    for (;;) {
        if (flock(fd, LOCK_EX | LOCK_NB) == 0)
            break;
        if (errno != EWOULDBLOCK && errno != EINTR) {
            close(fd);
            held_ = true;
            return;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            close(fd);
            return;
        }
        PumpMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    HeldLocks()[folder_] = HeldLock{fd, 1};
    held_ = owns_ = true;
}

DataFileLock::~DataFileLock()
{
    if (!owns_)
        return;
    auto found = HeldLocks().find(folder_);
    if (found != HeldLocks().end() && --found->second.depth == 0) {
        flock(found->second.fd, LOCK_UN);
        close(found->second.fd);
        HeldLocks().erase(found);
    }
}
