#include <gtest/gtest.h>

#include "support/run_skylog.h"
#include "support/temp_folder.h"

TEST(InfoCommand, SummarisesTheSample)
{
    TempFolder folder;
    const RunResult r = RunSkylog(std::string("info ") + SKYLOG_SAMPLE_DIR + "/GRAPH.DAT");
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_NE(r.output.find("Records:   28319"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("First day: 02/14/1947"), std::string::npos);
    EXPECT_NE(r.output.find("Last day:  06/30/2026"), std::string::npos);
    EXPECT_NE(r.output.find("06/30/2026    126  202.6"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("*"), std::string::npos);  // the last days are partial averages
    EXPECT_FALSE(PathExists(folder.File("SKYLOG.INI")));  // info changes nothing
}

TEST(InfoCommand, Version2IsReadUnconvertedAndUnknownFilesRefused)
{
    TempFolder folder;
    const std::string v2 = folder.File("V2.DAT");
    WriteTextFile(v2, ReadTextFile(std::string(SKYLOG_SAMPLE_DIR) + "/GRAPH_V2_SAMPLE.DAT"));
    RunResult r = RunSkylog("info " + v2);
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_NE(r.output.find("Version:   2"), std::string::npos);
    EXPECT_NE(r.output.find("First day: 11/27/1998"), std::string::npos);
    EXPECT_FALSE(PathExists(folder.File("V2.BAK")));

    const std::string junk = folder.File("JUNK.DAT");
    WriteTextFile(junk, "hello\n");
    r = RunSkylog("info " + junk);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.output.find("Unable To Read Data File"), std::string::npos);
    EXPECT_EQ(ReadTextFile(junk), "hello\n");

    r = RunSkylog("info " + folder.File("MISSING.DAT"));
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.output.find("Could Not Open Data File"), std::string::npos);
}

TEST(BulletinCommands, ParseAndImportAsAUserWould)
{
    TempFolder folder;
    const std::string bulletins = std::string(SKYLOG_SAMPLE_DIR) + "/../tests/bulletin/bulletins/";
    RunResult r = RunSkylog("parse " + bulletins + "arlp011.txt");
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(r.output.substr(0, 29), "exact\n03/07/2002  232  203.50") << r.output;
    EXPECT_NE(r.output.find("03/13/2002  183  182.90\n"), std::string::npos);

    const std::string noFlux = folder.File("noflux.txt");
    WriteTextFile(noFlux, "SEATTLE, WA  MARCH 15, 2002\nSUNSPOT NUMBERS FOR MARCH 7 THROUGH 13 "
                          "WERE 0 EACH DAY.\n\n");
    r = RunSkylog("parse " + bulletins + "arlp010.txt " + noFlux);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.output.find("Solar Flux Data Not Located"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("02/29/2004    0   68.00"), std::string::npos) << r.output;

    // Import into a CRLF data file: new days added, known days skipped or replaced.
    const std::string data = folder.File("GRAPH.DAT");
    WriteTextFile(data, "! SKYLOG Solar Data Plot Version 3 Data File\r\n"
                        "03/06/2002  100   100.0\r\n"
                        "03/07/2002  101   101.0\r\n");
    r = RunSkylog("import --data " + data + " " + bulletins + "arlp011.txt");
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_NE(r.output.find("6 added, 0 replaced, 1 skipped"), std::string::npos) << r.output;
    std::string text = ReadTextFile(data);
    EXPECT_NE(text.find("03/07/2002  101   101.0\r\n03/08/2002  210   205.9\r\n"), std::string::npos);
    r = RunSkylog("import --replace --data " + data + " " + bulletins + "arlp011.txt");
    // Only 03/07 differs from the bulletin; the other six already hold its values.
    EXPECT_NE(r.output.find("0 added, 1 replaced, 6 skipped"), std::string::npos) << r.output;
    EXPECT_NE(ReadTextFile(data).find("03/07/2002  232   203.5\r\n"), std::string::npos);

    // The default data file is the program folder's GRAPH.DAT, created when missing.
    r = RunSkylog("import " + bulletins + "arlp001.txt");
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_NE(ReadTextFile(data).find("12/27/2001  120   190.1"), std::string::npos);
}

// A file that yields no days, or a folder, is no success for a script.
TEST(BulletinCommands, FilesWithoutDaysFail)
{
    TempFolder folder;
    const std::string letter = folder.File("letter.txt");
    // The values phrase occurs, but no line begins with it.
    WriteTextFile(letter, "SEATTLE, WA  MARCH 15, 2002\nDear all, no sunspot numbers for this "
                          "week.\n");
    RunResult r = RunSkylog("parse " + letter);
    EXPECT_EQ(r.status, 1) << r.output;
    EXPECT_NE(r.output.find("No Days Found"), std::string::npos) << r.output;
    r = RunSkylog("parse " + folder.Path());
    EXPECT_EQ(r.status, 1) << r.output;
    EXPECT_NE(r.output.find("Could Not Open File"), std::string::npos) << r.output;

    const std::string data = folder.File("GRAPH.DAT");
    const std::string original = "! SKYLOG Solar Data Plot Version 3 Data File\n"
                                 "03/06/2002  100   100.0\n";
    WriteTextFile(data, original);
    r = RunSkylog("import --data " + data + " " + letter);
    EXPECT_EQ(r.status, 1) << r.output;
    EXPECT_NE(r.output.find("No Days Found"), std::string::npos) << r.output;
    EXPECT_EQ(ReadTextFile(data), original);
}
