// Every importer on its real excerpt, against the values of the excerpts'
// cross-check table; detection; damaged copies never misread.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "import/index_format.h"
#include "support/temp_folder.h"

namespace {

const std::string Excerpts = std::string(SKYLOG_TEST_DATA_DIR) + "/import/excerpts/";

// One cell of the cross-check table per date and column.
using Table = std::map<std::string, std::map<std::string, std::string>>;

std::vector<std::string> SplitCommas(const std::string& line)
{
    std::vector<std::string> cells;
    std::stringstream in(line);
    std::string cell;
    while (std::getline(in, cell, ','))
        cells.push_back(cell);
    if (!line.empty() && line.back() == ',')
        cells.push_back("");
    return cells;
}

const Table& CrossCheck()
{
    static const Table table = [] {
        Table t;
        std::ifstream in(Excerpts + "crosscheck_values.csv");
        std::string line;
        std::getline(in, line);
        const std::vector<std::string> names = SplitCommas(line);
        while (std::getline(in, line)) {
            const std::vector<std::string> cells = SplitCommas(line);
            for (std::size_t i = 1; i < cells.size() && i < names.size(); ++i)
                t[cells[0]][names[i]] = cells[i];
        }
        return t;
    }();
    return table;
}

bool IsNumber(const std::string& cell)
{
    return !cell.empty() && cell.find_first_not_of("0123456789.-") == std::string::npos;
}

// What a file should give for a date: the sunspot number and the flux, each
// with every value the file holds for it (two noon rows give two).
struct Expected {
    std::vector<int> sunspots;
    std::vector<double> flux;
};

std::vector<double> FluxCell(const std::string& cell)
{
    std::vector<double> values;
    std::stringstream in(cell);
    std::string part;
    while (std::getline(in, part, '|')) {
        if (IsNumber(part))
            values.push_back(std::stod(part));
    }
    return values;
}

using ExpectedDays = std::map<std::string, Expected>;

// The table's reading rules, format by format; fromDate/toDate bound the
// dates of one file where two files share a column.
ExpectedDays ExpectedFor(IndexFormat format, const std::string& fromDate = "0000",
                         const std::string& toDate = "9999")
{
    ExpectedDays days;
    for (const auto& [date, cells] : CrossCheck()) {
        if (date < fromDate || date > toDate)
            continue;
        const auto cell = [&](const char* name) {
            const auto it = cells.find(name);
            return it == cells.end() ? std::string() : it->second;
        };
        Expected e;
        switch (format) {
        case IndexFormat::Silso:
            if (IsNumber(cell("silso_sn")) && cell("silso_sn") != "-1")
                e.sunspots.push_back(std::stoi(cell("silso_sn")));
            break;
        case IndexFormat::Nrcan:
            e.flux = FluxCell(cell("nrcan_2000UT_obs"));
            break;
        case IndexFormat::Lisird:
            e.flux = FluxCell(cell("lisird_obs_nearest_2000UT"));
            break;
        case IndexFormat::CelestrakCsv:
            if (cell("celestrak_csv_type") == "OBS" || cell("celestrak_csv_type") == "INT")
                e.sunspots.push_back(std::stoi(cell("celestrak_csv_isn")));
            if (cell("celestrak_csv_type") == "OBS")
                e.flux = FluxCell(cell("celestrak_csv_f107_obs"));
            break;
        case IndexFormat::CelestrakTxt:
            if (cell("celestrak_txt_q") == "0" || cell("celestrak_txt_q") == "4")
                e.sunspots.push_back(std::stoi(cell("celestrak_txt_isn")));
            if (cell("celestrak_txt_q") == "0")
                e.flux = FluxCell(cell("celestrak_txt_obs_f107"));
            break;
        case IndexFormat::Swpc:
            if (IsNumber(cell("swpc_dsd_sesc_number")))
                e.sunspots.push_back(std::stoi(cell("swpc_dsd_sesc_number")));
            e.flux = FluxCell(cell("swpc_dsd_flux"));
            break;
        case IndexFormat::Bulletin:
            break;
        }
        if (!e.sunspots.empty() || !e.flux.empty())
            days[date] = e;
    }
    return days;
}

std::string IsoDate(const DailyValue& v)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", v.year, v.month, v.day);
    return text;
}

