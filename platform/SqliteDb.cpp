#include "platform/SqliteDb.h"

#include <sqlite3.h>

namespace {

[[noreturn]] void Raise(sqlite3* db, int code) {
    std::string message = db ? sqlite3_errmsg(db) : sqlite3_errstr(code);
    throw SqliteError(code & 0xff, message);
}

void Check(sqlite3* db, int code) {
    if (code != SQLITE_OK && code != SQLITE_ROW && code != SQLITE_DONE) Raise(db, code);
}

}  // namespace

SqliteDb::SqliteDb(const std::string& path, bool readOnly, int busyMs) : path_(path) {
    int flags = (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    int code = sqlite3_open_v2(path.c_str(), &db_, flags, nullptr);
    if (code != SQLITE_OK) {
        std::string message = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(code);
        sqlite3_close(db_);
        db_ = nullptr;
        throw SqliteError(code & 0xff, message);
    }
    sqlite3_extended_result_codes(db_, 0);
    sqlite3_busy_timeout(db_, busyMs);
}

SqliteDb::~SqliteDb() { sqlite3_close_v2(db_); }

void SqliteDb::Exec(const std::string& sql) {
    char* error = nullptr;
    int code = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error);
    if (code != SQLITE_OK) {
        std::string message = error ? error : sqlite3_errstr(code);
        sqlite3_free(error);
        throw SqliteError(code & 0xff, message);
    }
}

int64_t SqliteDb::QueryInt(const std::string& sql, int64_t fallback) {
    SqliteStatement statement(*this, sql);
    return statement.Step() ? statement.Int(0) : fallback;
}

std::string SqliteDb::QueryText(const std::string& sql) {
    SqliteStatement statement(*this, sql);
    return statement.Step() ? statement.Text(0) : std::string();
}

int64_t SqliteDb::Changes() const { return sqlite3_changes64(db_); }

bool SqliteDb::HasTable(const std::string& table) {
    SqliteStatement statement(*this, "SELECT 1 FROM sqlite_schema WHERE type='table' AND name=?");
    return statement.Bind(1, table).Step();
}

bool SqliteDb::HasColumn(const std::string& table, const std::string& column) {
    SqliteStatement statement(*this, "SELECT 1 FROM pragma_table_info(?) WHERE name=?");
    return statement.Bind(1, table).Bind(2, column).Step();
}

SqliteStatement::SqliteStatement(SqliteDb& db, const std::string& sql) : db_(db) {
    Check(db.Handle(), sqlite3_prepare_v2(db.Handle(), sql.c_str(), static_cast<int>(sql.size()), &stmt_, nullptr));
}

SqliteStatement::~SqliteStatement() { sqlite3_finalize(stmt_); }

SqliteStatement& SqliteStatement::Bind(int index, const std::string& text) {
    Check(db_.Handle(), sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT));
    return *this;
}

SqliteStatement& SqliteStatement::Bind(int index, int64_t value) {
    Check(db_.Handle(), sqlite3_bind_int64(stmt_, index, value));
    return *this;
}

bool SqliteStatement::Step() {
    int code = sqlite3_step(stmt_);
    if (code == SQLITE_ROW) return true;
    if (code == SQLITE_DONE) return false;
    sqlite3_reset(stmt_);
    Raise(db_.Handle(), code);
}

void SqliteStatement::Run() {
    while (Step()) {
    }
    Reset();
}

void SqliteStatement::Reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

int64_t SqliteStatement::Int(int column) const { return sqlite3_column_int64(stmt_, column); }

std::string SqliteStatement::Text(int column) const {
    const unsigned char* text = sqlite3_column_text(stmt_, column);
    int size = sqlite3_column_bytes(stmt_, column);
    return text ? std::string(reinterpret_cast<const char*>(text), static_cast<size_t>(size)) : std::string();
}

std::string SqliteVersion() { return sqlite3_libversion(); }
