// Every importer on its real excerpt against the cross-check table; detection;
// damaged copies never misread.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>

#include "import/index_format.h"
#include "support/temp_folder.h"

namespace {

const std::string Excerpts = std::string(SKYLOG_TEST_DATA_DIR) + "/import/excerpts/";

// One cell of the cross-check table per date and column.
using Table = std::map<std::string, std::map<std::string, std::string>>;

const Table& CrossCheck()
{
    static const Table table = [] {
        Table t;
        std::ifstream in(Excerpts + "crosscheck_values.csv");
        std::vector<std::string> names;
        for (std::string line; std::getline(in, line);) {
            std::stringstream cells(line);
            std::vector<std::string> row;
            for (std::string cell; std::getline(cells, cell, ',');)
                row.push_back(cell);
            for (std::size_t i = 1; i < row.size() && !names.empty(); ++i)
                t[row[0]][names.at(i)] = row[i];
            if (names.empty())
                names = row;
        }
        return t;
    }();
    return table;
}

// What a file should give for a date: the sunspot number and the flux, each
// with every value the file holds for it (two noon rows give two).
struct Expected { std::vector<int> sunspots; std::vector<double> flux; };
using ExpectedDays = std::map<std::string, Expected>;

// A number; an empty cell and -1 mark no value.
bool IsValue(const std::string& cell)
{
    return !cell.empty() && cell != "-1" && cell.find_first_not_of("0123456789.-") == std::string::npos;
}

// An excerpt and its columns in the cross-check table; from/to bound its
// dates where two files share a column; where rows have a kind (typeColumn)
// only the kinds listed give a number.
struct ExcerptCase {
    const char* file;
    IndexFormat format;
    const char* from;
    const char* to;
    const char* spotsColumn;
    const char* fluxColumn;
    const char* typeColumn = "";
    const char* spotsTypes = "";
    const char* fluxTypes = "";
};

ExpectedDays ExpectedFor(const ExcerptCase& c)
{
    ExpectedDays days;
    for (const auto& [date, cells] : CrossCheck()) {
        if (date < c.from || date > c.to)
            continue;
        const auto cell = [&](const std::string& name) {
            const auto it = cells.find(name);
            return it == cells.end() ? std::string() : it->second;
        };
        const auto kind = [&](const std::string& types) {
            const std::string type = " " + cell(c.typeColumn) + " ";
            return *c.typeColumn == 0 || (" " + types + " ").find(type) != std::string::npos;
        };
        Expected e;
        if (*c.spotsColumn && IsValue(cell(c.spotsColumn)) && kind(c.spotsTypes))
            e.sunspots.push_back(std::stoi(cell(c.spotsColumn)));
        std::stringstream fluxCell(cell(c.fluxColumn));
        for (std::string part; *c.fluxColumn && kind(c.fluxTypes) && std::getline(fluxCell, part, '|');)
            if (IsValue(part))
                e.flux.push_back(std::stod(part));
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
        if (day.flux && std::none_of(e.flux.begin(), e.flux.end(),
                                     [&](double f) { return std::abs(f - *day.flux) < 1e-9; }))
            return ::testing::AssertionFailure() << IsoDate(day) << " flux " << *day.flux;
    }
    return ::testing::AssertionSuccess();
}

const ExcerptCase Cases[] = {
    {"silso_SN_d_tot_V2.0_excerpt.csv", IndexFormat::Silso, "0000", "9999", "silso_sn", ""},
    {"nrcan_fluxtable_excerpt.txt", IndexFormat::Nrcan, "0000", "9999", "", "nrcan_2000UT_obs"},
    {"lisird_penticton_radio_flux_excerpt.csv", IndexFormat::Lisird, "0000", "9999", "",
     "lisird_obs_nearest_2000UT"},
    {"celestrak_SW-All_excerpt.csv", IndexFormat::CelestrakCsv, "0000", "9999", "celestrak_csv_isn",
     "celestrak_csv_f107_obs", "celestrak_csv_type", "OBS INT", "OBS"},
    {"celestrak_sw19571001_excerpt.txt", IndexFormat::CelestrakTxt, "0000", "9999", "celestrak_txt_isn",
     "celestrak_txt_obs_f107", "celestrak_txt_q", "0 4", "0"},
    {"swpc_2009_DSD_excerpt.txt", IndexFormat::Swpc, "2009", "2010", "swpc_dsd_sesc_number", "swpc_dsd_flux"},
    {"swpc_daily-solar-indices_excerpt.txt", IndexFormat::Swpc, "2023", "2024", "swpc_dsd_sesc_number",
     "swpc_dsd_flux"},
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
    const ExpectedDays expected = ExpectedFor(c);
    EXPECT_TRUE(NeverMisread(result, expected));
    std::map<std::string, DailyValue> read;
    for (const DailyValue& day : result.days)
        read[IsoDate(day)] = day;
    for (const auto& [date, e] : expected) {  // every day read; of two noon rows the last
        ASSERT_TRUE(read.count(date)) << date;
        if (!e.flux.empty()) {
            EXPECT_DOUBLE_EQ(*read[date].flux, e.flux.back()) << date;
        }
    }
    EXPECT_EQ(read.size(), expected.size());
}

// A copy cut short or with a character garbled anywhere is read up to the
// damage or refused, never misread.
TEST_P(Excerpt, DamagedCopiesAreNeverMisread)
{
    const ExcerptCase c = GetParam();
    const std::string text = ReadTextFile(Excerpts + c.file);
    const ExpectedDays expected = ExpectedFor(c);
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
    EXPECT_GT(stopped, 0);  // damage is reported
}

INSTANTIATE_TEST_SUITE_P(Formats, Excerpt, ::testing::ValuesIn(Cases));

// Missing files and bulletins: the import run's test.
TEST(Detection, UnknownContentFormatNamesAndNotes)
{
    TempFolder folder;
    WriteTextFile(folder.File("junk.txt"), "date,value\n2009-01-01,3\n");
    EXPECT_FALSE(DetectFormat(folder.File("junk.txt"), "SUNSPOT NUMBERS FOR"));
    EXPECT_EQ(FormatFromName("celestrak-txt"), IndexFormat::CelestrakTxt);
    EXPECT_FALSE(FormatFromName("csv"));
    const IndexReadResult txt =  // its row counts are a note, not a refusal
        ReadIndexFile(Excerpts + "celestrak_sw19571001_excerpt.txt", IndexFormat::CelestrakTxt);
    EXPECT_EQ(txt.notes.at(0), "declares 25162 observed rows but holds 108");
}

// A row breaking its format's rules stops the read there, keeping what came
// before. SILSO: "YYYY;MM;DD;YYYY.yyy;SSSS;DDD.D;NNNN;F", the fraction in
// the row's year, F 0 or 1; SWPC: 75 characters; -1 is no value.
TEST(ImporterRules, RowsOutsideAFormatsRulesStopTheRead)
{
    struct Case { IndexFormat format; std::string good; std::vector<std::string> bad; };
    const std::string dsd = "2009 01 01   69     12        0      0    -999   A0.0   0  0  0  0  0  0  0";
    const Case cases[] = {
        {IndexFormat::Silso, "2011;12;02;2011.921; 127;  8.9;  31;1",
         {"2011;12;03;2011.924; 100;  8.9;  31;2", "2011;12;03;2012.924; 100;  8.9;  31;1",
          "2011;12;32;2011.999; 100;  8.9;  31;1", "2011;02;30;2011.160; 100;  8.9;  31;1",
          "2011;12;03;2011.924;  -2;  8.9;  31;1", "2011;12;03;2011.924; 100;  8.9;  31",
          "2011;12;03;2011.924; 1x0;  8.9;  31;1"}},
        {IndexFormat::Swpc, dsd,
         {"2009 01 02   69     -5" + dsd.substr(22), "2009 01 02   -5" + dsd.substr(15),
          "2009 02 30" + dsd.substr(10), "2009 01 02" + dsd.substr(10, 64)}},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        for (const std::string& bad : c.bad) {
            WriteTextFile(folder.File("rows"), c.good + "\n" + bad + "\n" + c.good + "\n");
            const IndexReadResult r = ReadIndexFile(folder.File("rows"), c.format);
            EXPECT_EQ(r.days.size(), 1u) << bad;
            EXPECT_EQ(r.problem.rfind("line 2: ", 0), 0u) << bad << ": " << r.problem;
        }
    }
}
