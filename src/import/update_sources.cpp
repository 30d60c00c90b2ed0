#include "import/update_sources.h"

#include "config/ini_file.h"
#include "data/number_text.h"

namespace {

constexpr const char* Section = "SOLAR_DATA";
constexpr std::size_t MaxUrl = 1000;

std::string Key(const char* stem, int number) { return stem + std::to_string(number); }

}  // namespace

std::vector<UpdateSource> ConfiguredUpdateSources(const std::string& iniPath)
{
    const IniFile ini(iniPath);
    std::vector<UpdateSource> sources;
    for (int n = 1; n <= UpdateSourceCount; ++n) {
        const std::string url = ini.ReadText(Section, Key("UpdateSource", n),
                                             n == 1 ? DefaultUpdateSource : "", MaxUrl);
        if (!url.empty())
            sources.push_back({n, url});
    }
    return sources;
}

// Stored as "<Unix seconds> <url>", so that a changed address is fetched whole.
std::optional<std::int64_t> LastImportStamp(const std::string& iniPath, const UpdateSource& source)
{
    const std::string value =
        IniReadText(iniPath, Section, Key("UpdateStamp", source.number), "", MaxUrl + 24);
    const std::size_t blank = value.find(' ');
    if (blank == std::string::npos || value.substr(blank + 1) != source.url)
        return std::nullopt;
    const long long stamp = ParseLeadingLong(value.substr(0, blank));
    if (stamp <= 0)
        return std::nullopt;
    return stamp;
}

bool SaveImportStamp(const std::string& iniPath, const UpdateSource& source, std::int64_t stamp)
{
    return IniWriteText(iniPath, Section, Key("UpdateStamp", source.number),
                        std::to_string(stamp) + " " + source.url);
}
