// Small file helpers shared by every file the program writes or streams.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

// Writes a file so that it is replaced only as a whole: the text goes to a
// temporary file in the target's folder, which is renamed over the target by
// Commit() once every byte is on disk. Destroying an uncommitted writer
// removes the temporary file and leaves the target as it was.
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
    const std::string& Error() const { return error_; }

private:
    std::string target_;
    std::string tempPath_;
    std::FILE* file_ = nullptr;
    bool failed_ = false;
    std::string error_;

    void Discard();
};

// Reads a text file in pieces like fgets: each piece runs up to and
// including the next line feed, or holds at most maxChars characters.
// Buffered in large blocks, so a long file streams without a call per line.
class LineReader {
public:
    LineReader(const std::string& path, std::size_t maxChars);
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    bool IsOpen() const { return file_ != nullptr; }
    // False at the end of the file (or on a read error, see Failed()).
    bool Next(std::string_view* piece);
    bool Failed() const;
    long long FileSize() const;

private:
    std::FILE* file_ = nullptr;
    std::size_t maxChars_;
    std::string block_;
    std::size_t begin_ = 0;  // first unread byte of block_
    std::size_t end_ = 0;    // end of the bytes held in block_
    bool eof_ = false;
    std::string carry_;      // a piece that straddles two blocks

    bool Refill();
};

// The piece without its line break (a line feed and a carriage return before it).
std::string_view StripLineBreak(std::string_view piece, bool* hadBreak = nullptr,
                                bool* hadCarriageReturn = nullptr);

bool FileExists(const std::string& path);
std::string FolderOf(const std::string& path);
