// Real bulletins for the FTP archives of the scan, fetch and download tests
// (internet/bulletins, see SOURCE.md), with the days each one gives; an
// archive of them; and the records as the same "mm/dd/yyyy ss flux" lines.
#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "data/record_array.h"
#include "support/ftp_server.h"
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

// The standard archive: four real bulletins in three year folders, a bulletin
// without a date line (code -2), and a file the name pattern leaves alone.
inline std::vector<ArchiveFile> StandardArchive()
{
    return {
        {"1995/1995-arlp038.txt", BulletinText("003_1995_arlp038")},
        {"1996/1996-arlp005.txt", BulletinText("004_1996_arlp005")},
        {"1996/notes.txt", "not a bulletin\n"},
        {"2002/2002-arlp052.txt", BulletinText("013_2002_arlp052")},
        {"2002/2002-arlp099.txt", "No date line here.\n"},
        {"2003/2003-arlp008.txt", BulletinText("014_2003_arlp008")},
    };
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
