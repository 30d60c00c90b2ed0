#include "support/index_server.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

#include "support/temp_folder.h"

IndexServer::IndexServer(const std::string& folder, const std::string& certificate,
                         const std::string& key)
    : tls_(!certificate.empty()), log_(folder + "/../requests.log")
{
    int out[2];
    if (pipe(out) != 0)
        return;
    pid_ = fork();
    if (pid_ == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        const std::string script = std::string(SKYLOG_TEST_DATA_DIR) + "/support/index_server.py";
        if (tls_)
            execlp("python3", "python3", script.c_str(), folder.c_str(), log_.c_str(),
                   certificate.c_str(), key.c_str(), static_cast<char*>(nullptr));
        else
            execlp("python3", "python3", script.c_str(), folder.c_str(), log_.c_str(),
                   static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    // The server prints its port once it listens.
    std::FILE* in = fdopen(out[0], "r");
    char line[32] = {};
    if (in && std::fgets(line, sizeof line, in))
        port_ = std::atoi(line);
    if (in)
        std::fclose(in);
}

IndexServer::~IndexServer()
{
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
}

std::string IndexServer::Url(const std::string& name) const
{
    return std::string(tls_ ? "https" : "http") + "://127.0.0.1:" + std::to_string(port_) + "/" + name;
}

std::string IndexServer::RequestLog() const { return ReadTextFile(log_); }

bool MakeSelfSignedCertificate(const std::string& certificate, const std::string& key)
{
    const std::string command = "openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=127.0.0.1"
                                " -keyout '" + key + "' -out '" + certificate + "' >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}
