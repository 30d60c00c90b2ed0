#include "support/temp_folder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

TempFolder::TempFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "skylog-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
    if (const char* home = std::getenv("SKYLOG_HOME"))
        previousHome_ = home, hadHome_ = true;
    setenv("SKYLOG_HOME", path_.c_str(), 1);
}

TempFolder::~TempFolder()
{
    if (hadHome_)
        setenv("SKYLOG_HOME", previousHome_.c_str(), 1);
    else
        unsetenv("SKYLOG_HOME");
    std::error_code error;
    std::filesystem::remove_all(path_, error);
}

void WriteTextFile(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

std::string ReadTextFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool PathExists(const std::string& path) { return std::filesystem::exists(path); }
