// Inputs the data-file fuzzer once found failing, and a few made by hand,
// through the fuzzer's own check.
#include <gtest/gtest.h>

#include <filesystem>

#include "fuzz/roundtrip_checks.h"
#include "support/data_state.h"
#include "support/temp_folder.h"

TEST(DataFileFuzzCases, KeptAndHandMadeHostileFilesRoundTrip)
{
    TempFolder folder;
    // As the fuzzer: the first byte chooses the header (0 none, 1 version 3, 2 version 2).
    std::vector<std::string> cases;
    for (const char* text :
         {"01/01/2000  100   150.9\n  xx/xx/xx    0     0.0\n01/02/2000  101   151.0\n",
          "7/1/2026    1   2.0\r01/01/1947  0  0\r\n01/01/2049 1000 2000.0\n",
          "02/30/2000  100   150.9\n01/01/2000  100   nan  \n01/01/2000  100   1e308\n"})
        for (const char mode : {'\0', '\1', '\2'})
            cases.push_back(mode + std::string(text));
    cases.push_back("\1" "01/01/2000 1000 1999.96\n01/02/2000 0 0.04\n" + std::string(300, '!') + "\n");
    const std::filesystem::path kept = std::string(SKYLOG_TEST_DATA_DIR) + "/data/fuzz_crashes";
    for (const auto& entry : std::filesystem::directory_iterator(kept))
        cases.push_back(ReadTextFile(entry.path().string()));
    for (const std::string& bytes : cases) {
        const int mode = static_cast<unsigned char>(bytes[0]) % 3;
        EXPECT_EQ(CheckDataFileRoundTrip(bytes.substr(1), mode, folder.Path()), "") << bytes;
    }
    ResetDataState();
}
