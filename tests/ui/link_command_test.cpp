#include <gtest/gtest.h>

#include "ui/link_command.h"

using Args = std::vector<std::string>;

TEST(LinkCommand, FieldCodesStandForTheAddress)
{
    EXPECT_EQ(BrowserCommand("firefox-esr %u", "https://x.org/a b"),
              (Args{"firefox-esr", "https://x.org/a b"}));
    // In place of the first file or URL code; what follows it stays, a second code goes.
    EXPECT_EQ(BrowserCommand("/usr/bin/chromium --new-window %U --flag", "a"),
              (Args{"/usr/bin/chromium", "--new-window", "a", "--flag"}));
    EXPECT_EQ(BrowserCommand("viewer %f -r %F", "a"), (Args{"viewer", "a", "-r"}));
    EXPECT_EQ(BrowserCommand("\"/opt/My Browser/run\" \"%1\"", "a"),
              (Args{"/opt/My Browser/run", "a"}));
    // Without a code the address goes at the end; other codes stand for nothing.
    EXPECT_EQ(BrowserCommand("lynx --accept-all-cookies %i", "a"),
              (Args{"lynx", "--accept-all-cookies", "a"}));
    EXPECT_EQ(BrowserCommand("sh -c \"echo 100%%\"", "a"), (Args{"sh", "-c", "echo 100%", "a"}));
    // An address is one argument, never seen by a shell.
    EXPECT_EQ(BrowserCommand("browser %u", "x; rm -rf ~").back(), "x; rm -rf ~");
    EXPECT_TRUE(BrowserCommand("", "a").empty());
    EXPECT_TRUE(BrowserCommand("%u", "a").empty());
}

TEST(LinkCommand, DesktopEntriesAndMessages)
{
    EXPECT_EQ(DesktopEntryExec("[Desktop Entry]\r\nName=B\r\nExec=b %u\r\n[Desktop Action new]\nExec=b --new %u\n"),
              "b %u");
    EXPECT_EQ(DesktopEntryExec("[Other]\nExec=x\n"), "");
    EXPECT_EQ(LinkErrorMessage(26), "A sharing violation occurred. ");
    EXPECT_EQ(LinkErrorMessage(31), "There is no application associated\nwith the given filename extension.");
    EXPECT_EQ(LinkErrorMessage(2), "The specified file was not found.");
    EXPECT_EQ(LinkErrorMessage(99), "Unknown Error (99) occurred.");
}
