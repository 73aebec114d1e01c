// The cookie wash keeps exactly the kept sites' cookies, row for row, and leaves nothing of the
// others in the database's bytes; site storage follows the same choice.
#include <sqlite3.h>

#include <algorithm>

#include <gtest/gtest.h>

#include "engine/CookieWash.h"
#include "tests/engine/LevelDbFiles.h"
#include "tests/support/HeldFile.h"
#include "tests/support/TempDir.h"

namespace {

// Keeps kept.example and its subdomains, with or without the leading dot.
bool KeepsTestSite(const std::string& host) {
    std::string site = !host.empty() && host[0] == '.' ? host.substr(1) : host;
    return site == "kept.example" || (site.size() > 13 && site.compare(site.size() - 13, 13, ".kept.example") == 0);
}

void Exec(const std::string& path, const std::string& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open(path.c_str(), &db));
    EXPECT_EQ(SQLITE_OK, sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr)) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

// Every column of every row the query gives, as one text.
std::string Rows(const std::string& path, const std::string& sql) {
    sqlite3* db = nullptr;
    sqlite3_stmt* stmt = nullptr;
    std::string text;
    sqlite3_open(path.c_str(), &db);
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) == SQLITE_OK)
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
                const unsigned char* value = sqlite3_column_text(stmt, i);
                text += (value ? reinterpret_cast<const char*>(value) : "<null>") + std::string("|");
            }
            text += "\n";
        }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return text;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

}  // namespace

