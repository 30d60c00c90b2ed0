// The real bulletins of tests/bulletin/real (see its README.md) with the days expected.json gives for each, an
// FTP archive of four of them, and days as the "mm/dd/yyyy ss flux" lines they are compared as.
#pragma once

#include <charconv>
#include <cstdio>
#include <regex>
#include <string>
#include <vector>

#include "bulletin/bulletin_parser.h"
#include "data/record_array.h"
#include "support/ftp_server.h"
#include "support/temp_folder.h"

inline const std::string RealBulletinDir = std::string(SKYLOG_TEST_DATA_DIR) + "/bulletin/real/";

struct ExpectedBulletin {
    std::string file;          // "003_1995_arlp038.txt"
    bool datePrinted = false;  // bulletin_date is not null
    std::vector<BulletinDay> days;
};

// expected.json, read with patterns for its fixed layout.
inline std::vector<ExpectedBulletin> ExpectedBulletins()
{
    const auto number = [](const std::string& text, auto value) {  // whatever the locale
        std::from_chars(text.data(), text.data() + text.size(), value);
        return value;
    };
    const std::string json = ReadTextFile(RealBulletinDir + "expected.json");
    const std::regex file("\"file\": \"([^\"]+)\""), printed("\"bulletin_date\": \"");
    const std::regex day("\"date\": \"(\\d\\d)/(\\d\\d)/(\\d{4})\",\\s*\"sunspots\": (\\d+),\\s*\"flux\": ([0-9.]+)");
    std::vector<ExpectedBulletin> set;
    std::vector<std::size_t> starts;
    for (std::sregex_iterator it(json.begin(), json.end(), file), end; it != end; ++it) {
        set.push_back({(*it)[1].str(), false, {}});
        starts.push_back(static_cast<std::size_t>(it->position(0)));
    }
    starts.push_back(json.size());
    for (std::size_t i = 0; i < set.size(); ++i) {
        const std::string record = json.substr(starts[i], starts[i + 1] - starts[i]);
        set[i].datePrinted = std::regex_search(record, printed);
        for (std::sregex_iterator it(record.begin(), record.end(), day), end; it != end; ++it)
            set[i].days.push_back({number((*it)[1], 0), number((*it)[2], 0), number((*it)[3], 0),
                                   number((*it)[4], 0), number((*it)[5], 0.0)});
    }
    return set;
}

// The text of a bulletin of the set: "003_1995_arlp038".
inline std::string BulletinText(const std::string& name) { return ReadTextFile(RealBulletinDir + name + ".txt"); }

inline std::string FluxText(double flux)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", flux);
    return text;
}

// The days expected.json gives for a bulletin of the set, as lines.
inline std::vector<std::string> BulletinDays(const std::string& name)
{
    std::vector<std::string> lines;
    for (const ExpectedBulletin& e : ExpectedBulletins())
        for (const BulletinDay& d : e.file == name + ".txt" ? e.days : std::vector<BulletinDay>()) {
            char date[16];
            std::snprintf(date, sizeof date, "%02d/%02d/%04d", d.month, d.day, d.year);
            lines.push_back(date + (" " + std::to_string(d.sunspots)) + " " + FluxText(d.flux));
        }
    return lines;
}

// Four real bulletins in three year folders, a bulletin without a date line (code -2), and a file the name
// pattern leaves alone.
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

// The records as lines, in array order.
inline std::vector<std::string> RecordDays()
{
    std::vector<std::string> days;
    for (int i = 0; i < Records().RecordCount(); ++i) {
        const SolarRecord& r = Records().At(i);
        days.push_back(std::string(r.m_date.View()) + " " + std::to_string(r.m_sunspots) + " " + FluxText(r.m_flux));
    }
    return days;
}
