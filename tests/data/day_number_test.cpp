#include <gtest/gtest.h>

#include <chrono>

#include "data/day_number.h"

// Every day from 1859 to 2099 against the standard library's calendar. The program counts 1900 as a leap
// year: from 1 March 1900 its day number is the Modified Julian Day, before that one day less.
TEST(DayNumber, CountsEveryDayOfTheCalendarAndReadsDates)
{
    using namespace std::chrono;
    const sys_days mjdZero = year{1858} / November / 17;
    for (sys_days d = year{1859} / January / 1; d <= sys_days{year{2099} / December / 31}; d += days{1}) {
        const year_month_day date{d};
        const int y = static_cast<int>(date.year());
        const int m = static_cast<int>(static_cast<unsigned>(date.month()));
        const int day = static_cast<int>(static_cast<unsigned>(date.day()));
        const int mjd = static_cast<int>((d - mjdZero).count());
        ASSERT_EQ(DayNumber(m, day, y), d < sys_days{year{1900} / March / 1} ? mjd - 1 : mjd) << "MJD " << mjd;
    }
    EXPECT_EQ(DayNumber(2, 29, 1900) + 1, DayNumber(3, 1, 1900));
    for (const auto& [m, d, y] : {std::array{2, 29, 2001}, {2, 30, 2004}, {13, 1, 2000}, {0, 1, 2000},
                                  {4, 31, 2000}, {1, 0, 2000}, {12, 31, 1858}, {1, 1, -5}, {1, 1, 2147483647}})
        EXPECT_EQ(DayNumber(m, d, y), 0) << m << "/" << d << "/" << y;  // no such day
    for (const auto& [text, number] :  // 01/15/2002 is MJD 52289
         {std::pair{"01/15/2002", 52289}, {"1-15-2002", 52289}, {"1 15 2002", 52289}, {"01/15/02", 15764},
          {"01/15/2002x", 0}, {"xx/xx/xx", 0}, {"01//15", 0}, {"01/15/20/02", 0}, {"", 0},
          {"99999999999999999999/1/2000", 0}})
        EXPECT_EQ(DayNumberFromText(text), number) << text;
}
