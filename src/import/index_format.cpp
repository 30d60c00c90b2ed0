#include "import/index_format.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "bulletin/lenient_reading.h"
#include "data/text_file.h"
#include "import/field_text.h"
#include "import/index_readers.h"

namespace {

constexpr std::pair<IndexFormat, const char*> Names[] = {
    {IndexFormat::Bulletin, "bulletin"},         {IndexFormat::Silso, "silso"},
    {IndexFormat::Nrcan, "nrcan"},               {IndexFormat::Lisird, "lisird"},
    {IndexFormat::CelestrakCsv, "celestrak-csv"}, {IndexFormat::CelestrakTxt, "celestrak-txt"},
    {IndexFormat::Swpc, "swpc"},
};

// How much of a file detection looks at for a bulletin's values phrase.
constexpr std::size_t BulletinScanBytes = 1 << 16;

bool IsSilsoRow(std::string_view line)
{
    const std::vector<std::string_view> f = SplitAt(line, ';');
    return f.size() == 8 && WholeInt(f[0]) && WholeInt(f[1]) && WholeInt(f[2]) &&
           WholeNumber(f[3]) && WholeInt(f[4]);
}

std::string Upper(std::string_view text)
{
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return upper;
}

}  // namespace

std::string FormatName(IndexFormat format)
{
    for (const auto& [f, name] : Names) {
        if (f == format)
            return name;
    }
    return {};
}

std::optional<IndexFormat> FormatFromName(std::string_view name)
{
    for (const auto& [f, known] : Names) {
        if (name == known)
            return f;
    }
    return std::nullopt;
}

std::string KnownFormatNames()
{
    std::string names;
    for (const auto& [f, name] : Names)
        names += (names.empty() ? "" : ", ") + std::string(name);
    return names;
}

std::optional<IndexFormat> DetectFormat(const std::string& path, const std::string& valuesPhrase)
{
    LineReader reader(path, 4096);
    if (!reader.IsOpen())
        return std::nullopt;
    std::string_view piece;
    if (!reader.Next(&piece))
        return std::nullopt;
    const std::string_view first = StripLineBreak(piece);
    if (first.starts_with("fluxdate") && first.find("fluxobsflux") != std::string_view::npos)
        return IndexFormat::Nrcan;
    if (first.starts_with("time (yyyyMMdd_HHmmss") && first.find("observed_flux") != std::string_view::npos)
        return IndexFormat::Lisird;
    if (first.starts_with("DATE,") && first.find(",ISN,") != std::string_view::npos &&
        first.find("F10.7_OBS") != std::string_view::npos)
        return IndexFormat::CelestrakCsv;
    if (first.starts_with("DATATYPE CssiSpaceWeather"))
        return IndexFormat::CelestrakTxt;
    if (first.starts_with(":Product: Daily Solar Data"))
        return IndexFormat::Swpc;
    if (IsSilsoRow(first))
        return IndexFormat::Silso;
    // A bulletin: the values phrase somewhere near the top, in any case and
    // in the wordings the lenient reading knows ("from" for "for").
    const std::vector<std::string> phrases = ValuesPhraseForms(valuesPhrase);
    if (phrases.empty())
        return std::nullopt;
    std::size_t scanned = piece.size();
    std::string_view line = first;
    for (;;) {
        const std::string upper = Upper(line);
        for (const std::string& phrase : phrases)
            if (upper.find(phrase) != std::string::npos)
                return IndexFormat::Bulletin;
        if (scanned > BulletinScanBytes || !reader.Next(&piece))
            return std::nullopt;
        scanned += piece.size();
        line = StripLineBreak(piece);
    }
}

IndexReadResult ReadIndexFile(const std::string& path, IndexFormat format,
                              const BulletinReadingOptions& bulletinReading)
{
    switch (format) {
    case IndexFormat::Bulletin: return ReadBulletinFile(path, bulletinReading);
    case IndexFormat::Silso: return ReadSilsoFile(path);
    case IndexFormat::Nrcan: return ReadNrcanFile(path);
    case IndexFormat::Lisird: return ReadLisirdFile(path);
    case IndexFormat::CelestrakCsv: return ReadCelestrakCsvFile(path);
    case IndexFormat::CelestrakTxt: return ReadCelestrakTxtFile(path);
    case IndexFormat::Swpc: return ReadSwpcFile(path);
    }
    return {};
}
