// Every importer on its real excerpt against the cross-check table; damaged copies never misread.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <sstream>

#include "import/index_format.h"
#include "support/temp_folder.h"

namespace {

const std::string Excerpts = std::string(SKYLOG_TEST_DATA_DIR) + "/import/excerpts/";

// An excerpt, the first note its reading gives, and its columns in the cross-check table; from/to bound its dates where
// two files share a column; where rows have a kind (typeColumn) only the kinds listed give a number.
struct ExcerptCase {
    const char *file, *note;
    IndexFormat format;
    const char *from, *to, *spotsColumn, *fluxColumn, *typeColumn = "", *spotsTypes = "", *fluxTypes = "";
};

// What a file holds for a date: its sunspot number and every flux (two noon rows give two).
struct Expected { std::optional<int> sunspots; std::vector<double> flux; };
using ExpectedDays = std::map<std::string, Expected>;

ExpectedDays ExpectedFor(const ExcerptCase& c)
{
    // A number; an empty cell and -1 mark no value.
    const auto isValue = [](const std::string& t) {
        return !t.empty() && t != "-1" && t.find_first_not_of("0123456789.-") == std::string::npos;
    };
    std::ifstream in(Excerpts + "crosscheck_values.csv");
    std::vector<std::string> names;
    ExpectedDays days;
    for (std::string line; std::getline(in, line);) {
        std::stringstream cells(line);
        std::vector<std::string> row;
        for (std::string text; std::getline(cells, text, ',');)
            row.push_back(text);
        if (names.empty()) {
            names = row;
            continue;
        }
        std::map<std::string, std::string> cell;
        for (std::size_t i = 0; i < row.size(); ++i)
            cell[names.at(i)] = row[i];
        const auto kind = [&](const std::string& types) {
            return !*c.typeColumn || (" " + types + " ").find(" " + cell[c.typeColumn] + " ") != std::string::npos;
        };
        Expected e;
        if (*c.spotsColumn && isValue(cell[c.spotsColumn]) && kind(c.spotsTypes))
            e.sunspots = std::stoi(cell[c.spotsColumn]);
        std::stringstream fluxCell(*c.fluxColumn ? cell[c.fluxColumn] : "");
        for (std::string part; kind(c.fluxTypes) && std::getline(fluxCell, part, '|');)
            if (isValue(part))
                e.flux.push_back(std::stod(part));
        if (cell["date"] >= c.from && cell["date"] <= c.to && (e.sunspots || !e.flux.empty()))
            days[cell["date"]] = e;
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
        const std::vector<double> flux = it == expected.end() ? std::vector<double>{} : it->second.flux;
        const auto isDayFlux = [&](double f) { return day.flux && std::abs(f - *day.flux) < 1e-9; };
        if (it == expected.end() || day.sunspots != it->second.sunspots ||
            day.flux.has_value() == flux.empty() || (day.flux && std::none_of(flux.begin(), flux.end(), isDayFlux)))
            return ::testing::AssertionFailure() << IsoDate(day) << " misread";
    }
    return ::testing::AssertionSuccess();
}

const char* const Sesc = "the sunspot numbers are SWPC's SESC count, not on SILSO's scale";
const ExcerptCase Cases[] = {
    {"silso_SN_d_tot_V2.0_excerpt.csv", "9 days marked as without data (-1)", IndexFormat::Silso, "0000", "9999",
     "silso_sn", ""},
    {"nrcan_fluxtable_excerpt.txt", "2 days without a 20:00 UT reading (left out)", IndexFormat::Nrcan, "0000",
     "9999", "", "nrcan_2000UT_obs"},
    {"lisird_penticton_radio_flux_excerpt.csv", "", IndexFormat::Lisird, "0000", "9999", "",
     "lisird_obs_nearest_2000UT"},
    {"celestrak_SW-All_excerpt.csv", "2 interpolated flux values (INT) left out", IndexFormat::CelestrakCsv, "0000",
     "9999", "celestrak_csv_isn", "celestrak_csv_f107_obs", "celestrak_csv_type", "OBS INT", "OBS"},
    {"celestrak_sw19571001_excerpt.txt", "declares 25162 observed rows but holds 108",  // a note, not a refusal
     IndexFormat::CelestrakTxt, "0000", "9999", "celestrak_txt_isn", "celestrak_txt_obs_f107",
     "celestrak_txt_q", "0 4", "0"},
    {"swpc_2009_DSD_excerpt.txt", Sesc, IndexFormat::Swpc, "2009", "2010", "swpc_dsd_sesc_number", "swpc_dsd_flux"},
    {"swpc_daily-solar-indices_excerpt.txt", Sesc, IndexFormat::Swpc, "2023", "2024",
     "swpc_dsd_sesc_number", "swpc_dsd_flux"},
};

class Excerpt : public ::testing::TestWithParam<ExcerptCase> {};

}  // namespace

