// libFuzzer target: any bytes as a data file (the first byte chooses the header) or, built as the INI
// fuzzer, as SKYLOG.INI, through the round-trip check.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

#include "fuzz/roundtrip_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string folder = "/tmp/skylog-roundtrip-fuzz-" + std::to_string(getpid());
    std::filesystem::create_directories(folder);
    const std::string bytes(reinterpret_cast<const char*>(data), size);
#ifdef SKYLOG_INI_FUZZER
    const std::string problem = CheckIniRoundTrip(bytes, folder);
#else
    const std::string problem = size == 0 ? "" : CheckDataFileRoundTrip(bytes.substr(1), data[0] % 3, folder);
#endif
    if (!problem.empty()) {
        std::fprintf(stderr, "round trip: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
