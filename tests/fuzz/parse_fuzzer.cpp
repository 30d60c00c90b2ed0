// libFuzzer target: any bytes as a bulletin file, read silently (the exact
// parse, then the lenient reading, with or without a year given) and merged.
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "bulletin/bulletin_parser.h"
#include "bulletin/bulletin_reading.h"
#include "data/record_array.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = "/tmp/skylog-fuzz-" + std::to_string(getpid()) + ".txt";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    BulletinParser parser;
    BulletinReadingOptions options;
    if (size > 0 && data[0] % 2 == 1)
        options.year = 2008;
    const int result = ReadBulletin(parser, path, options).result;
    if (result > 0) {
        Records().FreeRecords();
        Records().AppendRecord(SolarRecord("01/01/2000", 1, 1.0, 0, 0));
        if (parser.FindDuplicates() > 0)
            parser.ApplyDuplicatePolicy(1);
        parser.MergeIntoRecords(0);
    }
    return 0;
}
