// The days a parser holds, and a day as a failure message prints it.
#pragma once

#include <ostream>
#include <vector>

#include "bulletin/bulletin_parser.h"

inline std::ostream& operator<<(std::ostream& out, const BulletinDay& d)
{
    return out << d.month << "/" << d.day << "/" << d.year << " " << d.sunspots << " " << d.flux;
}

inline std::vector<BulletinDay> HeldDays(const BulletinParser& parser)
{
    std::vector<BulletinDay> days;
    for (int i = 0; i <= parser.GetLastIndex(); ++i) {
        BulletinDay d;
        parser.GetDay(i, &d.sunspots, &d.flux, &d.year, &d.month, &d.day);
        days.push_back(d);
    }
    return days;
}
