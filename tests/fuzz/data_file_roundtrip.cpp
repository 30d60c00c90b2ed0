#include "fuzz/data_file_roundtrip.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "data/averages.h"
#include "data/data_file.h"
#include "data/date_input.h"
#include "data/number_text.h"
#include "data/prompt.h"
#include "data/record_array.h"

namespace {

// Answers every question No, keeps version 2 files unconverted, shows nothing.
class SilentPrompt final : public UserPrompt {
public:
    PromptAnswer MessageBox(const std::string&, const std::string&, PromptIcon,
                            PromptButtons buttons) override
    {
        return buttons == PromptButtons::Ok         ? PromptAnswer::Ok
               : buttons == PromptButtons::OkCancel ? PromptAnswer::Cancel
                                                    : PromptAnswer::No;
    }
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    void PumpMessages() override {}
    std::optional<std::string> ChooseOpenFile(const std::string&, const std::string&) override { return {}; }
    std::optional<std::string> ChooseSaveFile(const std::string&, const std::string&) override { return {}; }
    std::optional<std::string> ChooseFolder(const std::string&, const std::string&) override { return {}; }
    ConversionChoice AskConvertVersion2File() override { return ConversionChoice::DoNotConvert; }
    std::optional<int> AskBulletinYear(int) override { return {}; }
    std::optional<std::string> AskSearchText(const std::string&) override { return {}; }
    void ShowHelp(const std::string&) override {}
    void BeginProgress(const std::string&) override {}
    void SetProgress(int) override {}
    void EndProgress() override {}
};

struct Day {
    std::string date;
    int sunspots;
    double flux;
};

std::string Slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The date as the file will hold it, worked out from the date rules alone.
bool Writable(const std::string& date, bool version3, std::string* canonical)
{
    *canonical = ParseNumericDate(date);
    if (canonical->empty())
        return false;
    const int year = std::atoi(canonical->c_str() + 6);
    return version3 || (year >= 1950 && year <= 2049);
}

std::string Describe(int index, const Day& expected, const SolarRecord& actual)
{
    char text[256];
    std::snprintf(text, sizeof text, "day %d: wrote %s %d %.3f, read back %s %d %.3f", index,
                  expected.date.c_str(), expected.sunspots, expected.flux, actual.GetDate().c_str(),
                  actual.m_sunspots, actual.m_flux);
    return text;
}

}  // namespace

std::string CheckDataFileRoundTrip(const std::string& bytes, int mode, const std::string& folder)
{
    SilentPrompt prompt;
    SetPrompt(&prompt);
    struct Restore {
        ~Restore() { SetPrompt(nullptr); }
    } restore;

    // Backups of earlier inputs would use up the backup names.
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        std::filesystem::remove_all(entry.path());
    const std::string path = folder + "/FUZZ.DAT";
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        if (mode == 1)
            out << Version3Header << '\n';
        else if (mode == 2)
            out << Version2Header << '\n';
        out << bytes;
    }
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

    std::vector<Day> expected;
    for (int i = 0; i < records.RecordCount(); ++i) {
        const SolarRecord& r = records.At(i);
        std::string canonical;
        if (!Writable(r.GetDate(), version3, &canonical))
            continue;  // saved as a comment line
        // The file holds the flux with one decimal.
        expected.push_back({canonical, r.m_sunspots, ParseLeadingDouble(FormatFixed(r.m_flux, 5, 1))});
    }

    Records().SetDataChanged(1);
    if (!WriteDataFile())
        return "the first save failed";
    const std::string first = Slurp(path);
    if (ReadDataFile() != ReadOutcome::Read)
        return "the saved file was not read back";
    if (records.RecordCount() != static_cast<int>(expected.size()))
        return "wrote " + std::to_string(expected.size()) + " days, read back " +
               std::to_string(records.RecordCount());
    for (int i = 0; i < records.RecordCount(); ++i) {
        const SolarRecord& r = records.At(i);
        const Day& e = expected[static_cast<std::size_t>(i)];
        if (r.GetDate() != e.date || r.m_sunspots != e.sunspots || r.m_flux != e.flux)
            return Describe(i, e, r);
    }
    if (SkippedDataLines() != 0)
        return "the saved file has lines that are not data";
    Records().SetDataChanged(1);
    if (!WriteDataFile())
        return "the second save failed";
    if (Slurp(path) != first)
        return "the second save differs from the first";
    return {};
}
