// Runs the built program with arguments, as a user's shell would.
#pragma once

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

struct RunResult {
    int status;
    std::string output;  // standard output and standard error together
};

// Standard output of a shell command line, and its exit status.
inline RunResult RunCommand(const std::string& command)
{
    std::FILE* pipe = popen(command.c_str(), "r");
    std::string output;
    std::array<char, 4096> buffer{};
    std::size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        output.append(buffer.data(), n);
    const int status = pclose(pipe);
    return {WEXITSTATUS(status), output};
}

inline RunResult RunSkylog(const std::string& arguments)
{
    return RunCommand(std::string(SKYLOG_BINARY) + " " + arguments + " 2>&1");
}
