#include <gtest/gtest.h>

#include "data/averages.h"
#include "data/csv_export.h"
#include "support/data_state.h"
#include "support/temp_folder.h"

// Averages over 4 days from 1 day before, by hand: record 0 partial over itself, 1 and 2 full windows 0..3
// and 1..4, 3..5 partial averages that start afresh at record 3.
TEST(CsvExport, RowsWithIsoDatesQuotingAveragesAndPartialMarks)
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
    Records().MutableAt(2).SetDate("x,y");  // date texts the data editor let through
    Records().MutableAt(3).SetDate("3/4/2002");
    int computed = 0;
    ComputeAverages(4, 1, computed);
    const std::string head = "date,sunspots,flux,avg_sunspots,avg_flux,avg_partial\r\n";
    EXPECT_EQ(exported(4, 1), head + "2002-03-01,10,100.5,10,100,1\r\n2002-03-02,20,101.5,25,101,0\r\n"
                                     "\"x,y\",30,102.5,35,102,0\r\n3/4/2002,40,103.5,40,103,1\r\n"
                                     "2002-03-05,50,104.5,45,103,1\r\n2002-03-06,60,105.5,50,104,1\r\n");
    Records().RemoveRecords(2, 4);  // fewer days than the interval: no averages
    EXPECT_EQ(exported(28, 13), head + "2002-03-01,10,100.5,,,\r\n2002-03-02,20,101.5,,,\r\n");
    for (const auto& [text, field] : {std::pair{"say \"hi\"", "\"say \"\"hi\"\"\""}, {"two\nlines", "\"two\nlines\""}})
        EXPECT_EQ(CsvField(text), field);
    EXPECT_EQ(IsoDate("01/01/12345"), "01/01/12345");
}
