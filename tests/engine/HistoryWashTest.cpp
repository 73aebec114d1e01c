// History washed inside browser databases: history goes from every table and from the bytes of
// every file, bookmarks and their places stay as they were, and a database the wash may not
// change is left byte for byte as it was.
#include <windows.h>

#include <functional>
#include <map>

#include <gtest/gtest.h>

#include "engine/ChromiumHistory.h"
#include "engine/CompactDatabases.h"
#include "engine/FirefoxHistory.h"
#include "tests/support/HeldFile.h"
#include "tests/support/SqlFile.h"
#include "tests/support/TempDir.h"

namespace {

const std::string Marker = "varnolt-marker-h1st";

const std::string ChromiumBase =
    "CREATE TABLE meta(key LONGVARCHAR NOT NULL UNIQUE PRIMARY KEY, value LONGVARCHAR);"
    "INSERT INTO meta VALUES('version','70');"
    "CREATE TABLE urls(id INTEGER PRIMARY KEY AUTOINCREMENT,url LONGVARCHAR,title LONGVARCHAR,"
    " visit_count INTEGER DEFAULT 0 NOT NULL,last_visit_time INTEGER NOT NULL);"
    "CREATE TABLE visits(id INTEGER PRIMARY KEY AUTOINCREMENT,url INTEGER NOT NULL,visit_time INTEGER NOT NULL);"
    "CREATE TABLE keyword_search_terms(keyword_id INTEGER NOT NULL,url_id INTEGER NOT NULL,term LONGVARCHAR);"
    "CREATE TABLE segments(id INTEGER PRIMARY KEY,name VARCHAR,url_id INTEGER NON NULL);"
    "CREATE TABLE segment_usage(id INTEGER PRIMARY KEY,segment_id INTEGER NOT NULL,visit_count INTEGER);"
    "CREATE TABLE downloads(id INTEGER PRIMARY KEY,target_path LONGVARCHAR NOT NULL);"
    "INSERT INTO urls VALUES(1,'http://a.localhost/" + Marker + "','Marker page',2,1),(2,'http://b.localhost/','B',1,1);"
    "INSERT INTO visits(url,visit_time) VALUES(1,1),(1,2),(2,3);"
    "INSERT INTO keyword_search_terms VALUES(2,1,'" + Marker + " words');"
    "INSERT INTO segments VALUES(1,'http://a.localhost/" + Marker + "',1);"
    "INSERT INTO segment_usage VALUES(1,1,2);"
    "INSERT INTO downloads VALUES(1,'C:\\Downloads\\" + Marker + ".txt');";
const std::string ChromiumChains =
    "CREATE TABLE downloads_url_chains(id INTEGER NOT NULL,chain_index INTEGER NOT NULL,url LONGVARCHAR NOT NULL,"
    " PRIMARY KEY(id,chain_index));"
    "INSERT INTO downloads_url_chains VALUES(1,0,'http://a.localhost/" + Marker + ".txt');";
// Tables of newer browsers, emptied when present.
const std::string ChromiumNewer =
    "CREATE TABLE visited_links(id INTEGER PRIMARY KEY AUTOINCREMENT,link_url_id INTEGER NOT NULL,"
    " top_level_url LONGVARCHAR NOT NULL);"
    "INSERT INTO visited_links VALUES(1,1,'http://a.localhost/" + Marker + "');"
    "CREATE TABLE clusters_and_visits(cluster_id INTEGER NOT NULL,visit_id INTEGER NOT NULL,url_for_display"
    " LONGVARCHAR NOT NULL,PRIMARY KEY(cluster_id,visit_id))WITHOUT ROWID;"
    "INSERT INTO clusters_and_visits VALUES(1,1,'http://a.localhost/" + Marker + "');";
const std::string TopSites = "CREATE TABLE top_sites(url TEXT NOT NULL PRIMARY KEY,url_rank INTEGER,title TEXT);"
                             "INSERT INTO top_sites VALUES('http://a.localhost/" + Marker + "',0,'Marker');";
const std::string Shortcuts = "CREATE TABLE omni_box_shortcuts(id VARCHAR PRIMARY KEY,text VARCHAR,url VARCHAR);"
                              "INSERT INTO omni_box_shortcuts VALUES('1','mark','http://a.localhost/" + Marker + "');";

// Places 1 (visited) and 5 go; 2 is bookmarked, 3 has a keyword, 4 is bookmarked though its
// count says otherwise.
const std::string FirefoxBase =
    "CREATE TABLE moz_places(id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR, visit_count INTEGER"
    " DEFAULT 0, typed INTEGER DEFAULT 0 NOT NULL, frecency INTEGER DEFAULT -1 NOT NULL, last_visit_date INTEGER,"
    " guid TEXT, foreign_count INTEGER DEFAULT 0 NOT NULL);"
    "CREATE TABLE moz_historyvisits(id INTEGER PRIMARY KEY, from_visit INTEGER, place_id INTEGER, visit_date INTEGER);"
    "CREATE TABLE moz_inputhistory(place_id INTEGER NOT NULL, input LONGVARCHAR NOT NULL, use_count INTEGER,"
    " PRIMARY KEY(place_id, input));"
    "CREATE TABLE moz_bookmarks(id INTEGER PRIMARY KEY, type INTEGER, fk INTEGER DEFAULT NULL, parent INTEGER,"
    " title LONGVARCHAR, guid TEXT);"
    "CREATE TABLE moz_keywords(id INTEGER PRIMARY KEY AUTOINCREMENT, keyword TEXT UNIQUE, place_id INTEGER);"
    "CREATE TABLE moz_annos(id INTEGER PRIMARY KEY, place_id INTEGER NOT NULL, content LONGVARCHAR);"
    "INSERT INTO moz_places VALUES(1,'http://a.localhost/" + Marker + "','Marker',1233,1,2000,9,'g1',0),"
    " (2,'http://b.localhost/kept','Kept',1,0,500,9,'g2',1),(3,'http://c.localhost/?q=%s','Find',0,0,100,NULL,'g3',1),"
    " (4,'http://b.localhost/stale','Stale',0,0,100,NULL,'g4',0),(5,'http://a.localhost/icon','',0,0,0,NULL,'g5',0);"
    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1233)"
    " INSERT INTO moz_historyvisits(place_id, visit_date) SELECT 1, i FROM n;"
    "INSERT INTO moz_historyvisits(place_id, visit_date) VALUES(2, 1);"
    "INSERT INTO moz_inputhistory VALUES(1,'" + Marker + "',1);"
    "INSERT INTO moz_bookmarks VALUES(1,2,NULL,0,'menu','root'),(2,1,2,1,'Kept page','b2'),(3,1,4,1,'Stale','b4');"
    "INSERT INTO moz_keywords VALUES(1,'find',3);"
    "INSERT INTO moz_annos VALUES(1,1,'" + Marker + " note'),(2,2,'kept note');";
