// Bulletins > Import Daily Index File... in the main window (the importer has its own tests).
#include <gtest/gtest.h>

#include "support/fresh_program.h"
#include "ui/frame.h"

using ImportIndexFileTest = FreshProgramTest;

// The file holds 59 days of 2009, 01/01 among them (0 spots there).
TEST_F(ImportIndexFileTest, AsksAboutStoredDaysAndRebuildsThePlot)
{
    for (const PromptAnswer answer : {PromptAnswer::Yes, PromptAnswer::No}) {
        ResetDataState();
        prompt.messages.clear();
        AddRecord("01/01/2009", 5, 50.0);
        AddRecord("03/01/2009", 7, 70.0);  // after the file
        Frame frame;
        frame.show();
        prompt.chosenFiles = {std::string(SKYLOG_TEST_DATA_DIR) + "/import/excerpts/swpc_2009_DSD_excerpt.txt"};
        prompt.answers = {answer, PromptAnswer::Ok};
        frame.Action("importIndexFile")->trigger();
        ASSERT_EQ(prompt.Captions(), (std::vector<std::string>{"Duplicate Dates Detected", "IMPORT DAILY INDEX FILE"}));
        EXPECT_EQ(prompt.messages[1].icon, PromptIcon::Information);
        EXPECT_EQ(Records().At(0).m_sunspots, answer == PromptAnswer::Yes ? 0 : 5);  // No keeps the stored values
        EXPECT_EQ(Plot().CloseupEnd, 60);
        EXPECT_EQ(Records().DataChanged(), 1);
        Records().SetDataChanged(0);
    }
}
