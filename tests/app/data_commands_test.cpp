// The commands that read a data file and write something else (info, print,
// render, export), run as a user would.
#include <gtest/gtest.h>

#include "support/decimal_comma_locale.h"
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

TEST(RenderCommand, FormatFollowsTheExtension)
{
    TempFolder folder;
    const std::string data = std::string(SKYLOG_SAMPLE_DIR) + "/GRAPH.DAT";
    ASSERT_EQ(RunSkylog("render " + data + " -o " + folder.File("plot.svg") + " --size 600x400").status, 0);
    const std::string svg = ReadTextFile(folder.File("plot.svg"));
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("viewBox=\"0 0 600 400\""), std::string::npos);
    EXPECT_EQ(RunCommand("xmllint --noout " + folder.File("plot.svg") + " 2>&1").output, "");
    ASSERT_EQ(RunSkylog("render " + data + " -o " + folder.File("plot.PDF")).status, 0);
    const std::string info = RunCommand("pdfinfo " + folder.File("plot.PDF")).output;
    EXPECT_NE(info.find("Pages:           1"), std::string::npos) << info;
    EXPECT_NE(info.find("960 x 600 pts"), std::string::npos) << info;
    ASSERT_EQ(RunSkylog("render " + data + " -o " + folder.File("plot.png")).status, 0);
    EXPECT_EQ(ReadTextFile(folder.File("plot.png")).substr(1, 3), "PNG");
    EXPECT_EQ(RunSkylog("render " + data + " -o " + folder.File("plot.jpg")).status, 64);
    EXPECT_EQ(RunSkylog("render " + data + " -o " + folder.File("p.svg") + " --scale 2").status, 64);
    EXPECT_FALSE(PathExists(folder.File("plot.jpg")));
}

TEST(ExportCommand, CsvUnderADecimalCommaLocaleLeavesTheDataFileAlone)
{
    TempFolder folder;
    DecimalCommaLocale german;
    const std::string data = folder.File("GRAPH.DAT");
    std::string text = "! SKYLOG Solar Data Plot Version 3 Data File\n";
    for (int i = 1; i <= 30; ++i)
        text += (i < 10 ? "04/0" : "04/") + std::to_string(i) + "/2001  " + std::to_string(100 + i) +
                "   " + std::to_string(150 + i) + ".5\n";
    WriteTextFile(data, text);
    const std::string csv = folder.File("days.csv");
    const RunResult r = RunCommand(german.Environment() + " " + SKYLOG_BINARY + " export " + data +
                                   " -o " + csv + " 2>&1");
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(ReadTextFile(data), text);
    const std::string rows = ReadTextFile(csv);
    EXPECT_EQ(rows.rfind("date,sunspots,flux,avg_sunspots,avg_flux,avg_partial\r\n", 0), 0u);
    EXPECT_NE(rows.find("\r\n2001-04-01,101,151.5,"), std::string::npos) << rows;
    EXPECT_NE(rows.find("\r\n2001-04-30,130,180.5,"), std::string::npos) << rows;
    // 28-day averages from 13 days before: day 14 (index 13) has the first full one.
    EXPECT_NE(rows.find("\r\n2001-04-14,114,164.5,114,164,0\r\n"), std::string::npos) << rows;
    EXPECT_EQ(RunSkylog("export " + data).status, 64);
    EXPECT_EQ(RunSkylog("export " + folder.File("none.dat") + " -o " + csv).status, 1);
}

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

TEST(InfoCommand, Version2IsReadUnconverted)
{
    TempFolder folder;
    const std::string v2 = folder.File("V2.DAT");
    WriteTextFile(v2, ReadTextFile(std::string(SKYLOG_SAMPLE_DIR) + "/GRAPH_V2_SAMPLE.DAT"));
    RunResult r = RunSkylog("info " + v2);
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_NE(r.output.find("Version:   2"), std::string::npos);
    EXPECT_NE(r.output.find("First day: 11/27/1998"), std::string::npos);
    EXPECT_FALSE(PathExists(folder.File("V2.BAK")));

}
