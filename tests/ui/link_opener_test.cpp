// The link opener with scripts first on PATH for xdg-open, xdg-mime and a recording text viewer.
#include <gtest/gtest.h>

#include <filesystem>

#include "internet/bulletin_dispositions.h"
#include "support/dialog_driver.h"
#include "support/scripted_prompt.h"
#include "support/temp_folder.h"
#include "ui/link_opener.h"
#include "ui/text_viewer.h"

const std::string Unable = "Unable to open hyperlink:\n\n";
const std::string NoProgram = "There is no application associated\nwith the given filename extension.";
const std::string Invalid = "The filename association is\nincomplete or invalid.";

class LinkOpenerTest : public ::testing::Test {
protected:
    TempFolder folder;
    ScriptedPrompt prompt;
    QByteArray savedPath = qgetenv("PATH"), savedDataHome = qgetenv("XDG_DATA_HOME");

    void SetUp() override
    {
        std::filesystem::create_directories(folder.File("share/applications"));
        qputenv("PATH", QByteArray::fromStdString(folder.File("bin")) + ":/usr/bin:/bin");
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(folder.File("share")));
        Script("viewer", "echo \"$1\" > " + folder.File("viewed") + "\nexit ${VIEWER_STATUS:-0}");
    }
    void TearDown() override
    {
        qputenv("PATH", savedPath);
        savedDataHome.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", savedDataHome);
        qunsetenv("VIEWER_STATUS");
    }
    void Script(const std::string& name, const std::string& body)
    {
        std::filesystem::create_directories(folder.File("bin"));
        WriteTextFile(folder.File("bin/" + name), "#!/bin/sh\n" + body + "\n");
        std::filesystem::permissions(folder.File("bin/" + name), std::filesystem::perms::owner_all);
    }
    // Runs the opener to its end and lets its outcome arrive.
    void Settle(const std::string& marker)
    {
        SpinUntil([&] { return PathExists(marker); }, 5000);
        SpinUntil([&] { return !prompt.messages.empty(); }, 1500);
    }
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (const ShownMessage& message : prompt.messages)
            texts.push_back(message.text);
        return texts;
    }
};

TEST_F(LinkOpenerTest, WebPagesReportTheOpenersFailure)
{
    const std::pair<int, std::string> cases[] = {
        {0, ""}, {3, NoProgram}, {2, "The specified file was not found."}, {4, Invalid}};
    for (const auto& [status, message] : cases) {
        prompt.messages.clear();
        std::filesystem::remove(folder.File("opened"));
        Script("xdg-open", "echo \"$1\" > " + folder.File("opened") + "\nexit " + std::to_string(status));
        EXPECT_TRUE(OpenLinkOrReport(MakerSite));
        Settle(folder.File("opened"));
        EXPECT_EQ(ReadTextFile(folder.File("opened")), std::string(MakerSite) + "\n");
        EXPECT_EQ(Texts(), message.empty() ? std::vector<std::string>{} : std::vector{Unable + message}) << status;
    }
}

// Bulletins open in the text default, never through xdg-open; a fetched one as
// a private copy named for the bulletin. %U takes the file, %i is dropped.
TEST_F(LinkOpenerTest, BulletinsOpenWithTheTextDefault)
{
    Script("xdg-open", "touch " + folder.File("opened"));
    WriteTextFile(folder.File("share/applications/reader.desktop"),
                  "[Desktop Entry]\nType=Application\nName=Reader\nExec=" + folder.File("bin/viewer") + " %i %U\n");
    Script("xdg-mime", "[ \"$3\" = text/plain ] && echo reader.desktop");
    const std::string fetched = folder.File("skylog-fetch-test");
    WriteTextFile(fetched, "SEATTLE, WA\n");
    EXPECT_TRUE(ViewFetchedBulletin("2002-arlp005.txt", fetched, InstalledTextViewer()));
    Settle(folder.File("viewed"));
    const std::string viewed = ReadTextFile(folder.File("viewed"));  // the copy's path and a line break
    EXPECT_EQ(std::filesystem::path(viewed).filename(), "2002-arlp005.txt\n");
    EXPECT_EQ(ReadTextFile(viewed.substr(0, viewed.size() - 1)), "SEATTLE, WA\n");

    // The viewer fails (the name with a space reaches it whole), then no program at all.
    const std::string bulletin = folder.File("week 11.BUL");
    qputenv("VIEWER_STATUS", "1");
    std::filesystem::remove(folder.File("viewed"));
    OpenLinkOrReport(QString::fromStdString(bulletin), LinkKind::TextFile);
    Settle(folder.File("viewed"));
    EXPECT_EQ(ReadTextFile(folder.File("viewed")), bulletin + "\n");
    Script("xdg-mime", "exit 0");
    OpenLinkOrReport(QString::fromStdString(bulletin), LinkKind::TextFile);
    EXPECT_EQ(Texts(), (std::vector{Unable + Invalid, Unable + NoProgram}));
    EXPECT_FALSE(PathExists(folder.File("opened")));
}
