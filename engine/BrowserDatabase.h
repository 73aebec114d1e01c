#pragma once
// A browser's database washed in place: opened only while its browser is closed, changed only
// when its layout is the one expected and it is sound, and left with nothing of what went in
// its bytes (secure delete, vacuum, the write-ahead log checkpointed and truncated).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/SqliteDb.h"

enum class DatabaseState { Ready, Missing, BrowserRunning, InUse, UnknownLayout, Damaged };

// Why a database is left alone, in the user's language: "Firefox is running", "Database in
// use", "Unknown database layout", "Damaged database", "Not found"; empty for Ready.
std::string DatabaseStateText(DatabaseState state, const std::string& browserName);
// The same for scripts: "browser_running", "in_use", "unknown_layout", "damaged", "not_found".
std::string DatabaseStateCode(DatabaseState state);

// True when a running browser holds its profile's lock file (Chromium's "lockfile", Firefox's
// "parent.lock"): the file exists and can't be opened for writing.
bool ProfileLockHeld(const std::string& lockFile);

// A table a wash reads or changes, with the columns it names.
struct TableLayout {
    std::string Table;
    std::vector<std::string> Columns;
};

// The size of a database with its -wal and -journal files, in bytes.
uint64_t DatabaseFilesSize(const std::string& path);

class BrowserDatabase {
public:
    // Opens the database at path when the lock file is not held, it is sound (quick_check) and
    // has every table and column of layout. State() says whether it may be read and washed.
    BrowserDatabase(const std::string& path, const std::string& lockFile, const std::vector<TableLayout>& layout);
    DatabaseState State() const { return state_; }
    // The open database; only when State() is Ready.
    SqliteDb& Db() { return *db_; }

    // Starts the wash's one transaction, with secure delete on. False (and State() InUse) when
    // another connection holds the database.
    bool Begin();
    // Commits, vacuums and truncates the write-ahead log; the space given back since the
    // database was opened, in bytes (0 when the vacuum or checkpoint failed after the commit). On an
    // error the transaction is rolled back and the error raised.
    uint64_t Finish();
    // Compacts the database alone (no transaction open): vacuum and checkpoint.
    uint64_t Compact();

private:
    std::string path_;
    uint64_t sizeAtOpen_ = 0;
    DatabaseState state_ = DatabaseState::Missing;
    std::unique_ptr<SqliteDb> db_;
    bool inTransaction_ = false;
};
