// The wash item model on real files: entries, entry lists and item flags.
#include <gtest/gtest.h>

#include "catalogue/WashItem.h"
#include "platform/Profile.h"
#include "tests/support/TempDir.h"

namespace {

tChildFolder MakeFolder(const std::string& name, FolderCategory category) {
    tChildFolder entry;
    entry.ChildItemName = name;
    entry.isactive = true;
    entry.bycategory = category;
    entry.RegisterName = "HKEY_CURRENT_USER\\Software\\" + name;
    entry.RegisterValueofName = name + " Path";
    entry.deletepath = "{windows}\\Temp\\" + name + "\\*.tmp";
    entry.deletefilename = "C:\\" + name + ".log";
    entry.IsIncludeSubfolder = true;
    return entry;
}

tChildRegister MakeRegister(const std::string& name, RegisterCleanType type) {
    tChildRegister entry;
    entry.ChildItemName = name;
    entry.RegisterKeyName = "HKEY_CURRENT_USER\\Software\\" + name;
    entry.RegisterSingleValue = name + "Value";
    entry.CleanRegisterType = type;
    entry.isactive = true;
    return entry;
}

void ExpectSameFolder(const tChildFolder& a, const tChildFolder& b) {
    EXPECT_EQ(a.ChildItemName, b.ChildItemName);
    EXPECT_EQ(a.isactive, b.isactive);
    EXPECT_EQ(a.bycategory, b.bycategory);
    EXPECT_EQ(a.RegisterName, b.RegisterName);
    EXPECT_EQ(a.RegisterValueofName, b.RegisterValueofName);
    EXPECT_EQ(a.deletepath, b.deletepath);
    EXPECT_EQ(a.deletefilename, b.deletefilename);
    EXPECT_EQ(a.IsIncludeSubfolder, b.IsIncludeSubfolder);
}

void ExpectSameRegister(const tChildRegister& a, const tChildRegister& b) {
    EXPECT_EQ(a.ChildItemName, b.ChildItemName);
    EXPECT_EQ(a.RegisterKeyName, b.RegisterKeyName);
    EXPECT_EQ(a.RegisterSingleValue, b.RegisterSingleValue);
    EXPECT_EQ(a.CleanRegisterType, b.CleanRegisterType);
    EXPECT_EQ(a.isactive, b.isactive);
}

}  // namespace

TEST(WashItemModel, ItemWithEntriesSurvivesWriteAndRead) {
    TempDir dir;
    std::string path = dir.Path() + "user.txt";
    tItemContent item;
    item.Property.IsSpecial = true;
    item.Folders.Add(MakeFolder("Alpha", CategoryRegistryFolder));
    item.Folders.Add(MakeFolder("Beta", CategorySingleFile));
    item.Registers.Add(MakeRegister("Gamma", CleanSingleValue));
    item.Registers.Add(MakeRegister("Delta", CleanAllValues));
    item.AddToFile(path, "Browser", false);

    tItemContent back(path, "Browser");
    EXPECT_EQ(back.Property.ItemName, "Browser");
    EXPECT_EQ(back.Property.txtfilename, path);
    EXPECT_FALSE(back.Property.IsActive);
    EXPECT_TRUE(back.Property.IsSpecial);
    ASSERT_EQ(back.Folders.Count(), 2);
    ASSERT_EQ(back.Registers.Count(), 2);
    for (int i = 0; i < 2; ++i) {
        ExpectSameFolder(back.Folders.Items[i], item.Folders.Items[i]);
        ExpectSameRegister(back.Registers.Items[i], item.Registers.Items[i]);
        EXPECT_EQ(back.Folders.Items[i].Index, i);
        EXPECT_EQ(back.Registers.Items[i].txtfilename, path);
        EXPECT_EQ(back.Registers.Items[i].ItemName, "Browser");
    }
}