const std::string FirefoxNewer =
    "CREATE TABLE moz_origins(id INTEGER PRIMARY KEY, prefix TEXT NOT NULL, host TEXT NOT NULL, frecency INTEGER"
    " NOT NULL, recalc_frecency INTEGER NOT NULL DEFAULT 0, UNIQUE(prefix, host));"
    "ALTER TABLE moz_places ADD COLUMN origin_id INTEGER REFERENCES moz_origins(id);"
    "ALTER TABLE moz_places ADD COLUMN recalc_frecency INTEGER NOT NULL DEFAULT 0;"
    "CREATE TABLE moz_places_metadata(id INTEGER PRIMARY KEY, place_id INTEGER NOT NULL, total_view_time INTEGER);"
    "INSERT INTO moz_origins VALUES(1,'http://','a.localhost',9,0),(2,'http://','b.localhost',9,0),"
    " (3,'http://','c.localhost',9,0);"
    "UPDATE moz_places SET origin_id = CASE id WHEN 2 THEN 2 WHEN 4 THEN 2 WHEN 3 THEN 3 ELSE 1 END;"
    "INSERT INTO moz_places_metadata VALUES(1,1,10);";
const std::string FormHistory = "CREATE TABLE moz_formhistory(id INTEGER PRIMARY KEY, fieldname TEXT NOT NULL,"
                                " value TEXT NOT NULL, timesUsed INTEGER);"
                                "CREATE TABLE moz_deleted_formhistory(id INTEGER PRIMARY KEY, guid TEXT);"
                                "INSERT INTO moz_formhistory VALUES(1,'q','" + Marker + "',2),(2,'name','Ann',1);";

