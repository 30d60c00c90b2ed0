#include <gtest/gtest.h>

#include "support/run_skylog.h"
#include "support/temp_folder.h"

namespace {

std::string Squeezed(const std::string& text)
{
    std::string out;
    for (char c : text)
        if (!(c == ' ' && !out.empty() && out.back() == ' '))
            out += c;
    return out;
}

}  // namespace

TEST(PrintCommand, OnePagePdfWithHeadlineTitlesAndRecords)
{
    TempFolder folder;
    const std::string data = folder.File("GRAPH.DAT");
    WriteTextFile(data, "! SKYLOG Solar Data Plot Version 3 Data File\n"
                        "03/01/2002  120   150.5\n"
                        "03/02/2002  310   250.7\n"
                        "03/03/2002    7    64.1\n"
                        "03/04/2002   90   100.0\n");
    const std::string pdf = folder.File("page.pdf");
    const RunResult r = RunSkylog("print " + data + " -o " + pdf + " --page A4");
    ASSERT_EQ(r.status, 0) << r.output;

    const std::string info = RunCommand("pdfinfo " + pdf).output;
    EXPECT_NE(info.find("Pages:           1"), std::string::npos) << info;
    EXPECT_NE(info.find("(A4)"), std::string::npos) << info;
    const std::string text = Squeezed(RunCommand("pdftotext -layout " + pdf + " -").output);
    EXPECT_NE(text.find("SKYLOG SOLAR DATA PLOT OF " + data), std::string::npos) << text;
    EXPECT_NE(text.find("Solar Data Plot From 03/01/2002 to 03/04/2002 - 4 Days"), std::string::npos);
    EXPECT_NE(text.find("DATA FILE RECORD INFORMATION"), std::string::npos);
    EXPECT_NE(text.find("Solar Flux: 03/02/2002 250.7 03/03/2002 64.1"), std::string::npos) << text;
    EXPECT_NE(text.find("SunSpots: 03/02/2002 310 03/03/2002 7"), std::string::npos) << text;

    EXPECT_EQ(RunSkylog("print " + data + " -o " + pdf + " --page Letter").status, 0);
    EXPECT_NE(RunCommand("pdfinfo " + pdf).output.find("(letter)"), std::string::npos);
}

TEST(PrintCommand, RefusesWhatItCannotPrint)
{
    TempFolder folder;
    const std::string data = folder.File("GRAPH.DAT");
    WriteTextFile(data, "! SKYLOG Solar Data Plot Version 3 Data File\n");
    struct Case {
        std::string arguments;
        int status;
    };
    for (const Case& c : {Case{"print " + data, 64}, Case{"print " + data + " -o x.png", 64},
                          Case{"print " + data + " -o p.pdf --page A3", 64},
                          Case{"print " + data + " -o " + folder.File("p.pdf"), 1},
                          Case{"print " + folder.File("none.dat") + " -o " + folder.File("p.pdf"), 1}}) {
        const RunResult r = RunSkylog(c.arguments);
        EXPECT_EQ(r.status, c.status) << c.arguments << "\n" << r.output;
    }
    EXPECT_FALSE(PathExists(folder.File("p.pdf")));
}
