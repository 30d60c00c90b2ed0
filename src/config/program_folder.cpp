#include "config/program_folder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace {

std::string WithoutTrailingSlash(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

std::string ExecutableFolder()
{
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return {};
    return exe.parent_path().string();
}

std::string UserDataFolder()
{
    const char* xdg = std::getenv("XDG_DATA_HOME");
    std::string base;
    if (xdg && *xdg) {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        base = std::string(home && *home ? home : ".") + "/.local/share";
    }
    const std::string folder = WithoutTrailingSlash(base) + "/skylog";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return folder;
}

}  // namespace

std::string ProgramFolder()
{
    const char* home = std::getenv("SKYLOG_HOME");
    if (home && *home)
        return WithoutTrailingSlash(home);
    const std::string exeFolder = ExecutableFolder();
    if (!exeFolder.empty() && access(exeFolder.c_str(), W_OK) == 0)
        return exeFolder;
    return UserDataFolder();
}

std::string ProgramFile(const std::string& name)
{
    return ProgramFolder() + "/" + name;
}

std::string IniFilePath()
{
    return ProgramFile("SKYLOG.INI");
}
