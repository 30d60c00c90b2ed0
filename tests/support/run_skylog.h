// Runs a shell command line, or the built program with arguments, as a user's shell would.
#pragma once

#include <string>

#include "support/run_program.h"

struct RunResult {
    int status;
    std::string output;  // standard output (add 2>&1 to the command for standard error)
};

inline RunResult RunCommand(const std::string& command)
{
    const ProgramResult result = RunProgram("/bin/sh", {"-c", command});
    return {result.status, result.out};
}

inline RunResult RunSkylog(const std::string& arguments)
{
    return RunCommand(std::string(SKYLOG_BINARY) + " " + arguments + " 2>&1");
}

// Whether the output holds part anywhere.
inline bool Has(const std::string& output, const std::string& part)
{
    return output.find(part) != std::string::npos;
}
