#include "support/ftp_server.h"

#include <filesystem>
#include <stdexcept>

#include "support/temp_folder.h"

FtpTestServer::FtpTestServer(const std::string& root, const std::vector<std::string>& faults)
    : process_("ftp_server.py", [&] {
          std::vector<std::string> arguments = faults;
          arguments.insert(arguments.begin(), root);
          return arguments;
      }())
{
    if (Port() <= 0)
        throw std::runtime_error("the FTP test server did not start");
}

std::string FtpTestServer::Url() const { return "ftp://127.0.0.1:" + std::to_string(Port()); }

void WriteArchive(const std::string& root, const std::string& folder, const std::vector<ArchiveFile>& files)
{
    const std::filesystem::path base = std::filesystem::path(root) / folder;
    std::filesystem::create_directories(base);
    for (const char* index : {".Index", ".Sysldx", ".Index.txt", ".SysIdx.txt"})
        WriteTextFile((base / index).string(), "index\n");
    for (const ArchiveFile& file : files) {
        std::filesystem::create_directories((base / file.path).parent_path());
        WriteTextFile((base / file.path).string(), file.text);
    }
}
