// A folder entry's age limit: which files it lists, and its key in the wash item file.
#include <gtest/gtest.h>

#include <algorithm>

#include "catalogue/WashItem.h"
#include "platform/Profile.h"
#include "settings/AppPaths.h"
#include "tests/support/FileAge.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestKey.h"

namespace {
using Texts = std::vector<std::string>;

// temp\ with new.tmp written an hour ago and old.tmp two days ago.
struct AgedFolder {
    TempDir dir;
    ProgramDirScope programDir{dir.Path()};
    std::string temp = dir.Path() + "temp\\";
    AgedFolder() {
        CreateDirectoryA(temp.c_str(), nullptr);
        for (auto [name, hours] : {std::pair{"new.tmp", 1}, std::pair{"old.tmp", 48}}) {
            WriteTextFile(temp + name, "x");
            EXPECT_TRUE(SetFileAgeHours(temp + name, hours)) << name;
        }
    }
};
}  // namespace

TEST(FileAge, TheLimitListsOnlyFilesLastWrittenBeforeIt) {
    AgedFolder f;
    struct Case {
        int hours;
        Texts listed;
        size_t newerLeft;
    } cases[] = {
        {0, {"new.tmp", "old.tmp"}, 0},
        {24, {"old.tmp"}, 1},
        {72, {}, 2},
        {2000000000, {}, 2},  // beyond the clamp: nothing is that old
    };
    for (const Case& c : cases) {
        FolderEntry entry;
        entry.FolderMask = f.temp + "*.*";
        entry.OlderThanHours = c.hours;
        Texts list;
        std::vector<uint64_t> spaces;
        size_t newerLeft = 99;
        entry.ListFiles(list, spaces, &newerLeft);
        for (auto& path : list) path = path.substr(f.temp.size());
        std::sort(list.begin(), list.end());
        EXPECT_EQ(list, c.listed) << c.hours;
        EXPECT_EQ(newerLeft, c.newerLeft) << c.hours;
        EXPECT_EQ(entry.AgeLimitNote(newerLeft).empty(), c.hours == 0) << c.hours;
    }
}

// Written with a limit, the key reads back; without one (or with a stored value that is no
// count) the entry has none and the key is gone, so older files keep their meaning.
TEST(FileAge, TheKeyRoundTripsThroughTheItemFile) {
    TempDir dir;
    const std::string file = dir.Path() + "items.txt";
    ProfileFile profile(file);
    struct Case {
        const char* stored;  // nullptr: no key
        int read;
    } stored[] = {{"24", 24}, {nullptr, 0}, {"-5", 0}, {"soon", 0}};
    for (const Case& c : stored) {
        profile.EraseSection("Item");
        if (c.stored) profile.WriteString("Item", "tFolder0.OlderThanHours", c.stored);
        EXPECT_EQ(FolderEntry(file, 0, "Item").OlderThanHours, c.read) << (c.stored ? c.stored : "none");
    }
    for (int hours : {36, 0}) {
        FolderEntry entry(file, 0, "Item");
        entry.OlderThanHours = hours;
        entry.Transfer(false);
        EXPECT_EQ(FolderEntry(file, 0, "Item").OlderThanHours, hours);
        EXPECT_EQ(ReadTextFile(file).find("OlderThanHours") != std::string::npos, hours > 0) << hours;
    }
}
