#include "engine/BrowserDatabase.h"

#include <windows.h>

#include <sqlite3.h>

#include "engine/EngineTexts.h"
#include "platform/Language.h"
#include "platform/WideText.h"

namespace {

bool FileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

uint64_t FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(WidePath(path).c_str(), GetFileExInfoStandard, &data)) return 0;
    return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

DatabaseState StateOfError(const SqliteError& error) {
    if (error.Code == SQLITE_BUSY || error.Code == SQLITE_LOCKED || error.Code == SQLITE_CANTOPEN ||
        error.Code == SQLITE_PERM || error.Code == SQLITE_READONLY)
        return DatabaseState::InUse;
    return DatabaseState::Damaged;
}

bool HasLayout(SqliteDb& db, const std::vector<TableLayout>& layout) {
    for (const TableLayout& table : layout) {
        if (!db.HasTable(table.Table)) return false;
        for (const std::string& column : table.Columns)
            if (!db.HasColumn(table.Table, column)) return false;
    }
    return true;
}

}  // namespace

std::string DatabaseStateText(DatabaseState state, const std::string& browserName) {
    switch (state) {
    case DatabaseState::Ready: return {};
    case DatabaseState::Missing: return Text(IDS_Db_Missing);
    case DatabaseState::BrowserRunning: return FormatText(IDS_Db_BrowserRunning, browserName);
    case DatabaseState::InUse: return Text(IDS_Db_InUse);
    case DatabaseState::UnknownLayout: return Text(IDS_Db_UnknownLayout);
    case DatabaseState::Damaged: return Text(IDS_Db_Damaged);
    }
    return {};
}

std::string DatabaseStateCode(DatabaseState state) {
    switch (state) {
    case DatabaseState::Ready: return {};
    case DatabaseState::Missing: return "not_found";
    case DatabaseState::BrowserRunning: return "browser_running";
    case DatabaseState::InUse: return "in_use";
    case DatabaseState::UnknownLayout: return "unknown_layout";
    case DatabaseState::Damaged: return "damaged";
    }
    return {};
}

bool ProfileLockHeld(const std::string& lockFile) {
    if (lockFile.empty() || !FileExists(lockFile)) return false;
    HANDLE handle = CreateFileW(WidePath(lockFile).c_str(), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return GetLastError() != ERROR_FILE_NOT_FOUND;
    CloseHandle(handle);
    return false;
}

uint64_t DatabaseFilesSize(const std::string& path) {
    return FileSize(path) + FileSize(path + "-wal") + FileSize(path + "-journal");
}

BrowserDatabase::BrowserDatabase(const std::string& path, const std::string& lockFile,
                                 const std::vector<TableLayout>& layout)
    : path_(path), sizeAtOpen_(DatabaseFilesSize(path)) {
    if (!FileExists(path)) return;
    if (ProfileLockHeld(lockFile)) {
        state_ = DatabaseState::BrowserRunning;
        return;
    }
    try {
        db_ = std::make_unique<SqliteDb>(path, false);
        std::string check = db_->QueryText("PRAGMA quick_check");
        if (check != "ok")
            state_ = DatabaseState::Damaged;
        else
            state_ = HasLayout(*db_, layout) ? DatabaseState::Ready : DatabaseState::UnknownLayout;
    } catch (const SqliteError& error) {
        state_ = StateOfError(error);
    }
    if (state_ != DatabaseState::Ready) db_.reset();
}

bool BrowserDatabase::Begin() {
    try {
        db_->Exec("PRAGMA secure_delete=ON");
        db_->Exec("BEGIN IMMEDIATE");
        inTransaction_ = true;
        return true;
    } catch (const SqliteError& error) {
        state_ = StateOfError(error);
        db_.reset();
        return false;
    }
}

uint64_t BrowserDatabase::Finish() {
    try {
        db_->Exec("COMMIT");
        inTransaction_ = false;
    } catch (const SqliteError&) {
        if (inTransaction_) sqlite3_exec(db_->Handle(), "ROLLBACK", nullptr, nullptr, nullptr);
        inTransaction_ = false;
        throw;
    }
    // The wash is committed: a vacuum or checkpoint that fails leaves space unreturned, it does
    // not undo the wash (secure delete has overwritten what went).
    try {
        return Compact();
    } catch (const SqliteError&) {
        return 0;
    }
}

uint64_t BrowserDatabase::Compact() {
    db_->Exec("PRAGMA secure_delete=ON");
    db_->Exec("VACUUM");
    db_->Exec("PRAGMA wal_checkpoint(TRUNCATE)");
    uint64_t after = DatabaseFilesSize(path_);
    return sizeAtOpen_ > after ? sizeAtOpen_ - after : 0;
}
