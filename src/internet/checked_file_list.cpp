#include "internet/checked_file_list.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>

#include "config/program_folder.h"
#include "data/text_file.h"

namespace {

constexpr std::uint16_t NewClassTag = 0xFFFF;
constexpr std::uint16_t ClassReference = 0x8001;
constexpr std::uint16_t Schema = 1;
constexpr std::string_view ClassName = "FTPFiles";

void Put16(std::string* out, std::uint32_t value)
{
    out->push_back(static_cast<char>(value & 0xFF));
    out->push_back(static_cast<char>((value >> 8) & 0xFF));
}

void Put32(std::string* out, std::uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// Sequential little-endian reads that fail, instead of reading past the end.
class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

    bool Read8(std::uint32_t* value)
    {
        if (pos_ + 1 > bytes_.size())
            return false;
        *value = static_cast<unsigned char>(bytes_[pos_++]);
        return true;
    }
    bool Read16(std::uint32_t* value)
    {
        std::uint32_t low = 0, high = 0;
        if (pos_ + 2 > bytes_.size() || !Read8(&low) || !Read8(&high))
            return false;
        *value = low | (high << 8);
        return true;
    }
    bool Read32(std::uint32_t* value)
    {
        std::uint32_t low = 0, high = 0;
        if (pos_ + 4 > bytes_.size() || !Read16(&low) || !Read16(&high))
            return false;
        *value = low | (high << 16);
        return true;
    }
    bool ReadText(std::size_t length, std::string* text)
    {
        if (length > bytes_.size() - pos_)
            return false;
        text->assign(bytes_.substr(pos_, length));
        pos_ += length;
        return true;
    }
    std::size_t Remaining() const { return bytes_.size() - pos_; }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

bool ReadCountedString(ByteReader* in, std::string* text)
{
    std::uint32_t length = 0;
    if (!in->Read8(&length))
        return false;
    if (length == 0xFF) {
        if (!in->Read16(&length))
            return false;
        if (length == 0xFFFF && !in->Read32(&length))
            return false;
    }
    return in->ReadText(length, text);
}

}  // namespace

std::string EncodeCheckedFiles(const std::vector<std::string>& names)
{
    std::string out;
    if (names.size() < 0xFFFF) {
        Put16(&out, static_cast<std::uint32_t>(names.size()));
    } else {
        Put16(&out, 0xFFFF);
        Put32(&out, static_cast<std::uint32_t>(names.size()));
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i == 0) {
            Put16(&out, NewClassTag);
            Put16(&out, Schema);
            Put16(&out, static_cast<std::uint32_t>(ClassName.size()));
            out.append(ClassName);
        } else {
            Put16(&out, ClassReference);
        }
        const std::string& name = names[i];
        if (name.size() < 0xFF) {
            out.push_back(static_cast<char>(name.size()));
        } else if (name.size() < 0xFFFE) {
            out.push_back(static_cast<char>(0xFF));
            Put16(&out, static_cast<std::uint32_t>(name.size()));
        } else {
            out.push_back(static_cast<char>(0xFF));
            Put16(&out, 0xFFFF);
            Put32(&out, static_cast<std::uint32_t>(name.size()));
        }
        out.append(name);
    }
    return out;
}

bool DecodeCheckedFiles(std::string_view bytes, std::vector<std::string>* names)
{
    names->clear();
    ByteReader in(bytes);
    std::uint32_t count = 0;
    if (!in.Read16(&count))
        return false;
    if (count == 0xFFFF && !in.Read32(&count))
        return false;
    // Every entry takes at least three bytes (tag and length): a count larger
    // than the file allows is damage, and never drives the loop past it.
    const std::size_t most = in.Remaining() / 3;
    const bool countFits = count <= most;
    if (!countFits)
        count = static_cast<std::uint32_t>(most);
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t tag = 0;
        if (!in.Read16(&tag))
            return false;
        if (i == 0) {
            std::uint32_t schema = 0, nameLength = 0;
            std::string className;
            if (tag != NewClassTag || !in.Read16(&schema) || schema != Schema ||
                !in.Read16(&nameLength) || !in.ReadText(nameLength, &className) ||
                className != ClassName)
                return false;
        } else if (tag != ClassReference) {
            return false;
        }
        std::string name;
        if (!ReadCountedString(&in, &name))
            return false;
        names->push_back(std::move(name));
    }
    return countFits && in.Remaining() == 0;
}

CheckedFilesLoad CheckedFileList::Load(const std::string& path)
{
    names_.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return FileExists(path) ? CheckedFilesLoad::Damaged : CheckedFilesLoad::Missing;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return CheckedFilesLoad::Damaged;
    return DecodeCheckedFiles(bytes, &names_) ? CheckedFilesLoad::Read : CheckedFilesLoad::Damaged;
}

bool CheckedFileList::Save(const std::string& path) const
{
    AtomicFileWriter writer(path);
    writer.Write(EncodeCheckedFiles(names_));
    return writer.Commit();
}

bool CheckedFileList::Contains(std::string_view name) const
{
    return std::find(names_.begin(), names_.end(), name) != names_.end();
}

std::string CheckedFilesPath()
{
    return ProgramFile("FNAMES.DAT");
}

std::string DamagedCheckedFilesText(int namesKept)
{
    return "FNAMES.DAT is damaged: " + std::to_string(namesKept) + " names kept";
}
