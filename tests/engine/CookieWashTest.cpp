// The cookie wash keeps exactly the kept sites' cookies, row for row, and leaves nothing of the
// others in the database's bytes; site storage follows the same choice.
#include <algorithm>
#include <memory>

#include <gtest/gtest.h>

#include "catalogue/CookiesToKeep.h"
#include "engine/CookieWash.h"
#include "tests/engine/LevelDbFiles.h"
#include "tests/support/BrowserFixtures.h"
#include "tests/support/HeldFile.h"
#include "tests/support/SqlFile.h"
#include "tests/support/TempDir.h"

namespace {

// Keeps kept.example and its subdomains, with or without the leading dot.
bool KeepsTestSite(const std::string& host) { return KeepsSite({"kept.example"}, host); }

}  // namespace

// Cookies and storage of the fixture profiles, browser-made in every layout: only b.localhost's stay.
TEST(CookieWashTest, FixtureProfilesKeepOnlyTheKeptSite) {
    struct Case {
        const char* name;
        bool firefox;
        const char* variant;  // copied over the profile
        size_t databases;
    };
    const Case cases[] = {
        {"Chromium", false, "", 1},
        {"Chromium, previous version", false, "variants/chromium-previous", 1},
        {"Chromium, older Cookies beside the new", false, "variants/chromium-old", 2},
        {"Firefox", true, "", 1},
        {"Firefox, previous version", true, "variants/firefox-previous", 1},
        {"Firefox, older layout", true, "variants/firefox-old", 1},
    };
    auto keepB = [](const std::string& host) { return host == "b.localhost"; };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        BrowserProfile profile;
        if (c.firefox) {
            SeedFirefoxProfile(dir.Path() + "profiles.ini", dir.Path() + "Profiles\\x1.default", true);
            profile = FindFirefoxProfiles(dir.Path(), dir.Path()).at(0);
        } else {
            SeedChromiumProfile(dir.Path() + "User Data", "Default", "Home");
            profile = FindChromiumProfiles(BrowserKind::Chromium, dir.Path() + "User Data").at(0);
        }
        if (*c.variant) {
            ASSERT_TRUE(SeedFixture(c.variant, profile.Folder));
        }
        std::string table = c.firefox ? "moz_cookies" : "cookies", column = c.firefox ? "host" : "host_key";
        std::string keptQuery = "SELECT * FROM " + table + " WHERE " + column + " = 'b.localhost' ORDER BY rowid";
        std::vector<std::string> keptBefore;
        for (const char* name : {"cookies.sqlite", "Network\\Cookies", "Cookies"})
            keptBefore.push_back(QueryRows(profile.Folder + "\\" + name, keptQuery));

        std::vector<DatabaseRow> preview = WashProfileCookies(profile, keepB, false);
        ASSERT_EQ(c.databases + 1, preview.size());
        EXPECT_EQ("4 cookies of 2 sites; 2 cookies of kept sites stay", preview[0].Text);
        std::vector<DatabaseRow> rows = WashProfileCookies(profile, keepB, true);
        ASSERT_EQ(c.databases + 1, rows.size());
        for (size_t i = 0; i < c.databases; ++i) {
            SCOPED_TRACE(rows[i].Path);
            EXPECT_TRUE(rows[i].Washed);
            EXPECT_EQ("4 cookies of 2 sites removed; 2 cookies of kept sites stay", rows[i].Text);
            std::string bytes = ReadTextFile(rows[i].Path) + ReadTextFile(rows[i].Path + "-wal");
            EXPECT_EQ(std::string::npos, bytes.find("varnolt_a"));
            EXPECT_EQ(std::string::npos, bytes.find("varnolt_c"));
            EXPECT_NE(std::string::npos, bytes.find("varnolt_b"));
        }
        for (size_t i = 0; i < 3; ++i) {
            const char* name[] = {"cookies.sqlite", "Network\\Cookies", "Cookies"};
            EXPECT_EQ(keptBefore[i], QueryRows(profile.Folder + "\\" + name[i], keptQuery)) << name[i];
        }
        // The site storage row: a and c go; b stays, and with it every store b has data in.
        EXPECT_EQ(2, rows.back().Removed);
        EXPECT_EQ(c.firefox ? 1 : 4, rows.back().Kept);
        for (const char* site : FixtureSites) {
            std::string folder = c.firefox ? "storage\\default\\http+++" + std::string(site) + "+47611"
                                           : "IndexedDB\\http_" + std::string(site) + "_47611.indexeddb.leveldb";
            EXPECT_EQ(keepB(site), FileExists(profile.Folder + "\\" + folder)) << folder;
        }
    }
}

// The items keep the names the supplied items use, and ask for the sites to keep at every run,
// so a change to the list counts from the next preview on.
TEST(CookieWashTest, ItemsAskForTheKeptSitesEachRun) {
    std::vector<DatabaseItemKind> kinds;
    int asked = 0;
    AddCookieKinds(kinds, [&asked] {
        ++asked;
        return KeepSite(KeepsTestSite);
    });
    std::vector<std::string> names;
    for (const DatabaseItemKind& kind : kinds) names.push_back(kind.Name);
    EXPECT_EQ((std::vector<std::string>{"Google Chrome Cookies", "Microsoft Edge Cookies", "Brave Cookies",
                                        "Chromium Cookies", "Firefox Cookies"}),
              names);
    kinds.back().Run(false);
    kinds.back().Run(false);
    EXPECT_EQ(2, asked);
    EXPECT_TRUE(IsDatabaseItem("Firefox Cookies"));
}

