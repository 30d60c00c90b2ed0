// The window tells once, when it opens a file, about lines a save would drop.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>

#include "config/plot_settings.h"
#include "plot/plot_state.h"
#include "support/data_state.h"
#include "support/dialog_driver.h"
#include "support/scripted_prompt.h"
#include "support/temp_folder.h"
#include "ui/frame.h"
#include "ui/view.h"

namespace {

const std::string WithBadLines = "! SKYLOG Solar Data Plot Version 3 Data File\n"
                                 "01/01/2000  100   150.9\n"
                                 "01/02/2000 4000   160.2\n"
                                 "01/03/2000  120   99999.5\n";

int NoticesShown(const ScriptedPrompt& prompt)
{
    int count = 0;
    for (const ShownMessage& message : prompt.messages)
        count += message.caption == "DATA FILE" ? 1 : 0;
    return count;
}

}  // namespace

TEST(DataFileNotice, ShownOnceWhenTheWindowOpensAFileWithLinesASaveDrops)
{
    TempFolder folder;
    ScriptedPrompt prompt;
    // The records only: the plot's handlers on the reader stay registered.
    Records().FreeRecords();
    Records().SetDataChanged(0);
    Settings() = PlotSettings();
    WriteTextFile(folder.File("SKYLOG.INI"),
                  "[SOLAR_DATA]\nVersion=ORB Version 2.01 Configuration File\n");
    WriteTextFile(folder.File("GRAPH.DAT"), WithBadLines);
    {
        Frame frame;
        frame.resize(800, 600);
        frame.show();
        frame.PlotView()->InitialUpdate();
        ASSERT_TRUE(SpinUntil([&] { return !frame.PlotView()->StartupTimer().isActive(); }));
        EXPECT_EQ(Records().RecordCount(), 1);
        ASSERT_EQ(NoticesShown(prompt), 1);
        EXPECT_EQ(prompt.messages.back().text.rfind("2 lines of the data file\n", 0), 0u);
        EXPECT_EQ(prompt.messages.back().icon, PromptIcon::Exclamation);

        // Saving keeps the original beside the file first.
        frame.Action("save")->trigger();
        EXPECT_EQ(ReadTextFile(folder.File("GRAPH.BAK")), WithBadLines);

        // Opened again by hand: told again; a clean file: nothing.
        prompt.chosenFiles = {folder.File("GRAPH.BAK")};
        frame.Action("open")->trigger();
        EXPECT_EQ(NoticesShown(prompt), 2);
        WriteTextFile(folder.File("CLEAN.DAT"), "! SKYLOG Solar Data Plot Version 3 Data File\n"
                                                "01/01/2000  100   150.9\n");
        prompt.chosenFiles = {folder.File("CLEAN.DAT")};
        frame.Action("open")->trigger();
        EXPECT_EQ(NoticesShown(prompt), 2);
        frame.close();
    }
    Records().FreeRecords();
    Records().SetDataChanged(0);
    DataFile().path.clear();
}
