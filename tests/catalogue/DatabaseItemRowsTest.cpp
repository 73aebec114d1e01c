// Database items in the catalogue: checks of an older order file carry over to the items that
// became database items, and a database's journal never goes on its own.
#include <gtest/gtest.h>

#include <algorithm>

#include "catalogue/Catalogue.h"
#include "catalogue/ProtectedPlaces.h"
#include "platform/RowGuard.h"
#include "tests/support/TempDir.h"

TEST(DatabaseItemRows, ChecksOfAnOlderOrderFileCarryOver) {
    std::string supplied = "Z:" VARNOLT_SOURCE_DIR "/data/const/system.txt";
    std::replace(supplied.begin(), supplied.end(), '/', '\\');
    Catalogue found;
    found.LoadFromFile(supplied);
    // order.ini as the whole-file items left it: ordinary items, some checked.
    const struct {
        const char* name;
        bool checked;
    } rows[] = {{"Google Chrome History", true}, {"Microsoft Edge Cookies", true}, {"Firefox Cookies", false}};
    Catalogue before;
    for (const auto& row : rows) {
        CatalogueRow stored;
        stored.ItemName = row.name;
        stored.ItemFile = supplied;
        stored.IsActive = row.checked;
        stored.IsSpecial = false;
        before.Append(stored);
    }
    TempDir dir;
    before.SaveToFile(dir.Path() + "order.ini");
    Catalogue order, merged;
    order.LoadOrderFile(dir.Path() + "order.ini");
    MergeCatalogue(merged, found, order);
    ASSERT_GE(merged.Count(), 3);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(rows[i].name);
        EXPECT_EQ(merged.Items[i].ItemName, rows[i].name);
        EXPECT_EQ(merged.Items[i].IsActive, rows[i].checked);
        EXPECT_TRUE(merged.Items[i].IsSpecial);
    }
}

TEST(DatabaseJournals, AJournalGoesOnlyWithItsDatabase) {
    const struct {
        const char* name;
        std::vector<std::string> onDisk;  // beside the rows' folder
        std::vector<std::string> rows;
        bool ownItems;
        std::vector<RowGuard> expected;
    } cases[] = {
        {"database stays", {"History", "History-journal"}, {"History-journal"}, false, {RowGuard::Refused}},
        {"the user's own item", {"History", "History-journal"}, {"History-journal"}, true, {RowGuard::Held}},
        {"database in the same listing", {"History", "History-journal"}, {"History", "History-journal"}, false,
         {RowGuard::None, RowGuard::None}},
        {"database gone", {"History-journal"}, {"History-journal"}, false, {RowGuard::None}},
        {"write-ahead log and index", {"places.sqlite", "places.sqlite-wal", "places.sqlite-shm"},
         {"places.sqlite-wal", "PLACES.SQLITE-SHM"}, false, {RowGuard::Refused, RowGuard::Refused}},
        {"no journal by its name", {"notes", "notes-wal.txt", "-wal"}, {"notes-wal.txt", "-wal"}, false,
         {RowGuard::None, RowGuard::None}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        for (const auto& file : c.onDisk) WriteTextFile(dir.Path() + file, "x");
        std::vector<std::string> rows;
        for (const auto& row : c.rows) rows.push_back(dir.Path() + row);
        GuardDatabaseJournals(rows, c.ownItems);
        for (size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(GuardOf(rows[i]), c.expected[i]) << c.rows[i];
    }
}
