// A browser database is washed only when its browser is closed and it is sound and known, and
// what went leaves no trace in its bytes.
#include <sqlite3.h>

#include <gtest/gtest.h>

#include "engine/BrowserDatabase.h"
#include "tests/support/HeldFile.h"
#include "tests/support/TempDir.h"

namespace {

const char* Marker = "varnolt-marker-5d1e";

// A database made by the test's own connection, left open when keep is given.
sqlite3* MakeDb(const std::string& path, const std::string& sql, bool keep = false) {
    sqlite3* db = nullptr;
    EXPECT_EQ(SQLITE_OK, sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr));
    EXPECT_EQ(SQLITE_OK, sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr)) << sqlite3_errmsg(db);
    if (keep) return db;
    sqlite3_close(db);
    return nullptr;
}

const std::string Urls = "CREATE TABLE urls(id INTEGER PRIMARY KEY, url TEXT, title TEXT);";
const std::vector<TableLayout> Layout = {{"urls", {"id", "url", "title"}}};

std::string Fill(int count) {
    std::string sql = "BEGIN;";
    for (int i = 0; i < count; ++i)
        sql += "INSERT INTO urls(url,title) VALUES('http://a.localhost/" + std::string(Marker) + "/" +
               std::to_string(i) + "#','" + std::string(400, 'x') + "');";
    return sql + "COMMIT;";
}

bool BytesHave(const std::string& path, const std::string& text) {
    return ReadTextFile(path).find(text) != std::string::npos;
}

}  // namespace

TEST(BrowserDatabaseTest, LeavesAloneWhatItMayNotChange) {
    struct Case {
        const char* name;
        std::string sql;
        bool damage, holdLock;
        DatabaseState expected;
    };
    const Case cases[] = {
        {"known and sound", Urls, false, false, DatabaseState::Ready},
        {"a column missing", "CREATE TABLE urls(id INTEGER PRIMARY KEY, url TEXT);", false, false,
         DatabaseState::UnknownLayout},
        {"pages overwritten", Urls + Fill(200), true, false, DatabaseState::Damaged},
        {"browser running", Urls, false, true, DatabaseState::BrowserRunning},
        {"no database", "", false, false, DatabaseState::Missing},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        std::string path = dir.Path() + "History", lock = dir.Path() + "lockfile";
        if (!c.sql.empty()) MakeDb(path, c.sql);
        if (c.damage) {
            std::string bytes = ReadTextFile(path);
            for (size_t i = 4096; i < bytes.size(); i += 4096) bytes.replace(i, 16, std::string(16, '\x5a'));
            WriteTextFile(path, bytes);
        }
        WriteTextFile(lock, "");
        HeldFile held(c.holdLock ? lock : dir.Path() + "none");
        std::string before = ReadTextFile(path);
        BrowserDatabase database(path, lock, Layout);
        EXPECT_EQ(c.expected, database.State());
        EXPECT_EQ(before, ReadTextFile(path));
    }
}

TEST(BrowserDatabaseTest, AnotherWriterMakesItInUse) {
    TempDir dir;
    std::string path = dir.Path() + "History";
    sqlite3* other = MakeDb(path, Urls + "BEGIN IMMEDIATE;", true);
    BrowserDatabase database(path, "", Layout);
    ASSERT_EQ(DatabaseState::Ready, database.State());
    EXPECT_FALSE(database.Begin());
    EXPECT_EQ(DatabaseState::InUse, database.State());
    sqlite3_close(other);
}

TEST(BrowserDatabaseTest, WashedRowsAreGoneFromTheFileAndItsLog) {
    TempDir dir;
    std::string path = dir.Path() + "places.sqlite";
    // A writer that never checkpoints: the rows are in the -wal only.
    sqlite3* writer = MakeDb(path, "PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0;" + Urls + Fill(300), true);
    ASSERT_TRUE(BytesHave(path + "-wal", Marker));
    uint64_t freed = 0;
    {
        BrowserDatabase database(path, "", Layout);
        ASSERT_EQ(DatabaseState::Ready, database.State());
        ASSERT_TRUE(database.Begin());
        database.Db().Exec("DELETE FROM urls WHERE id % 3 <> 0");
        freed = database.Finish();
    }
    sqlite3_close(writer);
    EXPECT_GT(freed, 0u);
    std::string bytes = ReadTextFile(path) + ReadTextFile(path + "-wal");
    // Row i has id i + 1: ids not divisible by 3 went.
    EXPECT_EQ(std::string::npos, bytes.find(std::string(Marker) + "/1#"));
    EXPECT_NE(std::string::npos, bytes.find(std::string(Marker) + "/2#"));
}
