#include <gtest/gtest.h>

#include "data/stagger_date.h"

TEST(StaggerDate, NormalisedToTenCharacters)
{
    for (const auto& [typed, stored] : std::initializer_list<std::pair<const char*, std::optional<std::string>>>{
             {"1/5/95", "01/05/1995"}, {"12/31/2001", "12/31/2001"}, {"3/7/05", "03/07/2005"},  // century rule
             {"15/03/1996", "15/03/1996"},     // day first: kept, matches no day
             {"123/456/78901", "12/45/1978"},  // fields cut, 19 put before the year's start
             {"1/5", "01/05/19  "},            // one "/": no day of any file
             {"1//1995", "01//1/1995"}, {"/5/1995", std::nullopt}, {"", std::nullopt}, {"1995", std::nullopt}})
        EXPECT_EQ(NormalizeStaggerDate(typed), stored) << typed;
}
