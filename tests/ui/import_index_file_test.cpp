// Bulletins > Import Daily Index File... in the main window.
#include <gtest/gtest.h>

#include "support/fresh_program.h"
#include "ui/frame.h"
#include "ui/view.h"

namespace {

const std::string Dsd2009 =
    std::string(SKYLOG_TEST_DATA_DIR) + "/import/excerpts/swpc_2009_DSD_excerpt.txt";

}  // namespace

class ImportIndexFileTest : public FreshProgramTest {
protected:
    void SetUp() override
    {
        FreshProgramTest::SetUp();
        AddRecord("01/01/2009", 5, 50.0);   // the file says 0 and 69
        AddRecord("03/01/2009", 7, 70.0);   // after the file
    }
};

TEST_F(ImportIndexFileTest, ImportsAsksAboutStoredDaysAndRepaints)
{
    Frame frame;
    frame.show();
    ASSERT_TRUE(frame.Action("importIndexFile"));
    EXPECT_EQ(frame.Action("importIndexFile")->text(), "Import &Daily Index File...");

    prompt.chosenFiles = {Dsd2009};
    prompt.answers = {PromptAnswer::Yes, PromptAnswer::Ok};  // replace, then the report
    frame.Action("importIndexFile")->trigger();
    ASSERT_EQ(prompt.messages.size(), 2u);
    EXPECT_EQ(prompt.messages[0].caption, "Duplicate Dates Detected");
    EXPECT_EQ(prompt.messages[0].text.substr(0, 38), "1 day of this file is already stored.\n");
    EXPECT_EQ(prompt.messages[1].caption, "IMPORT DAILY INDEX FILE");
    EXPECT_EQ(prompt.messages[1].icon, PromptIcon::Information);
    EXPECT_EQ(prompt.messages[1].text,
              "swpc_2009_DSD_excerpt.txt: swpc, 59 days read, 58 added, 1 replaced, "
              "0 skipped (already stored), 0 refused (out of range)\n"
              "  the sunspot numbers are SWPC's SESC count, not on SILSO's scale");
    EXPECT_EQ(Records().RecordCount(), 60);
    EXPECT_EQ(Records().At(0).m_sunspots, 0);
    EXPECT_EQ(Records().At(59).GetDate(), "03/01/2009");
    EXPECT_EQ(Plot().CloseupEnd, 60);  // the plot was rebuilt for the new days
    EXPECT_EQ(Records().DataChanged(), 1);
    frame.close();
}

TEST_F(ImportIndexFileTest, NoKeepsStoredValuesAndUnknownFilesAreRefused)
{
    Frame frame;
    frame.show();
    prompt.chosenFiles = {Dsd2009};
    prompt.answers = {PromptAnswer::No, PromptAnswer::Ok};
    frame.Action("importIndexFile")->trigger();
    EXPECT_EQ(Records().At(0).m_sunspots, 5);
    EXPECT_NE(prompt.messages.back().text.find("58 added, 0 replaced, 1 skipped"), std::string::npos);

    const std::string junk = folder.File("junk.csv");
    WriteTextFile(junk, "a,b\n1,2\n");
    prompt.messages.clear();
    prompt.chosenFiles = {junk};
    frame.Action("importIndexFile")->trigger();
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].icon, PromptIcon::Stop);
    EXPECT_NE(prompt.messages[0].text.find("unknown content"), std::string::npos);

    prompt.messages.clear();
    prompt.chosenFiles = {std::nullopt};  // Cancel in the chooser
    frame.Action("importIndexFile")->trigger();
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_EQ(Records().RecordCount(), 60);
    frame.close();
}