// Also: a copy cut short or with a character garbled anywhere is read up to
// the damage or refused, never misread.
TEST_P(Excerpt, DetectedByContentAndReadAsTheCrossCheckSays)
{
    const ExcerptCase c = GetParam();
    EXPECT_EQ(DetectFormat(Excerpts + c.file, "SUNSPOT NUMBERS FOR"), c.format);
    const IndexReadResult result = ReadIndexFile(Excerpts + c.file, c.format);
    EXPECT_TRUE(result.opened && result.problem.empty()) << result.problem;
    EXPECT_EQ(result.notes.empty() ? "" : result.notes[0], c.note);
    const ExpectedDays expected = ExpectedFor(c);
    EXPECT_TRUE(NeverMisread(result, expected));
    EXPECT_EQ(result.days.size(), expected.size());  // every day, once
    for (const DailyValue& day : result.days)  // of two noon rows the last
        EXPECT_DOUBLE_EQ(day.flux.value_or(0), day.flux ? expected.at(IsoDate(day)).flux.back() : 0) << IsoDate(day);

    const std::string text = ReadTextFile(Excerpts + c.file);
    TempFolder folder;
    int stopped = 0;
    for (std::size_t at = 1; at < text.size(); at += text.size() / 97 + 1) {
        const std::string garbled = text.substr(0, at) + '?' + text.substr(at + 1);
        for (const std::string& copy : {text.substr(0, at), garbled}) {
            WriteTextFile(folder.File("damaged"), copy);
            const IndexReadResult read = ReadIndexFile(folder.File("damaged"), c.format);
            EXPECT_TRUE(NeverMisread(read, expected)) << "damaged at " << at;
            stopped += read.problem.empty() ? 0 : 1;
        }
    }
    EXPECT_GT(stopped, 0);  // damage is reported
}

// Named for the file, so each test keeps its name from build to build.
INSTANTIATE_TEST_SUITE_P(Formats, Excerpt, ::testing::ValuesIn(Cases), [](const auto& info) {
    std::string name = info.param.file;
    std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
});

// A row breaking its format's rules stops the read there, keeping what came before. SILSO:
// "YYYY;MM;DD;YYYY.yyy;SSSS;DDD.D;NNNN;F", the fraction in the row's year, F 0 or 1; SWPC: 75 characters.
TEST(ImporterRules, RowsOutsideAFormatsRulesStopTheReadAndFormatNames)
{
    EXPECT_TRUE(FormatFromName("celestrak-txt") == IndexFormat::CelestrakTxt && !FormatFromName("csv"));
    const std::string dsd = "2009 01 01   69     12        0      0    -999   A0.0   0  0  0  0  0  0  0";
    const struct { IndexFormat format; std::string good; std::vector<std::string> bad; } cases[] = {
        {IndexFormat::Silso, "2011;12;02;2011.921; 127;  8.9;  31;1",
         {"2011;12;03;2011.924; 100;  8.9;  31;2", "2011;12;03;2012.924; 100;  8.9;  31;1",
          "2011;02;30;2011.160; 100;  8.9;  31;1", "2011;12;03;2011.924;  -2;  8.9;  31;1",
          "2011;12;03;2011.924; 100;  8.9;  31", "2011;12;03;2011.924; 1x0;  8.9;  31;1"}},
        {IndexFormat::Swpc, dsd,
         {"2009 01 02   69     -5" + dsd.substr(22), "2009 01 02   -5" + dsd.substr(15), "2009 02 30" + dsd.substr(10),
          "2009 01 02" + dsd.substr(10, 64)}},
    };
    TempFolder folder;
    for (const auto& c : cases)
        for (const std::string& bad : c.bad) {
            WriteTextFile(folder.File("rows"), c.good + "\n" + bad + "\n" + c.good + "\n");
            const IndexReadResult r = ReadIndexFile(folder.File("rows"), c.format);
            EXPECT_EQ(std::pair(r.days.size(), r.problem.substr(0, 8)),
                      std::pair(std::size_t{1}, std::string("line 2: ")))
                << bad << ": " << r.problem;
        }
}
