#include "data/text_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

std::string BaseName(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// write() until every byte is out.
bool WriteAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

std::string ResolveLinks(const std::string& path)
{
    std::string resolved = path;
    // The kernel's own limit on links followed in one lookup.
    for (int depth = 0; depth < 40; ++depth) {
        struct stat info {};
        if (lstat(resolved.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return resolved;
        std::string link(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 4096), '\0');
        const ssize_t n = readlink(resolved.c_str(), link.data(), link.size());
        if (n <= 0)
            return resolved;
        link.resize(static_cast<std::size_t>(n));
        resolved = link.front() == '/' ? link : FolderOf(resolved) + "/" + link;
    }
    return resolved;
}

void RemoveStaleTemporaries(const std::string& target)
{
    const std::string prefix = BaseName(target) + TemporarySuffix;
    const std::string folder = FolderOf(target);
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::string path = folder + "/" + name;
        struct stat info {};
        if (lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == geteuid())
            ::unlink(path.c_str());
    }
    closedir(dir);
}

AtomicFileWriter::AtomicFileWriter(std::string targetPath)
    : target_(ResolveLinks(std::move(targetPath)))
{
    struct stat existing {};
    const bool exists = stat(target_.c_str(), &existing) == 0;
    if (exists) {
        if (!S_ISREG(existing.st_mode)) {
            error_ = S_ISDIR(existing.st_mode) ? std::strerror(EISDIR) : "not a regular file";
            return;
        }
        // Even for root a file without any write permission stays as it is.
        if (access(target_.c_str(), W_OK) != 0 || (existing.st_mode & 0222) == 0) {
            error_ = "the file is read-only";
            return;
        }
        inPlace_ = existing.st_nlink > 1;
    }
    tempPath_ = target_ + TemporarySuffix + "XXXXXX";
    const int fd = mkstemp(tempPath_.data());
    if (fd < 0) {
        error_ = std::strerror(errno);
        tempPath_.clear();
        return;
    }
    // Keep the permissions and owner the file had, or give a new one the usual ones.
    if (exists) {
        fchmod(fd, existing.st_mode & 07777);
        if (fchown(fd, existing.st_uid, existing.st_gid) != 0) {
            // Not allowed to give it away: it becomes the user's file.
        }
    } else {
        const mode_t mask = umask(0);
        umask(mask);
        fchmod(fd, 0666 & ~mask);
    }
    file_ = fdopen(fd, "wb");
    if (!file_) {
        error_ = std::strerror(errno);
        close(fd);
        Discard();
    }
}

AtomicFileWriter::~AtomicFileWriter()
{
    Discard();
}

void AtomicFileWriter::Write(std::string_view text)
{
    if (!file_ || failed_)
        return;
    if (std::fwrite(text.data(), 1, text.size(), file_) != text.size()) {
        failed_ = true;
        error_ = std::strerror(errno);
    }
}

bool AtomicFileWriter::CopyIntoTarget()
{
    const int in = ::open(tempPath_.c_str(), O_RDONLY | O_CLOEXEC);
    const int out = ::open(target_.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    bool ok = in >= 0 && out >= 0;
    std::string block(1 << 16, '\0');
    while (ok) {
        const ssize_t n = ::read(in, block.data(), block.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        ok = WriteAll(out, block.data(), static_cast<std::size_t>(n));
    }
    ok = ok && fsync(out) == 0;
    if (!ok)
        error_ = std::strerror(errno);
    if (in >= 0)
        close(in);
    if (out >= 0 && close(out) != 0 && ok) {
        ok = false;
        error_ = std::strerror(errno);
    }
    return ok;
}

bool AtomicFileWriter::Commit()
{
    if (!file_)
        return false;
    bool ok = !failed_ && std::fflush(file_) == 0 && fsync(fileno(file_)) == 0;
    if (!ok && error_.empty())
        error_ = std::strerror(errno);
    if (std::fclose(file_) != 0 && ok) {
        ok = false;
        error_ = std::strerror(errno);
    }
    file_ = nullptr;
    if (ok && inPlace_) {
        // The finished text stays in the temporary file until the copy is
        // complete; should the copy fail half way, the next save (or the
        // user) still has it.
        if (!CopyIntoTarget()) {
            error_ += "; the new text is in " + tempPath_;
            tempPath_.clear();
            return false;
        }
        ::unlink(tempPath_.c_str());
        tempPath_.clear();
        return true;
    }
    if (ok && std::rename(tempPath_.c_str(), target_.c_str()) != 0) {
        ok = false;
        error_ = std::strerror(errno);
    }
    if (ok)
        tempPath_.clear();
    else
        Discard();
    return ok;
}

void AtomicFileWriter::Discard()
{
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!tempPath_.empty()) {
        std::remove(tempPath_.c_str());
        tempPath_.clear();
    }
}

LineReader::LineReader(const std::string& path, std::size_t maxChars) : maxChars_(maxChars)
{
    // O_NONBLOCK: opening a FIFO must not wait for a writer; cleared again
    // once the file is known to be a regular file.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        status_ = OpenStatus::NotRegular;
        return;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    fd_ = fd;
    status_ = OpenStatus::Open;
    block_.assign(1 << 16, '\0');
}

LineReader::~LineReader()
{
    if (fd_ >= 0)
        close(fd_);
}

bool LineReader::Refill()
{
    if (eof_ || fd_ < 0)
        return false;
    begin_ = 0;
    end_ = 0;
    for (;;) {
        const ssize_t n = ::read(fd_, block_.data(), block_.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            error_ = errno;
            eof_ = true;
            return false;
        }
        end_ = static_cast<std::size_t>(n);
        eof_ = n == 0;
        return n > 0;
    }
}

namespace {

// Offset of the first CR or LF in the n bytes at text, or n. Two memchr
// calls beat a byte loop by far on the long files read at start-up.
std::size_t LineBreakOffset(const char* text, std::size_t n)
{
    const void* lf = std::memchr(text, '\n', n);
    const std::size_t lfAt = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - text) : n;
    const void* cr = std::memchr(text, '\r', lfAt);
    return cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - text) : lfAt;
}

}  // namespace

