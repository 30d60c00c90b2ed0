// Copies of fetched bulletins handed to a text viewer. The viewer starts on
// its own and may read the file any time later, so the copy lives in a
// private folder of this run that is removed when the program exits; the
// folders of runs that ended without removing theirs (killed, crashed) are
// removed by the next run that makes one.
#pragma once

#include <optional>
#include <string>

// Copies the file at path to a new file named name in this run's viewer
// folder (mode 0700, created on first use); nothing when the copy fails or
// name is not a plain file name.
std::optional<std::string> MakeViewerCopy(const std::string& path, const std::string& name);

// The folder of this run's viewer copies; empty until the first copy.
std::string ViewerCopiesFolder();

// Removes the viewer folders in tempFolder left by runs of ours that have
// ended: folders named for a process that no longer exists and owned by this
// user. Another user's folders, symbolic links and folders of running
// processes are left alone.
void RemoveEndedRunsViewerFolders(const std::string& tempFolder);
