// History washed inside browser databases made by the real browsers: history goes from every
// table and from the bytes of every file, bookmarks and their places stay as they were, and a
// database the wash may not change is left byte for byte as it was.
#include <windows.h>
#include <shlobj.h>

#include <functional>
#include <map>

#include <gtest/gtest.h>

#include "engine/ChromiumHistory.h"
#include "engine/CompactDatabases.h"
#include "engine/DatabaseItems.h"
#include "engine/FirefoxHistory.h"
#include "platform/Text.h"
#include "tests/support/BrowserFixtures.h"
#include "tests/support/HeldFile.h"
#include "tests/support/SqlFile.h"
#include "tests/support/TempDir.h"

namespace {

using KindRun = std::function<std::vector<DatabaseRow>(const std::string&, const BrowserProfile&, bool)>;

std::vector<DatabaseRow> PlacesRun(const std::string& item, const BrowserProfile& profile, bool wash) {
    return {RunFirefoxHistory(item, profile, wash)};
}
std::vector<DatabaseRow> FormRun(const std::string& item, const BrowserProfile& profile, bool wash) {
    return {RunFirefoxFormHistory(item, profile, wash)};
}

BrowserProfile TestProfile(BrowserKind browser, const std::string& folder) {
    BrowserProfile profile;
    profile.Browser = browser;
    profile.Folder = profile.LocalFolder = folder;
    profile.FolderName = "Default";
    profile.LockFile = folder + (browser == BrowserKind::Firefox ? "parent.lock" : "lockfile");
    WriteTextFile(profile.LockFile, "");
    return profile;
}

// The files of a folder (not its subfolders) with their bytes.
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

const char* const ChromiumGone =
    "SELECT (SELECT count(*) FROM urls) + (SELECT count(*) FROM visits) + (SELECT count(*) FROM segments) +"
    " (SELECT count(*) FROM keyword_search_terms) + (SELECT count(*) FROM downloads_url_chains)";
const char* const FirefoxGone =
    "SELECT (SELECT count(*) FROM moz_historyvisits) + (SELECT count(*) FROM moz_inputhistory) +"
    " (SELECT count(*) FROM moz_places WHERE foreign_count = 0 OR visit_count > 0 OR last_visit_date IS NOT NULL)";
const char* const FirefoxKept = "SELECT b.id, b.fk, b.title, b.guid, p.url, p.title, p.guid FROM moz_bookmarks b"
                                " LEFT JOIN moz_places p ON p.id = b.fk ORDER BY b.id";

}  // namespace

