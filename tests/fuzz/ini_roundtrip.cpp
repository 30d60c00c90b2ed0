#include "fuzz/roundtrip_checks.h"

#include <cstdlib>

#include "config/ini_file.h"
#include "config/plot_settings.h"
#include "support/temp_folder.h"

namespace {

// Keys whose values are compared before and after the write.
constexpr const char* ComparedKeys[] = {"Version", "CloseDays", "Phrase2", "FileName",
                                        "Background", "StaggerPlotStartDay", "AvgInt"};

}  // namespace

std::string CheckIniRoundTrip(const std::string& bytes, const std::string& folder)
{
    const std::string path = folder + "/SKYLOG.INI";
    WriteTextFile(path, bytes);
    setenv("SKYLOG_HOME", folder.c_str(), 1);
    LoadSettings();  // every conversion of every key
    if (ReadTextFile(path) != bytes)
        return "loading the settings changed the file";

    IniFile before(path);
    std::string values[std::size(ComparedKeys)];
    for (std::size_t i = 0; i < std::size(ComparedKeys); ++i)
        values[i] = before.ReadText(SettingsSection, ComparedKeys[i], "<missing>", 1000);
    before.Write(SettingsSection, "PanDays", "77");
    if (!before.Save())
        return "the save failed";

    IniFile after(path);
    if (after.ReadInt(SettingsSection, "PanDays", 0) != 77 ||
        after.ReadText(SettingsSection, "PanDays", "", 1000) != "77")
        return "the written key does not read back";
    for (std::size_t i = 0; i < std::size(ComparedKeys); ++i)
        if (std::string_view(ComparedKeys[i]) != "PanDays" &&
            after.ReadText(SettingsSection, ComparedKeys[i], "<missing>", 1000) != values[i])
            return std::string("writing PanDays changed ") + ComparedKeys[i];
    const std::string saved = ReadTextFile(path);
    IniFile again(path);
    again.Write(SettingsSection, "PanDays", "77");
    if (!again.Save() || ReadTextFile(path) != saved)
        return "a second identical save changed the file";
    return {};
}
