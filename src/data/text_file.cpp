#include "data/text_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

AtomicFileWriter::AtomicFileWriter(std::string targetPath) : target_(std::move(targetPath))
{
    tempPath_ = target_ + ".XXXXXX";
    const int fd = mkstemp(tempPath_.data());
    if (fd < 0) {
        error_ = std::strerror(errno);
        tempPath_.clear();
        return;
    }
    // Keep the permissions the file had, or give a new one the usual ones.
    struct stat existing {};
    if (stat(target_.c_str(), &existing) == 0) {
        fchmod(fd, existing.st_mode & 07777);
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

LineReader::LineReader(const std::string& path, std::size_t maxChars)
    : file_(std::fopen(path.c_str(), "rb")), maxChars_(maxChars < 1 ? 1 : maxChars),
      block_(1 << 16, '\0')
{
}

LineReader::~LineReader()
{
    if (file_)
        std::fclose(file_);
}

bool LineReader::Refill()
{
    if (eof_ || !file_)
        return false;
    begin_ = 0;
    end_ = std::fread(block_.data(), 1, block_.size(), file_);
    if (end_ == 0)
        eof_ = true;
    return end_ > 0;
}

bool LineReader::Next(std::string_view* piece)
{
    if (!file_)
        return false;
    carry_.clear();
    for (;;) {
        if (begin_ == end_ && !Refill()) {
            if (carry_.empty())
                return false;
            *piece = carry_;
            return true;
        }
        const std::size_t room = maxChars_ - carry_.size();
        const std::size_t available = std::min(end_ - begin_, room);
        const char* start = block_.data() + begin_;
        const void* lf = std::memchr(start, '\n', available);
        const std::size_t length =
            lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - start) + 1 : available;
        begin_ += length;
        if (carry_.empty() && (lf || length == room)) {
            *piece = std::string_view(start, length);
            return true;
        }
        carry_.append(start, length);
        if (lf || carry_.size() == maxChars_) {
            *piece = carry_;
            return true;
        }
    }
}

bool LineReader::Failed() const
{
    return !file_ || std::ferror(file_) != 0;
}

long long LineReader::FileSize() const
{
    struct stat info {};
    if (!file_ || fstat(fileno(file_), &info) != 0)
        return 0;
    return static_cast<long long>(info.st_size);
}

std::string_view StripLineBreak(std::string_view piece, bool* hadBreak, bool* hadCarriageReturn)
{
    bool lf = false, cr = false;
    if (!piece.empty() && piece.back() == '\n') {
        piece.remove_suffix(1);
        lf = true;
        if (!piece.empty() && piece.back() == '\r') {
            piece.remove_suffix(1);
            cr = true;
        }
    }
    if (hadBreak)
        *hadBreak = lf;
    if (hadCarriageReturn)
        *hadCarriageReturn = cr;
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
