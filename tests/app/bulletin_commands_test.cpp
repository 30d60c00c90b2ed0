// "skylog parse" and "skylog import" on bulletins, run as a user would. How
// bulletins are read is checked in tests/bulletin; here, what the commands
// make of it.
#include <gtest/gtest.h>

#include "support/run_skylog.h"
#include "support/temp_folder.h"

namespace {

const std::string Bulletins = std::string(SKYLOG_TEST_DATA_DIR) + "/bulletin/bulletins/";
const std::string Real = std::string(SKYLOG_TEST_DATA_DIR) + "/bulletin/real/";

bool Has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

class BulletinCommands : public ::testing::Test {
protected:
    TempFolder folder;  // also the program folder
    std::string noFlux = folder.File("noflux.txt");
    std::string letter = folder.File("letter.txt");
    void SetUp() override
    {
        WriteTextFile(noFlux, "SEATTLE, WA  MARCH 15, 2002\nSUNSPOT NUMBERS FOR MARCH 7 THROUGH 13 "
                              "WERE 0 EACH DAY.\n\n");
        // The values phrase occurs, but no line begins with it.
        WriteTextFile(letter, "SEATTLE, WA  MARCH 15, 2002\nDear all, no sunspot numbers for this week.\n");
    }
};

}  // namespace

TEST_F(BulletinCommands, ParseSaysHowEachFileWasReadAndFailsWithoutDays)
{
    struct Case {
        std::string arguments;
        int status;
        std::string start;  // how the output starts
        std::string part;   // something further on
    };
    const std::string refused = "Could Not Parse File (02)\n";
    for (const Case& c : {
             Case{Bulletins + "arlp011.txt", 0, "exact\n03/07/2002  232  203.50\n", "\n03/13/2002  183  182.90\n"},
             Case{Real + "028_2021_news.txt", 0, "lenient\n12/23/2021  143  129.80\n12/2", ""},
             // Every file is read; one without flux fails the run.
             Case{Bulletins + "arlp010.txt " + noFlux, 1, Bulletins + "arlp010.txt:\nexact\n",
                  "\n" + noFlux + ":\nSolar Flux Data Not Located"},
             // No year printed: read with the year given.
             Case{"--year 2008 " + Real + "016_2008_news.txt", 0, "lenient\n04/10/2008    0   67.90\n04/1", ""},
             Case{"--exact " + Real + "028_2021_news.txt", 1, refused, refused},
             Case{letter, 1, "", "No Days Found"},
             Case{folder.Path(), 1, "", "Could Not Open File"},
         }) {
        const RunResult r = RunSkylog("parse " + c.arguments);
        EXPECT_EQ(r.status, c.status) << c.arguments << "\n" << r.output;
        EXPECT_EQ(r.output.rfind(c.start, 0), 0u) << c.arguments << "\n" << r.output;
        EXPECT_TRUE(Has(r.output, c.part)) << c.arguments << "\n" << r.output;
    }
    // The setting turns lenient reading off too; --exact is for one run.
    WriteTextFile(folder.File("SKYLOG.INI"), "[SOLAR_DATA]\nVersion=x\nLenientParse=0\n");
    EXPECT_EQ(RunSkylog("parse " + Real + "028_2021_news.txt").output, refused);
}

TEST_F(BulletinCommands, ImportAddsSkipsOrReplacesAndSaysHowItRead)
{
    // Into a CRLF data file: new days added, known days skipped.
    const std::string data = folder.File("GRAPH.DAT");
    WriteTextFile(data, "! SKYLOG Solar Data Plot Version 3 Data File\r\n"
                        "03/06/2002  100   100.0\r\n"
                        "03/07/2002  101   101.0\r\n");
    RunResult r = RunSkylog("import --data " + data + " " + Bulletins + "arlp011.txt");
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_TRUE(Has(r.output, "6 added, 0 replaced, 1 skipped")) << r.output;
    EXPECT_TRUE(Has(ReadTextFile(data), "03/07/2002  101   101.0\r\n03/08/2002  210   205.9\r\n"));
    r = RunSkylog("import --replace --data " + data + " " + Bulletins + "arlp011.txt");
    // Only 03/07 differs from the bulletin; the other six already hold its values.
    EXPECT_TRUE(Has(r.output, "0 added, 1 replaced, 6 skipped")) << r.output;
    EXPECT_TRUE(Has(ReadTextFile(data), "03/07/2002  232   203.5\r\n"));

    // The default data file is the program folder's GRAPH.DAT; --year
    // applies to the bulletins, one read leniently.
    r = RunSkylog("import --year 2008 " + Bulletins + "arlp001.txt " + Real + "018_2009_news.txt");
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_TRUE(Has(r.output, "arlp001.txt: bulletin, 7 days read, 7 added")) << r.output;
    EXPECT_TRUE(Has(r.output, "018_2009_news.txt: bulletin (read leniently), 7 days read, 7 added")) << r.output;
    EXPECT_TRUE(Has(ReadTextFile(data), "12/27/2001  120   190.1"));
    EXPECT_TRUE(Has(ReadTextFile(data), "12/25/2008"));

    // A file without days is no success for a script, and changes nothing.
    const std::string before = ReadTextFile(data);
    r = RunSkylog("import --data " + data + " " + letter);
    EXPECT_EQ(r.status, 1) << r.output;
    EXPECT_TRUE(Has(r.output, "No Days Found")) << r.output;
    EXPECT_EQ(ReadTextFile(data), before);
}
