#include <gtest/gtest.h>

#include "data/day_number.h"

TEST(DayNumber, KnownDaysAndTheEveryFourthYearLeapRule)
{
    EXPECT_EQ(DayNumber(1, 1, 2000), 51544);
    EXPECT_EQ(DayNumber(1, 15, 2002), 52289);
    EXPECT_EQ(DayNumber(1, 1, 1859), 44);
    // 1900 counts as a leap year, so 29 February 1900 exists.
    EXPECT_NE(DayNumber(2, 29, 1900), 0);
    EXPECT_EQ(DayNumber(2, 29, 1900), DayNumber(3, 1, 1900) - 1);
    EXPECT_EQ(DayNumber(2, 29, 2004) + 1, DayNumber(3, 1, 2004));
    EXPECT_EQ(DayNumber(12, 31, 2001) + 1, DayNumber(1, 1, 2002));
    EXPECT_EQ(DayNumber(1, 1, 0), DayNumber(1, 1, 1900));
    EXPECT_EQ(DayNumber(6, 30, 99), DayNumber(6, 30, 1999));
}

TEST(DayNumber, InvalidDatesAreZero)
{
    EXPECT_EQ(DayNumber(2, 29, 2001), 0);
    EXPECT_EQ(DayNumber(13, 1, 2000), 0);
    EXPECT_EQ(DayNumber(0, 1, 2000), 0);
    EXPECT_EQ(DayNumber(4, 31, 2000), 0);
    EXPECT_EQ(DayNumber(1, 0, 2000), 0);
    EXPECT_EQ(DayNumber(1, 1, 1858), 0);
    EXPECT_EQ(DayNumber(1, 1, -5), 0);
    EXPECT_EQ(DayNumber(1, 1, 2147483647), 0);
}

TEST(DayNumber, FromText)
{
    EXPECT_EQ(DayNumberFromText("01/15/2002"), 52289);
    EXPECT_EQ(DayNumberFromText("1-15-2002"), 52289);
    EXPECT_EQ(DayNumberFromText("1 15 2002"), 52289);
    EXPECT_EQ(DayNumberFromText("01/15/2002x"), 0);
    EXPECT_EQ(DayNumberFromText("xx/xx/xx"), 0);
    EXPECT_EQ(DayNumberFromText("01//15"), 0);
    EXPECT_EQ(DayNumberFromText("01/15/20/02"), 0);
    EXPECT_EQ(DayNumberFromText(""), 0);
    EXPECT_EQ(DayNumberFromText("99999999999999999999/1/2000"), 0);
}

TEST(FindChar, FirstOccurrence)
{
    EXPECT_EQ(FindChar("01/15/2002  ", ' '), 10);
    EXPECT_EQ(FindChar("", ' '), -1);
    EXPECT_EQ(FindChar("abc", 'z'), -1);
}
