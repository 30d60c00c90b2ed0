#include "support/ftp_server.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "support/temp_folder.h"

extern char** environ;

FtpTestServer::FtpTestServer(const std::string& root, const std::vector<std::string>& faults)
{
    char pattern[] = "/tmp/skylog-ftp-port-XXXXXX";
    const int fd = mkstemp(pattern);
    if (fd < 0)
        throw std::runtime_error("no port file");
    close(fd);
    portFile_ = pattern;
    std::filesystem::remove(portFile_);

    std::vector<std::string> args = {"/usr/bin/python3", SKYLOG_FTP_SERVER_SCRIPT, root, portFile_};
    args.insert(args.end(), faults.begin(), faults.end());
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        throw std::runtime_error("cannot start the FTP test server");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
        std::ifstream in(portFile_);
        if (in >> port_ && port_ > 0)
            return;
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            throw std::runtime_error("the FTP test server ended at start");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    throw std::runtime_error("the FTP test server did not start");
}

FtpTestServer::~FtpTestServer()
{
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        int status = 0;
        waitpid(pid_, &status, 0);
    }
    std::error_code error;
    std::filesystem::remove(portFile_, error);
}

std::string FtpTestServer::Url() const
{
    return "ftp://127.0.0.1:" + std::to_string(port_);
}

void WriteArchive(const std::string& root, const std::string& folder,
                  const std::vector<ArchiveFile>& files)
{
    const std::filesystem::path base = std::filesystem::path(root) / folder;
    std::filesystem::create_directories(base);
    for (const char* index : {".Index", ".Sysldx", ".Index.txt", ".SysIdx.txt"})
        WriteTextFile((base / index).string(), "index\n");
    for (const ArchiveFile& file : files) {
        const std::filesystem::path path = base / file.path;
        std::filesystem::create_directories(path.parent_path());
        WriteTextFile(path.string(), file.text);
    }
}
