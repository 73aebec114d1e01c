// winapp2.ini keys on the Windows or system folder itself are refused like the forms with
// subfolders, and counted; keys on their subfolders stay.
#include <gtest/gtest.h>

#include "catalogue/Winapp2Items.h"
#include "tests/support/TempDir.h"

TEST(Winapp2WindowsFolder, KeysOnTheFolderItselfAreRefusedAndCounted) {
    const struct {
        const char* key;
        bool refused;
    } rows[] = {
        {"%WinDir%|*.*", true},
        {"%WinDir%|*.ini", true},
        {"%WinDir%\\|*.log", true},
        {"%WinDir%\\System32|*.dll", true},
        {"%WinDir%\\system32\\|*.exe", true},
        {"%WinDir%\\*|*.log", true},
        {"%WinDir%|*.*|RECURSE", true},
        {"%WinDir%\\Temp|*.*", false},
        {"%WinDir%\\Logs|*.log|RECURSE", false},
        {"%WinDir%\\System32\\LogFiles|*.log", false},
    };
    std::string ini = "[Windows Junk *]\r\nLangSecRef=3025\r\n";
    int expected = 0;
    for (size_t k = 0; k < std::size(rows); ++k) {
        ini += "FileKey" + std::to_string(k + 1) + "=" + rows[k].key + "\r\n";
        expected += rows[k].refused;
    }
    TempDir dir;
    WriteTextFile(dir.Path() + "winapp2.ini", ini);
    Winapp2Catalogue catalogue;
    catalogue.Load(dir.Path() + "winapp2.ini");
    Catalogue list;
    catalogue.AppendRows(list);
    ASSERT_EQ(list.Count(), 1);
    WashItem item;
    ASSERT_TRUE(catalogue.MakeItem(list.Items[0], item));
    ASSERT_EQ(item.FolderEntries.Count(), static_cast<int>(std::size(rows)));
    for (size_t k = 0; k < std::size(rows); ++k) {
        const FolderEntry& entry = item.FolderEntries.Items[k];
        EXPECT_EQ(entry.Name.find("refused") != std::string::npos, rows[k].refused) << entry.Name;
        if (rows[k].refused) EXPECT_FALSE(entry.IsActive) << entry.Name;
    }
    // About's count.
    EXPECT_EQ(catalogue.RefusedKeys(), expected);
}