// Every day read is a value the file holds for that date.
::testing::AssertionResult NeverMisread(const IndexReadResult& result, const ExpectedDays& expected)
{
    for (const DailyValue& day : result.days) {
        const auto it = expected.find(IsoDate(day));
        if (it == expected.end())
            return ::testing::AssertionFailure() << IsoDate(day) << " is not in the file";
        const Expected& e = it->second;
        if (day.sunspots.has_value() != !e.sunspots.empty() ||
            (day.sunspots && *day.sunspots != e.sunspots.front()))
            return ::testing::AssertionFailure() << IsoDate(day) << " sunspots misread";
        if (day.flux.has_value() != !e.flux.empty())
            return ::testing::AssertionFailure() << IsoDate(day) << " flux presence wrong";
        if (day.flux) {
            bool found = false;
            for (double f : e.flux)
                found = found || std::abs(f - *day.flux) < 1e-9;
            if (!found)
                return ::testing::AssertionFailure() << IsoDate(day) << " flux " << *day.flux;
        }
    }
    return ::testing::AssertionSuccess();
}

struct ExcerptCase {
    const char* file;
    IndexFormat format;
    const char* from;
    const char* to;
};

const ExcerptCase Cases[] = {
    {"silso_SN_d_tot_V2.0_excerpt.csv", IndexFormat::Silso, "0000", "9999"},
    {"nrcan_fluxtable_excerpt.txt", IndexFormat::Nrcan, "0000", "9999"},
    {"lisird_penticton_radio_flux_excerpt.csv", IndexFormat::Lisird, "0000", "9999"},
    {"celestrak_SW-All_excerpt.csv", IndexFormat::CelestrakCsv, "0000", "9999"},
    {"celestrak_sw19571001_excerpt.txt", IndexFormat::CelestrakTxt, "0000", "9999"},
    {"swpc_2009_DSD_excerpt.txt", IndexFormat::Swpc, "2009", "2010"},
    {"swpc_daily-solar-indices_excerpt.txt", IndexFormat::Swpc, "2023", "2024"},
};

class Excerpt : public ::testing::TestWithParam<ExcerptCase> {};

}  // namespace

TEST_P(Excerpt, DetectedByContentAndReadAsTheCrossCheckSays)
{
    const ExcerptCase c = GetParam();
    const std::string path = Excerpts + c.file;
    EXPECT_EQ(DetectFormat(path, "SUNSPOT NUMBERS FOR"), c.format);

    const IndexReadResult result = ReadIndexFile(path, c.format);
    ASSERT_TRUE(result.opened);
    EXPECT_EQ(result.problem, "");
    const ExpectedDays expected = ExpectedFor(c.format, c.from, c.to);
    EXPECT_TRUE(NeverMisread(result, expected));
    // Every day with a value is read (a doubled noon row gives the last one).
    std::map<std::string, DailyValue> read;
    for (const DailyValue& day : result.days)
        read[IsoDate(day)] = day;
    for (const auto& [date, e] : expected) {
        ASSERT_TRUE(read.count(date)) << date;
        if (!e.flux.empty()) {
            EXPECT_DOUBLE_EQ(*read[date].flux, e.flux.back()) << date;
        }
    }
    EXPECT_EQ(read.size(), expected.size());
}

