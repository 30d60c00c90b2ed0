#include <gtest/gtest.h>

#include "data/stagger_date.h"

TEST(StaggerDate, NormalisedToTenCharacters)
{
    struct Case { const char* typed; std::optional<std::string> stored; };
    for (const Case& c : {
             Case{"1/5/95", "01/05/1995"},
             Case{"12/31/2001", "12/31/2001"},
             Case{"3/7/2001", "03/07/2001"},
             Case{"3/7/05", "03/07/2005"},         // the program's century rule
             Case{"15/03/1996", "15/03/1996"},     // day first: kept, matches no day
             Case{"123/456/78901", "12/45/1978"},  // fields cut, 19 put before the year's start
             Case{"1/5", "01/05/19  "},            // one "/": no day of any file
             Case{"1//1995", "01//1/1995"},
             Case{"/5/1995", std::nullopt},
             Case{"", std::nullopt},
             Case{"1995", std::nullopt},
         }) {
        EXPECT_EQ(NormalizeStaggerDate(c.typed), c.stored) << c.typed;
        if (c.stored) {
            EXPECT_EQ(c.stored->size(), 10u);
        }
    }
}
