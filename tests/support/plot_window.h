// The main window over generated days, shown on the offscreen screen with
// its plot painted: the fixture of the tests that drive the plot by hand.
#pragma once

#include <gtest/gtest.h>

#include <QTest>
#include <cstdio>
#include <string>

#include "config/plot_settings.h"
#include "plot/plot_state.h"
#include "support/data_state.h"
#include "support/scripted_prompt.h"
#include "support/temp_folder.h"
#include "ui/frame.h"
#include "ui/view.h"

// Day i of a made-up calendar (28-day months, 12-month years from 1900):
// every day has its own date, computed without the program's calendar.
inline std::string MadeUpDate(int i)
{
    char date[32];
    std::snprintf(date, sizeof date, "%02d/%02d/%04d", i / 28 % 12 + 1, i % 28 + 1, 1900 + i / 336);
    return date;
}

class PlotWindowTest : public ::testing::Test {
protected:
    static constexpr int Days = 1000;  // day i: i % 300 sunspots, 100 + i % 50 flux
    TempFolder folder;
    ScriptedPrompt prompt;
    Frame* frame = nullptr;
    View* view = nullptr;

    void SetUp() override
    {
        ResetDataState();
        Settings() = PlotSettings();
        Plot() = PlotState();
        for (int i = 0; i < Days; ++i)
            AddRecord(MadeUpDate(i).c_str(), i % 300, 100.0 + i % 50);
        frame = new Frame;
        frame->resize(1000, 700);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));
        view = frame->PlotView();
        PreparePlotData();
        view->InvalidatePlot();
        view->repaint();
        view->setFocus();
        ASSERT_GT(view->Geometry().overall.xScale, 0.0);
    }
    void TearDown() override
    {
        Records().SetDataChanged(0);
        frame->close();
        delete frame;
        ResetDataState();
    }
};
