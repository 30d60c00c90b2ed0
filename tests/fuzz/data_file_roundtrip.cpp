#include "fuzz/roundtrip_checks.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <utility>
#include <vector>

#include "data/data_file.h"
#include "data/record_array.h"
#include "support/scripted_prompt.h"
#include "support/temp_folder.h"

namespace {

// The days held in order: sunspots and flux. With what no day may hold, by hand from the file format: sunspots
// outside 0..1000, a flux outside 0..2000 and, read back from a save, a date not mm/dd/yyyy of month 1-12, day 1-31
// (a version 2 file: years 1950-2049).
std::vector<std::pair<int, double>> DaysHeld(bool saved, std::string* bad)
{
    std::vector<std::pair<int, double>> days;
    for (int i = 0; i < Records().RecordCount(); ++i) {
        const SolarRecord& r = Records().At(i);
        const std::string d = r.GetDate();
        days.emplace_back(r.m_sunspots, r.m_flux);
        const int month = std::atoi(d.c_str()), day = std::atoi(d.c_str() + 3), year = std::atoi(d.c_str() + 6);
        bool shaped = d.size() == 10 && d[2] == '/' && d[5] == '/';
        for (const int k : {0, 1, 3, 4, 6, 7, 8, 9})
            shaped = shaped && std::isdigit(static_cast<unsigned char>(d[k]));
        if (r.m_sunspots < 0 || r.m_sunspots > 1000 || !(r.m_flux >= 0 && r.m_flux <= 2000) ||
            (saved && (!shaped || month < 1 || month > 12 || day < 1 || day > 31 ||
                       (!DataFile().version3 && (year < 1950 || year > 2049)))))
            *bad += d + " " + std::to_string(r.m_sunspots) + " " + std::to_string(r.m_flux) + "\n";
    }
    return days;
}

}  // namespace

std::string CheckDataFileRoundTrip(const std::string& bytes, int mode, const std::string& folder)
{
    ScriptedPrompt prompt;  // answers No: version 2 files stay unconverted
    for (const auto& entry : std::filesystem::directory_iterator(folder))  // old backups use up the names
        std::filesystem::remove_all(entry.path());
    const std::string path = folder + "/FUZZ.DAT";
    const char* header = mode == 1 ? Version3Header : mode == 2 ? Version2Header : nullptr;
    WriteTextFile(path, header ? std::string(header) + "\n" + bytes : bytes);
    Records().SetDataChanged(0);
    Stagger().enabled = 0;
    DataFile().path = path;
    if (ReadDataFile() != ReadOutcome::Read)
        return {};
    std::string bad;
    const std::vector<std::pair<int, double>> read = DaysHeld(false, &bad);
    Records().SetDataChanged(1);
    if (!WriteDataFile())
        return "the first save failed";
    const std::string first = ReadTextFile(path);
    if (ReadDataFile() != ReadOutcome::Read || SkippedDataLines() != 0)
        return "the save did not read back";
    const std::vector<std::pair<int, double>> back = DaysHeld(true, &bad);
    if (!bad.empty())
        return "days no file may hold:\n" + bad;
    // Each day read back was read first, in order, its flux to one decimal; the others became unwritable-date
    // comments (beyond those the file had).
    std::size_t next = 0;
    for (const auto& [spots, flux] : back) {
        while (next < read.size() && (read[next].first != spots || std::abs(read[next].second - flux) > 0.0501))
            ++next;
        if (next++ >= read.size())
            return "read back " + std::to_string(spots) + " " + std::to_string(flux) + ", a day never read";
    }
    const auto unwritable = [](const std::string& text) {
        static const std::regex mark("! UNREADABLE DATE: ");
        return std::distance(std::sregex_iterator(text.begin(), text.end(), mark), std::sregex_iterator());
    };
    if (std::ssize(read) - std::ssize(back) + unwritable(bytes) != unwritable(first))
        return std::to_string(read.size() - back.size()) + " days not read back";
    Records().SetDataChanged(1);
    if (!WriteDataFile() || ReadTextFile(path) != first)
        return "the second save failed or differs from the first";
    return {};
}