bool LineReader::Next(std::string_view* piece)
{
    if (fd_ < 0)
        return false;
    line_.clear();
    for (;;) {
        if (begin_ == end_ && !Refill()) {
            if (line_.empty())
                return false;
            pendingCr_ = false;
            *piece = line_;
            return true;
        }
        const char* start = block_.data() + begin_;
        const std::size_t available = end_ - begin_;
        if (pendingCr_) {
            // The line ended in a CR at the end of the last block: a LF
            // first in this block belongs to its line break.
            pendingCr_ = false;
            if (start[0] == '\n') {
                line_ += '\n';
                ++begin_;
            }
            *piece = line_;
            return true;
        }
        const std::size_t room = maxChars_ > 0 ? maxChars_ - line_.size() : available;
        const std::size_t limit = std::min(available, room);
        const std::size_t i = LineBreakOffset(start, limit);
        if (i == limit && limit == room && maxChars_ > 0) {
            // A full piece of a long line.
            begin_ += limit;
            if (line_.empty()) {
                *piece = std::string_view(start, limit);
                return true;
            }
            line_.append(start, limit);
            *piece = line_;
            return true;
        }
        if (i == limit) {
            line_.append(start, limit);
            begin_ += limit;
            continue;
        }
        std::size_t length = i + 1;
        if (start[i] == '\r') {
            if (i + 1 == available) {
                line_.append(start, length);
                begin_ = end_;
                pendingCr_ = true;
                continue;
            }
            if (start[i + 1] == '\n')
                ++length;
        }
        begin_ += length;
        if (line_.empty()) {
            *piece = std::string_view(start, length);
            return true;
        }
        line_.append(start, length);
        *piece = line_;
        return true;
    }
}

bool LineReader::NextBlock(std::string_view* block)
{
    if (fd_ < 0 || (begin_ == end_ && !Refill()))
        return false;
    *block = std::string_view(block_.data() + begin_, end_ - begin_);
    begin_ = end_;
    pendingCr_ = false;
    return true;
}

std::string LineReader::ErrorText() const
{
    return error_ ? std::strerror(error_) : std::string();
}

long long LineReader::FileSize() const
{
    struct stat info {};
    if (fd_ < 0 || fstat(fd_, &info) != 0)
        return 0;
    return static_cast<long long>(info.st_size);
}

std::string_view StripLineBreak(std::string_view piece, bool* hadBreak, bool* hadCarriageReturn)
{
    bool ended = false, crlf = false;
    if (!piece.empty() && piece.back() == '\n') {
        piece.remove_suffix(1);
        ended = true;
        if (!piece.empty() && piece.back() == '\r') {
            piece.remove_suffix(1);
            crlf = true;
        }
    } else if (!piece.empty() && piece.back() == '\r') {
        piece.remove_suffix(1);
        ended = true;
    }
    if (hadBreak)
        *hadBreak = ended;
    if (hadCarriageReturn)
        *hadCarriageReturn = crlf;
    return piece;
}

bool FileExists(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}
