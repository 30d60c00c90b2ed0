// A whole import: files combined, duplicate policies, the per-file report.
#include <gtest/gtest.h>

#include "config/plot_settings.h"
#include "import/import_run.h"
#include "support/data_state.h"
#include "support/temp_folder.h"

namespace {

const std::string Excerpts = std::string(SKYLOG_TEST_DATA_DIR) + "/import/excerpts/";
const std::string Silso = Excerpts + "silso_SN_d_tot_V2.0_excerpt.csv";
const std::string Nrcan = Excerpts + "nrcan_fluxtable_excerpt.txt";

std::optional<SolarRecord> Stored(const std::string& date)
{
    for (int i = 0; i < Records().RecordCount(); ++i)
        if (Records().At(i).GetDate() == date)
            return Records().At(i);
    return std::nullopt;
}

bool InDateOrder()
{
    for (int i = 1; i < Records().RecordCount(); ++i) {
        const std::string a = Records().At(i - 1).GetDate(), b = Records().At(i).GetDate();
        if (a.substr(6) + a.substr(0, 5) >= b.substr(6) + b.substr(0, 5))
            return false;
    }
    return true;
}

class ImportRunTest : public ::testing::Test {
protected:
    TempFolder folder;
    void SetUp() override { ResetDataState(); }
    void TearDown() override { ResetDataState(); }

    ImportRun Run(const std::vector<std::string>& paths, DuplicatePolicy policy)
    {
        std::vector<ImportSource> sources;
        for (const std::string& path : paths)
            sources.push_back({path, path.substr(path.rfind('/') + 1), std::nullopt});
        ImportRun run;
        run.Read(sources, "SUNSPOT NUMBERS FOR");
        run.Merge(policy);
        return run;
    }
};

}  // namespace

TEST_F(ImportRunTest, SunspotOnlyAndFluxOnlyFilesMakeDaysTogether)
{
    // Alone, a sunspot-only series adds nothing: a day needs both numbers.
    const ImportRun alone = Run({Silso}, DuplicatePolicy::Ignore);
    EXPECT_EQ(Records().RecordCount(), 0);
    EXPECT_EQ(alone.Reports()[0].incomplete, 115);  // 116 days read, 1818-01-08 refused
    EXPECT_EQ(alone.Reports()[0].refused, 1);

    // Together with the flux file, every date both give becomes a record:
    // the 44 NRCan noon days (2007-06-06/07 have no noon reading).
    const ImportRun run = Run({Silso, Nrcan}, DuplicatePolicy::Ignore);
    EXPECT_EQ(Records().RecordCount(), 44);
    EXPECT_TRUE(InDateOrder());
    const FileReport& silso = run.Reports()[0];
    EXPECT_EQ(std::vector({silso.read, silso.added, silso.incomplete, run.Reports()[1].added}),
              std::vector({116, 44, 71, 44}));
    EXPECT_EQ(Stored("12/02/2011")->m_sunspots, 127);
    EXPECT_DOUBLE_EQ(Stored("12/02/2011")->m_flux, 157.3);
    EXPECT_DOUBLE_EQ(Stored("03/02/2021")->m_flux, 75.6);  // the later of two noon readings
    EXPECT_FALSE(Stored("06/06/2007"));  // no noon reading
    EXPECT_EQ(Records().DataChanged(), 1);
}

