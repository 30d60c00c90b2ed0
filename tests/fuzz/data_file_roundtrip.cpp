#include "fuzz/roundtrip_checks.h"

#include <cstdlib>
#include <filesystem>

#include "data/data_file.h"
#include "data/date_input.h"
#include "data/number_text.h"
#include "data/record_array.h"
#include "support/scripted_prompt.h"
#include "support/temp_folder.h"

namespace {

// The days held, one "date sunspots flux" line each; asWritten: as a save will write them, from the date
// rules alone (a date that cannot be written: left out), the flux with one decimal.
std::string Days(bool asWritten)
{
    std::string days;
    for (int i = 0; i < Records().RecordCount(); ++i) {
        const SolarRecord& r = Records().At(i);
        const std::string date = asWritten ? ParseNumericDate(r.GetDate()) : r.GetDate();
        const int year = date.empty() ? 0 : std::atoi(date.c_str() + 6);
        if (date.empty() || (asWritten && !DataFile().version3 && (year < 1950 || year > 2049)))
            continue;
        const double flux = asWritten ? ParseLeadingDouble(FormatFixed(r.m_flux, 5, 1)) : r.m_flux;
        days += date + " " + std::to_string(r.m_sunspots) + " " + FormatShortest(flux) + "\n";
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
    const std::string expected = Days(true);
    const auto save = [] { return Records().SetDataChanged(1), WriteDataFile(); };
    if (!save())
        return "the first save failed";
    const std::string first = ReadTextFile(path);
    if (ReadDataFile() != ReadOutcome::Read || SkippedDataLines() != 0 || Days(false) != expected)
        return "wrote\n" + expected + "read back\n" + Days(false);
    if (!save() || ReadTextFile(path) != first)
        return "the second save failed or differs from the first";
    return {};
}
