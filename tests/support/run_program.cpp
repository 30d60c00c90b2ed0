#include "support/run_program.h"

#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The whole of a file the child wrote to, from its start; the file is closed.
std::string TakeText(std::FILE* file)
{
    std::string text;
    char buffer[4096];
    std::rewind(file);
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        text.append(buffer, n);
    std::fclose(file);
    return text;
}

}  // namespace

// The output goes to unnamed temporary files, so a chatty program never blocks on a full pipe.
ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::map<std::string, std::optional<std::string>>& environment)
{
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    if (!out || !err)
        return {};
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(fileno(out), 1);
        dup2(fileno(err), 2);
        for (const auto& [name, value] : environment)
            value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execvp(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, TakeText(out), TakeText(err)};
}

ProgramResult RunSkylog(const std::vector<std::string>& arguments,
                        const std::map<std::string, std::optional<std::string>>& environment)
{
    return RunProgram(SKYLOG_BINARY, arguments, environment);
}
