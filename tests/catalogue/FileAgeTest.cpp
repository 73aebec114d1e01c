// A folder entry's age limit: which files it lists, and its key in the wash item file.
#include <gtest/gtest.h>

#include <algorithm>

#include "catalogue/WashItem.h"
#include "platform/Profile.h"
#include "tests/support/FileAge.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestKey.h"

// Files written 1 h and 48 h ago: the limit lists only those last written before it.
TEST(FileAge, TheLimitListsOnlyFilesLastWrittenBeforeIt) {
    TempDir dir;
    ProgramDirScope programDir{dir.Path()};
    for (auto [name, hours] : {std::pair{"new.tmp", 1}, std::pair{"old.tmp", 48}}) {
        WriteTextFile(dir.Path() + name, "x");
        ASSERT_TRUE(SetFileAgeHours(dir.Path() + name, hours)) << name;
    }
    struct Case {
        int hours;
        std::vector<std::string> listed;
        size_t newerLeft;
    } cases[] = {{0, {"new.tmp", "old.tmp"}, 0}, {24, {"old.tmp"}, 1}, {72, {}, 2}, {2000000000, {}, 2}};
    for (const Case& c : cases) {
        FolderEntry entry;
        entry.FolderMask = dir.Path() + "*.tmp";
        entry.OlderThanHours = c.hours;
        std::vector<std::string> list;
        std::vector<uint64_t> spaces;
        size_t newerLeft = 99;
        entry.ListFiles(list, spaces, &newerLeft);
        for (auto& path : list) path = path.substr(dir.Path().size());
        std::sort(list.begin(), list.end());
        EXPECT_EQ(list, c.listed) << c.hours;
        EXPECT_EQ(newerLeft, c.newerLeft) << c.hours;
        EXPECT_EQ(entry.AgeLimitNote(newerLeft).empty(), c.hours == 0) << c.hours;
    }
}

// A stored limit reads back; a missing key or one that is no count reads as none, and saving
// no limit removes the key, so older files keep their meaning.
TEST(FileAge, TheKeyRoundTripsThroughTheItemFile) {
    TempDir dir;
    const std::string file = dir.Path() + "items.txt";
    ProfileFile profile(file);
    for (auto [stored, read] : {std::pair{"24", 24}, std::pair{"", 0}, std::pair{"-5", 0}, std::pair{"soon", 0}}) {
        profile.EraseSection("Item");
        if (*stored) profile.WriteString("Item", "tFolder0.OlderThanHours", stored);
        EXPECT_EQ(FolderEntry(file, 0, "Item").OlderThanHours, read) << stored;
    }
    for (int hours : {36, 0}) {
        FolderEntry entry(file, 0, "Item");
        entry.OlderThanHours = hours;
        entry.Transfer(false);
        EXPECT_EQ(FolderEntry(file, 0, "Item").OlderThanHours, hours);
        EXPECT_EQ(ReadTextFile(file).find("OlderThanHours") != std::string::npos, hours > 0) << hours;
    }
}