// A copy cut short anywhere, or with one character garbled anywhere, is read
// up to the damage or refused, and what is read is what the file says.
TEST_P(Excerpt, DamagedCopiesAreNeverMisread)
{
    const ExcerptCase c = GetParam();
    const std::string text = ReadTextFile(Excerpts + c.file);
    const ExpectedDays expected = ExpectedFor(c.format, c.from, c.to);
    TempFolder folder;
    const std::string copy = folder.File("damaged");
    int stopped = 0;
    for (std::size_t at = 1; at < text.size(); at += text.size() / 97 + 1) {
        WriteTextFile(copy, text.substr(0, at));
        const IndexReadResult cut = ReadIndexFile(copy, c.format);
        EXPECT_TRUE(NeverMisread(cut, expected)) << "cut at " << at;

        std::string garbled = text;
        garbled[at] = '?';
        WriteTextFile(copy, garbled);
        const IndexReadResult bad = ReadIndexFile(copy, c.format);
        EXPECT_TRUE(NeverMisread(bad, expected)) << "garbled at " << at;
        stopped += bad.problem.empty() ? 0 : 1;
    }
    EXPECT_GT(stopped, 0);  // damage is reported, not passed over in silence
}

INSTANTIATE_TEST_SUITE_P(Formats, Excerpt, ::testing::ValuesIn(Cases));

TEST(ImporterRules, TheCelestrakTextCountsAreANoteNotARefusal)
{
    const IndexReadResult r =
        ReadIndexFile(Excerpts + "celestrak_sw19571001_excerpt.txt", IndexFormat::CelestrakTxt);
    EXPECT_EQ(r.problem, "");
    ASSERT_FALSE(r.notes.empty());
    EXPECT_EQ(r.notes.front(), "declares 25162 observed rows but holds 108");
}

TEST(Detection, BulletinsAndUnknownContent)
{
    for (const char* name : {"arlp001.txt", "arlp010.txt", "arlp011.txt", "arlp020.txt"}) {
        const std::string path = std::string(SKYLOG_TEST_DATA_DIR) + "/bulletin/bulletins/" + name;
        EXPECT_EQ(DetectFormat(path, "SUNSPOT NUMBERS FOR"), IndexFormat::Bulletin) << name;
    }
    TempFolder folder;
    const std::string junk = folder.File("junk.txt");
    WriteTextFile(junk, "date,value\n2009-01-01,3\n");
    EXPECT_FALSE(DetectFormat(junk, "SUNSPOT NUMBERS FOR"));
    EXPECT_FALSE(DetectFormat(folder.File("missing.txt"), "SUNSPOT NUMBERS FOR"));
    WriteTextFile(junk, "");
    EXPECT_FALSE(DetectFormat(junk, "SUNSPOT NUMBERS FOR"));
    EXPECT_EQ(FormatFromName("celestrak-txt"), IndexFormat::CelestrakTxt);
    EXPECT_FALSE(FormatFromName("csv"));
}

// Rows that break the SILSO row rules ("YYYY;MM;DD;YYYY.yyy;SSSS;DDD.D;NNNN;F",
// a fractional year inside the row's year, F 0 or 1, -1 for no value) stop
// the read there; what came before is kept.
TEST(ImporterRules, SilsoRowsOutsideTheRulesStopTheRead)
{
    TempFolder folder;
    const std::string good = "2011;12;02;2011.921; 127;  8.9;  31;1\n";
    for (const char* bad : {"2011;12;03;2011.924; 100;  8.9;  31;2", "2011;12;03;2012.924; 100;  8.9;  31;1",
                            "2011;12;32;2011.999; 100;  8.9;  31;1", "2011;02;30;2011.160; 100;  8.9;  31;1",
                            "2011;12;03;2011.924;  -2;  8.9;  31;1", "2011;12;03;2011.924; 100;  8.9;  31",
                            "2011;12;03;2011.924; 1x0;  8.9;  31;1"}) {
        WriteTextFile(folder.File("sn.csv"), good + bad + "\n" + good);
        const IndexReadResult r = ReadIndexFile(folder.File("sn.csv"), IndexFormat::Silso);
        ASSERT_EQ(r.days.size(), 1u) << bad;
        EXPECT_EQ(r.days[0].sunspots, 127);
        EXPECT_EQ(r.problem.rfind("line 2: ", 0), 0u) << bad << ": " << r.problem;
    }
}
