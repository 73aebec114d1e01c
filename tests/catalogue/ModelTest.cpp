// The wash item model on real files: entries, entry lists and item flags.
#include <gtest/gtest.h>

#include "catalogue/WashItem.h"
#include "platform/Profile.h"
#include "tests/support/TempDir.h"

namespace {

tChildFolder Folder(const std::string& name, FolderCategory category) {
    tChildFolder e;
    e.ChildItemName = name;
    e.isactive = true;
    e.bycategory = category;
    e.RegisterName = "HKEY_CURRENT_USER\\Software\\" + name;
    e.RegisterValueofName = name + " Path";
    e.deletepath = "{windows}\\Temp\\" + name + "\\*.tmp";
    e.deletefilename = "C:\\" + name + ".log";
    e.IsIncludeSubfolder = true;
    return e;
}

tChildRegister Register(const std::string& name, RegisterCleanType type) {
    tChildRegister e;
    e.ChildItemName = name;
    e.RegisterKeyName = "HKEY_CURRENT_USER\\Software\\" + name;
    e.RegisterSingleValue = name + "Value";
    e.CleanRegisterType = type;
    e.isactive = true;
    return e;
}

// Every stored field of an entry, and its binding, in one text.
std::string Fields(const tChildFolder& e) {
    return e.ChildItemName + "|" + std::to_string(e.isactive) + "|" + std::to_string(e.bycategory) + "|" +
           e.RegisterName + "|" + e.RegisterValueofName + "|" + e.deletepath + "|" + e.deletefilename + "|" +
           std::to_string(e.IsIncludeSubfolder) + " @" + e.txtfilename + "[" + e.ItemName + "]" +
           std::to_string(e.Index);
}

std::string Fields(const tChildRegister& e) {
    return e.ChildItemName + "|" + e.RegisterKeyName + "|" + e.RegisterSingleValue + "|" +
           std::to_string(e.CleanRegisterType) + "|" + std::to_string(e.isactive) + " @" + e.txtfilename + "[" +
           e.ItemName + "]" + std::to_string(e.Index);
}

}  // namespace

TEST(WashItemModel, ItemWithEntriesSurvivesWriteAndRead) {
    TempDir dir;
    std::string path = dir.Path() + "user.txt";
    tItemContent item;
    item.Property.IsSpecial = true;
    item.Folders.Add(Folder("Alpha", CategoryRegistryFolder));
    item.Folders.Add(Folder("Beta", CategorySingleFile));
    item.Folders.Items[1].deletepath = std::string(2000, 'a') + std::string(1000, 'b');
    item.Registers.Add(Register("Gamma", CleanSingleValue));
    item.Registers.Add(Register("Delta", CleanAllValues));
    item.AddToFile(path, "Browser", false);
    EXPECT_EQ(item.Folders.Items[1].txtfilename, path);

    tItemContent back(path, "Browser");
    EXPECT_EQ(back.Property.ItemName + back.Property.txtfilename, "Browser" + path);
    EXPECT_FALSE(back.Property.IsActive);
    EXPECT_TRUE(back.Property.IsSpecial);
    ASSERT_EQ(back.Folders.Count(), 2);
    ASSERT_EQ(back.Registers.Count(), 2);
    EXPECT_EQ(Fields(back.Folders.Items[0]), Fields(item.Folders.Items[0]));
    item.Folders.Items[1].deletepath.resize(2047);  // values are read back cut to 2047 characters
    EXPECT_EQ(Fields(back.Folders.Items[1]), Fields(item.Folders.Items[1]));
    EXPECT_EQ(Fields(back.Registers.Items[0]), Fields(item.Registers.Items[0]));
    EXPECT_EQ(Fields(back.Registers.Items[1]), Fields(item.Registers.Items[1]));
}

