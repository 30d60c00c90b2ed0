// The names of the bulletin files already dealt with, and FNAMES.DAT, the
// file that keeps them between runs.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// FNAMES.DAT keeps an object-archive layout: a 16-bit count (0xFFFF and a
// 32-bit count from 65,535 on), then per name the class tag (the "FTPFiles"
// class description first, the reference 0x8001 after) and a counted string.
std::string EncodeCheckedFiles(const std::vector<std::string>& names);

// Reads names out of that layout into names. False when the bytes do not
// follow it; names then holds the entries read before the fault.
bool DecodeCheckedFiles(std::string_view bytes, std::vector<std::string>* names);

// Outcome of reading FNAMES.DAT.
enum class CheckedFilesLoad { Missing, Read, Damaged };

class CheckedFileList {
public:
    // Replaces the list with the file's names. A damaged file keeps the names
    // read before the fault.
    CheckedFilesLoad Load(const std::string& path);
    // Writes the whole list atomically; false (and nothing changed) on failure.
    bool Save(const std::string& path) const;

    bool Contains(std::string_view name) const;
    void Add(std::string name) { names_.push_back(std::move(name)); }
    int Count() const { return static_cast<int>(names_.size()); }
    const std::string& At(int index) const { return names_[static_cast<std::size_t>(index)]; }
    const std::vector<std::string>& Names() const { return names_; }
    void Clear() { names_.clear(); }
    // Empties the list and refills it with names, in that order.
    void Replace(std::vector<std::string> names) { names_ = std::move(names); }

private:
    std::vector<std::string> names_;
};

// Where the program keeps the list: FNAMES.DAT in the program folder.
std::string CheckedFilesPath();

// The text shown once for a damaged file: "FNAMES.DAT is damaged: N names kept".
std::string DamagedCheckedFilesText(int namesKept);
