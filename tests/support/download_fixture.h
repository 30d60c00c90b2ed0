// What the single-download and checked-files tests share: a private
// temporary folder and program folder, a scripted prompt, a recording text
// viewer, and the check that no fetched file is left behind.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "config/plot_settings.h"
#include "data/text_file.h"
#include "internet/checked_file_list.h"
#include "ui/text_viewer.h"
#include "support/data_state.h"
#include "support/scripted_prompt.h"
#include "support/temp_folder.h"

inline CheckedFileList ListOf(const std::vector<std::string>& names)
{
    CheckedFileList list;
    for (const std::string& name : names)
        list.Add(name);
    return list;
}

class DownloadFixture : public ::testing::Test {
protected:
    TempFolder tmp_;   // the temporary folder
    TempFolder home_;  // the program folder (made last, so SKYLOG_HOME names it)
    ScriptedPrompt prompt_;
    std::vector<std::string> viewedTexts_;  // what the text viewer was given

    void SetUp() override
    {
        ResetDataState();
        Settings() = PlotSettings();
        Settings().FTPDir = "pub/bulletins";
        setenv("TMPDIR", tmp_.Path().c_str(), 1);
        SetTextViewer([this](const std::string& path) {
            viewedTexts_.push_back(ReadTextFile(path));
            return true;
        });
    }
    void TearDown() override
    {
        SetTextViewer({});
        unsetenv("TMPDIR");
        ResetDataState();
    }
    std::string Fnames() const { return home_.File("FNAMES.DAT"); }
    // No fetched file is left (viewer copies stay until the program ends).
    bool NoTemporaryFiles() const
    {
        for (const auto& entry : std::filesystem::directory_iterator(tmp_.Path()))
            if (entry.path().filename().string().rfind("skylog-fetch-", 0) == 0)
                return false;
        return true;
    }
};
