// Runs a program (the real skylog, the validators) as a shell would, its output and errors kept apart.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

struct ProgramResult {
    int status = -1;  // exit status; -1 when it did not exit normally
    std::string out, err;
};

// Runs program to its end; environment: a value sets the variable, std::nullopt removes it.
ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::map<std::string, std::optional<std::string>>& environment = {});

// RunProgram(SKYLOG_BINARY, ...).
ProgramResult RunSkylog(const std::vector<std::string>& arguments,
                        const std::map<std::string, std::optional<std::string>>& environment = {});
