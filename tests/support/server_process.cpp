#include "support/server_process.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

ServerProcess::ServerProcess(const std::string& script, const std::vector<std::string>& arguments)
{
    std::vector<std::string> args = {"/usr/bin/python3", std::string(SKYLOG_TEST_DATA_DIR) + "/support/" + script};
    args.insert(args.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    int out[2];
    if (pipe(out) != 0)
        return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    // The first line comes once the server listens (in pieces when Python writes unbuffered); end of output
    // when it fails to start.
    std::FILE* in = fdopen(out[0], "r");
    char line[32] = {};
    if (in && pid_ > 0 && std::fgets(line, sizeof line, in))
        port_ = std::atoi(line);
    if (in)
        std::fclose(in);
    else
        close(out[0]);
}

ServerProcess::~ServerProcess()
{
    if (pid_ > 0) {
        // A stalled transfer holds the server's threads: no polite ending.
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}
