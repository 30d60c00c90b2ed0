// Window and plot tests: a program folder, a scripted prompt, and the state as a fresh start finds it.
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

    void SetUp() override { ResetProgramState(); }
    void TearDown() override { ResetProgramState(); }
    static void ResetProgramState() { ResetDataState(), Settings() = PlotSettings(), Plot() = PlotState(); }
};
