// A real FTP server on 127.0.0.1 for the tests: our pyftpdlib script
// (tests/internet/ftp_test_server.py) serving a folder, with optional faults.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

class FtpTestServer {
public:
    // Starts the server on root with the given faults ("no-login", "drop",
    // "stall", "stall-list", "hostile"); throws when it does not come up.
    explicit FtpTestServer(const std::string& root, const std::vector<std::string>& faults = {});
    ~FtpTestServer();
    FtpTestServer(const FtpTestServer&) = delete;
    FtpTestServer& operator=(const FtpTestServer&) = delete;

    int Port() const { return port_; }
    // "ftp://127.0.0.1:PORT"
    std::string Url() const;

private:
    pid_t pid_ = -1;
    int port_ = 0;
    std::string portFile_;
};

// Writes the bulletin archive layout under root: FOLDER/{.Index, .Sysldx,
// .Index.txt, .SysIdx.txt} and one file per (path relative to FOLDER, text).
struct ArchiveFile {
    std::string path;
    std::string text;
};
void WriteArchive(const std::string& root, const std::string& folder,
                  const std::vector<ArchiveFile>& files);
