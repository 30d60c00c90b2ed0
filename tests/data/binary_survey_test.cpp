// A file with a byte no text file holds is refused wherever that byte sits:
// the whole-file check reads eight bytes at a time, so every offset within a
// word, and a block after the first, must still be seen.
#include <gtest/gtest.h>

#include <string>

#include "data/data_file.h"
#include "data/text_file.h"
#include "support/data_state.h"
#include "support/scripted_prompt.h"
#include "support/temp_folder.h"

namespace {

const std::string Header = "! SKYLOG Solar Data Plot Version 3 Data File\n";

// Enough data lines to fill well past the reader's first 64 KiB block.
std::string ManyDays(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "01/" + std::string(i % 28 + 1 < 10 ? "0" : "") + std::to_string(i % 28 + 1) + "/" +
                std::to_string(1900 + i / 28) + "  100   150.9\n";
    return text;
}

}  // namespace

TEST(BinarySurveyTest, AForeignControlByteAnywhereRefusesTheFile)
{
    TempFolder folder;
    ScriptedPrompt prompt;
    ResetDataState();
    const std::string path = folder.File("GRAPH.DAT");
    const std::string body = ManyDays(4000);  // about 100 KiB
    ASSERT_GT(body.size(), 70000u);

    struct Case {
        std::size_t offset;  // into the body, after the header
        char byte;
        bool refused;
    };
    std::vector<Case> cases;
    for (std::size_t offset = 0; offset < 17; ++offset)  // every place within a word
        for (const char byte : {'\0', '\x01', '\x1f', '\x1b'})
            cases.push_back({offset, byte, true});
    for (const std::size_t offset : {std::size_t{65530}, std::size_t{65536}, body.size() - 2})
        cases.push_back({offset, '\x07', true});  // later blocks
    // Tab, form feed and the DOS end-of-file mark are text, wherever they are.
    for (const char byte : {'\t', '\f', '\x1a'})
        for (const std::size_t offset : {std::size_t{3}, std::size_t{65537}})
            cases.push_back({offset, byte, false});

    for (const Case& c : cases) {
        std::string text = Header + body;
        text.insert(Header.size() + c.offset, 1, c.byte);
        WriteTextFile(path, text);
        DataFile().path = path;
        prompt.messages.clear();
        const ReadOutcome outcome = ReadDataFile();
        EXPECT_EQ(outcome == ReadOutcome::Refused, c.refused)
            << "byte " << int(c.byte) << " at " << c.offset;
        if (c.refused) {
            EXPECT_EQ(ReadTextFile(path), text) << "a refused file is left as it was";
        }
        Records().SetDataChanged(0);
    }
    ResetDataState();
}
