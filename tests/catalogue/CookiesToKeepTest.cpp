// The keep list of cookies: which hosts a kept site keeps, which lines are sites, and the list as
// the settings file, a text file and a policy give it.
#include <gtest/gtest.h>

#include <windows.h>

#include "catalogue/CookiesToKeep.h"
#include "platform/Error.h"
#include "tests/support/PolicyKey.h"
#include "tests/support/TempDir.h"

namespace {
struct KeepCase {
    const char* kept;
    const char* host;
    bool keeps;
};

const KeepCase KeepCases[] = {
    {"example.com", "example.com", true},
    {"example.com", ".example.com", true},
    {"example.com", "www.example.com", true},
    {"example.com", ".www.example.com", true},
    {"example.com", "a.b.example.com", true},
    {".example.com", "example.com", true},
    {".example.com", "www.example.com", true},
    {"Example.COM", "WWW.example.com", true},
    {"www.example.com", "example.com", false},
    {"example.com", "badexample.com", false},
    {"example.com", ".badexample.com", false},
    {"example.com", "example.com.evil", false},
    {"example.com", "xexample.com", false},
    {"example.com", "com", false},
    {"example.com", "", false},
    {"example.com", ".", false},
    {"127.0.0.1", "127.0.0.1", true},
    {"0.0.1", "127.0.0.1", true},
    {"localhost", "a.localhost", true},
};
}  // namespace

TEST(CookiesToKeep, AKeptSiteKeepsItselfAndItsSubdomainsOnly) {
    for (const auto& c : KeepCases) {
        SCOPED_TRACE(std::string(c.kept) + " / " + c.host);
        EXPECT_EQ(KeepsSite({"other.org", c.kept}, c.host), c.keeps);
    }
    EXPECT_FALSE(KeepsSite({}, "example.com"));
}

TEST(CookiesToKeep, SiteNamesAreHostNamesInTheirStoredForm) {
    const std::pair<const char*, const char*> cases[] = {
        {"example.com", "example.com"},   {"  .Example.COM.  ", "example.com"},
        {"xn--bcher-kva.de", "xn--bcher-kva.de"}, {"my_host.lan", "my_host.lan"},
        {"localhost", "localhost"},        {"", ""},
        {"   ", ""},                       {"exa mple.com", ""},
        {"example.com/path", ""},          {"https://example.com", ""},
        {"example.com:8080", ""},          {"a..b", ""},
        {"-a.com", ""},                    {"a-.com", ""},
        {"b\xC3\xBC" "cher.de", ""},       {"*.example.com", ""},
    };
    for (const auto& [text, site] : cases) EXPECT_EQ(SiteName(text), site) << text;
    EXPECT_EQ(SiteName(std::string(64, 'a') + ".com"), "");
    EXPECT_EQ(SiteName(std::string(63, 'a') + ".com"), std::string(63, 'a') + ".com");
    std::string longName;
    while (longName.size() < 254) longName += "abcdefghi.";
    EXPECT_EQ(SiteName(longName + "com"), "");
}

TEST(CookiesToKeep, AFileOfSitesDropsBlankAndRepeatedLinesAndNamesTheRefused) {
    TempDir dir;
    const std::string file = dir.Path() + "sites.txt";
    WriteTextFile(file, "\xEF\xBB\xBFWWW.Example.com\r\n\r\n  .example.org \r\nwww.example.com\nnot a site\n"
                        "sub.example.org\r\nhttps://x.com/\n\n");
    ParsedSiteList read = ReadSiteListFile(file);
    EXPECT_EQ(read.Sites, (std::vector<std::string>{"www.example.com", "example.org", "sub.example.org"}));
    EXPECT_EQ(read.Refused, (std::vector<std::string>{"not a site", "https://x.com/"}));

    WriteSiteListFile(file, read.Sites);
    EXPECT_EQ(ReadTextFile(file), "www.example.com\r\nexample.org\r\nsub.example.org\r\n");
    EXPECT_THROW(ReadSiteListFile(dir.Path() + "missing.txt"), AppError);
}

TEST(CookiesToKeep, ARefusedExportLeavesTheOldFile) {
    TempDir dir;
    const std::string file = dir.Path() + "sites.txt";
    WriteTextFile(file, "old.example\r\n");
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_THROW(WriteSiteListFile(file, {"new.example"}), AppError);
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadTextFile(file), "old.example\r\n");
}

// The user's list lives in wildcard.ini; a policy list replaces it while it names a site.
TEST(CookiesToKeep, ThePolicyListReplacesTheUsersWhileItNamesASite) {
    TempDir dir;
    const std::string settings = dir.Path() + "wildcard.ini";
    WriteTextFile(settings, "[Common]\r\nWildcard Total=1\r\nWildcard0=*.tmp\r\n");
    WriteKeepList(settings, {"mine.example", "bank.example"});
    EXPECT_EQ(ReadKeepList(settings), (std::vector<std::string>{"mine.example", "bank.example"}));
    EXPECT_NE(ReadTextFile(settings).find("Wildcard0=*.tmp"), std::string::npos);

    PolicyKey key("Software\\Policies\\VarnoltTests_Cookies" + std::to_string(GetCurrentProcessId()));
    EXPECT_EQ(KeepListInForce(settings, ReadPolicies(key.Path())), ReadKeepList(settings));
    key.SetList(HKEY_CURRENT_USER, "CookiesToKeep", {"Corp.Example", "no site here", ".corp.example"});
    Policies held = ReadPolicies(key.Path());
    EXPECT_TRUE(held.CookiesToKeepHeld());
    EXPECT_EQ(KeepListInForce(settings, held), (std::vector<std::string>{"corp.example"}));
    // The machine's list wins over the user's.
    key.SetList(HKEY_LOCAL_MACHINE, "CookiesToKeep", {"machine.example"});
    EXPECT_EQ(KeepListInForce(settings, ReadPolicies(key.Path())), (std::vector<std::string>{"machine.example"}));
    // An empty key, as a policy switched off leaves it, holds nothing.
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) RegDeleteTreeA(root, (key.Path() + "\\CookiesToKeep").c_str());
    HKEY empty = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, (key.Path() + "\\CookiesToKeep").c_str(), &empty), ERROR_SUCCESS);
    RegCloseKey(empty);
    EXPECT_EQ(KeepListInForce(settings, ReadPolicies(key.Path())), ReadKeepList(settings));
}
