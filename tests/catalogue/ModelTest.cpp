// The wash item model on real files: entries, entry lists and item flags.
#include <gtest/gtest.h>

#include "catalogue/WashItem.h"
#include "platform/Profile.h"
#include "tests/support/TempDir.h"

namespace {

FolderEntry Folder(const std::string& name, FolderCategory category) {
    FolderEntry e;
    e.Name = name;
    e.IsActive = true;
    e.Category = category;
    e.PathKeyName = "HKEY_CURRENT_USER\\Software\\" + name;
    e.PathValueName = name + " Path";
    e.FolderMask = "{windows}\\Temp\\" + name + "\\*.tmp";
    e.FilePath = "C:\\" + name + ".log";
    e.IncludeSubfolders = true;
    return e;
}

RegistryEntry Register(const std::string& name, RegistryCleanType type) {
    RegistryEntry e;
    e.Name = name;
    e.KeyName = "HKEY_CURRENT_USER\\Software\\" + name;
    e.ValueName = name + "Value";
    e.CleanType = type;
    e.IsActive = true;
    return e;
}

// Every stored field of an entry, and its binding, in one text.
std::string Fields(const FolderEntry& e) {
    return e.Name + "|" + std::to_string(e.IsActive) + "|" + std::to_string(e.Category) + "|" +
           e.PathKeyName + "|" + e.PathValueName + "|" + e.FolderMask + "|" + e.FilePath + "|" +
           std::to_string(e.IncludeSubfolders) + " @" + e.ItemFile + "[" + e.ItemName + "]" +
           std::to_string(e.Index);
}

std::string Fields(const RegistryEntry& e) {
    return e.Name + "|" + e.KeyName + "|" + e.ValueName + "|" +
           std::to_string(e.CleanType) + "|" + std::to_string(e.IsActive) + " @" + e.ItemFile + "[" +
           e.ItemName + "]" + std::to_string(e.Index);
}

}  // namespace

TEST(WashItemModel, ItemWithEntriesSurvivesWriteAndRead) {
    TempDir dir;
    std::string path = dir.Path() + "user.txt";
    WashItem item;
    item.Property.IsSpecial = true;
    item.FolderEntries.Add(Folder("Alpha", CategoryRegistryFolder));
    item.FolderEntries.Add(Folder("Beta", CategorySingleFile));
    item.FolderEntries.Items[1].FolderMask = std::string(2000, 'a') + std::string(1000, 'b');
    item.RegistryEntries.Add(Register("Gamma", CleanSingleValue));
    item.RegistryEntries.Add(Register("Delta", CleanAllValues));
    item.AddToFile(path, "Browser", false);
    EXPECT_EQ(item.FolderEntries.Items[1].ItemFile, path);

    WashItem back(path, "Browser");
    EXPECT_EQ(back.Property.ItemName + back.Property.ItemFile, "Browser" + path);
    EXPECT_FALSE(back.Property.IsActive);
    EXPECT_TRUE(back.Property.IsSpecial);
    ASSERT_EQ(back.FolderEntries.Count(), 2);
    ASSERT_EQ(back.RegistryEntries.Count(), 2);
    EXPECT_EQ(Fields(back.FolderEntries.Items[0]), Fields(item.FolderEntries.Items[0]));
    item.FolderEntries.Items[1].FolderMask.resize(2047);  // values are read back cut to 2047 characters
    EXPECT_EQ(Fields(back.FolderEntries.Items[1]), Fields(item.FolderEntries.Items[1]));
    EXPECT_EQ(Fields(back.RegistryEntries.Items[0]), Fields(item.RegistryEntries.Items[0]));
    EXPECT_EQ(Fields(back.RegistryEntries.Items[1]), Fields(item.RegistryEntries.Items[1]));
}

TEST(WashItemModel, AddToMissingFileWritesCommonFirstAndKeysInOrder) {
    TempDir dir;
    std::string path = dir.Path() + "new.txt";
    WashItem item;
    item.FolderEntries.Add(Folder("F", CategoryFolderMask));
    item.RegistryEntries.Add(Register("R", CleanWholeKey));
    item.AddToFile(path, "Item A", true);

    EXPECT_EQ(ReadTextFile(path),
              "[Common]\r\nTotal=1\r\nItem0=Item A\r\n"
              "[Item A]\r\nIsActive=1\r\nIsSpecial=0\r\ntFolder.Total=1\r\n"
              "tFolder0.ChildItemName=F\r\ntFolder0.isactive=1\r\n"
              "tFolder0.deletepath={windows}\\Temp\\F\\*.tmp\r\n"
              "tFolder0.RegisterName=HKEY_CURRENT_USER\\Software\\F\r\n"
              "tFolder0.RegisterValueofName=F Path\r\ntFolder0.deletefilename=C:\\F.log\r\n"
              "tFolder0.bycategory=1\r\ntFolder0.IsIncludeSubfolder=1\r\n"
              "tRegister.Total=1\r\ntRegister0.ChildItemName=R\r\n"
              "tRegister0.RegisterKeyName=HKEY_CURRENT_USER\\Software\\R\r\n"
              "tRegister0.RegisterSingleValue=RValue\r\ntRegister0.isactive=1\r\n"
              "tRegister0.CleanRegisterType=0\r\n");
}

