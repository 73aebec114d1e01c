#include "engine/DatabaseWash.h"

#include <windows.h>

#include <sqlite3.h>

#include "engine/EngineTexts.h"
#include "platform/Language.h"
#include "platform/NumberText.h"
#include "platform/WideText.h"

uint64_t FileSizeOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(WidePath(path).c_str(), GetFileExInfoStandard, &data)) return 0;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return 0;
    return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

DatabaseState StateOfSqliteError(const SqliteError& error) {
    bool busy = error.Code == SQLITE_BUSY || error.Code == SQLITE_LOCKED;
    return busy ? DatabaseState::InUse : DatabaseState::Damaged;
}

std::string ProfileFile(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '\\') return folder + name;
    return folder + "\\" + name;
}

DatabaseRow RunDatabasePlan(const std::string& item, const BrowserProfile& profile, const std::string& path,
                            const DatabasePlan& plan, bool wash) {
    DatabaseRow row;
    row.Item = item;
    row.Label = profile.Label();
    row.Path = path;
    BrowserDatabase database(path, profile.LockFile, plan.Layout);
    row.State = database.State();
    try {
        if (row.State == DatabaseState::Ready && wash && !database.Begin()) row.State = database.State();
        if (row.State == DatabaseState::Ready) {
            plan.Count(database.Db(), row);
            if (wash) {
                plan.Wash(database.Db());
                row.FreedBytes = database.Finish();
                row.Washed = true;
            }
        }
    } catch (const SqliteError& error) {
        // Nothing was committed: the connection closes with its transaction rolled back.
        row.State = StateOfSqliteError(error);
        row.Removed = row.Kept = 0;
    }
    if (row.State != DatabaseState::Ready) row.Text = DatabaseStateText(row.State, BrowserName(profile.Browser));
    return row;
}

int64_t EmptyTables(SqliteDb& db, const std::vector<std::string>& tables) {
    int64_t removed = 0;
    for (const std::string& table : tables) {
        if (!db.HasTable(table)) continue;
        db.Exec("DELETE FROM \"" + table + "\"");
        removed += db.Changes();
    }
    return removed;
}

int64_t CountRows(SqliteDb& db, const std::vector<std::string>& tables) {
    int64_t rows = 0;
    for (const std::string& table : tables)
        if (db.HasTable(table)) rows += db.QueryInt("SELECT count(*) FROM \"" + table + "\"");
    return rows;
}

std::string EntriesText(int64_t count) { return FormatText(IDS_Hist_Entries, GroupedNumber(count)); }