TEST(WashItemModel, AddToMissingFileWritesCommonFirstAndKeysInOrder) {
    TempDir dir;
    std::string path = dir.Path() + "new.txt";
    tItemContent item;
    item.Folders.Add(MakeFolder("F", CategoryFolderMask));
    item.Registers.Add(MakeRegister("R", CleanWholeKey));
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

TEST(WashItemModel, MissingSectionAndKeysGiveDefaults) {
    TempDir dir;
    std::string path = dir.Path() + "system.txt";
    WriteTextFile(path,
                  "[Common]\r\nTotal=1\r\nItem0=Other\r\n"
                  "[Sparse]\r\ntFolder.Total=1\r\ntRegister.Total=1\r\n");

    tItemContent missing(path, "Nowhere");
    EXPECT_TRUE(missing.Property.IsActive);
    EXPECT_FALSE(missing.Property.IsSpecial);
    EXPECT_EQ(missing.Folders.Count(), 0);
    EXPECT_EQ(missing.Registers.Count(), 0);

    tItemContent sparse(path, "Sparse");
    ASSERT_EQ(sparse.Folders.Count(), 1);
    ASSERT_EQ(sparse.Registers.Count(), 1);
    ExpectSameFolder(sparse.Folders.Items[0], tChildFolder());
    EXPECT_EQ(sparse.Folders.Items[0].bycategory, CategoryFolderMask);
    ExpectSameRegister(sparse.Registers.Items[0], tChildRegister());
    EXPECT_EQ(sparse.Registers.Items[0].CleanRegisterType, CleanWholeKey);

    tItemContent noFile(dir.Path() + "absent.txt", "Sparse");
    EXPECT_TRUE(noFile.Property.IsActive);
    EXPECT_EQ(noFile.Folders.Count(), 0);
    EXPECT_FALSE(FileExists(dir.Path() + "absent.txt"));
}

TEST(WashItemModel, StoredNumbersAndFlagsParseOrFallBack) {
    TempDir dir;
    std::string path = dir.Path() + "odd.txt";
    WriteTextFile(path,
                  "[Odd]\r\nIsActive=no\r\nIsSpecial=$10\r\ntFolder.Total=0x6\r\n"
                  "tFolder0.bycategory=7\r\ntFolder1.bycategory=$2\r\ntFolder2.bycategory=abc\r\n"
                  "tFolder3.bycategory=-1\r\ntFolder4.bycategory=0X0\r\ntFolder5.bycategory=256\r\n"
                  "tFolder0.isactive=2\r\ntFolder1.isactive=yes\r\ntFolder2.isactive=0x0\r\n"
                  "tRegister.Total=-4\r\n"
                  "[Types]\r\ntRegister.Total=4\r\ntRegister0.CleanRegisterType=$1\r\n"
                  "tRegister1.CleanRegisterType=3\r\ntRegister2.CleanRegisterType=two\r\n"
                  "tRegister3.CleanRegisterType= 2 \r\n");

    tItemContent odd(path, "Odd");
    EXPECT_TRUE(odd.Property.IsActive);  // not a number: default
    EXPECT_TRUE(odd.Property.IsSpecial);
    ASSERT_EQ(odd.Folders.Count(), 6);
    EXPECT_EQ(odd.Folders.Items[0].bycategory, CategoryRegistryFolder);
    EXPECT_EQ(odd.Folders.Items[1].bycategory, CategorySingleFile);
    EXPECT_EQ(odd.Folders.Items[2].bycategory, CategoryFolderMask);
    EXPECT_EQ(odd.Folders.Items[3].bycategory, CategoryRegistryFolder);
    EXPECT_EQ(odd.Folders.Items[4].bycategory, CategoryRegistryFolder);
    EXPECT_EQ(odd.Folders.Items[5].bycategory, CategoryRegistryFolder);
    EXPECT_TRUE(odd.Folders.Items[0].isactive);
    EXPECT_FALSE(odd.Folders.Items[1].isactive);
    EXPECT_FALSE(odd.Folders.Items[2].isactive);
    EXPECT_EQ(odd.Registers.Count(), 0);

    tItemContent types(path, "Types");
    ASSERT_EQ(types.Registers.Count(), 4);
    EXPECT_EQ(types.Registers.Items[0].CleanRegisterType, CleanAllValues);
    EXPECT_EQ(types.Registers.Items[1].CleanRegisterType, CleanWholeKey);
    EXPECT_EQ(types.Registers.Items[2].CleanRegisterType, CleanWholeKey);
    EXPECT_EQ(types.Registers.Items[3].CleanRegisterType, CleanSingleValue);
}

TEST(WashItemModel, LongValuesAreCutTo2047Characters) {
    TempDir dir;
    std::string path = dir.Path() + "long.txt";
    tItemContent item;
    tChildFolder entry = MakeFolder("Long", CategoryFolderMask);
    entry.deletepath = std::string(2000, 'a') + std::string(1000, 'b');
    item.Folders.Add(entry);
    item.AddToFile(path, "Long", true);

    tItemContent back(path, "Long");
    ASSERT_EQ(back.Folders.Count(), 1);
    EXPECT_EQ(back.Folders.Items[0].deletepath, entry.deletepath.substr(0, 2047));
    EXPECT_EQ(back.Folders.Items[0].ChildItemName, "Long");
}

TEST(WashItemModel, DeleteRenumbersAndLeavesOldKeysBehind) {
    TempDir dir;
    std::string path = dir.Path() + "user.txt";
    tItemContent item;
    item.Folders.Add(MakeFolder("Zero", CategoryRegistryFolder));
    item.Folders.Add(MakeFolder("One", CategoryFolderMask));
    item.Folders.Add(MakeFolder("Two", CategorySingleFile));
    item.AddToFile(path, "Item", true);

    item.Folders.Delete(3);
    item.Folders.Delete(-1);
    ASSERT_EQ(item.Folders.Count(), 3);
    item.Folders.Delete(1);
    ASSERT_EQ(item.Folders.Count(), 2);
    EXPECT_EQ(item.Folders.Items[0].ChildItemName, "Zero");
    EXPECT_EQ(item.Folders.Items[1].ChildItemName, "Two");
    EXPECT_EQ(item.Folders.Items[0].Index, 0);
    EXPECT_EQ(item.Folders.Items[1].Index, 1);
    item.Folders.Save();

    ProfileFile file(path);
    EXPECT_EQ(file.ReadInteger("Item", "tFolder.Total", -1), 2);
    EXPECT_EQ(file.ReadString("Item", "tFolder1.ChildItemName"), "Two");
    EXPECT_EQ(file.ReadString("Item", "tFolder2.ChildItemName"), "Two");  // left over

    tItemContent back(path, "Item");
    ASSERT_EQ(back.Folders.Count(), 2);
    ExpectSameFolder(back.Folders.Items[1], item.Folders.Items[1]);

    // A new entry created at the old number inherits what the longer list left there.
    tChildFolder inherited(path, 2, "Item");
    EXPECT_EQ(inherited.ChildItemName, "Two");
    EXPECT_EQ(inherited.bycategory, CategorySingleFile);
    tChildFolder fresh(path, 3, "Item");
    ExpectSameFolder(fresh, tChildFolder());
    EXPECT_EQ(fresh.Index, 3);
}

TEST(WashItemModel, AddAndReplaceNumberByPosition) {
    tRegister list;
    tChildRegister entry = MakeRegister("A", CleanAllValues);
    entry.Index = 42;
    entry.txtfilename = "x.txt";
    list.Add(entry);
    list.Add(entry);
    EXPECT_EQ(list.Items[0].Index, 0);
    EXPECT_EQ(list.Items[1].Index, 1);
    EXPECT_EQ(list.Items[1].txtfilename, "x.txt");
    EXPECT_EQ(entry.Index, 42);  // the caller's object is untouched

    tChildRegister other = MakeRegister("B", CleanSingleValue);
    other.Index = 7;
    list.Replace(other, 1);
    list.Replace(other, 2);
    list.Replace(other, -1);
    ASSERT_EQ(list.Count(), 2);
    ExpectSameRegister(list.Items[1], other);
    EXPECT_EQ(list.Items[1].Index, 1);
    EXPECT_EQ(list.Items[0].ChildItemName, "A");

    list.Delete(0);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Items[0].ChildItemName, "B");
    EXPECT_EQ(list.Items[0].Index, 0);
}

TEST(WashItemModel, SetLocationBindsEveryPart) {
    tItemContent item;
    item.Folders.Add(MakeFolder("F", CategoryFolderMask));
    item.Registers.Add(MakeRegister("R", CleanWholeKey));
    item.Registers.Add(MakeRegister("S", CleanWholeKey));
    item.SetLocation("C:\\p\\user.txt", "Named");
    for (const std::string* text : {&item.Property.txtfilename, &item.Folders.txtfilename,
                                    &item.Registers.txtfilename, &item.Folders.Items[0].txtfilename,
                                    &item.Registers.Items[1].txtfilename})
        EXPECT_EQ(*text, "C:\\p\\user.txt");
    for (const std::string* text : {&item.Property.ItemName, &item.Folders.ItemName, &item.Registers.ItemName,
                                    &item.Folders.Items[0].ItemName, &item.Registers.Items[1].ItemName})
        EXPECT_EQ(*text, "Named");
}
