#pragma once
// A thin layer over SQLite: an open database and its prepared statements. Errors raise
// SqliteError with SQLite's message and result code.
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

class SqliteError : public std::runtime_error {
public:
    SqliteError(int code, const std::string& message) : std::runtime_error(message), Code(code) {}
    int Code;  // the primary result code (SQLITE_BUSY, SQLITE_CORRUPT, ...)
};

class SqliteStatement;

class SqliteDb {
public:
    // Opens an existing database file (UTF-8 path); never creates one. busyMs: how long a
    // statement waits for another connection's lock before SQLITE_BUSY.
    SqliteDb(const std::string& path, bool readOnly, int busyMs = 250);
    ~SqliteDb();
    SqliteDb(const SqliteDb&) = delete;
    SqliteDb& operator=(const SqliteDb&) = delete;

    // Runs one or more statements that return no rows.
    void Exec(const std::string& sql);
    // The first column of the first row of a query, or fallback when it returns no row.
    int64_t QueryInt(const std::string& sql, int64_t fallback = 0);
    std::string QueryText(const std::string& sql);
    int64_t Changes() const;
    bool HasTable(const std::string& table);
    bool HasColumn(const std::string& table, const std::string& column);
    const std::string& Path() const { return path_; }
    sqlite3* Handle() const { return db_; }

private:
    sqlite3* db_ = nullptr;
    std::string path_;
};

class SqliteStatement {
public:
    SqliteStatement(SqliteDb& db, const std::string& sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    SqliteStatement& Bind(int index, const std::string& text);  // 1-based
    SqliteStatement& Bind(int index, int64_t value);
    // Steps once: true while a row is there. Raises on an error.
    bool Step();
    // Runs to the end and resets, for a statement run again with new bindings.
    void Run();
    void Reset();
    int64_t Int(int column) const;
    std::string Text(int column) const;

private:
    SqliteDb& db_;
    sqlite3_stmt* stmt_ = nullptr;
};

// "3.40.1": the version of SQLite the program is built with.
std::string SqliteVersion();
