// Plug-in files from outside: which rows the catalogue takes and which entries are refused.
#include <gtest/gtest.h>
#include <windows.h>

#include "catalogue/PluginCheck.h"
#include "catalogue/WashItem.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestKey.h"

namespace {

FolderEntry Folder(FolderCategory category, const std::string& path, bool subfolders) {
    FolderEntry entry;
    entry.Category = category;
    (category == CategorySingleFile ? entry.FilePath : entry.FolderMask) = path;
    entry.IncludeSubfolders = subfolders;
    return entry;
}

RegistryEntry Key(const std::string& name, RegistryCleanType type) {
    RegistryEntry entry;
    entry.KeyName = name;
    entry.CleanType = type;
    return entry;
}

std::string WindowsDir() {
    char path[MAX_PATH];
    GetWindowsDirectoryA(path, MAX_PATH);
    return path;
}

}  // namespace

TEST(PluginCheck, FolderEntriesThatReachBeyondTracesAreRefused) {
    const std::string windows = WindowsDir();
    // Refused: roots, the system's folders (also through macros, "..", another letter case, a
    // trailing backslash), a folder holding one of them, and relative paths.
    EXPECT_EQ(FolderEntryRefusal(Folder(CategoryFolderMask, "C:\\*.*", true)), "the folder C:\\ with all its subfolders");
    EXPECT_NE(FolderEntryRefusal(Folder(CategoryFolderMask, "{windows}\\*.log", true)), "");
    EXPECT_NE(FolderEntryRefusal(Folder(CategoryFolderMask, windows + "\\Temp\\..\\*.tmp", true)), "");
    EXPECT_NE(FolderEntryRefusal(Folder(CategoryFolderMask, "{system}\\\\*.dll", true)), "");
    std::string lower = windows;
    CharLowerBuffA(lower.data(), static_cast<DWORD>(lower.size()));
    EXPECT_NE(FolderEntryRefusal(Folder(CategorySingleFile, lower + "\\win.ini", true)), "");
    EXPECT_NE(FolderEntryRefusal(Folder(CategoryFolderMask, "{program files}\\*.*", true)), "");
    EXPECT_NE(FolderEntryRefusal(Folder(CategoryFolderMask, "\\\\server\\share\\*.*", true)), "");
    EXPECT_EQ(FolderEntryRefusal(Folder(CategoryFolderMask, "Temp\\*.tmp", false)),
              "a path that is not absolute (Temp\\*.tmp)");
    EXPECT_NE(FolderEntryRefusal(Folder(CategorySingleFile, "\\boot.ini", false)), "");

    // Taken: the same folders without subfolders, folders below them, a single file, no folder
    // at all, and a macro this machine can't expand.
    EXPECT_EQ(FolderEntryRefusal(Folder(CategoryFolderMask, "C:\\*.tmp", false)), "");
    EXPECT_EQ(FolderEntryRefusal(Folder(CategoryFolderMask, "{windows}\\Temp\\*.*", true)), "");
    EXPECT_EQ(FolderEntryRefusal(Folder(CategorySingleFile, "{windows}\\setuplog.txt", false)), "");
    EXPECT_EQ(FolderEntryRefusal(Folder(CategoryFolderMask, "*.*", true)), "");
    EXPECT_EQ(FolderEntryRefusal(Folder(CategoryFolderMask, "{nosuchmacro}\\*.*", true)), "");
}

TEST(PluginCheck, RegistryFolderIsCheckedAsItIsNow) {
    TestKey key("PluginCheck");
    key.Set("", "Root", "C:\\");
    key.Set("", "Cache", WindowsDir() + "\\Temp");
    FolderEntry entry;
    entry.Category = CategoryRegistryFolder;
    entry.PathKeyName = key.Full();
    entry.IncludeSubfolders = true;
    entry.PathValueName = "Root";
    EXPECT_EQ(FolderEntryRefusal(entry), "the folder C:\\ with all its subfolders");
    entry.PathValueName = "Cache";
    EXPECT_EQ(FolderEntryRefusal(entry), "");
    entry.PathValueName = "Missing";
    EXPECT_EQ(FolderEntryRefusal(entry), "");
    entry.PathKeyName = "HKEY_FOO\\" + key.Path();
    EXPECT_EQ(FolderEntryRefusal(entry),
              "a folder read from HKEY_FOO\\" + key.Path() + ", whose root HKEY_FOO is not a registry root key");
}

