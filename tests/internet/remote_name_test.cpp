#include <gtest/gtest.h>

#include "internet/ftp_client.h"
#include "internet/remote_name.h"

namespace {

TEST(RemoteName, UnsafeNamesAreRefused)
{
    const struct { std::string name; bool safe; } cases[] = {
        {"2002-arlp005.txt", true}, {"2002-arlp\xC3\xA9.txt", true}, {std::string(255, 'x'), true}, {"...", true},
        {"", false}, {".", false}, {"..", false}, {"../x", false}, {"a/b", false}, {"a\\b", false},
        {std::string("a\0b", 3), false}, {"tab\there", false}, {"del\x7F", false}, {std::string(256, 'x'), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsSafeRemoteName(c.name), c.safe) << PrintableName(c.name);
    EXPECT_EQ(PrintableName("a\x01" "b\x1B"), "a\\x01b\\x1B");
}

TEST(RemoteName, ListingPatternsAndBulletinNames)
{
    const struct { const char* pattern; const char* name; bool matches; } cases[] = {
        {"*.*", "2002", true}, {"*.*", ".Index.txt", true},  // year folders have no dot
        {"*arlp*.txt", "2002-ARLP005.TXT", true}, {"*arlp*.txt", "arlp.txt", true},
        {"*arlp*.txt", "2002-arlp005.txt.bak", false}, {"*arlp*.txt", "2002-arl005.txt", false},
        {"a?c", "abc", true}, {"a?c", "ac", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchesListingPattern(c.pattern, c.name), c.matches) << c.pattern << " " << c.name;
    EXPECT_EQ(BulletinFileName(2002, 5), "2002-arlp005.txt");
}

TEST(RemoteName, SiteAddresses)
{
    const struct { const char* text; const char* site; } cases[] = {  // "scheme host port", or "" for refused
        {"ftp.arrl.org", "ftp ftp.arrl.org 0"}, {"FTP://127.0.0.1:2121/pub", "ftp 127.0.0.1 2121"},
        {"http://www.arrl.org", "http www.arrl.org 0"}, {"ftp://", "ftp  0"},
        {"ftp://host:99999", ""}, {"ftp://user@host", ""}, {"host name", ""}, {"://host", ""},
    };
    for (const auto& c : cases) {
        const auto site = ParseFtpSite(c.text);
        EXPECT_EQ(site ? site->scheme + " " + site->host + " " + std::to_string(site->port) : "", c.site) << c.text;
    }
}

}  // namespace
