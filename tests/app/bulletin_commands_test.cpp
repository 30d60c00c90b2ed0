#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <sys/wait.h>

#include "support/run_skylog.h"
#include "support/temp_folder.h"

namespace {

const std::string Real = std::string(SKYLOG_TEST_DATA_DIR) + "/bulletin/real/";

}  // namespace

TEST(BulletinCommands, ParseSaysHowEachFileWasRead)
{
    TempFolder folder;
    RunResult r = RunSkylog("parse " + Real + "002_1994_arlp053.txt");
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(r.output.substr(0, 34), "exact\n12/15/1994   43   93.20\n12/1");

    r = RunSkylog("parse " + Real + "028_2021_news.txt");
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(r.output.substr(0, 36), "lenient\n12/23/2021  143  129.80\n12/2");

    // No year printed: refused, then read with the year given.
    r = RunSkylog("parse " + Real + "016_2008_news.txt");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.output, "Could Not Parse File (02)\n");
    r = RunSkylog("parse --year 2008 " + Real + "016_2008_news.txt");
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(r.output.substr(0, 36), "lenient\n04/10/2008    0   67.90\n04/1");

    // --exact: the exact parse alone.
    r = RunSkylog("parse --exact " + Real + "028_2021_news.txt");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.output, "Could Not Parse File (02)\n");

    r = RunSkylog("parse --year 08 " + Real + "016_2008_news.txt");
    EXPECT_EQ(r.status, 64);
    EXPECT_NE(r.output.find("four-digit year"), std::string::npos);

    // The setting turns it off too; --exact is for one run.
    WriteTextFile(folder.File("SKYLOG.INI"), "[SOLAR_DATA]\nVersion=x\nLenientParse=0\n");
    r = RunSkylog("parse " + Real + "028_2021_news.txt");
    EXPECT_EQ(r.output, "Could Not Parse File (02)\n");
}

TEST(BulletinCommands, ImportMarksDaysReadLeniently)
{
    TempFolder folder;
    const std::string data = folder.File("NEW.DAT");
    // 001 says "Sunspot Numbers from": a bulletin all the same.
    RunResult r = RunSkylog("import --data " + data + " " + Real + "002_1994_arlp053.txt " + Real +
                            "001_1994_arlp003.txt");
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_NE(r.output.find("002_1994_arlp053.txt: bulletin, 7 days read, 7 added"),
              std::string::npos)
        << r.output;
    EXPECT_NE(r.output.find("001_1994_arlp003.txt: bulletin (read leniently), 7 days read, 7 added"),
              std::string::npos)
        << r.output;

    r = RunSkylog("import --data " + data + " --year 2008 " + Real + "018_2009_news.txt");
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_NE(r.output.find("bulletin (read leniently), 7 days read, 7 added"), std::string::npos)
        << r.output;
    EXPECT_NE(ReadTextFile(data).find("12/25/2008"), std::string::npos);

    r = RunSkylog("import --data " + data + " --exact " + Real + "021_2010_news.txt");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.output.find("021_2010_news.txt: bulletin, "), std::string::npos) << r.output;
    EXPECT_EQ(ReadTextFile(data).find("03/03/2010"), std::string::npos);
    r = RunSkylog("import --data " + data + " --year 10 " + Real + "021_2010_news.txt");
    EXPECT_EQ(r.status, 64);
}
