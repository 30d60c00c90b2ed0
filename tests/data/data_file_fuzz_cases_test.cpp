// Inputs the data-file fuzzer once found failing, and hand-made ones, through its check.
#include <gtest/gtest.h>

#include <filesystem>

#include "fuzz/roundtrip_checks.h"
#include "support/data_state.h"
#include "support/temp_folder.h"

TEST(DataFileFuzzCases, KeptAndHandMadeHostileFilesRoundTrip)
{
    TempFolder folder;
    std::vector<std::string> cases;
    for (const char mode : {'\0', '\1', '\2'})  // as the fuzzer: the first byte chooses the header (none, 3, 2)
        cases.push_back(mode + std::string("7/1/2026    1   2.0\r01/01/1947  0  0\r\n01/01/2049 1000 1999.96\n"
                                           "02/30/2000  100   150.9\n01/01/2000  100   1e308\n01/02/2000 0 0.04\n!!!"));
    for (const auto& entry : std::filesystem::directory_iterator(SKYLOG_TEST_DATA_DIR "/data/fuzz_crashes"))
        cases.push_back(ReadTextFile(entry.path().string()));
    for (const std::string& bytes : cases)
        EXPECT_EQ(CheckDataFileRoundTrip(bytes.substr(1), std::uint8_t(bytes[0]) % 3, folder.Path()), "")
            << testing::PrintToString(bytes);
    ResetDataState();
}