TEST(WashItemModel, AddToMissingFileWritesCommonFirstAndKeysInOrder) {
    TempDir dir;
    std::string path = dir.Path() + "new.txt";
    tItemContent item;
    item.Folders.Add(Folder("F", CategoryFolderMask));
    item.Registers.Add(Register("R", CleanWholeKey));
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

    tItemContent odd(path, "Odd");
    EXPECT_TRUE(odd.Property.IsActive);  // not a number: the default
    EXPECT_TRUE(odd.Property.IsSpecial);
    ASSERT_EQ(odd.Folders.Count(), 6);
    std::string categories;
    for (const auto& e : odd.Folders.Items) categories += std::to_string(e.bycategory);
    EXPECT_EQ(categories, "021000");
    EXPECT_TRUE(odd.Folders.Items[0].isactive);
    EXPECT_FALSE(odd.Folders.Items[1].isactive);
    EXPECT_EQ(Fields(odd.Folders.Items[2]), "|0|1|||||0 @" + path + "[Odd]2");
    EXPECT_EQ(odd.Registers.Count(), 0);

    tItemContent types(path, "Types");
    std::string kinds;
    for (const auto& e : types.Registers.Items) kinds += std::to_string(e.CleanRegisterType);
    EXPECT_EQ(kinds, "1002");
    EXPECT_EQ(Fields(types.Registers.Items[1]), "|||0|0 @" + path + "[Types]1");

    tItemContent missing(path, "Nowhere");
    EXPECT_TRUE(missing.Property.IsActive);
    EXPECT_FALSE(missing.Property.IsSpecial);
    EXPECT_EQ(missing.Folders.Count() + missing.Registers.Count(), 0);
    tItemContent noFile(dir.Path() + "absent.txt", "Odd");
    EXPECT_EQ(noFile.Folders.Count(), 0);
    EXPECT_FALSE(FileExists(dir.Path() + "absent.txt"));
}

TEST(WashItemModel, DeleteRenumbersAndLeavesOldKeysBehind) {
    TempDir dir;
    std::string path = dir.Path() + "user.txt";
    tItemContent item;
    for (auto category : {CategoryRegistryFolder, CategoryFolderMask, CategorySingleFile})
        item.Folders.Add(Folder(std::string(1, char('0' + category)), category));
    item.AddToFile(path, "Item", true);

    item.Folders.Delete(3);
    item.Folders.Delete(-1);
    ASSERT_EQ(item.Folders.Count(), 3);
    item.Folders.Delete(1);
    ASSERT_EQ(item.Folders.Count(), 2);
    EXPECT_EQ(item.Folders.Items[1].ChildItemName, "2");
    EXPECT_EQ(item.Folders.Items[1].Index, 1);
    item.Folders.Save();

    ProfileFile file(path);
    EXPECT_EQ(file.ReadString("Item", "tFolder.Total"), "2");
    EXPECT_EQ(file.ReadString("Item", "tFolder2.ChildItemName"), "2");  // left over
    tItemContent back(path, "Item");
    ASSERT_EQ(back.Folders.Count(), 2);
    EXPECT_EQ(Fields(back.Folders.Items[1]), Fields(item.Folders.Items[1]));

    // A new entry made at the old number inherits what the longer list left there.
    tChildFolder inherited(path, 2, "Item");
    EXPECT_EQ(inherited.bycategory, CategorySingleFile);
    EXPECT_EQ(Fields(tChildFolder(path, 3, "Item")), "|0|1|||||0 @" + path + "[Item]3");
}

TEST(WashItemModel, AddAndReplaceNumberByPosition) {
    tRegister list;
    tChildRegister entry = Register("A", CleanAllValues);
    entry.Index = 42;
    list.Add(entry);
    list.Add(entry);
    EXPECT_EQ(list.Items[1].Index, 1);
    EXPECT_EQ(entry.Index, 42);  // the caller's object is untouched

    tChildRegister other = Register("B", CleanSingleValue);
    other.Index = 7;
    list.Replace(other, 2);
    list.Replace(other, -1);
    list.Replace(other, 1);
    other.Index = 1;
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(Fields(list.Items[1]), Fields(other));
    EXPECT_EQ(list.Items[0].ChildItemName, "A");

    list.Delete(0);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Items[0].ChildItemName, "B");
    EXPECT_EQ(list.Items[0].Index, 0);
}
