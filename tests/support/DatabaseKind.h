#pragma once
// A database item kind of the tests' own, registered by name over real SQLite databases in a
// folder: each database holds a table of visits (one row kept: "bookmarked"), washed through
// BrowserDatabase as the browsers' kinds wash theirs.
#include <sqlite3.h>

#include <string>
#include <vector>

#include "engine/DatabaseItems.h"
#include "tests/support/TempDir.h"

struct TestDatabase {
    std::string Label;  // "Chrome — Default"
    std::string Path;
    std::string LockFile;
};

// Makes a database of visits rows (one of them kept) at path.
inline void MakeVisitsDatabase(const std::string& path, int visits) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    std::string sql = "CREATE TABLE visits(id INTEGER PRIMARY KEY, url TEXT, kept INTEGER); BEGIN;";
    for (int i = 0; i < visits; ++i)
        sql += "INSERT INTO visits(url, kept) VALUES('http://site" + std::to_string(i) + ".localhost/" +
               std::string(300, 'v') + "', " + (i == 0 ? "1" : "0") + ");";
    sqlite3_exec(db, (sql + "COMMIT;").c_str(), nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

// Registers (or replaces) the kind name over the databases.
inline void AddVisitsKind(const std::string& name, const std::vector<TestDatabase>& databases) {
    AddDatabaseItemKind({name, [name, databases](bool wash) {
        std::vector<DatabaseRow> rows;
        for (const TestDatabase& found : databases) {
            DatabaseRow row;
            row.Item = name;
            row.Label = found.Label;
            row.Path = found.Path;
            BrowserDatabase database(found.Path, found.LockFile, {{"visits", {"id", "url", "kept"}}});
            row.State = database.State();
            if (row.State == DatabaseState::Ready) {
                row.Removed = database.Db().QueryInt("SELECT count(*) FROM visits WHERE kept = 0");
                row.Kept = database.Db().QueryInt("SELECT count(*) FROM visits WHERE kept = 1");
                if (wash && database.Begin()) {
                    database.Db().Exec("DELETE FROM visits WHERE kept = 0");
                    row.FreedBytes = database.Finish();
                    row.Washed = true;
                }
                row.State = database.State();
            }
            row.Text = row.State == DatabaseState::Ready ? std::to_string(row.Removed) + " visits"
                                                          : DatabaseStateText(row.State, "Chrome");
            rows.push_back(row);
        }
        return rows;
    }});
}
