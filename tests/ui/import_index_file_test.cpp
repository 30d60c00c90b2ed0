// Bulletins > Import Daily Index File... in the main window. What the report
// says is the importer's tests' business; here, the question and the plot.
#include <gtest/gtest.h>

#include "support/fresh_program.h"
#include "ui/frame.h"
#include "ui/view.h"

using ImportIndexFileTest = FreshProgramTest;

// The file holds 59 days of 2009, 01/01 among them (0 spots there).
TEST_F(ImportIndexFileTest, AsksAboutStoredDaysRepaintsAndRefusesUnknownFiles)
{
    for (const PromptAnswer answer : {PromptAnswer::Yes, PromptAnswer::No}) {
        ResetDataState();
        AddRecord("01/01/2009", 5, 50.0);
        AddRecord("03/01/2009", 7, 70.0);  // after the file
        prompt.messages.clear();
        Frame frame;
        frame.show();
        prompt.chosenFiles = {std::string(SKYLOG_TEST_DATA_DIR) + "/import/excerpts/swpc_2009_DSD_excerpt.txt"};
        prompt.answers = {answer, PromptAnswer::Ok};
        frame.Action("importIndexFile")->trigger();
        ASSERT_EQ(prompt.Captions(), (std::vector<std::string>{"Duplicate Dates Detected", "IMPORT DAILY INDEX FILE"}));
        EXPECT_EQ(prompt.messages[1].icon, PromptIcon::Information);
        EXPECT_EQ(Records().At(0).m_sunspots, answer == PromptAnswer::Yes ? 0 : 5);
        EXPECT_EQ(Plot().CloseupEnd, 60);  // the plot was rebuilt for the new days
        EXPECT_EQ(Records().DataChanged(), 1);
        Records().SetDataChanged(0);
    }

    Frame frame;
    const std::string junk = folder.File("junk.csv");
    WriteTextFile(junk, "a,b\n1,2\n");
    prompt.messages.clear();
    prompt.chosenFiles = {junk, std::nullopt};  // then Cancel in the chooser
    frame.Action("importIndexFile")->trigger();
    frame.Action("importIndexFile")->trigger();
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].icon, PromptIcon::Stop);
    EXPECT_EQ(Records().RecordCount(), 60);
}
