// The link opener with real opener programs: small scripts put first on PATH
// in the place of xdg-open and xdg-mime, and a desktop entry for text files.
#include <gtest/gtest.h>

#include <filesystem>

#include "internet/bulletin_dispositions.h"
#include "ui/link_opener.h"
#include "ui/text_viewer.h"
#include "support/dialog_driver.h"
#include "support/scripted_prompt.h"
#include "support/temp_folder.h"

namespace {

void WriteScript(const std::string& path, const std::string& body)
{
    WriteTextFile(path, "#!/bin/sh\n" + body);
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
}

}  // namespace

class LinkOpenerTest : public ::testing::Test {
protected:
    TempFolder folder;
    ScriptedPrompt prompt;
    QByteArray savedPath, savedDataHome;

    void SetUp() override
    {
        savedPath = qgetenv("PATH");
        savedDataHome = qgetenv("XDG_DATA_HOME");
        std::filesystem::create_directories(folder.File("bin"));
        std::filesystem::create_directories(folder.File("share/applications"));
        qputenv("PATH", QByteArray::fromStdString(folder.File("bin")) + ":/usr/bin:/bin");
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(folder.File("share")));
        // The text viewer records what it was asked to open.
        WriteScript(folder.File("bin/viewer"),
                    "echo \"$1\" > " + folder.File("viewed") + "\nexit ${VIEWER_STATUS:-0}\n");
        WriteTextFile(folder.File("share/applications/viewer.desktop"),
                      "[Desktop Entry]\nType=Application\nName=Viewer\nExec=" +
                          folder.File("bin/viewer") + " %f\n");
    }
    void TearDown() override
    {
        qputenv("PATH", savedPath);
        if (savedDataHome.isNull())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", savedDataHome);
        qunsetenv("VIEWER_STATUS");
    }

    void XdgOpenExits(int status)
    {
        WriteScript(folder.File("bin/xdg-open"), "echo \"$1\" > " + folder.File("opened") +
                                                      "\nexit " + std::to_string(status) + "\n");
    }
    void TextDefault(const std::string& desktopFile)
    {
        WriteScript(folder.File("bin/xdg-mime"),
                    "[ \"$3\" = text/plain ] && echo " + desktopFile + "\nexit 0\n");
    }

    // Lets the opener run to its end and its outcome arrive.
    void Settle(const std::string& marker)
    {
        SpinUntil([&] { return PathExists(marker); }, 5000);
        SpinUntil([&] { return !prompt.messages.empty(); }, 1500);
    }
};

TEST_F(LinkOpenerTest, WebPagesReportTheOpenersFailure)
{
    const struct {
        int status;
        const char* message;  // empty: opened, nothing said
    } cases[] = {
        {0, ""},
        {3, "There is no application associated\nwith the given filename extension."},
        {2, "The specified file was not found."},
        {4, "The filename association is\nincomplete or invalid."},
    };
    for (const auto& c : cases) {
        prompt.messages.clear();
        std::filesystem::remove(folder.File("opened"));
        XdgOpenExits(c.status);
        EXPECT_TRUE(OpenLinkOrReport(MakerSite));
        Settle(folder.File("opened"));
        EXPECT_EQ(ReadTextFile(folder.File("opened")), std::string(MakerSite) + "\n");
        if (*c.message == '\0') {
            EXPECT_TRUE(prompt.messages.empty()) << c.status;
        } else {
            ASSERT_EQ(prompt.messages.size(), 1u) << c.status;
            EXPECT_EQ(prompt.messages[0].text, std::string("Unable to open hyperlink:\n\n") + c.message);
        }
    }
}

TEST_F(LinkOpenerTest, BulletinsOpenWithTheTextDefault)
{
    XdgOpenExits(0);  // must not be used: a .BUL file is no web page
    TextDefault("viewer.desktop");
    const std::string bulletin = folder.File("week 11.BUL");
    WriteTextFile(bulletin, "SEATTLE, WA\n");
    OpenLinkOrReport(QString::fromStdString(bulletin), LinkKind::TextFile);
    Settle(folder.File("viewed"));
    EXPECT_EQ(ReadTextFile(folder.File("viewed")), bulletin + "\n");
    EXPECT_FALSE(PathExists(folder.File("opened")));
    EXPECT_TRUE(prompt.messages.empty());

    // The viewer fails: said so.
    std::filesystem::remove(folder.File("viewed"));
    qputenv("VIEWER_STATUS", "1");
    OpenLinkOrReport(QString::fromStdString(bulletin), LinkKind::TextFile);
    Settle(folder.File("viewed"));
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text,
              "Unable to open hyperlink:\n\nThe filename association is\nincomplete or invalid.");

    // No program for text files at all.
    prompt.messages.clear();
    TextDefault("");
    OpenLinkOrReport(QString::fromStdString(bulletin), LinkKind::TextFile);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text, "Unable to open hyperlink:\n\nThere is no application "
                                       "associated\nwith the given filename extension.");
}

TEST_F(LinkOpenerTest, FetchedBulletinsOpenAPrivateCopyInTheTextDefault)
{
    XdgOpenExits(0);  // must not be used
    // Field codes as desktop entries write them: %U takes the file, %i is dropped.
    WriteTextFile(folder.File("share/applications/reader.desktop"),
                  "[Desktop Entry]\nType=Application\nName=Reader\nIcon=reader\nExec=" +
                      folder.File("bin/viewer") + " %i %U\n");
    TextDefault("reader.desktop");
    const std::string fetched = folder.File("skylog-fetch-test");
    WriteTextFile(fetched, "SEATTLE, WA\n");
    EXPECT_TRUE(ViewFetchedBulletin("2002-arlp005.txt", fetched, InstalledTextViewer()));
    Settle(folder.File("viewed"));
    const std::string viewed = ReadTextFile(folder.File("viewed"));
    ASSERT_FALSE(viewed.empty());
    const std::string copy = viewed.substr(0, viewed.size() - 1);
    EXPECT_NE(copy, fetched);
    EXPECT_EQ(std::filesystem::path(copy).filename(), "2002-arlp005.txt");
    EXPECT_EQ(ReadTextFile(copy), "SEATTLE, WA\n");
    EXPECT_FALSE(PathExists(folder.File("opened")));
    EXPECT_TRUE(prompt.messages.empty());
}
