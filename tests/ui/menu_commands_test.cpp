// The main window's commands: the keys users know them by, which need days
// to work on, and check marks that follow what they show.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QToolBar>

#include "support/fresh_program.h"
#include "ui/frame.h"
#include "ui/view.h"

using MenuTest = FreshProgramTest;

TEST_F(MenuTest, KeysAndCommandsThatNeedDays)
{
    Frame frame;
    const std::pair<const char*, const char*> keys[] = {
        {"open", "Ctrl+O"}, {"save", "Ctrl+S"}, {"print", "Ctrl+P"}, {"help", "F1"}};
    for (const auto& [name, key] : keys)
        EXPECT_EQ(frame.Action(name)->shortcut().toString(), key) << name;
    const char* const needDays[] = {"save", "saveAs", "print", "printPreview", "exportPlot",
                                    "exportData", "editData", "records", "staggerPlot"};
    const char* const always[] = {"open", "printSetup", "exit", "positionData", "configurationOptions",
                                  "insertBulletin", "locateBulletins", "viewBulletin", "help"};
    for (const bool withDays : {false, true}) {
        if (withDays) {
            AddRecord("01/01/2000", 100, 150.0);
            PreparePlotData();
        }
        frame.UpdateCommandStates();
        for (const char* name : needDays)
            EXPECT_EQ(frame.Action(name)->isEnabled(), withDays) << name;
        for (const char* name : always)
            EXPECT_TRUE(frame.Action(name)->isEnabled()) << name;
    }
    Records().SetDataChanged(0);
}

TEST_F(MenuTest, CheckMarksFollowWhatTheyShow)
{
    Frame frame;
    frame.show();
    Settings().PosdataON = 0;
    frame.UpdateCommandStates();
    EXPECT_FALSE(frame.Action("positionData")->isChecked());
    frame.Action("positionData")->trigger();
    frame.Action("toggleToolBar")->trigger();
    frame.Action("flatButtons")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(Settings().PosdataON, 1);
    EXPECT_TRUE(frame.Action("positionData")->isChecked());
    EXPECT_FALSE(frame.ToolBar()->isVisible());
    EXPECT_FALSE(frame.Action("toggleToolBar")->isChecked());
    EXPECT_TRUE(frame.Action("flatButtons")->isChecked());
    EXPECT_FALSE(frame.Action("realButtons")->isChecked());
}
