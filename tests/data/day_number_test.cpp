#include <gtest/gtest.h>

#include <chrono>

#include "data/day_number.h"

// Every day from 1859 to 2099 against the calendar of the standard library.
// The program counts every fourth year as a leap year, 1900 too: from
// 1 March 1900 its day number is the Modified Julian Day (days since
// 17 November 1858), before that one day less.
TEST(DayNumber, CountsEveryDayOfTheCalendar)
{
    using namespace std::chrono;
    const sys_days mjdZero = year{1858} / November / 17;
    const sys_days leapDay1900 = year{1900} / March / 1;
    for (sys_days d = year{1859} / January / 1; d <= sys_days{year{2099} / December / 31}; d += days{1}) {
        const year_month_day date{d};
        const int y = static_cast<int>(date.year());
        const int m = static_cast<int>(static_cast<unsigned>(date.month()));
        const int day = static_cast<int>(static_cast<unsigned>(date.day()));
        const int mjd = static_cast<int>((d - mjdZero).count());
        ASSERT_EQ(DayNumber(m, day, y), d < leapDay1900 ? mjd - 1 : mjd) << y << "-" << m << "-" << day;
        if (y >= 1900 && y <= 1999) {
            ASSERT_EQ(DayNumber(m, day, y - 1900), DayNumber(m, day, y)) << "two-digit year " << y;
        }
    }
    EXPECT_EQ(DayNumber(2, 29, 1900) + 1, DayNumber(3, 1, 1900));
}

TEST(DayNumber, DatesThatDoNotExistAreZero)
{
    struct Case { int month, day, year; };
    for (const Case& c : {Case{2, 29, 2001}, Case{2, 30, 2004}, Case{13, 1, 2000}, Case{0, 1, 2000},
                          Case{4, 31, 2000}, Case{1, 0, 2000}, Case{12, 31, 1858}, Case{1, 1, -5},
                          Case{1, 1, 2147483647}})
        EXPECT_EQ(DayNumber(c.month, c.day, c.year), 0) << c.month << "/" << c.day << "/" << c.year;
}

TEST(DayNumber, FromText)
{
    struct Case {
        const char* text;
        int number;  // 01/15/2002 is MJD 52289
    };
    for (const Case& c : {Case{"01/15/2002", 52289}, Case{"1-15-2002", 52289}, Case{"1 15 2002", 52289},
                          Case{"01/15/02", 15764} /* 1902 */, Case{"01/15/2002x", 0}, Case{"xx/xx/xx", 0},
                          Case{"01//15", 0}, Case{"01/15/20/02", 0}, Case{"", 0},
                          Case{"99999999999999999999/1/2000", 0}})
        EXPECT_EQ(DayNumberFromText(c.text), c.number) << c.text;
}
