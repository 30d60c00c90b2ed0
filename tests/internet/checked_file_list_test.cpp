#include <gtest/gtest.h>

#include "internet/checked_file_list.h"
#include "support/temp_folder.h"

namespace {

std::string Bytes(std::initializer_list<int> values) { return std::string(values.begin(), values.end()); }

const std::string ClassHeader = Bytes({0xFF, 0xFF, 0x01, 0x00, 0x08, 0x00}) + "FTPFiles";
const std::string Next = Bytes({0x01, 0x80});  // the tag of every entry after the first

TEST(CheckedFileList, ByteLayouts)
{
    const std::string n254(254, 'a'), n255(255, 'b');
    struct Case { std::vector<std::string> names; std::string bytes; } const cases[] = {
        {{}, Bytes({0, 0})},
        {{"a.txt", "bb.txt"}, Bytes({2, 0}) + ClassHeader + Bytes({5}) + "a.txt" + Next + Bytes({6}) + "bb.txt"},
        {{n254}, Bytes({1, 0}) + ClassHeader + Bytes({254}) + n254},
        {{n255}, Bytes({1, 0}) + ClassHeader + Bytes({0xFF, 0xFF, 0x00}) + n255},  // 0xFF, then 16 bits
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EncodeCheckedFiles(c.names), c.bytes);
        std::vector<std::string> decoded;
        EXPECT_TRUE(DecodeCheckedFiles(c.bytes, &decoded));
        EXPECT_EQ(decoded, c.names);
    }
    for (std::size_t count : {65534u, 65535u, 70000u}) {  // counts from 65535 on: 0xFFFF, then 32 bits
        const std::string bytes = EncodeCheckedFiles(std::vector<std::string>(count, "x"));
        const auto byte = [&](int i) { return static_cast<std::size_t>(static_cast<unsigned char>(bytes[i])); };
        const std::size_t stored = count < 65535 ? byte(0) | byte(1) << 8
                                                 : byte(2) | byte(3) << 8 | byte(4) << 16 | byte(5) << 24;
        EXPECT_EQ(stored, count);
        std::vector<std::string> decoded;
        ASSERT_TRUE(DecodeCheckedFiles(bytes, &decoded));
        EXPECT_EQ(decoded.size(), count);
    }
}

TEST(CheckedFileList, LoadSaveAndExactMembership)
{
    TempFolder folder;
    const std::string bytes = Bytes({2, 0}) + ClassHeader + Bytes({16}) + "2002-arlp005.txt" + Next + Bytes({2}) + "XY";
    WriteTextFile(folder.File("FNAMES.DAT"), bytes);
    CheckedFileList list;
    EXPECT_EQ(list.Load(folder.File("FNAMES.DAT")), CheckedFilesLoad::Read);
    EXPECT_EQ(std::vector({list.Contains("2002-arlp005.txt"), list.Contains("2002-ARLP005.txt"), list.Contains("X")}),
              std::vector({true, false, false}));
    ASSERT_TRUE(list.Save(folder.File("COPY.DAT")));
    EXPECT_EQ(ReadTextFile(folder.File("COPY.DAT")), bytes);
    EXPECT_EQ(list.Load(folder.File("MISSING.DAT")), CheckedFilesLoad::Missing);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_FALSE(list.Save(folder.File("no-such-folder/FNAMES.DAT")));
}

TEST(CheckedFileList, DamagedFilesKeepWhatWasReadBeforeTheFault)
{
    const std::string good2 = Bytes({2, 0}) + ClassHeader + Bytes({1}) + "a" + Next + Bytes({1}) + "b";
    struct Case { std::string bytes; std::vector<std::string> kept; } const cases[] = {
        {"", {}},
        {Bytes({1, 0, 0xFF, 0xFF, 1, 0, 8, 0}) + "FTPFilez" + Bytes({1}) + "a", {}},  // wrong class name
        {Bytes({2, 0}) + ClassHeader + Bytes({1}) + "a" + Bytes({0x02, 0x80, 1}) + "b", {"a"}},  // bad tag
        {good2.substr(0, good2.size() - 1), {"a"}},
        {Bytes({1, 0}) + ClassHeader + Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}), {}},  // length past the end
        {Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}) + good2.substr(2), {"a", "b"}},  // count larger than the file
        {good2 + "x", {"a", "b"}},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        WriteTextFile(folder.File("FNAMES.DAT"), c.bytes);
        CheckedFileList list;
        list.Add("left over");
        EXPECT_EQ(list.Load(folder.File("FNAMES.DAT")), CheckedFilesLoad::Damaged) << c.bytes;
        EXPECT_EQ(list.Names(), c.kept) << c.bytes;
    }
    EXPECT_EQ(DamagedCheckedFilesText(2), "FNAMES.DAT is damaged: 2 names kept");
}

}  // namespace