TEST(SiteStorageTest, KeptSitesKeepTheirStorage) {
    using namespace std::string_literals;
    struct Folder {
        std::string path;  // under the profile folder
        bool stays;
        // What is in it: a file ('f'), a LevelDB log ('l') or table ('t') of the keys, one a line,
        // or a table of a form no reader knows ('x').
        char form;
        std::string keys = {};
    };
    struct Case {
        const char* name;
        bool firefox, browserRunning;
        std::vector<Folder> folders;
        std::string text;
        std::vector<std::string> held = {};  // files the test holds open meanwhile
    };
    const Case cases[] = {
        {"Firefox",
         true,
         false,
         {{"storage\\default\\https+++kept.example", true, 'f'},
          {"storage\\default\\https+++www.kept.example+8443^userContextId=1", true, 'f'},
          {"storage\\default\\http+++a.localhost+8080", false, 'f'},
          {"storage\\default\\https+++b.localhost^partitionKey=%28https%2Ckept.example%29", false, 'f'},
          {"storage\\default\\moz-extension+++5e1d^addonId=x", true, 'f'}},
         "Storage of 2 sites removed; Storage of 2 kept sites stays"},
        // The table's second key shares "_https://kept." with the first: the kept host is never
        // whole in the file.
        {"Chromium",
         false,
         false,
         {{"IndexedDB\\https_kept.example_0.indexeddb.leveldb", true, 'f'},
          {"IndexedDB\\https_a.localhost_0.indexeddb.leveldb", false, 'f'},
          {"IndexedDB\\https_a.localhost_0.indexeddb.blob", false, 'f'},
          {"IndexedDB\\chrome-extension_abcd_0.indexeddb.leveldb", true, 'f'},
          {"Local Storage\\leveldb", true, 't', "_https://kept.a\0\1k\n_https://kept.example\0\1k"s},
          {"Session Storage", false, 'l', "namespace-12_34-https://a.localhost/\nmap-1-k"},
          {"Service Worker\\Database", true, 'l', "REG:chrome-extension://abcd/\0"s}},
         "Storage of 1 sites removed; Storage of 1 kept sites stays; Local storage kept: kept.example has data in "
         "it; Session storage removed; Service workers kept: chrome-extension://abcd has data in it"},
        {"Chromium, a store unread",
         false,
         false,
         {{"Local Storage\\leveldb", true, 'x'}},
         "Local storage kept: it could not be read"},
        {"Chromium, files held",
         false,
         false,
         {{"IndexedDB\\https_a.localhost_0.indexeddb.leveldb", true, 'f'},
          {"Session Storage", true, 'l', "namespace-12_34-https://a.localhost/"}},
         "Storage of 1 sites could not be removed; Session storage could not be removed",
         {"IndexedDB\\https_a.localhost_0.indexeddb.leveldb\\data", "Session Storage\\000003.log"}},
        {"Chromium running",
         false,
         true,
         {{"IndexedDB\\https_a.localhost_0.indexeddb.leveldb", true, 'f'},
          {"Session Storage", true, 'l', "namespace-12_34-https://a.localhost/"}},
         "Browser is running"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        std::string profile = dir.Path() + "profile";
        for (const Folder& folder : c.folders) {
            std::string path = profile + "\\" + folder.path;
            for (size_t at = path.find('\\', dir.Path().size()); at != std::string::npos; at = path.find('\\', at + 1))
                CreateDirectoryW(WidePath(path.substr(0, at)).c_str(), nullptr);
            CreateDirectoryW(WidePath(path).c_str(), nullptr);
            std::vector<std::string> keys;
            for (size_t begin = 0, end = 0; begin < folder.keys.size(); begin = end + 1) {
                end = std::min(folder.keys.find('\n', begin), folder.keys.size());
                keys.push_back(folder.keys.substr(begin, end - begin));
            }
            if (folder.form == 'f') WriteTextFile(path + "\\data", "site data");
            if (folder.form == 'l') WriteTextFile(path + "\\000003.log", LevelDbLog(keys));
            if (folder.form == 't') WriteTextFile(path + "\\000005.ldb", LevelDbTable(keys));
            if (folder.form == 'x') WriteTextFile(path + "\\000005.ldb", std::string(100, 'x'));
        }
        std::string lock = profile + "\\lockfile";
        WriteTextFile(lock, "");
        HeldFile held(c.browserRunning ? lock : dir.Path() + "none");
        std::vector<std::unique_ptr<HeldFile>> heldFiles;
        for (const std::string& file : c.held) heldFiles.push_back(std::make_unique<HeldFile>(profile + "\\" + file));

        DatabaseRow preview, washed;
        ASSERT_TRUE(SiteStorageRow(profile, lock, c.firefox, "Browser", KeepsTestSite, false, preview));
        for (const Folder& folder : c.folders) EXPECT_TRUE(FileExists(profile + "\\" + folder.path)) << folder.path;
        ASSERT_TRUE(SiteStorageRow(profile, lock, c.firefox, "Browser", KeepsTestSite, true, washed));
        EXPECT_EQ(c.text, washed.Text);
        for (const Folder& folder : c.folders)
            EXPECT_EQ(folder.stays, FileExists(profile + "\\" + folder.path)) << folder.path;
    }
}
