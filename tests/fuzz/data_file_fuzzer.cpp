// libFuzzer target: any bytes as a data file (as they are, or after a
// version 3 or 2 header): read, averaged, saved, read back and compared.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "fuzz/data_file_roundtrip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string folder = [] {
        const std::string path = "/tmp/skylog-data-fuzz-" + std::to_string(getpid());
        std::filesystem::create_directories(path);
        return path;
    }();
    if (size == 0)
        return 0;
    const int mode = data[0] % 3;
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string problem = CheckDataFileRoundTrip(bytes, mode, folder);
    if (!problem.empty()) {
        std::fprintf(stderr, "data file round trip: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
