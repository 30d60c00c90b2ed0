// A real FTP server on 127.0.0.1 for the tests: support/ftp_server.py serving a folder, with optional faults.
#pragma once

#include <string>
#include <vector>

#include "support/server_process.h"

class FtpTestServer {
public:
    // Starts the server on root with the given faults ("no-login", "drop", "stall", "stall-list",
    // "hostile"); throws when it does not come up.
    explicit FtpTestServer(const std::string& root, const std::vector<std::string>& faults = {});
    int Port() const { return process_.Port(); }
    std::string Url() const;  // "ftp://127.0.0.1:PORT"

private:
    ServerProcess process_;
};

// Writes the bulletin archive layout under root: FOLDER/{.Index, .Sysldx, .Index.txt, .SysIdx.txt} and one
// file per (path relative to FOLDER, text).
struct ArchiveFile {
    std::string path;
    std::string text;
};
void WriteArchive(const std::string& root, const std::string& folder, const std::vector<ArchiveFile>& files);
