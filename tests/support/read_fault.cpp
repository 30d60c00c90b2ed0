// Preloaded: read() of the file SKYLOG_FAIL_READ_PATH (its real path) fails with EIO once it has been read
// past SKYLOG_FAIL_READ_AFTER bytes, as on a failing disk.
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <unistd.h>

extern "C" ssize_t read(int fd, void* buffer, size_t count)
{
    using ReadFunction = ssize_t (*)(int, void*, size_t);
    static const auto realRead = reinterpret_cast<ReadFunction>(dlsym(RTLD_NEXT, "read"));
    const char* path = std::getenv("SKYLOG_FAIL_READ_PATH");
    const char* after = std::getenv("SKYLOG_FAIL_READ_AFTER");
    if (path && after) {
        char link[64];
        std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
        char target[PATH_MAX];
        const ssize_t n = readlink(link, target, sizeof target - 1);
        if (n > 0) {
            target[n] = '\0';
            if (std::strcmp(target, path) == 0 && lseek(fd, 0, SEEK_CUR) >= std::atoll(after)) {
                errno = EIO;
                return -1;
            }
        }
    }
    return realRead(fd, buffer, count);
}
