// The space of each file an entry lists comes from the listing, in whole clusters.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>

#include "catalogue/WashItem.h"
#include "platform/DiskSpace.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestKey.h"

TEST(ExpansionSpace, EachFileHasItsSpaceOnDiskAndFolderRowsHaveNone) {
    TempDir dir;
    ProgramDirScope programDir{dir.Path()};
    const std::string data = dir.Path() + "data\\";
    CreateDirectoryA(data.c_str(), nullptr);
    CreateDirectoryA((data + "sub").c_str(), nullptr);
    const uint64_t cluster = ClusterSizeOf(data);
    ASSERT_GT(cluster, 0u);
    const std::map<std::string, uint64_t> sizes = {
        {"empty.tmp", 0}, {"one.tmp", 1}, {"cluster.tmp", cluster}, {"sub\\over.tmp", cluster + 1}};
    for (const auto& [name, size] : sizes) WriteTextFile(data + name, std::string(static_cast<size_t>(size), 'x'));

    FolderEntry entry;
    entry.Category = CategoryFolderMask;
    entry.FolderMask = data + "*.tmp";
    entry.IncludeSubfolders = true;
    entry.RemoveSelf = true;
    std::vector<std::string> rows;
    std::vector<uint64_t> spaces;
    entry.ListFiles(rows, spaces);
    ASSERT_EQ(rows.size(), spaces.size());
    std::map<std::string, uint64_t> found;
    for (size_t i = 0; i < rows.size(); ++i) found[rows[i]] = spaces[i];
    EXPECT_EQ(found, (std::map<std::string, uint64_t>{{data + "empty.tmp", 0},
                                                      {data + "one.tmp", cluster},
                                                      {data + "cluster.tmp", cluster},
                                                      {data + "sub\\over.tmp", 2 * cluster},
                                                      {data + "sub\\" + RemoveFolderMarker, 0},
                                                      {data + RemoveFolderMarker, 0}}));
}
