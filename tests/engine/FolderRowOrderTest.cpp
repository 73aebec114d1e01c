// Folder rows of an entry that removes its folder, washed in the order a sorted preview shows.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "catalogue/WashItem.h"
#include "engine/WashEngine.h"
#include "platform/CheckListModel.h"
#include "tests/support/TempDir.h"

TEST(FolderRowOrder, ASortedPreviewStillRemovesTheDeepestFoldersFirst) {
    TempDir dir;
    const std::string cache = dir.Path() + "cache2";
    for (const char* folder : {"", "\\entries", "\\entries\\deep", "\\doomed", "\\keep", "\\empty"})
        CreateDirectoryA((cache + folder).c_str(), nullptr);
    std::vector<std::string> rows;
    for (const char* file : {"\\entries\\A1", "\\entries\\deep\\B2", "\\doomed\\C3", "\\keep\\K1"}) {
        WriteTextFile(cache + file, "x");
        if (std::string(file) != "\\keep\\K1") rows.push_back(cache + file);  // K1 is kept
    }
    for (const char* folder : {"\\entries\\deep", "\\entries", "\\doomed", "\\keep", "\\empty", ""})
        rows.push_back(cache + folder + "\\" + RemoveFolderMarker);
    std::sort(rows.begin(), rows.end());
    CheckListModel list;
    for (const auto& row : rows) list.Add(row, true);

    int success = 0, fails = 0;
    WashFileList(list, true, false, {}, success, fails);
    // Three files and the four folders they emptied; the kept folder holds its file, so it and
    // the cache folder stay.
    EXPECT_EQ(success, 7);
    EXPECT_EQ(fails, 0);
    EXPECT_TRUE(FileExists(cache + "\\keep\\K1"));
    EXPECT_EQ(GetFileAttributesA((cache + "\\entries").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA((cache + "\\empty").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetFileAttributesA(cache.c_str()), INVALID_FILE_ATTRIBUTES);
}