TEST(HistoryWashTest, HistoryGoesBookmarksStay) {
    struct Case {
        const char* name;
        BrowserKind browser;
        KindRun run;
        const char* variant;  // copied over the seeded profile
        bool holdLock;
        DatabaseState expected;
        std::string text;           // the preview of the first row
        const char* kept;           // a query whose rows stay as they were (Chromium: Bookmarks stays)
        const char* gone;           // a query that counts what must be gone
        const char* absent;         // afterwards in no byte of the washed databases
    };
    const BrowserKind chrome = BrowserKind::Chrome, firefox = BrowserKind::Firefox;
    const std::string places = "11 visits of 10 sites; 5 bookmarked sites kept";
    const Case cases[] = {
        {"Chromium", chrome, RunChromiumHistory, "", false, DatabaseState::Ready, "11 visits of 11 sites",
         "SELECT * FROM meta", ChromiumGone, FixtureMarker},
        {"Chromium, previous", chrome, RunChromiumHistory, "variants/chromium-previous", false, DatabaseState::Ready,
         "11 visits of 11 sites", "SELECT * FROM meta", ChromiumGone, FixtureMarker},
        {"Chromium, older layout", chrome, RunChromiumHistory, "variants/chromium-old", false, DatabaseState::Ready,
         "11 visits of 11 sites", "SELECT * FROM meta", ChromiumGone, FixtureMarker},
        {"Chromium, damaged", chrome, RunChromiumHistory, "variants/damaged/chromium", false, DatabaseState::Damaged,
         "Damaged database", "", "", ""},
        {"Chromium, running", chrome, RunChromiumHistory, "", true, DatabaseState::BrowserRunning, "Chrome is running",
         "", "", ""},
        {"Firefox", firefox, PlacesRun, "", false, DatabaseState::Ready, places, FirefoxKept, FirefoxGone,
         FixtureMarker},
        {"Firefox, previous", firefox, PlacesRun, "variants/firefox-previous", false, DatabaseState::Ready, places,
         FirefoxKept, FirefoxGone, FixtureMarker},
        {"Firefox, older layout", firefox, PlacesRun, "variants/firefox-old", false, DatabaseState::Ready, places,
         FirefoxKept, FirefoxGone, FixtureMarker},
        {"Firefox, a visit only in the write-ahead log", firefox, PlacesRun, "variants/wal/firefox", false,
         DatabaseState::Ready, "12 visits of 10 sites; 5 bookmarked sites kept", FirefoxKept, FirefoxGone,
         FixtureMarker},
        {"Firefox, damaged", firefox, PlacesRun, "variants/damaged/firefox", false, DatabaseState::Damaged,
         "Damaged database", "", "", ""},
        {"Firefox, running", firefox, PlacesRun, "", true, DatabaseState::BrowserRunning, "Firefox is running", "", "",
         ""},
        {"Firefox form history", firefox, FormRun, "", false, DatabaseState::Ready, "1 entries", "",
         "SELECT count(*) FROM moz_formhistory", "varnolt search words"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        BrowserProfile profile = TestProfile(c.browser, dir.Path());
        ASSERT_TRUE(SeedFixture(c.browser == firefox ? "firefox" : "chromium/Default", dir.Path()));
        if (c.variant[0]) ASSERT_TRUE(SeedFixture(c.variant, dir.Path()));
        if (c.browser == chrome) WriteTextFile(dir.Path() + "History Provider Cache", FixtureMarker);
        HeldFile held(c.holdLock ? profile.LockFile : dir.Path() + "none");
        bool wal = FileExists(dir.Path() + "places.sqlite-wal");
        std::vector<DatabaseRow> preview = c.run("Item", profile, false);
        std::string checked = preview.at(0).Path;
        std::string keptBefore = c.kept[0] ? QueryRows(checked, c.kept) : "";
        std::map<std::string, std::string> before = FilesIn(dir.Path());

        EXPECT_EQ(c.expected, preview[0].State);
        EXPECT_EQ(c.text, preview[0].Text);
        std::vector<DatabaseRow> washed = c.run("Item", profile, true);
        ASSERT_EQ(preview.size(), washed.size());
        EXPECT_EQ(c.expected, washed[0].State);
        std::map<std::string, std::string> after = FilesIn(dir.Path());
        if (c.expected != DatabaseState::Ready) {
            EXPECT_FALSE(washed[0].Washed);
            // A damaged History leaves its satellites to be washed on their own.
            if (c.holdLock) EXPECT_EQ("", Changed(before, after));
            EXPECT_EQ(before[ExtractFileName(checked)], after[ExtractFileName(checked)]);
            continue;
        }
        EXPECT_FALSE(wal && FileExists(dir.Path() + "places.sqlite-wal") && !after["places.sqlite-wal"].empty());
        for (const DatabaseRow& row : washed) EXPECT_TRUE(row.Washed) << row.Path;
        EXPECT_EQ(preview[0].Removed, washed[0].Removed);
        EXPECT_EQ(keptBefore, c.kept[0] ? QueryRows(checked, c.kept) : "");
        EXPECT_EQ("0\n", QueryRows(checked, c.gone));
        EXPECT_EQ(before["Bookmarks"], after["Bookmarks"]);
        EXPECT_EQ(0u, after.count("History Provider Cache"));
        for (const DatabaseRow& row : washed)
            for (const std::string& file : {row.Path, row.Path + "-wal"})
                EXPECT_FALSE(FileHasBytes(file, c.absent)) << file;
    }
}

// A place stays while a bookmark or keyword holds it, even when its count says otherwise; origins
// left without places go. The preview's numbers are grouped.
TEST(HistoryWashTest, HeldPlacesStayWhateverTheirCount) {
    TempDir dir;
    BrowserProfile profile = TestProfile(BrowserKind::Firefox, dir.Path());
    std::string path = dir.Path() + "places.sqlite";
    RunSql(path,
           "CREATE TABLE moz_origins(id INTEGER PRIMARY KEY, host TEXT, recalc_frecency INTEGER DEFAULT 0);"
           "CREATE TABLE moz_places(id INTEGER PRIMARY KEY, url TEXT, visit_count INTEGER, typed INTEGER,"
           " frecency INTEGER, last_visit_date INTEGER, foreign_count INTEGER, origin_id INTEGER);"
           "CREATE TABLE moz_historyvisits(id INTEGER PRIMARY KEY, place_id INTEGER);"
           "CREATE TABLE moz_inputhistory(place_id INTEGER, input TEXT);"
           "CREATE TABLE moz_bookmarks(id INTEGER PRIMARY KEY, fk INTEGER);"
           "CREATE TABLE moz_keywords(id INTEGER PRIMARY KEY, place_id INTEGER);"
           "CREATE TABLE moz_annos(id INTEGER PRIMARY KEY, place_id INTEGER);"
           "INSERT INTO moz_origins VALUES(1,'a',0),(2,'b',0),(3,'c',0);"
           "INSERT INTO moz_places VALUES(1,'http://a/',1233,1,900,9,0,1),(2,'http://b/1',1,0,900,9,1,2),"
           " (3,'http://c/?q=%s',0,0,9,NULL,0,3),(4,'http://b/2',0,0,9,NULL,0,2),(5,'http://a/2',0,0,0,NULL,0,1);"
           "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1233)"
           " INSERT INTO moz_historyvisits(place_id) SELECT 1 FROM n;"
           "INSERT INTO moz_historyvisits(place_id) VALUES(2);"
           "INSERT INTO moz_bookmarks VALUES(1,2),(2,4); INSERT INTO moz_keywords VALUES(1,3);"
           "INSERT INTO moz_annos VALUES(1,1),(2,2);");
    DatabaseRow preview = RunFirefoxHistory("Item", profile, false);
    EXPECT_EQ("1,234 visits of 2 sites; 3 bookmarked sites kept", preview.Text);
    ASSERT_TRUE(RunFirefoxHistory("Item", profile, true).Washed);
    EXPECT_EQ("2|0|NULL|0|-1\n3|0|NULL|0|-1\n4|0|NULL|0|-1\n",
              QueryRows(path, "SELECT id, visit_count, last_visit_date, typed, frecency FROM moz_places"));
    EXPECT_EQ("2|1\n3|1\n", QueryRows(path, "SELECT id, recalc_frecency FROM moz_origins"));
    EXPECT_EQ("2\n", QueryRows(path, "SELECT id FROM moz_annos"));
}

// Compacting gives back the space of deleted rows, and leaves a running browser's database be.
TEST(HistoryWashTest, CompactingGivesBackFreeSpace) {
    for (bool lockHeld : {false, true}) {
        SCOPED_TRACE(lockHeld ? "lock held" : "browser closed");
        TempDir dir;
        BrowserProfile profile = TestProfile(BrowserKind::Firefox, dir.Path());
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

// The items reach every profile: Chrome's Default and Profile 1, and a Firefox profile kept
// outside Firefox's folder (seeded into the prefix's application data, removed afterwards).
TEST(HistoryWashTest, ItemsWashEveryProfile) {
    auto folder = [](REFKNOWNFOLDERID id) {
        wchar_t* found = nullptr;
        SHGetKnownFolderPath(id, 0, nullptr, &found);
        std::string path = found ? std::string(found, found + wcslen(found)) : std::string();
        CoTaskMemFree(found);
        return path;
    };
    const std::string local = folder(FOLDERID_LocalAppData), roaming = folder(FOLDERID_RoamingAppData);
    TempDir elsewhere;
    struct Seeded {
        std::vector<std::string> trees;
        ~Seeded() {
            for (const std::string& tree : trees) RemoveTree(tree);
        }
    } seeded{{local + "\\Google", roaming + "\\Mozilla"}};
    const std::string userData = local + "\\Google\\Chrome\\User Data";
    SeedChromiumProfile(userData, "Default", "Home");
    SeedChromiumProfile(userData, "Profile 1", "Work");
    SeedFirefoxProfile(roaming + "\\Mozilla\\Firefox\\profiles.ini", elsewhere.Path() + "work", false);

    std::vector<std::string> washed;
    for (const char* item : {"Google Chrome History", "Firefox History"})
        for (const DatabaseRow& row : WashDatabaseItem(item)) {
            if (ExtractFileName(row.Path) != "History" && ExtractFileName(row.Path) != "places.sqlite") continue;
            EXPECT_TRUE(row.Washed) << row.Path;
            EXPECT_FALSE(FileHasBytes(row.Path, FixtureMarker)) << row.Path;
            washed.push_back(row.Label);
        }
    const std::string dash = " \xE2\x80\x94 ";  // an em dash
    EXPECT_EQ((std::vector<std::string>{"Chrome" + dash + "Home (Default)", "Chrome" + dash + "Work (Profile 1)",
                                        "Firefox" + dash + "work"}),
              washed);
    EXPECT_TRUE(FileHasBytes(elsewhere.Path() + "work\\places.sqlite", FixtureBookmarkUrl));
}
