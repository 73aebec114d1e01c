#pragma once
// A database file made and read by a test's own connection (created when missing).
#include <sqlite3.h>

#include <gtest/gtest.h>

#include <string>

inline void RunSql(const std::string& path, const std::string& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr));
    EXPECT_EQ(SQLITE_OK, sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr)) << sqlite3_errmsg(db) << "\n" << sql;
    sqlite3_close(db);
}

// Every row of a query, columns joined by '|' and rows by '\n'.
inline std::string QueryRows(const std::string& path, const std::string& sql) {
    sqlite3* db = nullptr;
    std::string rows;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_exec(
            db, sql.c_str(),
            [](void* out, int count, char** values, char**) {
                std::string& text = *static_cast<std::string*>(out);
                for (int i = 0; i < count; ++i) text += (i ? "|" : "") + std::string(values[i] ? values[i] : "NULL");
                text += "\n";
                return 0;
            },
            &rows, nullptr);
    }
    sqlite3_close(db);
    return rows;
}
