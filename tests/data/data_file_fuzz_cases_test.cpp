// Inputs the data-file fuzzer once found failing, and a few made by hand,
// through the fuzzer's own check.
#include <gtest/gtest.h>

#include <filesystem>

#include "fuzz/data_file_roundtrip.h"
#include "support/data_state.h"
#include "support/temp_folder.h"

TEST(DataFileFuzzCases, EveryKeptCaseRoundTrips)
{
    TempFolder folder;
    const std::filesystem::path cases = std::string(SKYLOG_TEST_DATA_DIR) + "/data/fuzz_crashes";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(cases)) {
        const std::string bytes = ReadTextFile(entry.path().string());
        ASSERT_FALSE(bytes.empty());
        // As the fuzzer: the first byte chooses the header, the rest is the file.
        EXPECT_EQ(CheckDataFileRoundTrip(bytes.substr(1), static_cast<unsigned char>(bytes[0]) % 3,
                                         folder.Path()),
                  "")
            << entry.path();
        ++files;
    }
    EXPECT_GT(files, 0);
    ResetDataState();
}

TEST(DataFileFuzzCases, HandMadeHostileFiles)
{
    TempFolder folder;
    const std::string cases[] = {
        "01/01/2000  100   150.9\n  xx/xx/xx    0     0.0\n01/02/2000  101   151.0\n",
        "7/1/2026    1   2.0\r01/01/1947  0  0\r\n01/01/2049 1000 2000.0\n",
        "01/01/2000 1000 1999.96\n01/02/2000 0 0.04\n" + std::string(300, '!') + "\n",
        "02/30/2000  100   150.9\n01/01/2000  100   nan  \n01/01/2000  100   1e308\n",
    };
    for (int mode = 0; mode < 3; ++mode)
        for (const std::string& text : cases)
            EXPECT_EQ(CheckDataFileRoundTrip(text, mode, folder.Path()), "") << mode << ": " << text;
    ResetDataState();
}
