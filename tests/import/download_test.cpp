// Downloads from a real server on loopback: conditions, limits, certificates.
#include <gtest/gtest.h>

#include <filesystem>

#include "import/index_download.h"
#include "import/update_sources.h"
#include "support/index_server.h"
#include "support/temp_folder.h"

TEST(Download, FetchesOnceThenOnlyWhenChangedAndFaultsFailCleanlyLeavingNoFile)
{
    TempFolder folder;
    const std::string www = folder.File("www"), target = folder.File("fetched.txt"), name = "dsd.txt";
    std::filesystem::create_directory(www);
    WriteTextFile(www + "/" + name, ReadTextFile(std::string(SKYLOG_TEST_DATA_DIR) +
                                                 "/import/excerpts/swpc_daily-solar-indices_excerpt.txt"));
    IndexServer server(www);
    const DownloadResult first = DownloadFile(server.Url(name), target, std::nullopt);
    ASSERT_EQ(first.status, DownloadStatus::Fetched) << first.error;
    EXPECT_EQ(ReadTextFile(target), ReadTextFile(www + "/" + name));
    std::filesystem::remove(target);
    EXPECT_EQ(DownloadFile(server.Url(name), target, first.lastModified).status, DownloadStatus::NotModified);
    EXPECT_NE(server.RequestLog().find("|" + UpdateUserAgent() + "|"), std::string::npos) << server.RequestLog();

    DownloadLimits limits;
    limits.stallSeconds = 1;
    limits.maxBytes = 1 << 20;
    ASSERT_TRUE(MakeSelfSignedCertificate(folder.File("cert.pem"), folder.File("key.pem")));
    IndexServer tls(www, folder.File("cert.pem"), folder.File("key.pem"));
    const struct { std::string url; std::string error; } cases[] = {
        {server.Url("stall"), "timed out"}, {server.Url("huge"), "larger than 1 MiB; not imported"},
        {server.Url("nothing.txt"), "404"}, {"file:///etc/passwd", ""}, {tls.Url(name), "certificate"},
    };
    for (const auto& c : cases) {
        const DownloadResult result = DownloadFile(c.url, target, std::nullopt, limits);
        EXPECT_EQ(result.status, DownloadStatus::Failed) << c.url;
        EXPECT_NE(result.error.find(c.error), std::string::npos) << result.error;
    }
    EXPECT_FALSE(PathExists(target));
}

TEST(Download, UpdateSourcesAndTheirStamps)
{
    TempFolder folder;
    const std::string ini = folder.File("SKYLOG.INI");
    EXPECT_EQ(ConfiguredUpdateSources(ini).at(0).url, "https://celestrak.org/SpaceData/SW-All.csv");
    WriteTextFile(ini, "[SOLAR_DATA]\nUpdateSource1=\nUpdateSource3=http://a/x.csv\nUpdateSource4=http://b/y.txt\n");
    const std::vector<UpdateSource> sources = ConfiguredUpdateSources(ini);
    EXPECT_EQ(std::to_string(sources.at(0).number) + " " + sources.at(1).url, "3 http://b/y.txt");
    EXPECT_FALSE(LastImportStamp(ini, sources[0]));
    ASSERT_TRUE(SaveImportStamp(ini, sources[0], 1700000000));
    EXPECT_EQ(LastImportStamp(ini, sources[0]), 1700000000);
    EXPECT_FALSE(LastImportStamp(ini, UpdateSource{3, "http://a/other.csv"}));  // a stamp is its address's
}
