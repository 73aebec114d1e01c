// The files an entry hands out while its listing goes on (to be deleted at once) are exactly its
// unguarded file rows but journals: no folder row, no guarded file, nothing the age limit leaves,
// no journal (it goes only with its database, once the whole list is known).
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "catalogue/WashItem.h"
#include "platform/CheckListModel.h"
#include "tests/support/FileAge.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestKey.h"

TEST(ListedFiles, OnlyUnguardedFileRowsAreHandedOutAsTheyAreFound) {
    TempDir dir;
    ProgramDirScope programDir{dir.Path()};
    const std::string data = dir.Path() + "data\\";
    for (const char* folder : {"", "Profiles", "Profiles\\p"}) CreateDirectoryA((data + folder).c_str(), nullptr);
    // A browser's settings file is guarded; a file written within the hour stays.
    for (const char* name : {"old.tmp", "new.tmp", "cache.db", "cache.db-journal", "Profiles\\p\\prefs.js",
                             "Profiles\\p\\cache.tmp"}) {
        WriteTextFile(data + name, "x");
        if (std::string(name) != "new.tmp") ASSERT_TRUE(SetFileAgeHours(data + name, 5));
    }

    FolderEntry entry;
    entry.Category = CategoryFolderMask;
    entry.FolderMask = data + "*.*";
    entry.IncludeSubfolders = true;
    entry.RemoveSelf = true;
    entry.OlderThanHours = 2;
    std::vector<std::string> rows, listed;
    std::vector<uint64_t> spaces;
    size_t newer = 0;
    entry.ListFiles(entry.PlanListing(), rows, spaces, &newer, [&](const std::string& path) {
        // Handed out as found: the row is not kept yet.
        EXPECT_EQ(std::find(rows.begin(), rows.end(), path), rows.end());
        listed.push_back(path);
    });
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<std::string>{data + "Profiles\\p\\cache.tmp", data + "cache.db", data + "old.tmp"}));
    EXPECT_EQ(newer, 1u);
    EXPECT_NE(std::find(rows.begin(), rows.end(), data + "cache.db-journal"), rows.end());
    EXPECT_EQ(std::count_if(rows.begin(), rows.end(), [](const std::string& row) { return GuardOf(row) != RowGuard::None; }),
              1);
}