TEST(PluginCheck, WholeRootsAndFirstLevelKeysAreRefused) {
    EXPECT_EQ(RegistryEntryRefusal(Key("HKEY_CURRENT_USER\\Software\\", CleanWholeKey)),
              "the whole registry key HKEY_CURRENT_USER\\Software");
    EXPECT_NE(RegistryEntryRefusal(Key("HKEY_LOCAL_MACHINE", CleanWholeKey)), "");
    EXPECT_NE(RegistryEntryRefusal(Key("hkey_local_machine\\\\SYSTEM", CleanAllValues)), "");
    // A root that is no root key's name, or a bare root, whatever the entry cleans there.
    EXPECT_EQ(RegistryEntryRefusal(Key("HKEY_LOCL_MACHINE\\Software\\X", CleanSingleValue)),
              "the key HKEY_LOCL_MACHINE\\Software\\X, whose root HKEY_LOCL_MACHINE is not a registry root key");
    EXPECT_NE(RegistryEntryRefusal(Key("Anything\\Software", CleanWholeKey)), "");
    EXPECT_NE(RegistryEntryRefusal(Key("HKEY_CURRENT_USER\\", CleanSingleValue)), "");
    EXPECT_EQ(RegistryEntryRefusal(Key("HKEY_CURRENT_USER\\Software\\My Editor", CleanWholeKey)), "");
    EXPECT_EQ(RegistryEntryRefusal(Key("HKEY_CURRENT_USER\\Software", CleanSingleValue)), "");
}

TEST(PluginCheck, FileIsRefusedNamingItemAndEntryAndRowsWithSeparatorAreIgnored) {
    TempDir dir;
    const std::string plugin = dir.Path() + "plugin.txt", other = dir.Path() + "other.txt";
    WriteTextFile(other, "[Common]\r\nTotal=1\r\nItem0=Elsewhere\r\n");
    WriteTextFile(plugin, "[Common]\r\nTotal=3\r\nItem0=Good\r\nItem1=Bad\r\nItem2=Evil<|>" + other +
                              "\r\n[Evil<|>" + other + "]\r\ntxtfilename=" + other +
                              "\r\n[Bad]\r\ntRegister.Total=2\r\ntRegister0.ChildItemName=Mine\r\n"
                              "tRegister0.RegisterKeyName=HKEY_CURRENT_USER\\Software\\Mine\r\n"
                              "tRegister1.ChildItemName=All software\r\n"
                              "tRegister1.RegisterKeyName=HKEY_CURRENT_USER\\Software\r\n");
    Catalogue rows;
    AppendPluginRows(rows, plugin);
    ASSERT_EQ(rows.Count(), 2);
    EXPECT_EQ(rows.Items[0].ItemName + "," + rows.Items[1].ItemName, "Good,Bad");
    EXPECT_EQ(rows.Items[1].ItemFile, plugin);
    EXPECT_EQ(CheckPluginFile(plugin), "The file '" + plugin +
                                           "' is not imported: the entry 'All software' of the wash item 'Bad' would "
                                           "clean the whole registry key HKEY_CURRENT_USER\\Software.");

    WriteTextFile(plugin, "just some text\r\n");
    EXPECT_EQ(CheckPluginFile(plugin), "The file '" + plugin + "' is not a wash item file: it lists no wash item.");
    WriteTextFile(plugin, "[Common]\r\nTotal=1\r\nItem0=Good\r\n[Good]\r\ntFolder.Total=1\r\n"
                          "tFolder0.deletepath={windows}\\Temp\\*.tmp\r\ntFolder0.IsIncludeSubfolder=1\r\n");
    EXPECT_EQ(CheckPluginFile(plugin), "");
}
