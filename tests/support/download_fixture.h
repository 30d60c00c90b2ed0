// The fetch folders, a scripted prompt and a recording text viewer, for the download window tests.
#pragma once

#include <string>
#include <vector>

#include "data/text_file.h"
#include "internet/checked_file_list.h"
#include "ui/text_viewer.h"
#include "support/fetch_folders.h"
#include "support/ftp_server.h"
#include "support/scripted_prompt.h"

inline CheckedFileList ListOf(const std::vector<std::string>& names)
{
    CheckedFileList list;
    list.Replace(names);
    return list;
}

class DownloadFixture : public FetchFolders {
protected:
    ScriptedPrompt prompt_;
    std::vector<std::string> viewedTexts_;  // what the text viewer was given

    void SetUp() override
    {
        FetchFolders::SetUp();
        Settings().FTPDir = "pub/bulletins";
        SetTextViewer([this](const std::string& path) {
            viewedTexts_.push_back(ReadTextFile(path));
            return true;
        });
    }
    void TearDown() override { SetTextViewer({}), FetchFolders::TearDown(); }
    // Serves the files under pub/bulletins of a site folder in the program folder.
    std::string WriteSite(const std::vector<ArchiveFile>& files)
    {
        WriteArchive(home_.File("site"), "pub/bulletins", files);
        return home_.File("site");
    }
    std::string Fnames() const { return home_.File("FNAMES.DAT"); }
};
