// A test that fetches bulletins: a private TMPDIR and program folder, a fresh start, no fetched file left.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "config/plot_settings.h"
#include "support/data_state.h"
#include "support/temp_folder.h"

class FetchFolders : public ::testing::Test {
protected:
    TempFolder tmp_;   // the temporary folder
    TempFolder home_;  // the program folder (made last, so SKYLOG_HOME names it)

    void SetUp() override
    {
        ResetDataState();
        Settings() = PlotSettings();
        setenv("TMPDIR", tmp_.Path().c_str(), 1);
    }
    void TearDown() override { unsetenv("TMPDIR"), ResetDataState(); }
    // No fetched file is left (viewer copies stay until the program ends).
    bool NoTemporaryFiles() const
    {
        for (const auto& entry : std::filesystem::directory_iterator(tmp_.Path()))
            if (entry.path().filename().string().rfind("skylog-fetch-", 0) == 0)
                return false;
        return true;
    }
};
