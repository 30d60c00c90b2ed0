// Real bulletins for the FTP archive of the scan and fetch tests
// (internet/bulletins, see SOURCE.md), with the days each one gives, and the
// records as the same "mm/dd/yyyy ss flux" lines.
#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "data/record_array.h"
#include "support/temp_folder.h"

inline const std::string SiteBulletinDir = std::string(SKYLOG_TEST_DATA_DIR) + "/internet/bulletins/";

inline std::string BulletinText(const std::string& name)
{
    return ReadTextFile(SiteBulletinDir + name + ".txt");
}

inline std::vector<std::string> BulletinDays(const std::string& name)
{
    std::ifstream in(SiteBulletinDir + name + ".expected");
    std::vector<std::string> days;
    for (std::string line; std::getline(in, line);)
        days.push_back(line);
    return days;
}

inline std::vector<std::string> RecordDays()
{
    std::vector<std::string> days;
    for (int i = 0; i < Records().RecordCount(); ++i) {
        const SolarRecord& r = Records().At(i);
        std::ostringstream line;
        line.setf(std::ios::fixed);
        line.precision(1);
        line << r.m_date.View() << ' ' << r.m_sunspots << ' ' << r.m_flux;
        days.push_back(line.str());
    }
    return days;
}
