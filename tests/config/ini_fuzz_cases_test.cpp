// Inputs the INI fuzzer once found failing, and a few made by hand, through
// the fuzzer's own check.
#include <gtest/gtest.h>

#include <filesystem>

#include "fuzz/ini_roundtrip.h"
#include "support/temp_folder.h"

TEST(IniFuzzCases, HostileConfigurationFiles)
{
    TempFolder folder;
    std::vector<std::string> cases = {
        "",
        "\xEF\xBB\xBF[SOLAR_DATA]\r\nCloseDays=300\r\n",
        "[SOLAR_DATA\nPanDays=1\n[SOLAR_DATA]\nPanDays = 5 \n[solar_data]\nPanDays=9\n",
        "PanDays=3\n[SOLAR_DATA]\n; PanDays=4\n=\n[]\nCloseDays=\"\n",
        std::string("[SOLAR_DATA]\nPhrase2=a\0b\nBackground=99999999999999999999\n", 51),
        "[SOLAR_DATA]\rPanDays=2\rVersion=x\r",
    };
    const std::filesystem::path kept = std::string(SKYLOG_TEST_DATA_DIR) + "/config/fuzz_crashes";
    if (std::filesystem::exists(kept))
        for (const auto& entry : std::filesystem::directory_iterator(kept))
            cases.push_back(ReadTextFile(entry.path().string()));
    for (const std::string& text : cases)
        EXPECT_EQ(CheckIniRoundTrip(text, folder.Path()), "") << text;
}
