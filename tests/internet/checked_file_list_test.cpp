#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "internet/checked_file_list.h"
#include "support/temp_folder.h"

namespace {

std::string Bytes(std::initializer_list<int> values)
{
    std::string out;
    for (int v : values)
        out.push_back(static_cast<char>(v));
    return out;
}

const std::string ClassHeader = Bytes({0xFF, 0xFF, 0x01, 0x00, 0x08, 0x00}) + "FTPFiles";

TEST(CheckedFileList, ByteLayouts)
{
    const std::string n254(254, 'a'), n255(255, 'b'), n300(300, 'c');
    struct Case { const char* what; std::vector<std::string> names; std::string bytes; } const cases[] = {
        {"empty list", {}, Bytes({0, 0})},
        {"one entry: no reference", {"a.txt"}, Bytes({1, 0}) + ClassHeader + Bytes({5}) + "a.txt"},
        {"two names", {"a.txt", "bb.txt"},
         Bytes({2, 0}) + ClassHeader + Bytes({5}) + "a.txt" + Bytes({0x01, 0x80, 6}) + "bb.txt"},
        {"254 bytes: one length byte", {n254}, Bytes({1, 0}) + ClassHeader + Bytes({254}) + n254},
        {"255 bytes: 0xFF and 16 bits", {n255}, Bytes({1, 0}) + ClassHeader + Bytes({0xFF, 0xFF, 0x00}) + n255},
        {"300 bytes", {n300}, Bytes({1, 0}) + ClassHeader + Bytes({0xFF, 0x2C, 0x01}) + n300},
        {"duplicates kept in order", {"x", "x", "y"},
         Bytes({3, 0}) + ClassHeader + Bytes({1}) + "x" + Bytes({0x01, 0x80, 1}) + "x" +
             Bytes({0x01, 0x80, 1}) + "y"},
        {"empty name", {""}, Bytes({1, 0}) + ClassHeader + Bytes({0})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(EncodeCheckedFiles(c.names), c.bytes);
        std::vector<std::string> decoded;
        EXPECT_TRUE(DecodeCheckedFiles(c.bytes, &decoded));
        EXPECT_EQ(decoded, c.names);
    }
}

TEST(CheckedFileList, CountsFrom65535OnTakeThirtyTwoBits)
{
    for (std::size_t count : {65534u, 65535u, 70000u}) {
        SCOPED_TRACE(count);
        std::vector<std::string> names(count);
        for (std::size_t i = 0; i < count; ++i)
            names[i] = "2002-arlp" + std::to_string(i) + ".txt";
        const std::string bytes = EncodeCheckedFiles(names);
        const auto byte = [&](int i) { return static_cast<std::size_t>(static_cast<unsigned char>(bytes[i])); };
        if (count < 65535) {
            EXPECT_EQ(byte(0) | byte(1) << 8, count);
        } else {
            EXPECT_EQ(byte(0) | byte(1) << 8, 0xFFFFu);
            EXPECT_EQ(byte(2) | byte(3) << 8 | byte(4) << 16 | byte(5) << 24, count);
        }
        std::vector<std::string> decoded;
        ASSERT_TRUE(DecodeCheckedFiles(bytes, &decoded));
        EXPECT_EQ(decoded, names);
    }
}

TEST(CheckedFileList, LoadSaveIsByteIdenticalAndMembershipExact)
{
    TempFolder folder;
    const std::string path = folder.File("FNAMES.DAT");
    const std::string bytes = Bytes({3, 0}) + ClassHeader + Bytes({16}) + "2002-arlp005.txt" +
                              Bytes({0x01, 0x80, 16}) + "2002-arlp005.txt" + Bytes({0x01, 0x80, 16}) +
                              "2003-ARLP008.TXT";
    WriteTextFile(path, bytes);
    CheckedFileList list;
    EXPECT_EQ(list.Load(path), CheckedFilesLoad::Read);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_TRUE(list.Contains("2002-arlp005.txt"));
    EXPECT_FALSE(list.Contains("2002-ARLP005.txt"));
    EXPECT_FALSE(list.Contains("2002-arlp005.tx"));
    const std::string copy = folder.File("COPY.DAT");
    ASSERT_TRUE(list.Save(copy));
    EXPECT_EQ(ReadTextFile(copy), bytes);

    list.Clear();
    ASSERT_TRUE(list.Save(copy));
    EXPECT_EQ(ReadTextFile(copy), Bytes({0, 0}));
    EXPECT_EQ(list.Load(folder.File("MISSING.DAT")), CheckedFilesLoad::Missing);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_FALSE(list.Save(folder.File("no-such-folder/FNAMES.DAT")));
}

TEST(CheckedFileList, DamagedFilesKeepWhatWasReadBeforeTheFault)
{
    const std::string good2 =
        Bytes({2, 0}) + ClassHeader + Bytes({1}) + "a" + Bytes({0x01, 0x80, 1}) + "b";
    struct Case { const char* what; std::string bytes; std::vector<std::string> kept; } const cases[] = {
        {"nothing at all", "", {}},
        {"half a count", Bytes({1}), {}},
        {"wrong class name", Bytes({1, 0, 0xFF, 0xFF, 1, 0, 8, 0}) + "FTPFilez" + Bytes({1}) + "a", {}},
        {"wrong schema", Bytes({1, 0, 0xFF, 0xFF, 2, 0, 8, 0}) + "FTPFiles" + Bytes({1}) + "a", {}},
        {"bad tag on the second entry",
         Bytes({2, 0}) + ClassHeader + Bytes({1}) + "a" + Bytes({0x02, 0x80, 1}) + "b", {"a"}},
        {"object back-reference", Bytes({2, 0}) + ClassHeader + Bytes({1}) + "a" + Bytes({0x02, 0x00}), {"a"}},
        {"truncated name", good2.substr(0, good2.size() - 1), {"a"}},
        {"name length past the end",
         Bytes({1, 0}) + ClassHeader + Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}), {}},
        {"count larger than the file", Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}) + good2.substr(2), {"a", "b"}},
        {"count too large by one", Bytes({3, 0}) + good2.substr(2), {"a", "b"}},
        {"bytes after the last entry", good2 + "x", {"a", "b"}},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = folder.File("FNAMES.DAT");
        WriteTextFile(path, c.bytes);
        CheckedFileList list;
        list.Add("left over");
        EXPECT_EQ(list.Load(path), CheckedFilesLoad::Damaged);
        EXPECT_EQ(list.Names(), c.kept);
    }
    EXPECT_EQ(DamagedCheckedFilesText(2), "FNAMES.DAT is damaged: 2 names kept");
}

}  // namespace
