// Runs a program (the real skylog, the validators) the way a shell would,
// with its standard output and error kept apart.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

struct ProgramResult {
    int status = -1;  // exit status; -1 when it did not exit normally
    std::string out, err;
};

// Runs program with arguments; environment changes: a value sets the
// variable, std::nullopt removes it. Waits for the end.
ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::map<std::string, std::optional<std::string>>& environment = {});

// RunProgram(SKYLOG_BINARY, ...).
ProgramResult RunSkylog(const std::vector<std::string>& arguments,
                        const std::map<std::string, std::optional<std::string>>& environment = {});
