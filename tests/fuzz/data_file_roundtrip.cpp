#include "fuzz/roundtrip_checks.h"

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <vector>

#include "data/averages.h"
#include "data/data_file.h"
#include "data/date_input.h"
#include "data/number_text.h"
#include "data/record_array.h"
#include "support/scripted_prompt.h"
#include "support/temp_folder.h"

namespace {

// The day as the file will hold it, from the date rules alone (none: saved
// as a comment line), the flux with one decimal.
std::optional<SolarRecord> AsWritten(const SolarRecord& r, bool version3)
{
    const std::string date = ParseNumericDate(r.GetDate());
    const int year = date.empty() ? 0 : std::atoi(date.c_str() + 6);
    if (date.empty() || (!version3 && (year < 1950 || year > 2049)))
        return std::nullopt;
    return SolarRecord(date, r.m_sunspots, ParseLeadingDouble(FormatFixed(r.m_flux, 5, 1)), 0, 0);
}

}  // namespace

std::string CheckDataFileRoundTrip(const std::string& bytes, int mode, const std::string& folder)
{
    ScriptedPrompt prompt;  // answers No: version 2 files stay unconverted
    // Backups of earlier inputs would use up the backup names.
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        std::filesystem::remove_all(entry.path());
    const std::string path = folder + "/FUZZ.DAT";
    const char* header = mode == 1 ? Version3Header : mode == 2 ? Version2Header : nullptr;
    WriteTextFile(path, header ? std::string(header) + "\n" + bytes : bytes);
    Records().FreeRecords();
    Records().SetDataChanged(0);
    Stagger().enabled = 0;
    DataFile().path = path;
    if (ReadDataFile() != ReadOutcome::Read)
        return {};
    const bool version3 = DataFile().version3;

    RecordArray& records = Records();
    for (int i = 0; i < records.RecordCount(); ++i) {
        const SolarRecord& r = records.At(i);
        if (r.m_sunspots < MinSunspots || r.m_sunspots > MaxSunspots || !(r.m_flux >= MinFlux) ||
            r.m_flux > MaxFlux)
            return "a value out of range was read on day " + std::to_string(i);
    }
    const int intervals[][2] = {{28, 13}, {1, 0}, {7, 6}, {3, 0}};
    for (const auto& interval : intervals) {
        int computed = 0;
        ComputeAverages(interval[0], interval[1], computed);
        for (int i = 0; i < records.RecordCount(); ++i) {
            const SolarRecord& r = records.At(i);
            if (std::abs(r.m_avgSunspots) > MaxSunspots || std::abs(r.m_avgFlux) > MaxFlux)
                return "an average out of range on day " + std::to_string(i);
        }
    }
    FindRecordHighsLows();

    std::vector<SolarRecord> expected;
    for (int i = 0; i < records.RecordCount(); ++i) {
        if (const std::optional<SolarRecord> day = AsWritten(records.At(i), version3))
            expected.push_back(*day);
    }

    Records().SetDataChanged(1);
    if (!WriteDataFile())
        return "the first save failed";
    const std::string first = ReadTextFile(path);
    if (ReadDataFile() != ReadOutcome::Read)
        return "the saved file was not read back";
    const auto text = [](const SolarRecord& r) {
        return r.GetDate() + " " + std::to_string(r.m_sunspots) + " " + FormatShortest(r.m_flux);
    };
    if (records.RecordCount() != static_cast<int>(expected.size()))
        return "wrote " + std::to_string(expected.size()) + " days, read back " + std::to_string(records.RecordCount());
    for (int i = 0; i < records.RecordCount(); ++i)
        if (text(records.At(i)) != text(expected[static_cast<std::size_t>(i)]))
            return "day " + std::to_string(i) + ": wrote " + text(expected[static_cast<std::size_t>(i)]) +
                   ", read back " + text(records.At(i));
    if (SkippedDataLines() != 0)
        return "the saved file has lines that are not data";
    Records().SetDataChanged(1);
    if (!WriteDataFile())
        return "the second save failed";
    if (ReadTextFile(path) != first)
        return "the second save differs from the first";
    return {};
}
