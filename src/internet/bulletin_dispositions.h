// What happens to a fetched bulletin: saved to a folder the user picks,
// parsed and merged into the records, shown in a text viewer, or any of
// these together. Talks to the user through the prompt interface.
#pragma once

#include <functional>
#include <string>

class BulletinParser;
class CheckedFileList;
class PrivateTempFile;

struct BulletinDispositions {
    bool save = false;  // "Save To Disk"
    bool view = false;  // "Open In Viewer"
    bool add = false;   // "Add Data To Datebase"
};

// Opens a file in the user's text viewer; false when none could be started
// (the viewer reports why itself, so a failure is never silent).
using TextViewer = std::function<bool(const std::string& path)>;

// The folder chooser's title for a kept bulletin.
inline constexpr const char* SaveFolderTitle = "Select Directory";

// Moves the fetched file to FOLDER/name in a folder the user picks. An
// existing file there is never replaced: the move fails and the "MOVE FILE
// FAILED" message says where the file still is (the temporary file is then
// kept). Cancel leaves the temporary file where it is. Returns the path the
// bulletin has now.
std::string SaveFetchedBulletin(const std::string& name, PrivateTempFile& fetched);

// Reads and merges the bulletin at path, records name in the checked list
// when the merge is done or the failure is permanent, and says what
// happened ("NEW DATA ADDED" or "DATA NOT ADDED").
void AddFetchedBulletin(const std::string& name, const std::string& path, BulletinParser& parser,
                        CheckedFileList& checked);

// Hands the viewer a copy of the file at path, named name, that stays until
// the program exits. False when no copy could be made (said so) or the
// viewer did not start.
bool ViewFetchedBulletin(const std::string& name, const std::string& path, const TextViewer& viewer);

// The whole treatment of a fetched bulletin in the order save, add, view.
// The temporary file is removed afterwards unless it was moved or is named in
// a "MOVE FILE FAILED" message.
void HandleFetchedBulletin(const std::string& name, PrivateTempFile& fetched,
                           const BulletinDispositions& dispositions, BulletinParser& parser,
                           CheckedFileList& checked, const TextViewer& viewer);
