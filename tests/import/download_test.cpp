// Downloads from a real server on loopback: conditions, limits, certificates.
#include <gtest/gtest.h>

#include <filesystem>

#include "import/index_download.h"
#include "import/update_sources.h"
#include "support/index_server.h"
#include "support/temp_folder.h"

namespace {

const std::string Excerpt = "swpc_daily-solar-indices_excerpt.txt";

class DownloadTest : public ::testing::Test {
protected:
    TempFolder folder;
    std::string www = folder.File("www");
    std::string target = folder.File("fetched.txt");

    void SetUp() override
    {
        std::filesystem::create_directory(www);
        std::filesystem::copy_file(std::string(SKYLOG_TEST_DATA_DIR) + "/import/excerpts/" + Excerpt,
                                   www + "/" + Excerpt);
    }
};

}  // namespace

TEST_F(DownloadTest, FetchesOnceAndThenOnlyWhenChanged)
{
    IndexServer server(www);
    ASSERT_TRUE(server.Running());
    const DownloadResult first = DownloadFile(server.Url(Excerpt), target, std::nullopt);
    ASSERT_EQ(first.status, DownloadStatus::Fetched) << first.error;
    EXPECT_EQ(ReadTextFile(target), ReadTextFile(www + "/" + Excerpt));
    ASSERT_TRUE(first.lastModified);
    std::filesystem::remove(target);
    const DownloadResult second = DownloadFile(server.Url(Excerpt), target, first.lastModified);
    EXPECT_EQ(second.status, DownloadStatus::NotModified);
    EXPECT_FALSE(PathExists(target));

    const std::string log = server.RequestLog();
    EXPECT_NE(log.find("|" + UpdateUserAgent() + "|"), std::string::npos) << log;
    EXPECT_NE(log.find("GMT"), std::string::npos);  // the second asked If-Modified-Since
}

TEST_F(DownloadTest, FaultsFailCleanlyAndLeaveNoFile)
{
    IndexServer server(www);
    ASSERT_TRUE(server.Running());
    DownloadLimits limits;
    limits.stallSeconds = 1;
    const DownloadResult stalled = DownloadFile(server.Url("stall"), target, std::nullopt, limits);
    EXPECT_EQ(stalled.status, DownloadStatus::Failed);
    EXPECT_NE(stalled.error.find("timed out"), std::string::npos) << stalled.error;

    limits.maxBytes = 1 << 20;
    const DownloadResult huge = DownloadFile(server.Url("huge"), target, std::nullopt, limits);
    EXPECT_EQ(huge.status, DownloadStatus::Failed);
    EXPECT_EQ(huge.error, "larger than 1 MiB; not imported");
    EXPECT_LE(huge.bytes, (1 << 20) + (1 << 20));

    const DownloadResult missing = DownloadFile(server.Url("nothing.txt"), target, std::nullopt);
    EXPECT_NE(missing.error.find("404"), std::string::npos) << missing.error;
    EXPECT_EQ(DownloadFile("file:///etc/passwd", target, std::nullopt).status, DownloadStatus::Failed);
    EXPECT_FALSE(PathExists(target));
}

TEST_F(DownloadTest, AnUntrustedCertificateIsRefused)
{
    ASSERT_TRUE(MakeSelfSignedCertificate(folder.File("cert.pem"), folder.File("key.pem")));
    IndexServer server(www, folder.File("cert.pem"), folder.File("key.pem"));
    ASSERT_TRUE(server.Running());
    const DownloadResult result = DownloadFile(server.Url(Excerpt), target, std::nullopt);
    EXPECT_EQ(result.status, DownloadStatus::Failed);
    EXPECT_NE(result.error.find("certificate"), std::string::npos) << result.error;
    EXPECT_FALSE(PathExists(target));
}

TEST_F(DownloadTest, UpdateSourcesAndTheirStamps)
{
    const std::string ini = folder.File("SKYLOG.INI");
    std::vector<UpdateSource> sources = ConfiguredUpdateSources(ini);
    ASSERT_EQ(sources.size(), 1u);
    EXPECT_EQ(sources[0].url, "https://celestrak.org/SpaceData/SW-All.csv");

    WriteTextFile(ini, "[SOLAR_DATA]\nUpdateSource1=\nUpdateSource3=http://a/x.csv\n"
                       "UpdateSource4=http://b/y.txt\n");
    sources = ConfiguredUpdateSources(ini);
    ASSERT_EQ(sources.size(), 2u);
    EXPECT_EQ(sources[0].number, 3);
    EXPECT_EQ(sources[1].url, "http://b/y.txt");

    EXPECT_FALSE(LastImportStamp(ini, sources[0]));
    ASSERT_TRUE(SaveImportStamp(ini, sources[0], 1700000000));
    EXPECT_EQ(LastImportStamp(ini, sources[0]), 1700000000);
    EXPECT_FALSE(LastImportStamp(ini, UpdateSource{3, "http://a/other.csv"}));  // a stamp is its address's
}
