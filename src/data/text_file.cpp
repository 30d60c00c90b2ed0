#include "data/text_file.h"

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
    : file_(std::fopen(path.c_str(), "rb")), buffer_(maxChars + 1, '\0')
{
}

LineReader::~LineReader()
{
    if (file_)
        std::fclose(file_);
}

bool LineReader::Next(std::string_view* piece)
{
    if (!file_)
        return false;
    if (!std::fgets(buffer_.data(), static_cast<int>(buffer_.size()), file_))
        return false;
    // A NUL byte in the text would end strlen early; the piece then ends there.
    *piece = std::string_view(buffer_.data(), std::strlen(buffer_.data()));
    return true;
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