const char* const FirefoxKept = "SELECT b.id, b.fk, b.title, b.guid, p.url, p.title, p.guid FROM moz_bookmarks b"
                                " LEFT JOIN moz_places p ON p.id = b.fk ORDER BY b.id";
const std::vector<std::pair<std::string, std::string>> FirefoxChecks = {
    {"SELECT count(*) FROM moz_historyvisits", "0\n"},
    {"SELECT count(*) FROM moz_inputhistory", "0\n"},
    {"SELECT id, visit_count, last_visit_date, frecency FROM moz_places ORDER BY id", "2|0|NULL|-1\n3|0|NULL|-1\n4|0|NULL|-1\n"},
    {"SELECT id FROM moz_annos", "2\n"},
};

using KindRun = std::function<std::vector<DatabaseRow>(const std::string&, const BrowserProfile&, bool)>;
std::vector<DatabaseRow> FirefoxRun(const std::string& item, const BrowserProfile& profile, bool wash) {
    return {RunFirefoxHistory(item, profile, wash)};
}
std::vector<DatabaseRow> FormRun(const std::string& item, const BrowserProfile& profile, bool wash) {
    return {RunFirefoxFormHistory(item, profile, wash)};
}

std::map<std::string, std::string> FilesIn(const std::string& folder) {
    std::map<std::string, std::string> files;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return files;
    do
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            files[data.cFileName] = ReadTextFile(folder + data.cFileName);
    while (FindNextFileA(find, &data));
    FindClose(find);
    return files;
}

// The names of the files that differ between two looks at a folder.
std::string Changed(const std::map<std::string, std::string>& before, const std::map<std::string, std::string>& after) {
    std::string names;
    for (const auto& [name, bytes] : before)
        if (!after.count(name) || after.at(name) != bytes) names += name + ";";
    for (const auto& [name, bytes] : after)
        if (!before.count(name)) names += name + ";";
    return names;
}

// The database made with its last transaction only in its write-ahead log, as a browser that
// ended without a checkpoint leaves it.
void MakeWalDatabase(const std::string& path, const std::string& sql) {
    TempDir source;
    std::string made = source.Path() + "db";
    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open(made.c_str(), &db));
    sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0;", nullptr, nullptr, nullptr);
    EXPECT_EQ(SQLITE_OK, sqlite3_exec(db, ("BEGIN;" + sql + "COMMIT;").c_str(), nullptr, nullptr, nullptr));
    CopyFileA(made.c_str(), path.c_str(), FALSE);
    CopyFileA((made + "-wal").c_str(), (path + "-wal").c_str(), FALSE);
    sqlite3_close(db);
}

void Damage(const std::string& path) {
    std::string bytes = ReadTextFile(path);
    for (size_t i = 1024; i < bytes.size(); i += 1024) bytes.replace(i, 16, std::string(16, '\x5a'));
    WriteTextFile(path, bytes);
}

}  // namespace