TEST(CookieWashTest, OnlyKeptSitesCookiesStay) {
    struct Case {
        const char* name;
        bool firefox;
        std::string schema, insert;  // insert: {n} row number, {host}, {marker}
    };
    const Case cases[] = {
        {"Chromium", false,
         "CREATE TABLE meta(key LONGVARCHAR NOT NULL UNIQUE PRIMARY KEY, value LONGVARCHAR);"
         "CREATE TABLE cookies(creation_utc INTEGER NOT NULL,host_key TEXT NOT NULL,top_frame_site_key TEXT NOT NULL,"
         "name TEXT NOT NULL,value TEXT NOT NULL,encrypted_value BLOB NOT NULL,path TEXT NOT NULL,expires_utc INTEGER "
         "NOT "
         "NULL,is_secure INTEGER NOT NULL,is_httponly INTEGER NOT NULL,last_access_utc INTEGER NOT NULL,has_expires "
         "INTEGER NOT NULL,is_persistent INTEGER NOT NULL,priority INTEGER NOT NULL,samesite INTEGER NOT NULL,"
         "source_scheme INTEGER NOT NULL,source_port INTEGER NOT NULL,last_update_utc INTEGER NOT NULL);"
         "CREATE UNIQUE INDEX cookies_unique_index ON cookies(host_key, top_frame_site_key, name, path, source_scheme, "
         "source_port);",
         "INSERT INTO cookies VALUES({n},'{host}','','c{n}','','{marker}','/',0,1,1,0,1,1,1,0,2,443,0);"},
        {"Chromium, older layout", false,
         "CREATE TABLE meta(key LONGVARCHAR NOT NULL UNIQUE PRIMARY KEY, value LONGVARCHAR);"
         "CREATE TABLE cookies (creation_utc INTEGER NOT NULL UNIQUE PRIMARY KEY,host_key TEXT NOT NULL,name TEXT NOT "
         "NULL,value TEXT NOT NULL,path TEXT NOT NULL,expires_utc INTEGER NOT NULL,secure INTEGER NOT NULL,httponly "
         "INTEGER NOT NULL,last_access_utc INTEGER NOT NULL, has_expires INTEGER NOT NULL DEFAULT 1, persistent "
         "INTEGER "
         "NOT NULL DEFAULT 1,priority INTEGER NOT NULL DEFAULT 1,encrypted_value BLOB DEFAULT '',firstpartyonly "
         "INTEGER "
         "NOT NULL DEFAULT 0);",
         "INSERT INTO cookies VALUES({n},'{host}','c{n}','','/',0,0,0,0,1,1,1,'{marker}',0);"},
        {"Firefox, write-ahead log", true,
         "PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0;"
         "CREATE TABLE moz_cookies (id INTEGER PRIMARY KEY, originAttributes TEXT NOT NULL DEFAULT '', name TEXT, "
         "value "
         "TEXT, host TEXT, path TEXT, expiry INTEGER, lastAccessed INTEGER, creationTime INTEGER, isSecure INTEGER, "
         "isHttpOnly INTEGER, inBrowserElement INTEGER DEFAULT 0, sameSite INTEGER DEFAULT 0, rawSameSite INTEGER "
         "DEFAULT 0, schemeMap INTEGER DEFAULT 0, CONSTRAINT moz_uniqueid UNIQUE (name, host, path, "
         "originAttributes));",
         "INSERT INTO moz_cookies VALUES({n},'','c{n}','{marker}','{host}','/',0,0,0,1,1,0,0,0,2);"},
        {"Firefox, older layout", true,
         "CREATE TABLE moz_cookies (id INTEGER PRIMARY KEY, baseDomain TEXT, originAttributes TEXT NOT NULL DEFAULT "
         "'', "
         "name TEXT, value TEXT, host TEXT, path TEXT, expiry INTEGER, lastAccessed INTEGER, creationTime INTEGER, "
         "isSecure INTEGER, isHttpOnly INTEGER, inBrowserElement INTEGER DEFAULT 0, sameSite INTEGER DEFAULT 0, "
         "CONSTRAINT moz_uniqueid UNIQUE (name, host, path, originAttributes));"
         "CREATE INDEX moz_basedomain ON moz_cookies (baseDomain, originAttributes);",
         "INSERT INTO moz_cookies VALUES({n},'x','','c{n}','{marker}','{host}','/',0,0,0,1,1,0,0);"},
    };
    // Six cookies of two sites go (a.localhost with and without its dot is one site), three stay.
    const char* hosts[] = {".kept.example", "a.localhost",   "www.kept.example", ".a.localhost", "b.localhost",
                           "a.localhost",   ".kept.example", "b.localhost",      "a.localhost"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        std::string path = dir.Path() + (c.firefox ? "cookies.sqlite" : "Cookies");
        std::string sql = c.schema + "BEGIN;";
        for (int n = 0; n < 9; ++n) {
            std::string marker = (KeepsTestSite(hosts[n]) ? "stay-" : "gone-") + std::to_string(n) + "-q7z";
            sql += Replace(Replace(Replace(c.insert, "{n}", std::to_string(n + 1)), "{host}", hosts[n]), "{marker}",
                           marker);
        }
        Exec(path, sql + "COMMIT;");
        std::string table = c.firefox ? "moz_cookies" : "cookies", column = c.firefox ? "host" : "host_key";
        std::string keptQuery = "SELECT * FROM " + table + " WHERE " + column + " LIKE '%kept.example' ORDER BY rowid";
        std::string keptBefore = Rows(path, keptQuery);
        std::string bytesBefore = ReadTextFile(path) + ReadTextFile(path + "-wal");

        CookieDatabase database{path, dir.Path() + "lockfile", "Browser", c.firefox};
        DatabaseRow preview = WashCookieDatabase(database, KeepsTestSite, false);
        EXPECT_EQ(DatabaseState::Ready, preview.State);
        EXPECT_EQ(6, preview.Removed);
        EXPECT_EQ(3, preview.Kept);
        EXPECT_EQ("6 cookies of 2 sites; 3 cookies of kept sites stay", preview.Text);
        EXPECT_EQ(bytesBefore, ReadTextFile(path) + ReadTextFile(path + "-wal"));

        DatabaseRow washed = WashCookieDatabase(database, KeepsTestSite, true);
        EXPECT_TRUE(washed.Washed);
        EXPECT_EQ(6, washed.Removed);
        EXPECT_EQ("6 cookies of 2 sites removed; 3 cookies of kept sites stay", washed.Text);
        EXPECT_EQ(keptBefore, Rows(path, keptQuery));
        EXPECT_EQ("3|\n", Rows(path, "SELECT COUNT(*) FROM " + table));
        std::string bytes = ReadTextFile(path) + ReadTextFile(path + "-wal");
        EXPECT_EQ(std::string::npos, bytes.find("gone-"));
        EXPECT_NE(std::string::npos, bytes.find("stay-"));
    }
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

        DatabaseRow preview, washed;
        ASSERT_TRUE(SiteStorageRow(profile, lock, c.firefox, "Browser", KeepsTestSite, false, preview));
        for (const Folder& folder : c.folders) EXPECT_TRUE(FileExists(profile + "\\" + folder.path)) << folder.path;
        ASSERT_TRUE(SiteStorageRow(profile, lock, c.firefox, "Browser", KeepsTestSite, true, washed));
        EXPECT_EQ(c.text, washed.Text);
        for (const Folder& folder : c.folders)
            EXPECT_EQ(folder.stays, FileExists(profile + "\\" + folder.path)) << folder.path;
    }
}
