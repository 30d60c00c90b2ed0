// Preloaded into the program by tests: read() of one file fails with EIO
// once the file has been read past a given offset, as on a failing disk.
// SKYLOG_FAIL_READ_PATH names the file (its real path), SKYLOG_FAIL_READ_AFTER
// the offset.
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
