#include "internet/remote_name.h"

#include <array>
#include <cstdio>

namespace {

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool Matches(std::string_view pattern, std::string_view name)
{
    // Iterative wildcard match with one backtrack point for the last "*".
    std::size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && (pattern[p] == '?' || Lower(pattern[p]) == Lower(name[n]))) {
            ++p;
            ++n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

}  // namespace

bool IsIndexName(std::string_view name)
{
    static constexpr std::array<std::string_view, 4> IndexNames = {".Index", ".Sysldx", ".Index.txt",
                                                                  ".SysIdx.txt"};
    for (std::string_view index : IndexNames) {
        if (name == index)
            return true;
    }
    return false;
}

bool IsSafeRemoteName(std::string_view name)
{
    if (name.empty() || name == "." || name == ".." || name.size() > 255)
        return false;
    for (char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '/' || c == '\\')
            return false;
    }
    return true;
}

std::string PrintableName(std::string_view name)
{
    std::string out;
    for (char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out;
}

bool MatchesListingPattern(std::string_view pattern, std::string_view name)
{
    if (Matches(pattern, name))
        return true;
    // "*.*" (and any pattern ending in ".*") also takes a name without an extension.
    if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" &&
        name.find('.') == std::string_view::npos)
        return Matches(pattern.substr(0, pattern.size() - 2), name);
    return false;
}

std::string BulletinFileName(int year, int number)
{
    char text[64];
    std::snprintf(text, sizeof text, "%4d-arlp%3d.txt", year, number);
    std::string name = text;
    for (char& c : name) {
        if (c == ' ')
            c = '0';
    }
    return name;
}
