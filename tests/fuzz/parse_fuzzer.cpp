// libFuzzer target: any bytes as a bulletin file, read silently (with or without a year given) and merged.
#include <cstdint>
#include <fstream>
#include <unistd.h>

#include "bulletin/bulletin_parser.h"
#include "bulletin/bulletin_reading.h"
#include "data/record_array.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = "/tmp/skylog-fuzz-" + std::to_string(getpid()) + ".txt";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data), std::streamsize(size));
    BulletinParser parser;
    BulletinReadingOptions options;
    if (size > 0 && data[0] % 2 == 1)
        options.year = 2008;
    if (ReadBulletin(parser, path, options).result > 0) {
        Records().FreeRecords();
        Records().AppendRecord(SolarRecord("01/01/2000", 1, 1.0, 0, 0));
        if (parser.FindDuplicates() > 0)
            parser.ApplyDuplicatePolicy(1);
        parser.MergeIntoRecords(0);
    }
    return 0;
}
