#include "fuzz/roundtrip_checks.h"

#include <cstdlib>

#include "config/ini_file.h"
#include "config/plot_settings.h"
#include "support/temp_folder.h"

std::string CheckIniRoundTrip(const std::string& bytes, const std::string& folder)
{
    const std::string path = folder + "/SKYLOG.INI";
    WriteTextFile(path, bytes);
    setenv("SKYLOG_HOME", folder.c_str(), 1);
    LoadSettings();  // every conversion of every key
    if (ReadTextFile(path) != bytes)
        return "loading the settings changed the file";
    const auto values = [&path] {  // the keys compared before and after the write
        std::string text;
        for (const char* key : {"Version", "CloseDays", "Phrase2", "FileName", "Background", "StaggerPlotStartDay"})
            text += std::string(key) + "=" + IniFile(path).ReadText(SettingsSection, key, "<missing>", 1000) + "\n";
        return text;
    };
    const std::string before = values();
    std::string saved;
    for (int round = 0; round < 2; ++round) {  // a second, identical write changes nothing
        IniFile ini(path);
        ini.Write(SettingsSection, "PanDays", "77");
        if (!ini.Save() || (round == 1 && ReadTextFile(path) != saved))
            return "the save failed or the second changed the file";
        saved = ReadTextFile(path);
    }
    if (IniFile(path).ReadInt(SettingsSection, "PanDays", 0) != 77 || values() != before)
        return "PanDays does not read back, or writing it changed\n" + before + "into\n" + values();
    return {};
}
