#include "config/ini_file.h"

#include <fstream>
#include <utility>

#include "data/number_text.h"
#include "data/text_file.h"

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

bool EqualNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z')
            x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z')
            y = static_cast<char>(y - 'a' + 'A');
        if (x != y)
            return false;
    }
    return true;
}

bool IsSectionLine(std::string_view line, std::string_view* name)
{
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[')
        return false;
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos)
        return false;
    *name = Trim(line.substr(1, close - 1));
    return true;
}

bool IsComment(std::string_view line)
{
    line = Trim(line);
    return line.empty() || line.front() == ';' || line.front() == '#';
}

}  // namespace

IniFile::IniFile(std::string path) : path_(std::move(path))
{
    std::ifstream in(path_, std::ios::binary);
    std::string line;
    bool first = true;
    while (std::getline(in, line)) {
        // Carriage returns that end a line are part of its break, however
        // many there are; kept, one would turn into a break of its own.
        if (!line.empty() && line.back() == '\r' && first)
            lineBreak_ = "\r\n";
        while (!line.empty() && line.back() == '\r')
            line.pop_back();
        // Editors on other systems start UTF-8 files with a byte-order mark.
        if (first && line.rfind(ByteOrderMark, 0) == 0) {
            line.erase(0, ByteOrderMark.size());
            byteOrderMark_ = true;
        }
        first = false;
        lines_.push_back(std::move(line));
    }
}

int IniFile::FindSection(std::string_view section) const
{
    std::string_view name;
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (IsSectionLine(lines_[i], &name) && EqualNoCase(name, section))
            return static_cast<int>(i);
    return -1;
}

int IniFile::FindKey(int sectionLine, std::string_view key) const
{
    std::string_view name;
    for (std::size_t i = static_cast<std::size_t>(sectionLine) + 1; i < lines_.size(); ++i) {
        const std::string& line = lines_[i];
        if (IsSectionLine(line, &name))
            break;
        if (IsComment(line))
            continue;
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos && EqualNoCase(Trim(std::string_view(line).substr(0, equals)), key))
            return static_cast<int>(i);
    }
    return -1;
}

bool IniFile::Lookup(std::string_view section, std::string_view key, std::string* value) const
{
    const int sectionLine = FindSection(section);
    if (sectionLine < 0)
        return false;
    const int keyLine = FindKey(sectionLine, key);
    if (keyLine < 0)
        return false;
    const std::string& line = lines_[static_cast<std::size_t>(keyLine)];
    std::string_view text = Trim(std::string_view(line).substr(line.find('=') + 1));
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front())
        text = text.substr(1, text.size() - 2);
    *value = std::string(text);
    return true;
}

int IniFile::ReadInt(std::string_view section, std::string_view key, int defaultValue) const
{
    std::string value;
    if (!Lookup(section, key, &value))
        return defaultValue;
    return ParseLeadingInt(value);
}

std::string IniFile::ReadText(std::string_view section, std::string_view key,
                              std::string_view defaultValue, std::size_t maxLength) const
{
    std::string value;
    if (!Lookup(section, key, &value))
        value = std::string(defaultValue);
    if (value.size() > maxLength)
        value.resize(maxLength);
    return value;
}

void IniFile::Write(std::string_view section, std::string_view key, std::string_view value)
{
    // A value cannot hold a line break; keep what comes before one.
    value = value.substr(0, value.find_first_of("\r\n"));
    int sectionLine = FindSection(section);
    if (sectionLine < 0) {
        if (!lines_.empty() && !Trim(lines_.back()).empty())
            lines_.emplace_back();
        lines_.push_back("[" + std::string(section) + "]");
        sectionLine = static_cast<int>(lines_.size()) - 1;
    }
    const int keyLine = FindKey(sectionLine, key);
    if (keyLine >= 0) {
        std::string& line = lines_[static_cast<std::size_t>(keyLine)];
        line.replace(line.find('=') + 1, std::string::npos, value);
        return;
    }
    // New keys go after the section's last entry, before any blank lines.
    std::size_t insertAt = static_cast<std::size_t>(sectionLine) + 1;
    std::string_view name;
    for (std::size_t i = insertAt; i < lines_.size() && !IsSectionLine(lines_[i], &name); ++i)
        if (!Trim(lines_[i]).empty())
            insertAt = i + 1;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt),
                  std::string(key) + "=" + std::string(value));
}

bool IniFile::Save() const
{
    AtomicFileWriter writer(path_);
    if (byteOrderMark_)
        writer.Write(ByteOrderMark);
    for (const std::string& line : lines_) {
        writer.Write(line);
        writer.Write(lineBreak_);
    }
    return writer.Commit();
}

int IniReadInt(const std::string& path, std::string_view section, std::string_view key,
               int defaultValue)
{
    return IniFile(path).ReadInt(section, key, defaultValue);
}

std::string IniReadText(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view defaultValue, std::size_t maxLength)
{
    return IniFile(path).ReadText(section, key, defaultValue, maxLength);
}

bool IniWriteText(const std::string& path, std::string_view section, std::string_view key,
                  std::string_view value)
{
    IniFile file(path);
    file.Write(section, key, value);
    return file.Save();
}
