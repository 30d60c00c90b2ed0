// Small file helpers shared by every file the program writes or streams.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

// Writes a file so that it is replaced only as a whole: the text goes to a
// temporary file in the target's folder, which is renamed over the target by
// Commit() once every byte is on disk. Destroying an uncommitted writer
// removes the temporary file and leaves the target as it was.
//
// A symbolic link is followed: the real file is replaced and the link stays.
// The target keeps its permissions and, where allowed, its owner. A target
// with further hard links is rewritten in place (from the finished temporary
// file), so that every name keeps seeing the same text. A target the user
// may not write is refused.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(std::string targetPath);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    bool IsOpen() const { return file_ != nullptr; }
    void Write(std::string_view text);
    // True when the target now holds exactly what was written.
    bool Commit();
    // Why the file could not be written (empty while all is well).
    const std::string& Error() const { return error_; }
    // The file actually written: the target with its symbolic links resolved.
    const std::string& RealTarget() const { return target_; }

private:
    std::string target_;
    std::string tempPath_;
    std::FILE* file_ = nullptr;
    bool failed_ = false;
    bool inPlace_ = false;  // the target has further hard links
    std::string error_;

    void Discard();
    bool CopyIntoTarget();
};

// The path with every symbolic link of its last component followed (the link
// may point to a file that does not exist yet).
std::string ResolveLinks(const std::string& path);

// Temporary files of AtomicFileWriter are named TARGET + this + 6 characters.
inline constexpr const char* TemporarySuffix = ".skylog-";
// Removes temporary files an interrupted writer of this target left behind.
// Call it only while no other writer of the target can be at work.
void RemoveStaleTemporaries(const std::string& target);

// How opening a file for reading went.
enum class OpenStatus { Open, CannotOpen, NotRegular };

// Reads a text file line by line, each line whole whatever its length. A
// line ends at a line feed, a carriage return and line feed, or a lone
// carriage return (old Mac files). Anything but a regular file (a FIFO, a
// device, a folder) is refused before it is read, so it cannot block.
// Buffered in large blocks, so a long file streams without a call per line.
// With maxChars, a longer line comes in pieces of maxChars characters (for
// formats where such a line can only be damage).
class LineReader {
public:
    explicit LineReader(const std::string& path, std::size_t maxChars = 0);
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    OpenStatus Status() const { return status_; }
    // The next line with its line break. False at the end of the file or on
    // a read error (see Failed()).
    bool Next(std::string_view* line);
    // The rest of the file in blocks of any size, for a scan that needs no
    // lines. Do not mix with Next after the first call.
    bool NextBlock(std::string_view* block);
    // True after a read error; the lines before it were delivered.
    bool Failed() const { return error_ != 0; }
    std::string ErrorText() const;
    long long FileSize() const;

private:
    int fd_ = -1;
    std::size_t maxChars_ = 0;  // 0: whole lines
    OpenStatus status_ = OpenStatus::CannotOpen;
    int error_ = 0;
    std::string block_;
    std::size_t begin_ = 0;  // first unread byte of block_
    std::size_t end_ = 0;    // end of the bytes held in block_
    bool eof_ = false;
    bool pendingCr_ = false;  // the line in line_ ended in a CR at a block's end
    std::string line_;        // a line that straddles two blocks

    bool Refill();
};

// The line without its line break ("\r\n", "\n" or a lone "\r").
// hadCarriageReturn tells a "\r\n" break.
std::string_view StripLineBreak(std::string_view piece, bool* hadBreak = nullptr,
                                bool* hadCarriageReturn = nullptr);

bool FileExists(const std::string& path);
std::string FolderOf(const std::string& path);
