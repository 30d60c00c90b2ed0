#include <gtest/gtest.h>

#include "data/averages.h"
#include "data/csv_export.h"
#include "support/data_state.h"
#include "support/temp_folder.h"

TEST(CsvExport, DatesAndQuoting)
{
    for (const auto& [date, iso] : {std::pair{"03/07/2002", "2002-03-07"}, {"xx/xx/xx", "xx/xx/xx"},
                                    {"3/7/2002", "3/7/2002"}, {"01/01/12345", "01/01/12345"}})
        EXPECT_EQ(IsoDate(date), iso);
    for (const auto& [text, field] : {std::pair{"plain", "plain"}, {"a,b", "\"a,b\""},
                                      {"say \"hi\"", "\"say \"\"hi\"\"\""}, {"two\nlines", "\"two\nlines\""}})
        EXPECT_EQ(CsvField(text), field);
}

// Averages over 4 days from 1 day before, worked out by hand: record 0 partial over itself, 1 and 2 full
// windows 0..3 and 1..4, 3..5 partial averages that start afresh at record 3.
TEST(CsvExport, RowsWithAveragesAndPartialMarks)
{
    TempFolder folder;
    ResetDataState();
    const auto exported = [&](int avgInt, int lagDays) {
        std::string error;
        EXPECT_TRUE(WriteCsvFile(folder.File("days.csv"), avgInt, lagDays, &error)) << error;
        return ReadTextFile(folder.File("days.csv"));
    };
    for (int i = 0; i < 6; ++i)
        AddRecord(("03/0" + std::to_string(i + 1) + "/2002").c_str(), 10 * (i + 1), 100.5 + i);
    Records().MutableAt(2).SetDate("x,y");  // a date text the data editor let through
    int computed = 0;
    ComputeAverages(4, 1, computed);
    const std::string head = "date,sunspots,flux,avg_sunspots,avg_flux,avg_partial\r\n";
    EXPECT_EQ(exported(4, 1), head + "2002-03-01,10,100.5,10,100,1\r\n2002-03-02,20,101.5,25,101,0\r\n"
                                     "\"x,y\",30,102.5,35,102,0\r\n2002-03-04,40,103.5,40,103,1\r\n"
                                     "2002-03-05,50,104.5,45,103,1\r\n2002-03-06,60,105.5,50,104,1\r\n");
    Records().RemoveRecords(2, 4);  // fewer days than the interval: no averages
    EXPECT_EQ(exported(28, 13), head + "2002-03-01,10,100.5,,,\r\n2002-03-02,20,101.5,,,\r\n");
    ResetDataState();
}
