#include "config/program_folder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unistd.h>

#include "data/text_file.h"

namespace {

constexpr const char* ManualName = "skylog-help.html";

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

// A first start of an installed program shows real data: the sample history
// goes into a program folder that holds neither a data file nor settings.
void SeedWithSample(const std::string& folder)
{
    const std::string installed = InstalledDataFolder();
    const std::string target = folder + "/GRAPH.DAT";
    if (installed.empty() || FileExists(target) || FileExists(folder + "/SKYLOG.INI"))
        return;
    LineReader sample(installed + "/GRAPH.DAT");
    if (!sample.IsOpen())
        return;
    AtomicFileWriter writer(target);
    std::string_view line;
    while (sample.Next(&line))
        writer.Write(line);
    if (!sample.Failed())
        writer.Commit();
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

std::string InstalledDataFolder()
{
    const std::string exeFolder = ExecutableFolder();
    if (exeFolder.empty())
        return {};
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::path(exeFolder) / SKYLOG_DATA_FROM_BIN;
    // The manual is what every installation has.
    if (!std::filesystem::is_regular_file(folder / ManualName, error))
        return {};
    return std::filesystem::weakly_canonical(folder, error).string();
}

std::string ProgramFolder()
{
    const char* home = std::getenv("SKYLOG_HOME");
    if (home && *home)
        return WithoutTrailingSlash(home);
    if (!InstalledDataFolder().empty()) {
        const std::string folder = UserDataFolder();
        SeedWithSample(folder);
        return folder;
    }
    const std::string exeFolder = ExecutableFolder();
    if (!exeFolder.empty() && access(exeFolder.c_str(), W_OK) == 0)
        return exeFolder;
    return UserDataFolder();
}

std::string ManualPath()
{
    const std::string beside = ExecutableFolder() + "/" + ManualName;
    if (FileExists(beside))
        return beside;
    const std::string installed = InstalledDataFolder();
    return installed.empty() ? beside : installed + "/" + ManualName;
}

std::string ProgramFile(const std::string& name)
{
    return ProgramFolder() + "/" + name;
}

std::string IniFilePath()
{
    return ProgramFile("SKYLOG.INI");
}