TEST_F(ImportRunTest, StoredDatesFollowTheDuplicatePolicy)
{
    AddRecord("12/15/2008", 5, 60.0);  // differs from both files
    AddRecord("12/16/2008", 0, 69.4);  // the file's own noon flux
    AddRecord("01/20/2009", 0, 0.0);
    Records().SetDataChanged(0);

    // Ignore: stored days keep their values; flux alone adds no day.
    const ImportRun ignore = Run({Nrcan}, DuplicatePolicy::Ignore);
    EXPECT_EQ(Records().RecordCount(), 3);
    EXPECT_EQ(ignore.Reports()[0].skipped, 2);
    EXPECT_EQ(Records().DataChanged(), 0);
    EXPECT_DOUBLE_EQ(Stored("12/15/2008")->m_flux, 60.0);

    // Replace: only the number the file carries changes; averages stay.
    Records().MutableAt(0).m_avgSunspots = 33;
    const ImportRun replace = Run({Nrcan}, DuplicatePolicy::Replace);
    EXPECT_DOUBLE_EQ(Stored("12/15/2008")->m_flux, 68.9);
    EXPECT_EQ(Stored("12/15/2008")->m_sunspots, 5);
    EXPECT_EQ(Stored("12/15/2008")->m_avgSunspots, 33);
    EXPECT_EQ(replace.Reports()[0].replaced, 1);
    EXPECT_EQ(replace.Reports()[0].skipped, 1);  // a value equal to the stored one
    EXPECT_EQ(Records().DataChanged(), 1);

    // New days go in date order around stored ones.
    AddRecord("06/01/2009", 2, 2.0);
    const ImportRun csv = Run({Excerpts + "celestrak_SW-All_excerpt.csv"}, DuplicatePolicy::Ignore);
    EXPECT_TRUE(InDateOrder());
    EXPECT_EQ(Stored("12/15/2008")->m_sunspots, 5);  // kept
    EXPECT_EQ(Records().At(0).GetDate(), "06/04/2007");
    EXPECT_EQ(Records().At(Records().RecordCount() - 1).GetDate(), "08/06/2026");
    // 108 observed days: 2 interpolated lack flux, 3 stored; the rest added.
    const FileReport& report = csv.Reports()[0];
    EXPECT_EQ(std::vector({report.added, report.skipped, report.incomplete}), std::vector({103, 3, 2}));
}

TEST_F(ImportRunTest, BulletinsAndIndexFilesInOneRunAndTheReport)
{
    const std::string bulletin = std::string(SKYLOG_TEST_DATA_DIR) + "/bulletin/bulletins/arlp010.txt";
    const std::string junk = folder.File("junk.txt");
    WriteTextFile(junk, "nothing to see\n");
    // The DSD file, damaged in the flux field of its 20th line.
    std::string dsd = ReadTextFile(Excerpts + "swpc_2009_DSD_excerpt.txt");
    dsd[dsd.find("2009 01 07") + 13] = 'x';
    WriteTextFile(folder.File("dsd.txt"), dsd);
    const ImportRun run = Run({bulletin, Excerpts + "swpc_2009_DSD_excerpt.txt", junk,
                               folder.File("missing.txt"), folder.File("dsd.txt")},
                              DuplicatePolicy::Ignore);
    ASSERT_EQ(run.Reports().size(), 5u);
    EXPECT_EQ(run.Reports()[0].format, IndexFormat::Bulletin);
    EXPECT_EQ(run.Reports()[0].added, 7);
    EXPECT_EQ(run.Reports()[1].added, 59);
    EXPECT_EQ(Records().RecordCount(), 66);
    EXPECT_TRUE(InDateOrder());
    EXPECT_FALSE(run.AllRead());
    EXPECT_EQ(ReportText(run.Reports()[1]),
              "swpc_2009_DSD_excerpt.txt: swpc, 59 days read, 59 added, 0 replaced, "
              "0 skipped (already stored), 0 refused (out of range)\n"
              "  the sunspot numbers are SWPC's SESC count, not on SILSO's scale");
    EXPECT_EQ(ReportText(run.Reports()[2]),
              "junk.txt: unknown content; the formats known are bulletin, silso, nrcan, lisird, "
              "celestrak-csv, celestrak-txt, swpc");
    EXPECT_EQ(ReportText(run.Reports()[3]), "missing.txt: cannot be opened");
    // The damaged copy is read up to the damage (01-01 .. 01-06) and says where.
    EXPECT_EQ(run.Reports()[4].read, 6);
    EXPECT_EQ(run.Reports()[4].problem, "line 20: not a Daily Solar Data row of 75 characters");
    EXPECT_TRUE(run.Reports()[4].Failed());
    EXPECT_NE(ReportText(run.Reports()[4]).find("stopped at line 20"), std::string::npos);
}
