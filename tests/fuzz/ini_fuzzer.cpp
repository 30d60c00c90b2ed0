// libFuzzer target: any bytes as SKYLOG.INI: loaded, one key written, read back.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "fuzz/ini_roundtrip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string folder = [] {
        const std::string path = "/tmp/skylog-ini-fuzz-" + std::to_string(getpid());
        std::filesystem::create_directories(path);
        return path;
    }();
    const std::string problem =
        CheckIniRoundTrip(std::string(reinterpret_cast<const char*>(data), size), folder);
    if (!problem.empty()) {
        std::fprintf(stderr, "INI round trip: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