TEST(HistoryWashTest, HistoryGoesBookmarksStay) {
    enum Seed { Plain, Wal, Damaged, LockHeld };
    struct Case {
        const char* name;
        BrowserKind browser;
        KindRun run;
        std::vector<std::pair<std::string, std::string>> databases;  // file, SQL; the first is the one checked
        Seed seed;
        DatabaseState expected;
        std::string text;  // the preview's text of the first row
        const char* kept;  // rows that must stay as they were
        std::vector<std::pair<std::string, std::string>> checks;  // query, rows after the wash
    };
    const std::vector<std::pair<std::string, std::string>> chromiumChecks = {
        {"SELECT (SELECT count(*) FROM urls) + (SELECT count(*) FROM visits) + (SELECT count(*) FROM segments)"
         " + (SELECT count(*) FROM keyword_search_terms) + (SELECT count(*) FROM downloads_url_chains)", "0\n"}};
    const std::vector<std::pair<std::string, std::string>> chromiumFiles = {
        {"History", ChromiumBase + ChromiumChains + ChromiumNewer}, {"Top Sites", TopSites}, {"Shortcuts", Shortcuts}};
    const Case cases[] = {
        {"Chromium", BrowserKind::Chrome, RunChromiumHistory, chromiumFiles, Plain, DatabaseState::Ready,
         "3 visits of 2 sites", "SELECT * FROM meta", chromiumChecks},
        {"Chromium, older layout", BrowserKind::Edge, RunChromiumHistory, {{"History", ChromiumBase + ChromiumChains}},
         Plain, DatabaseState::Ready, "3 visits of 2 sites", "SELECT * FROM meta", chromiumChecks},
        {"Chromium, unknown layout", BrowserKind::Brave, RunChromiumHistory, {{"History", ChromiumBase}}, Plain,
         DatabaseState::UnknownLayout, "Unknown database layout", "", {}},
        {"Chromium, lock held", BrowserKind::Chrome, RunChromiumHistory, chromiumFiles, LockHeld,
         DatabaseState::BrowserRunning, "Chrome is running", "", {}},
        {"Firefox", BrowserKind::Firefox, FirefoxRun, {{"places.sqlite", FirefoxBase + FirefoxNewer}}, Plain,
         DatabaseState::Ready, "1,234 visits of 2 sites; 3 bookmarked sites kept", FirefoxKept,
         {FirefoxChecks[0], FirefoxChecks[1], FirefoxChecks[2], FirefoxChecks[3],
          {"SELECT id, recalc_frecency FROM moz_origins", "2|1\n3|1\n"},
          {"SELECT count(*) FROM moz_places_metadata", "0\n"}}},
        {"Firefox, older layout", BrowserKind::Firefox, FirefoxRun, {{"places.sqlite", FirefoxBase}}, Plain,
         DatabaseState::Ready, "1,234 visits of 2 sites; 3 bookmarked sites kept", FirefoxKept, FirefoxChecks},
        {"Firefox, frames in the write-ahead log", BrowserKind::Firefox, FirefoxRun,
         {{"places.sqlite", FirefoxBase + FirefoxNewer}}, Wal, DatabaseState::Ready,
         "1,234 visits of 2 sites; 3 bookmarked sites kept", FirefoxKept, FirefoxChecks},
        {"Firefox, damaged", BrowserKind::Firefox, FirefoxRun, {{"places.sqlite", FirefoxBase}}, Damaged,
         DatabaseState::Damaged, "Damaged database", "", {}},
        {"Firefox, lock held", BrowserKind::Firefox, FirefoxRun, {{"places.sqlite", FirefoxBase}}, LockHeld,
         DatabaseState::BrowserRunning, "Firefox is running", "", {}},
        {"Firefox form history", BrowserKind::Firefox, FormRun, {{"formhistory.sqlite", FormHistory}}, Plain,
         DatabaseState::Ready, "2 entries", "", {{"SELECT count(*) FROM moz_formhistory", "0\n"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        BrowserProfile profile;
        profile.Browser = c.browser;
        profile.Folder = profile.LocalFolder = dir.Path();
        profile.FolderName = "Default";
        profile.LockFile = dir.Path() + "lockfile";
        WriteTextFile(profile.LockFile, "");
        for (const auto& [file, sql] : c.databases) {
            if (c.seed == Wal)
                MakeWalDatabase(dir.Path() + file, sql);
            else
                RunSql(dir.Path() + file, sql);
        }
        const std::string checked = dir.Path() + c.databases[0].first;
        if (c.seed == Damaged) Damage(checked);
        if (c.browser != BrowserKind::Firefox) WriteTextFile(dir.Path() + "History Provider Cache", Marker);
        HeldFile held(c.seed == LockHeld ? profile.LockFile : dir.Path() + "none");
        std::string keptBefore = c.kept[0] ? QueryRows(checked, c.kept) : "";
        std::map<std::string, std::string> before = FilesIn(dir.Path());

        std::vector<DatabaseRow> preview = c.run("Item", profile, false);
        ASSERT_EQ(c.databases.size(), preview.size());
        EXPECT_EQ(c.expected, preview[0].State);
        EXPECT_EQ(c.text, preview[0].Text);
        if (c.seed != Wal) {
            EXPECT_EQ("", Changed(before, FilesIn(dir.Path())));
        }

        std::vector<DatabaseRow> washed = c.run("Item", profile, true);
        ASSERT_EQ(c.databases.size(), washed.size());
        EXPECT_EQ(c.expected, washed[0].State);
        if (c.expected != DatabaseState::Ready) {
            EXPECT_FALSE(washed[0].Washed);
            EXPECT_EQ("", Changed(before, FilesIn(dir.Path())));
            continue;
        }
        EXPECT_TRUE(washed[0].Washed);
        EXPECT_EQ(preview[0].Removed, washed[0].Removed);
        EXPECT_EQ(keptBefore, c.kept[0] ? QueryRows(checked, c.kept) : "");
        for (const auto& [query, rows] : c.checks) EXPECT_EQ(rows, QueryRows(checked, query)) << query;
        for (const auto& [file, bytes] : FilesIn(dir.Path()))
            EXPECT_EQ(std::string::npos, bytes.find(Marker)) << file;
    }
}

// Compacting gives back the space of deleted rows, and leaves a running browser's database be.
TEST(HistoryWashTest, CompactingGivesBackFreeSpace) {
    for (bool lockHeld : {false, true}) {
        SCOPED_TRACE(lockHeld ? "lock held" : "browser closed");
        TempDir dir;
        BrowserProfile profile;
        profile.Browser = BrowserKind::Firefox;
        profile.Folder = dir.Path();
        profile.LockFile = dir.Path() + "parent.lock";
        WriteTextFile(profile.LockFile, "");
        std::string path = dir.Path() + "cookies.sqlite";
        RunSql(path, "CREATE TABLE t(v TEXT); WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n"
                     " WHERE i < 2000) INSERT INTO t SELECT hex(randomblob(100)) FROM n; DELETE FROM t;");
        HeldFile held(lockHeld ? profile.LockFile : dir.Path() + "none");
        std::string before = ReadTextFile(path);
        std::vector<DatabaseRow> preview = CompactProfileDatabases("Compact", profile, false);
        ASSERT_EQ(1u, preview.size());
        std::vector<DatabaseRow> washed = CompactProfileDatabases("Compact", profile, true);
        ASSERT_EQ(1u, washed.size());
        if (lockHeld) {
            EXPECT_EQ(DatabaseState::BrowserRunning, washed[0].State);
            EXPECT_EQ(before, ReadTextFile(path));
            continue;
        }
        EXPECT_NE(std::string::npos, preview[0].Text.find("KB of unused space")) << preview[0].Text;
        EXPECT_TRUE(washed[0].Washed);
        EXPECT_EQ(before.size() - ReadTextFile(path).size(), washed[0].FreedBytes);
        EXPECT_GT(washed[0].FreedBytes, 300000u);
    }
}
