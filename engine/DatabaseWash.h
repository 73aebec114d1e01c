#pragma once
// One browser database of one profile washed as one row: opened only when it may be changed,
// counted, changed in one transaction and compacted; a database left alone says why.
#include <functional>
#include <string>
#include <vector>

#include "catalogue/BrowserProfiles.h"
#include "engine/DatabaseItems.h"

struct DatabasePlan {
    std::vector<TableLayout> Layout;  // the tables and columns the wash reads or changes
    // What goes: sets Removed, Kept and Text of the row. Runs inside the wash's transaction.
    std::function<void(SqliteDb&, DatabaseRow&)> Count;
    // The wash's statements.
    std::function<void(SqliteDb&)> Wash;
};

// The size of a file; 0 when there is none.
uint64_t FileSizeOf(const std::string& path);
// Busy or locked: InUse; any other error: Damaged.
DatabaseState StateOfSqliteError(const SqliteError& error);
// A file of a profile: folder + "\" + name.
std::string ProfileFile(const std::string& folder, const std::string& name);
// The preview (wash false) or the wash of one database.
DatabaseRow RunDatabasePlan(const std::string& item, const BrowserProfile& profile, const std::string& path,
                            const DatabasePlan& plan, bool wash);
// Empties the tables of the list that the database has; the rows they held.
int64_t EmptyTables(SqliteDb& db, const std::vector<std::string>& tables);
// The rows of the tables of the list that the database has.
int64_t CountRows(SqliteDb& db, const std::vector<std::string>& tables);
// "%s entries" with the count grouped.
std::string EntriesText(int64_t count);
