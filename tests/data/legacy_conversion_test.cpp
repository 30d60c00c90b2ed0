// Version 2 files converted in place, with a backup under the first free name.
#include <gtest/gtest.h>

#include "data/legacy_conversion.h"
#include "support/data_file_fixture.h"

class ConversionTest : public DataFileFixture {};

TEST_F(ConversionTest, TheReaderOffersItAndEachConversionKeepsABackup)
{
    const std::string v2File = Lines({V2Header, "! kept comment", "01/01/49    100   150.9", "", "short",
                                      "01/01/50    101   151.9"}, "\r\n");
    prompt.conversionChoices = {ConversionChoice::Help, ConversionChoice::Convert};  // help keeps the question open
    ASSERT_EQ(Read(v2File), ReadOutcome::Read);
    EXPECT_EQ(prompt.helpKeywords, std::vector<std::string>{"File Format Conversion"});
    EXPECT_EQ(prompt.conversionQuestions, 2);
    EXPECT_EQ(SunspotsRead(), (std::vector<int>{100, 101}));
    EXPECT_EQ(ReadTextFile(path), Lines({V3Header, "! kept comment", "01/01/2049  100   150.9", "", "short",
                                         "01/01/1950  101   151.9"}, "\r\n"));
    EXPECT_EQ(prompt.messages.at(0).text,
              "Data file converted properly.  Your existing file was copied to\n" + folder.File("GRAPH.BAK"));
    EXPECT_EQ(ReadTextFile(folder.File("GRAPH.BAK")), v2File);
    for (const char* backup : {"GRAPH.B00", "GRAPH.B01", "GRAPH.B02"}) {
        WriteTextFile(path, v2File);
        ASSERT_EQ(ConvertToVersion3(), 1);
        EXPECT_EQ(ReadTextFile(folder.File(backup)), v2File) << backup;
    }
    // A dot in a folder name is not the file's extension.
    EXPECT_EQ(ReplaceExtension("/home/x.y/GRAPH", "BAK"), "/home/x.y/GRAPH.BAK");
    EXPECT_EQ(ReplaceExtension("/home/x.y/GRAPH.DAT", "B07"), "/home/x.y/GRAPH.B07");
    for (int i = 3; i < 100; ++i)
        WriteTextFile(folder.File("GRAPH.B" + std::to_string(100 + i).substr(1)), "x");
    WriteTextFile(path, v2File);
    prompt.messages.clear();
    EXPECT_EQ(ConvertToVersion3(), 0);  // no free name: asked first
    ASSERT_EQ(prompt.Captions(), std::vector<std::string>{"DATA FILE NOT COPIED"});
    EXPECT_EQ(ReadTextFile(path), v2File);
    prompt.answers = {PromptAnswer::Yes};
    EXPECT_EQ(ConvertToVersion3(), 1);
    EXPECT_EQ(ReadTextFile(path).rfind(V3Header + "\r\n", 0), 0u);
    // The copy says which side failed.
    EXPECT_EQ(CopyDataFile(folder.File("NONE"), folder.File("COPY2")), 1);
    EXPECT_EQ(CopyDataFile(path, folder.File("no/folder/COPY")), 2);
    // A file without a header is converted when the user says so; its backup has the header.
    const std::string noHeader = Lines({"01/01/99    100   150.9", "01/02/00    101   151.9"});
    path = folder.File("OLD.DAT");
    prompt.answers = {PromptAnswer::Yes};
    ASSERT_EQ(Read(noHeader), ReadOutcome::Read);
    EXPECT_EQ(ReadTextFile(folder.File("OLD.BAK")), V2Header + "\n" + noHeader);
    EXPECT_EQ(ReadTextFile(path), Lines({V3Header, "01/01/1999  100   150.9", "01/02/2000  101   151.9"}));
}
