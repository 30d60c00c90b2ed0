// Advisory lock that keeps two SkyLog processes from changing one data file
// at the same time (a scheduled import while the window saves, two imports).
#pragma once

#include <string>

// Holds an exclusive flock on the folder of the real data file (symbolic
// links followed) for its lifetime; the folder, because the data file itself
// is replaced by a rename on every save, and a lock file would be left
// beside it. Locks of one folder nest within a process. Waits for another
// holder, pumping messages, up to waitSeconds; IsHeld() is false when it
// did not get the lock in time. Where no lock can be taken at all (a folder
// that does not exist, a file system without flock) it goes on unlocked:
// nothing else takes a lock there either.
class DataFileLock {
public:
    explicit DataFileLock(const std::string& dataPath, int waitSeconds = 30);
    ~DataFileLock();
    DataFileLock(const DataFileLock&) = delete;
    DataFileLock& operator=(const DataFileLock&) = delete;

    bool IsHeld() const { return held_; }
    const std::string& LockedFolder() const { return folder_; }

private:
    std::string folder_;
    bool held_ = false;
    bool owns_ = false;  // this object took (or nested into) a real lock
};
