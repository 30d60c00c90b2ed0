#include <gtest/gtest.h>

#include <string>

#include "internet/ftp_client.h"
#include "internet/remote_name.h"

namespace {

TEST(RemoteName, UnsafeNamesAreRefused)
{
    const std::string nul("a\0b.txt", 7);
    struct Case { std::string name; bool safe; };
    const Case cases[] = {
        {"2002-arlp005.txt", true},  {"2002-arlp\xC3\xA9.txt", true}, {std::string(255, 'x'), true},
        {"", false},                 {".", false},                     {"..", false},
        {"../x", false},             {"a/b", false},                   {"a\\b", false},
        {nul, false},                {"tab\there", false},             {"bell\x07", false},
        {"del\x7F", false},          {std::string(256, 'x'), false},   {"...", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsSafeRemoteName(c.name), c.safe) << PrintableName(c.name);
    EXPECT_EQ(PrintableName("a\x01" "b\x1B"), "a\\x01b\\x1B");
}

TEST(RemoteName, ListingPatterns)
{
    struct Case { const char* pattern; const char* name; bool matches; };
    const Case cases[] = {
        {"*", "2002", true},          {"*.*", "2002", true},  // year folders have no dot
        {"*.*", ".Index.txt", true},  {"*arlp*.txt", "2002-arlp005.txt", true},
        {"*arlp*.txt", "2002-ARLP005.TXT", true},  {"*arlp*.txt", "arlp.txt", true},
        {"*arlp*.txt", "2002-arlp005.txt.bak", false}, {"*arlp*.txt", "2002-arl005.txt", false},
        {"*arlp*.txt", "notes.txt", false}, {"a?c", "abc", true}, {"a?c", "ac", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchesListingPattern(c.pattern, c.name), c.matches) << c.pattern << " " << c.name;
    EXPECT_EQ(BulletinFileName(2002, 5), "2002-arlp005.txt");
    EXPECT_EQ(BulletinFileName(1999, 123), "1999-arlp123.txt");
}

TEST(RemoteName, SiteAddresses)
{
    struct Case { const char* text; bool parses; const char* scheme; const char* host; int port; };
    const Case cases[] = {
        {"ftp.arrl.org", true, "ftp", "ftp.arrl.org", 0}, {"ftp://127.0.0.1:2121/pub", true, "ftp", "127.0.0.1", 2121},
        {"FTP://Host", true, "ftp", "Host", 0},           {"http://www.arrl.org", true, "http", "www.arrl.org", 0},
        {"", true, "ftp", "", 0},                         {"ftp://", true, "ftp", "", 0},
        {"ftp://host:99999", false, "", "", 0},           {"ftp://user@host", false, "", "", 0},
        {"host name", false, "", "", 0},                  {"://host", false, "", "", 0},
    };
    for (const Case& c : cases) {
        const std::optional<FtpSite> site = ParseFtpSite(c.text);
        ASSERT_EQ(site.has_value(), c.parses) << c.text;
        if (site) {
            EXPECT_EQ(site->scheme + " " + site->host + " " + std::to_string(site->port),
                      std::string(c.scheme) + " " + c.host + " " + std::to_string(c.port));
        }
    }
}

}  // namespace
