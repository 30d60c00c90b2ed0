// The commands that read a data file and write something else (info, print,
// render, export), run as a user would. What the page, the plot and the CSV
// hold is checked with the code that makes them; here, what the commands
// pass to it.
#include <gtest/gtest.h>

#include <QImage>
#include <fstream>

#include "support/decimal_comma_locale.h"
#include "support/run_skylog.h"
#include "support/temp_folder.h"

namespace {

const std::string Sample = std::string(SKYLOG_SAMPLE_DIR) + "/GRAPH.DAT";

bool Has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

}  // namespace

TEST(PrintCommand, OnePageOnTheChosenPaperHeadedWithTheFullPath)
{
    TempFolder folder;
    const std::string pdf = folder.File("page.pdf");
    // A relative data file name: the headline shows where the file is.
    const RunResult r = RunCommand("cd " + std::string(SKYLOG_SAMPLE_DIR) + " && " + SKYLOG_BINARY +
                                   " print GRAPH.DAT -o " + pdf + " --page A4 2>&1");
    ASSERT_EQ(r.status, 0) << r.output;
    const std::string info = RunCommand("pdfinfo " + pdf).output;
    EXPECT_TRUE(Has(info, "Pages:           1")) << info;
    EXPECT_TRUE(Has(info, "(A4)")) << info;
    EXPECT_TRUE(Has(RunCommand("pdftotext " + pdf + " -").output, "SKYLOG SOLAR DATA PLOT OF " + Sample));

    EXPECT_EQ(RunSkylog("print " + Sample + " -o " + pdf + " --page Letter").status, 0);
    EXPECT_TRUE(Has(RunCommand("pdfinfo " + pdf).output, "(letter)"));
}

// --size sets the plot area, --scale the pixels per pixel of a PNG.
TEST(RenderCommand, SizeScaleAndFormatFromTheCommandLine)
{
    TempFolder folder;
    ASSERT_EQ(RunSkylog("render " + Sample + " -o " + folder.File("plot.svg") + " --size 600x400").status, 0);
    EXPECT_TRUE(Has(ReadTextFile(folder.File("plot.svg")), "viewBox=\"0 0 600 400\""));
    ASSERT_EQ(RunSkylog("render " + Sample + " -o " + folder.File("plot.png") + " --size 640x400 --scale 2").status, 0);
    EXPECT_EQ(QImage(QString::fromStdString(folder.File("plot.png"))).size(), QSize(1280, 800));
    ASSERT_EQ(RunSkylog("render " + Sample + " -o " + folder.File("plot.PDF")).status, 0);
    EXPECT_TRUE(Has(RunCommand("pdfinfo " + folder.File("plot.PDF")).output, "960 x 600 pts"));
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
    EXPECT_TRUE(Has(rows, "\r\n2001-04-30,130,180.5,")) << rows;
    // 28-day averages from 13 days before: day 14 (index 13) has the first full one.
    EXPECT_TRUE(Has(rows, "\r\n2001-04-14,114,164.5,114,164,0\r\n")) << rows;
}

// The summary of the sample; its last seven days read straight from the file.
TEST(InfoCommand, SummarisesTheSampleAndReadsVersion2Unconverted)
{
    const RunResult r = RunSkylog("info " + Sample);
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_TRUE(Has(r.output, "Version:   3\nRecords:   28319\nFirst day: 02/14/1947\nLast day:  06/30/2026\n"))
        << r.output;
    EXPECT_TRUE(Has(r.output, "\n06/30/2026    126  202.6"));
    EXPECT_TRUE(Has(r.output, "*"));  // the last days are partial averages
    std::ifstream in(Sample);
    std::vector<std::string> dates;
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '!')
            dates.push_back(line.substr(0, 10));
    for (std::size_t i = dates.size() - 7; i < dates.size(); ++i)
        EXPECT_TRUE(Has(r.output, "\n" + dates[i] + "  ")) << dates[i];
    EXPECT_FALSE(Has(r.output, "\n" + dates[dates.size() - 8] + "  "));

    TempFolder folder;
    const std::string v2 = folder.File("V2.DAT");
    WriteTextFile(v2, ReadTextFile(std::string(SKYLOG_SAMPLE_DIR) + "/GRAPH_V2_SAMPLE.DAT"));
    const RunResult old = RunSkylog("info " + v2);
    EXPECT_EQ(old.status, 0) << old.output;
    EXPECT_TRUE(Has(old.output, "Version:   2\n"));
    EXPECT_TRUE(Has(old.output, "First day: 11/27/1998"));
    EXPECT_FALSE(PathExists(folder.File("V2.BAK")));
    EXPECT_EQ(ReadTextFile(v2), ReadTextFile(std::string(SKYLOG_SAMPLE_DIR) + "/GRAPH_V2_SAMPLE.DAT"));
}
