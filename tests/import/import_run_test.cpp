// A whole import: files combined, duplicate policies, the per-file report.
#include <gtest/gtest.h>

#include <algorithm>

#include "import/import_run.h"
#include "support/data_state.h"
#include "support/temp_folder.h"

namespace {

const std::string Excerpts = std::string(SKYLOG_TEST_DATA_DIR) + "/import/excerpts/";
const std::string Silso = Excerpts + "silso_SN_d_tot_V2.0_excerpt.csv",
                  Nrcan = Excerpts + "nrcan_fluxtable_excerpt.txt";

// A stored day as "5 spots, flux 60, average 33".
std::string Stored(const std::string& date)
{
    char text[64] = "none";
    for (int i = 0; i < Records().RecordCount(); ++i)
        if (const SolarRecord& r = Records().At(i); r.GetDate() == date)
            std::snprintf(text, sizeof text, "%d spots, flux %g, average %d", r.m_sunspots, r.m_flux,
                          r.m_avgSunspots);
    return text;
}

struct Counts {
    int read = 0, added = 0, replaced = 0, skipped = 0, refused = 0, incomplete = 0;
    bool operator==(const Counts&) const = default;
    friend void PrintTo(const Counts& c, std::ostream* os)
    {
        *os << c.read << " read, " << c.added << " added, " << c.replaced << " replaced, " << c.skipped
            << " skipped, " << c.refused << " refused, " << c.incomplete << " incomplete";
    }
};

Counts CountsOf(const FileReport& r)
{
    return {r.read, r.added, r.replaced, r.skipped, r.refused, r.incomplete};
}

std::vector<FileReport> Import(const std::vector<std::string>& paths, DuplicatePolicy policy)
{
    std::vector<ImportSource> sources;
    for (const std::string& path : paths)
        sources.push_back({path, path.substr(path.rfind('/') + 1), std::nullopt});
    ImportRun run;
    run.Read(sources, "SUNSPOT NUMBERS FOR");
    run.Merge(policy);
    std::vector<std::string> dates;  // as yyyy/mm/dd: in strict order
    for (int i = 0; i < Records().RecordCount(); ++i)
        dates.push_back(Records().At(i).GetDate().substr(6) + Records().At(i).GetDate().substr(0, 5));
    EXPECT_EQ(std::adjacent_find(dates.begin(), dates.end(), std::greater_equal<>()), dates.end());
    return run.Reports();
}

class ImportRunTest : public ::testing::Test {
    void SetUp() override { ResetDataState(); }
    void TearDown() override { ResetDataState(); }
};

}  // namespace

TEST_F(ImportRunTest, SunspotOnlyAndFluxOnlyFilesMakeDaysTogether)
{
    // A day needs both numbers: the 44 NRCan noon days; SILSO's other days are incomplete, 1818-01-08 refused.
    EXPECT_EQ(CountsOf(Import({Silso, Nrcan}, DuplicatePolicy::Ignore)[0]),
              (Counts{.read = 116, .added = 44, .refused = 1, .incomplete = 71}));
    EXPECT_EQ(Records().RecordCount(), 44);
    EXPECT_EQ(Records().DataChanged(), 1);
    EXPECT_EQ(Stored("12/02/2011"), "127 spots, flux 157.3, average 0");
}

TEST_F(ImportRunTest, StoredDatesFollowTheDuplicatePolicy)
{
    AddRecord("12/15/2008", 5, 60.0);  // differs from both files
    AddRecord("12/16/2008", 0, 69.4);  // the file's own noon flux
    AddRecord("01/20/2009", 0, 0.0);
    Records().MutableAt(0).m_avgSunspots = 33;
    Records().SetDataChanged(0);
    // Ignore: stored days keep their values; flux alone adds no day.
    EXPECT_EQ(Import({Nrcan}, DuplicatePolicy::Ignore)[0].skipped, 2);
    EXPECT_EQ(Records().RecordCount(), 3);
    EXPECT_EQ(Records().DataChanged(), 0);
    EXPECT_EQ(Stored("12/15/2008"), "5 spots, flux 60, average 33");
    // Replace: only the number the file carries changes; averages stay; an equal value is skipped.
    EXPECT_EQ(CountsOf(Import({Nrcan}, DuplicatePolicy::Replace)[0]),
              (Counts{.read = 44, .replaced = 1, .skipped = 1, .incomplete = 42}));
    EXPECT_EQ(Stored("12/15/2008"), "5 spots, flux 68.9, average 33");
    EXPECT_EQ(Records().DataChanged(), 1);
}

TEST_F(ImportRunTest, BulletinsAndIndexFilesInOneRunAndTheReport)
{
    TempFolder folder;
    WriteTextFile(folder.File("junk.txt"), "nothing to see\n");
    std::string dsd = ReadTextFile(Excerpts + "swpc_2009_DSD_excerpt.txt");
    dsd[dsd.find("2009 01 07") + 13] = 'x';  // the flux field of its 20th line
    WriteTextFile(folder.File("dsd.txt"), dsd);
    const std::vector<FileReport> reports =
        Import({std::string(SKYLOG_TEST_DATA_DIR) + "/bulletin/bulletins/arlp010.txt",
                Excerpts + "swpc_2009_DSD_excerpt.txt", folder.File("junk.txt"), folder.File("missing.txt"),
                folder.File("dsd.txt")},
               DuplicatePolicy::Ignore);
    ASSERT_EQ(reports.size(), 5u);
    EXPECT_EQ(ReportText(reports[0]).substr(0, 43), "arlp010.txt: bulletin, 7 days read, 7 added");
    EXPECT_EQ(Records().RecordCount(), 66);
    EXPECT_EQ(ReportText(reports[1]),
              "swpc_2009_DSD_excerpt.txt: swpc, 59 days read, 59 added, 0 replaced, 0 skipped (already stored), "
              "0 refused (out of range)\n  the sunspot numbers are SWPC's SESC count, not on SILSO's scale");
    EXPECT_EQ(ReportText(reports[2]), "junk.txt: unknown content; the formats known are bulletin, silso, nrcan, "
                                      "lisird, celestrak-csv, celestrak-txt, swpc");
    EXPECT_EQ(ReportText(reports[3]), "missing.txt: cannot be opened");
    // The damaged copy is read up to the damage (01-01 .. 01-06) and says where.
    EXPECT_EQ(reports[4].read, 6);
    EXPECT_NE(ReportText(reports[4]).find("stopped at line 20"), std::string::npos) << ReportText(reports[4]);
}
