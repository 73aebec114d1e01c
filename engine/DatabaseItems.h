#pragma once
// Wash items whose data is washed inside browser databases (history, cookies, compacting),
// one row per database of every profile, for the preview before and the log after a wash.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/BrowserDatabase.h"

struct DatabaseRow {
    std::string Item;     // the wash item
    std::string Label;    // the browser and profile: "Chrome — Work (Profile 1)"
    std::string Path;     // the database file
    DatabaseState State = DatabaseState::Ready;
    // What goes ("1,234 visits of 456 sites; 12 bookmarked sites kept"), what went, or why the
    // database is left alone (DatabaseStateText).
    std::string Text;
    int64_t Removed = 0;      // entries that go (preview) or went (wash): visits, cookies, ...
    int64_t Kept = 0;         // entries kept on purpose: bookmarked sites, kept sites' cookies
    uint64_t FreedBytes = 0;  // after a wash: the space given back
    bool Washed = false;      // after a wash: the changes were committed
};

// One kind of database item: its name and what it does for a preview (wash false) or a wash.
struct DatabaseItemKind {
    std::string Name;
    std::function<std::vector<DatabaseRow>(bool wash)> Run;
};

// Every database item, in a fixed order: the built-in kinds, then those added.
const std::vector<DatabaseItemKind>& DatabaseItemKinds();
// Adds a kind after the built-in ones (a kind of the same name is replaced).
void AddDatabaseItemKind(const DatabaseItemKind& kind);
bool IsDatabaseItem(const std::string& name);
// What a wash of the item would do, database by database; nothing is changed.
std::vector<DatabaseRow> PreviewDatabaseItem(const std::string& name);
// Washes the item; each row says what went, or why its database was left alone.
std::vector<DatabaseRow> WashDatabaseItem(const std::string& name);
