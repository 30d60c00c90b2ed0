#include <gtest/gtest.h>

#include <charconv>
#include <fstream>
#include <sstream>
#include <vector>

#include "data/averages.h"
#include "data/csv_export.h"
#include "data/data_file.h"
#include "data/record_array.h"
#include "support/data_state.h"
#include "support/decimal_comma_locale.h"
#include "support/temp_folder.h"

namespace {

std::vector<std::string> Split(const std::string& text, const std::string& separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0, at;
    while ((at = text.find(separator, start)) != std::string::npos) {
        parts.push_back(text.substr(start, at - start));
        start = at + separator.size();
    }
    parts.push_back(text.substr(start));
    return parts;
}

double Number(const std::string& text)
{
    double value = -1;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

}  // namespace

class CsvExportTest : public ::testing::Test {
protected:
    TempFolder folder;
    void SetUp() override { ResetDataState(); }
    void TearDown() override { ResetDataState(); }

    std::vector<std::string> ExportRows(int avgInt, int lagDays)
    {
        std::string error;
        EXPECT_TRUE(WriteCsvFile(folder.File("days.csv"), avgInt, lagDays, &error)) << error;
        std::vector<std::string> rows = Split(ReadTextFile(folder.File("days.csv")), "\r\n");
        EXPECT_EQ(rows.back(), "");  // every row ends in CR LF
        rows.pop_back();
        return rows;
    }
};

TEST_F(CsvExportTest, DatesAndQuoting)
{
    struct Case {
        const char* date;
        const char* iso;
    };
    for (const Case& c : {Case{"03/07/2002", "2002-03-07"}, Case{"12/31/1999", "1999-12-31"},
                          Case{"xx/xx/xx", "xx/xx/xx"}, Case{"3/7/2002", "3/7/2002"},
                          Case{"01/01/12345", "01/01/12345"}})
        EXPECT_EQ(IsoDate(c.date), c.iso);
    EXPECT_EQ(CsvField("plain"), "plain");
    EXPECT_EQ(CsvField("a,b"), "\"a,b\"");
    EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(CsvField("two\nlines"), "\"two\nlines\"");
}

// Averages over 4 days from 1 day before: the first record and the last two
// are partial, as worked out by hand below.
TEST_F(CsvExportTest, RowsWithAveragesAndPartialMarks)
{
    const int spots[6] = {10, 20, 30, 40, 50, 60};
    for (int i = 0; i < 6; ++i)
        AddRecord(("03/0" + std::to_string(i + 1) + "/2002").c_str(), spots[i], 100.0 + i + 0.5);
    Records().MutableAt(2).SetDate("x,y");  // a date text the data editor let through
    int computed = 0;
    ComputeAverages(4, 1, computed);
    const std::vector<std::string> rows = ExportRows(4, 1);
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(rows[0], "date,sunspots,flux,avg_sunspots,avg_flux,avg_partial");
    // Record 0: partial over itself; 1 and 2: full windows 0..3 and 1..4;
    // 3..5: partial averages that start afresh at record 3.
    EXPECT_EQ(rows[1], "2002-03-01,10,100.5,10,100,1");
    EXPECT_EQ(rows[2], "2002-03-02,20,101.5,25,101,0");
    EXPECT_EQ(rows[3], "\"x,y\",30,102.5,35,102,0");
    EXPECT_EQ(rows[4], "2002-03-04,40,103.5,40,103,1");
    EXPECT_EQ(rows[5], "2002-03-05,50,104.5,45,103,1");
    EXPECT_EQ(rows[6], "2002-03-06,60,105.5,50,104,1");
}

TEST_F(CsvExportTest, FewerDaysThanTheIntervalHaveNoAverages)
{
    AddRecord("03/01/2002", 10, 100.0);
    AddRecord("03/02/2002", 20, 110.0);
    const std::vector<std::string> rows = ExportRows(28, 13);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1], "2002-03-01,10,100,,,");
}

// Every day of the sample comes back with its exact values, under a
// decimal-comma locale too, and the data file is left as it was.
TEST_F(CsvExportTest, SampleRoundTripsWhateverTheLocale)
{
    DecimalCommaLocale german;
    ASSERT_TRUE(DecimalCommaLocale::Active());
    const std::string sample = std::string(SKYLOG_SAMPLE_DIR) + "/GRAPH.DAT";
    const std::string before = ReadTextFile(sample);
    DataFile().path = sample;
    ASSERT_EQ(ReadDataFile(), ReadOutcome::Read);
    const std::vector<std::string> rows = ExportRows(28, 13);
    EXPECT_EQ(ReadTextFile(sample), before);

    // The data lines of the file, read here on their own: date, spots, flux.
    std::istringstream lines(before);
    std::string line;
    std::size_t row = 1;
    while (std::getline(lines, line)) {
        if (line.empty() || line[0] == '!')
            continue;
        std::istringstream fields(line);
        std::string date, spots, flux;
        fields >> date >> spots >> flux;
        ASSERT_LT(row, rows.size());
        const std::vector<std::string> csv = Split(rows[row], ",");
        ASSERT_EQ(csv.size(), 6u) << rows[row];
        EXPECT_EQ(csv[0], date.substr(6, 4) + "-" + date.substr(0, 2) + "-" + date.substr(3, 2));
        EXPECT_EQ(csv[1], spots);
        EXPECT_EQ(Number(csv[2]), Number(flux)) << rows[row];
        EXPECT_EQ(csv[2].find(','), std::string::npos);
        ++row;
    }
    EXPECT_EQ(row, rows.size());
    EXPECT_GT(row, 28000u);
}