TEST(WashItemModel, MissingOrOddValuesReadAsDefaults) {
    TempDir dir;
    std::string path = dir.Path() + "odd.txt";
    WriteTextFile(path,
                  "[Odd]\r\nIsActive=no\r\nIsSpecial=$10\r\ntFolder.Total=0x6\r\n"
                  "tFolder0.bycategory=7\r\ntFolder1.bycategory=$2\r\ntFolder2.bycategory=abc\r\n"
                  "tFolder3.bycategory=-1\r\ntFolder4.bycategory=0X0\r\ntFolder5.bycategory=257\r\n"
                  "tFolder0.isactive=2\r\ntFolder1.isactive=yes\r\ntRegister.Total=-4\r\n"
                  "[Types]\r\ntRegister.Total=4\r\ntRegister0.CleanRegisterType=$1\r\n"
                  "tRegister1.CleanRegisterType=3\r\ntRegister2.CleanRegisterType=two\r\n"
                  "tRegister3.CleanRegisterType= 2 \r\n");

    WashItem odd(path, "Odd");
    EXPECT_TRUE(odd.Property.IsActive);  // not a number: the default
    EXPECT_TRUE(odd.Property.IsSpecial);
    ASSERT_EQ(odd.FolderEntries.Count(), 6);
    std::string categories;
    for (const auto& e : odd.FolderEntries.Items) categories += std::to_string(e.Category);
    EXPECT_EQ(categories, "021000");
    EXPECT_TRUE(odd.FolderEntries.Items[0].IsActive);
    EXPECT_FALSE(odd.FolderEntries.Items[1].IsActive);
    EXPECT_EQ(Fields(odd.FolderEntries.Items[2]), "|0|1|||||0 @" + path + "[Odd]2");
    EXPECT_EQ(odd.RegistryEntries.Count(), 0);

    WashItem types(path, "Types");
    std::string kinds;
    for (const auto& e : types.RegistryEntries.Items) kinds += std::to_string(e.CleanType);
    EXPECT_EQ(kinds, "1002");
    EXPECT_EQ(Fields(types.RegistryEntries.Items[1]), "|||0|0 @" + path + "[Types]1");

    WashItem missing(path, "Nowhere");
    EXPECT_TRUE(missing.Property.IsActive);
    EXPECT_FALSE(missing.Property.IsSpecial);
    EXPECT_EQ(missing.FolderEntries.Count() + missing.RegistryEntries.Count(), 0);
    WashItem noFile(dir.Path() + "absent.txt", "Odd");
    EXPECT_EQ(noFile.FolderEntries.Count(), 0);
    EXPECT_FALSE(FileExists(dir.Path() + "absent.txt"));
}

TEST(WashItemModel, DeleteRenumbersAndLeavesOldKeysBehind) {
    TempDir dir;
    std::string path = dir.Path() + "user.txt";
    WashItem item;
    for (auto category : {CategoryRegistryFolder, CategoryFolderMask, CategorySingleFile})
        item.FolderEntries.Add(Folder(std::string(1, char('0' + category)), category));
    item.AddToFile(path, "Item", true);

    item.FolderEntries.Delete(3);
    item.FolderEntries.Delete(-1);
    ASSERT_EQ(item.FolderEntries.Count(), 3);
    item.FolderEntries.Delete(1);
    ASSERT_EQ(item.FolderEntries.Count(), 2);
    EXPECT_EQ(item.FolderEntries.Items[1].Name, "2");
    EXPECT_EQ(item.FolderEntries.Items[1].Index, 1);
    item.FolderEntries.Save();

    ProfileFile file(path);
    EXPECT_EQ(file.ReadString("Item", "tFolder.Total"), "2");
    EXPECT_EQ(file.ReadString("Item", "tFolder2.ChildItemName"), "2");  // left over
    WashItem back(path, "Item");
    ASSERT_EQ(back.FolderEntries.Count(), 2);
    EXPECT_EQ(Fields(back.FolderEntries.Items[1]), Fields(item.FolderEntries.Items[1]));

    // A new entry made at the old number inherits what the longer list left there.
    FolderEntry inherited(path, 2, "Item");
    EXPECT_EQ(inherited.Category, CategorySingleFile);
    EXPECT_EQ(Fields(FolderEntry(path, 3, "Item")), "|0|1|||||0 @" + path + "[Item]3");
}

TEST(WashItemModel, AddAndReplaceNumberByPosition) {
    RegistryEntryList list;
    RegistryEntry entry = Register("A", CleanAllValues);
    entry.Index = 42;
    list.Add(entry);
    list.Add(entry);
    EXPECT_EQ(list.Items[1].Index, 1);
    EXPECT_EQ(entry.Index, 42);  // the caller's object is untouched

    RegistryEntry other = Register("B", CleanSingleValue);
    other.Index = 7;
    list.Replace(other, 2);
    list.Replace(other, -1);
    list.Replace(other, 1);
    other.Index = 1;
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(Fields(list.Items[1]), Fields(other));
    EXPECT_EQ(list.Items[0].Name, "A");

    list.Delete(0);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Items[0].Name, "B");
    EXPECT_EQ(list.Items[0].Index, 0);
}
