// The fixture of window and plot tests: a program folder of its own, a
// scripted prompt, and the data, settings and plot state as a fresh start
// finds them, before and after every test.
#pragma once

#include <gtest/gtest.h>

#include "config/plot_settings.h"
#include "plot/plot_state.h"
#include "support/data_state.h"
#include "support/scripted_prompt.h"
#include "support/temp_folder.h"

class FreshProgramTest : public ::testing::Test {
protected:
    TempFolder folder;
    ScriptedPrompt prompt;

    void SetUp() override
    {
        ResetDataState();
        Settings() = PlotSettings();
        Plot() = PlotState();
    }
    void TearDown() override
    {
        ResetDataState();
        Settings() = PlotSettings();
    }
};
