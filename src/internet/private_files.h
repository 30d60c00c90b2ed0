// Files of our own in shared places: a fetched bulletin is written to a
// temporary file that no other user can have planted, and kept copies never
// replace a file that is already there.
#pragma once

#include <string>

// A temporary file created exclusively (mode 0600) in the temporary folder
// ($TMPDIR, else /tmp), removed when this object goes unless Release()d.
class PrivateTempFile {
public:
    PrivateTempFile();
    ~PrivateTempFile();
    PrivateTempFile(const PrivateTempFile&) = delete;
    PrivateTempFile& operator=(const PrivateTempFile&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    int Descriptor() const { return fd_; }
    const std::string& Path() const { return path_; }
    // Empties the file for a new transfer.
    bool Truncate();
    // Closes the descriptor and removes the file, if it is still ours.
    void Remove();
    // Closes the descriptor; the file stays and is no longer removed by us.
    void Release();

private:
    std::string path_;
    int fd_ = -1;
};

// Moves from to to, but only when nothing is at to: a rename that cannot
// replace, and across file systems an exclusive copy then removal of from.
// False (and from untouched) when to exists or the move fails.
bool MoveFileNoReplace(const std::string& from, const std::string& to);

// True when path names a folder this user may create files in.
bool IsWritableFolder(const std::string& path);

// The folder for temporary files: $TMPDIR when set, else /tmp.
std::string TemporaryFolder();
