// What several benchmarks share: a generated history of 250,000 days in a
// data file (written once per run), and the floor every reader is measured
// against, bare line reading.
#pragma once

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

inline const std::string& GeneratedHistoryPath()
{
    static const std::string path = [] {
        const std::string p =
            (std::filesystem::temp_directory_path() / "skylog-bench-250k.dat").string();
        std::FILE* f = std::fopen(p.c_str(), "wb");
        std::fputs("! SKYLOG Solar Data Plot Version 3 Data File\n", f);
        for (int i = 0; i < 250000; ++i)
            std::fprintf(f, "%02d/%02d/%04d  %3d   %5.1f\n", i / 28 % 12 + 1, i % 28 + 1,
                         1400 + i / 336, (i * 37) % 400, 60.0 + (i * 13) % 3000 / 10.0);
        std::fclose(f);
        return p;
    }();
    return path;
}

inline long CountLines(const std::string& path)
{
    std::ifstream in(path);
    std::string line;
    long lines = 0;
    while (std::getline(in, line))
        ++lines;
    return lines;
}
