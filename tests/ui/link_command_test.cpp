#include <gtest/gtest.h>

#include "ui/link_command.h"

using Args = std::vector<std::string>;

// The address, never seen by a shell, takes the first file or URL code's place, else goes last.
TEST(LinkCommand, DesktopEntryExecLinesAndTheirFieldCodes)
{
    const std::pair<const char*, Args> cases[] = {
        {"firefox-esr %u", {"firefox-esr", "x; rm -rf ~ a"}},
        {"/usr/bin/chromium --new-window %U --flag", {"/usr/bin/chromium", "--new-window", "x; rm -rf ~ a", "--flag"}},
        {"viewer %f -r %F", {"viewer", "x; rm -rf ~ a", "-r"}},
        {"\"/opt/My Browser/run\" \"%1\" %i", {"/opt/My Browser/run", "x; rm -rf ~ a"}},
        {"sh -c \"echo 100%%\"", {"sh", "-c", "echo 100%", "x; rm -rf ~ a"}},
        {"", {}},
        {"%u", {}},
    };
    for (const auto& [exec, args] : cases)
        EXPECT_EQ(BrowserCommand(exec, "x; rm -rf ~ a"), args) << exec;
    // The entry's own Exec line, not an action's.
    EXPECT_EQ(DesktopEntryExec("[Desktop Entry]\r\nName=B\r\nExec=b %u\r\n[Desktop Action new]\nExec=b --new %u\n"),
              "b %u");
    EXPECT_EQ(DesktopEntryExec("[Other]\nExec=x\n"), "");
}
