#include <gtest/gtest.h>

#include "data/record_array.h"
#include "support/data_state.h"

TEST(RecordArray, EditsOutsideTheRecordsTouchNothing)
{
    ResetDataState();
    AddRecord("01/01/2000", 1, 1.0);
    AddRecord("01/04/2000", 4, 4.0);
    const SolarRecord middle[2] = {{"01/02/2000", 2, 2.0, 0, 0}, {"01/03/2000", 3, 3.0, 0, 0}};
    Records().InsertRecords(1, middle, 2);
    Records().InsertRecords(5, middle, 2);  // past the end: ignored
    Records().SetRecordValues(4, "02/02/2000", 9, 9.0);
    Records().SetRecord(-1, "02/02/2000", 9, 9.0, 9, 9);
    Records().MutableAt(0).m_avgSunspots = -12;  // setting the values keeps the averages
    Records().SetRecordValues(0, "01/05/2000", 5, 6.5);
    std::string days;
    for (int i = 0; i < Records().RecordCount(); ++i)
        days += Records().At(i).GetDate() + " " + std::to_string(Records().At(i).m_avgSunspots) + ",";
    EXPECT_EQ(days, "01/05/2000 -12,01/02/2000 0,01/03/2000 0,01/04/2000 0,");
    std::string date = "keep";
    EXPECT_EQ(Records().GetRecord(4, &date, nullptr, nullptr, nullptr, nullptr), 1);
    EXPECT_EQ(date, "keep");
    Records().RemoveRecords(1, 50);  // clipped to the records there are
    EXPECT_EQ(Records().RecordCount(), 1);
    EXPECT_EQ(SolarRecord("0123456789abcdefghij", 0, 0, 0, 0).GetDate(), "0123456789abcde");  // cut, not overrun
}
