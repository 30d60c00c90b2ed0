#include "data/save_guard.h"

#include <sys/stat.h>

#include "data/legacy_conversion.h"
#include "data/prompt.h"
#include "data/text_file.h"

namespace {

// What the file looked like on disk when it was read (or last saved).
struct DiskStamp {
    std::string path;  // empty: nothing known
    bool readFailed = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    long long modifiedNs = 0;
};
// What the guard knows of the data file between a read and a save. One
// instance, updated by the reader and writer; main thread only.
struct GuardState {
    DiskStamp diskStamp;
    // The file whose lines a save would drop; it is copied to a backup first.
    std::string backupPendingFor;
};
GuardState guard;

DiskStamp StampOf(const std::string& realPath)
{
    DiskStamp stamp;
    struct stat info {};
    if (stat(realPath.c_str(), &info) != 0)
        return stamp;
    stamp.path = realPath;
    stamp.device = info.st_dev;
    stamp.inode = info.st_ino;
    stamp.size = info.st_size;
    stamp.modifiedNs =
        static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec;
    return stamp;
}

bool SameFileState(const DiskStamp& a, const DiskStamp& b)
{
    return a.device == b.device && a.inode == b.inode && a.size == b.size &&
           a.modifiedNs == b.modifiedNs;
}

PromptAnswer AskWithoutWaitCursor(const std::string& text, const std::string& caption,
                                  PromptIcon icon)
{
    Prompt().EndWaitCursor();
    const PromptAnswer answer =
        Prompt().MessageBox(text, caption, icon, PromptButtons::YesNoDefaultNo);
    Prompt().BeginWaitCursor();
    return answer;
}

// Asks before a save replaces a file that changed on disk after it was read
// (a scheduled import added days) or that could not be read whole.
bool ConfirmOverwrite(const std::string& realPath, const std::string& shownPath)
{
    if (guard.diskStamp.path != realPath)
        return true;
    std::string question;
    if (guard.diskStamp.readFailed) {
        question = "The data file could not be read completely:\n" + shownPath +
                   "\n\nSaving replaces everything it holds with the days shown here.\n"
                   "Do You Want To Overwrite It?";
    } else {
        const DiskStamp now = StampOf(realPath);
        if (now.path.empty() || SameFileState(now, guard.diskStamp))
            return true;
        question = "The data file was changed by another program after it was read:\n" +
                   shownPath +
                   "\n\nSaving replaces those changes with the days shown here.\n"
                   "Do You Want To Overwrite It?";
    }
    return AskWithoutWaitCursor(question, "FILE CHANGED", PromptIcon::Exclamation) ==
           PromptAnswer::Yes;
}

bool KeepBackupBeforeDropping(const std::string& realPath)
{
    if (guard.backupPendingFor != realPath || !FileExists(realPath))
        return true;
    const std::string backup = ChooseBackupPath(realPath);
    if (backup.empty() || CopyDataFile(realPath, backup) != 0) {
        const PromptAnswer answer = AskWithoutWaitCursor(
            "Unable to make a backup copy\nof your existing data file\nDo you want to continue "
            "anyway?",
            "DATA FILE NOT COPIED", PromptIcon::Stop);
        if (answer != PromptAnswer::Yes)
            return false;
    }
    guard.backupPendingFor.clear();
    return true;
}

}  // namespace

void RememberReadFile(const std::string& realPath)
{
    guard.diskStamp = StampOf(realPath);
    guard.backupPendingFor.clear();
}

void RememberLinesDropped(const std::string& realPath)
{
    guard.backupPendingFor = realPath;
}

void RememberFailedRead(const std::string& realPath)
{
    guard.diskStamp = DiskStamp();
    guard.diskStamp.path = realPath;
    guard.diskStamp.readFailed = true;
    guard.backupPendingFor.clear();
}

void RememberSavedFile(const std::string& realPath)
{
    guard.diskStamp = StampOf(realPath);
}

void ForgetDataFileState()
{
    guard.diskStamp = DiskStamp();
    guard.backupPendingFor.clear();
}

bool SaveMayReplace(const std::string& realPath, const std::string& shownPath)
{
    return ConfirmOverwrite(realPath, shownPath) && KeepBackupBeforeDropping(realPath);
}
