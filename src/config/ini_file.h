// An INI file read and changed in place: every line, section, key and comment
// the program does not change is kept exactly as it was. Section and key
// names match without regard to case.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class IniFile {
public:
    // An unreadable or missing file reads as empty.
    explicit IniFile(std::string path);

    // Leading decimal digits of the value (an optional minus sign first);
    // defaultValue when the key is missing; 0 when the value has no digits.
    int ReadInt(std::string_view section, std::string_view key, int defaultValue) const;
    // The value (surrounding quotes removed) cut to maxLength characters;
    // defaultValue when the key is missing.
    std::string ReadText(std::string_view section, std::string_view key,
                         std::string_view defaultValue, std::size_t maxLength) const;
    // Sets the key, adding the section and key when missing.
    void Write(std::string_view section, std::string_view key, std::string_view value);
    // Replaces the file as a whole; false when it could not be written.
    bool Save() const;

private:
    std::string path_;
    std::vector<std::string> lines_;
    std::string lineBreak_ = "\n";
    bool byteOrderMark_ = false;  // a UTF-8 mark before the first line, kept on save

    // Index of the [section] line, or -1.
    int FindSection(std::string_view section) const;
    // Index of the key's line within the section starting at sectionLine, or -1.
    int FindKey(int sectionLine, std::string_view key) const;
    bool Lookup(std::string_view section, std::string_view key, std::string* value) const;
};

// One-shot access, each call reading (and for a write, replacing) the file.
int IniReadInt(const std::string& path, std::string_view section, std::string_view key,
               int defaultValue);
std::string IniReadText(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view defaultValue, std::size_t maxLength);
bool IniWriteText(const std::string& path, std::string_view section, std::string_view key,
                  std::string_view value);
