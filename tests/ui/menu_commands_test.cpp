// Every command of the main window's menus: text, accelerator, prompt,
// tooltip, and when it is enabled or checked, with and without records.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "support/fresh_program.h"
#include "ui/frame.h"
#include "ui/view.h"

namespace {

struct ExpectedCommand {
    const char* menu;
    const char* name;
    const char* text;
    const char* shortcut;
    const char* prompt;  // nullptr: any non-empty prompt
    const char* toolTip;  // nullptr: not checked
    bool needsRecords;
};

// Texts, accelerators and prompts the program's users know the commands by.
const ExpectedCommand Commands[] = {
    {"File", "open", "&Open...", "Ctrl+O", "Open a different Solar Data File", "Open", false},
    {"File", "save", "&Save", "Ctrl+S", "Save the active Solar Data", "Save", true},
    {"File", "saveAs", "Save &As...", "", "Save the current data with a different file name", nullptr, true},
    {"File", "print", "&Print...", "Ctrl+P", nullptr, nullptr, true},
    {"File", "printPreview", "Print Pre&view", "", nullptr, nullptr, true},
    {"File", "printSetup", "P&rint Setup...", "", nullptr, nullptr, false},
    {"File", "exportPlot", "Export P&lot...", "", nullptr, nullptr, true},
    {"File", "exportData", "Export Da&ta...", "", nullptr, nullptr, true},
    {"File", "exit", "E&xit", "", nullptr, "Exit", false},
    {"View", "toggleToolBar", "&Toolbar", "", nullptr, nullptr, false},
    {"View", "toggleStatusBar", "&Status Bar", "", nullptr, nullptr, false},
    {"View", "flatButtons", "&Flat Buttons", "", nullptr, nullptr, false},
    {"View", "realButtons", "&Real Buttons", "", nullptr, nullptr, false},
    {"View", "editData", "&Edit Data", "", nullptr, "Edit Data", true},
    {"View", "records", "&Records", "", "Display High and Low Data Values", nullptr, true},
    {"View", "colorLegend", "Show Color &Legend", "", "Display A Color Legend", nullptr, false},
    {"Options", "staggerPlot", "&Stagger Plot", "", nullptr, nullptr, true},
    {"Options", "positionData", "Pos&ition Data ON", "",
     "Turns the display of cursor position data on or off", "Cursor Position Data", false},
    {"Options", "configurationOptions", "&Configuration Options...", "",
     "Set General Program Configuration Options and Preferences", "Configuration Options", false},
    {"Bulletins", "insertBulletin", "&Insert Bulletin Into Data", "",
     "Insert Data From An ARRL PFB Into The Data", "Insert PFB", false},
    {"Bulletins", "locateBulletins", "&Locate New Bulletins", "",
     "Search The Internet For New ARRL PFB Files And Add Their Data", "Locate PFB", false},
    {"Bulletins", "viewBulletin", "&View Bulletin", "", "Open A PFB With A Text Editor", "View PFB", false},
    {"Help", "help", "&Help", "F1", nullptr, "Help", false},
    {"Help", "about", "&About SKYLOG...", "",
     "Display program information, version number and copyright", "About", false},
    {"Help", "softwareSupport", "Software &Support...", "", nullptr, "Software Support", false},
};

}  // namespace

using MenuTest = FreshProgramTest;

TEST_F(MenuTest, EveryCommandWithItsTextPromptKeyAndState)
{
    Frame frame;
    QStringList titles;
    for (QAction* action : frame.menuBar()->actions())
        titles << action->text();
    EXPECT_EQ(titles.join(" ").toStdString(), "&File &View &Options &Bulletins &Help");
    for (const bool withRecords : {false, true}) {
        if (withRecords) {
            AddRecord("01/01/2000", 100, 150.0);
            PreparePlotData();
        }
        frame.UpdateCommandStates();
        for (const ExpectedCommand& c : Commands) {
            SCOPED_TRACE(c.name);
            QAction* action = frame.Action(c.name);
            ASSERT_NE(action, nullptr);
            QMenu* menu = frame.Menu(c.menu);
            ASSERT_NE(menu, nullptr);
            EXPECT_TRUE(menu->actions().contains(action));
            EXPECT_EQ(action->text(), c.text);
            EXPECT_EQ(action->shortcut().toString(), c.shortcut);
            if (c.prompt)
                EXPECT_EQ(action->statusTip(), c.prompt);
            else
                EXPECT_FALSE(action->statusTip().isEmpty());
            if (c.toolTip) {
                EXPECT_EQ(action->toolTip(), c.toolTip);
            }
            EXPECT_EQ(action->isEnabled(), withRecords || !c.needsRecords);
        }
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
    QApplication::processEvents();
    EXPECT_EQ(Settings().PosdataON, 1);
    EXPECT_TRUE(frame.Action("positionData")->isChecked());

    EXPECT_TRUE(frame.Action("toggleToolBar")->isChecked());
    frame.Action("toggleToolBar")->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(frame.ToolBar()->isVisible());
    EXPECT_FALSE(frame.Action("toggleToolBar")->isChecked());

    frame.Action("flatButtons")->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(frame.Action("flatButtons")->isChecked());
    EXPECT_FALSE(frame.Action("realButtons")->isChecked());
    frame.Action("realButtons")->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(frame.Action("flatButtons")->isChecked());
    EXPECT_TRUE(frame.Action("realButtons")->isChecked());
}

TEST_F(MenuTest, ToolBarButtonsInTheirPlaces)
{
    Frame frame;
    QStringList shown;
    for (QAction* action : frame.ToolBar()->actions())
        shown << (action->isSeparator() ? QString("|") : action->objectName());
    EXPECT_EQ(shown.join(" ").toStdString(),
              "open save | print | editData insertBulletin locateBulletins | colorLegend | about "
              "help | exit");
}
