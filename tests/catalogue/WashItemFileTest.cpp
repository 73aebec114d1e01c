// Adding, rewriting and removing wash items in their wash item file.
#include <gtest/gtest.h>

#include "catalogue/WashItem.h"
#include "platform/Profile.h"
#include "tests/support/TempDir.h"

namespace {

// A file with Item0=A, Item1=B, Item2=C, each with one folder/file entry named after it.
std::string WriteThreeItems(const TempDir& dir) {
    std::string path = dir.Path() + "user.txt";
    WriteTextFile(path,
                  "[Common]\r\nTotal=3\r\nItem0=A\r\nItem1=B\r\nItem2=C\r\n"
                  "[A]\r\nIsActive=1\r\ntFolder.Total=1\r\ntFolder0.ChildItemName=a0\r\n"
                  "[B]\r\nIsActive=0\r\nIsSpecial=1\r\nUnknown=x\r\ntFolder.Total=1\r\n"
                  "tFolder0.ChildItemName=b0\r\ntFolder5.ChildItemName=stale\r\n"
                  "[C]\r\ntFolder.Total=1\r\ntFolder0.ChildItemName=c0\r\n");
    return path;
}

// "Total" and Item0 to Item3 of "Common", "-" for a missing key.
std::string Listed(const std::string& path) {
    ProfileFile file(path);
    std::string text = file.ReadString("Common", "Total");
    for (const char* key : {"Item0", "Item1", "Item2", "Item3"}) {
        text += ',';
        text += file.ReadString("Common", key, "-");
    }
    return text;
}

std::string FirstFolderName(const std::string& path, const std::string& item) {
    WashItem content(path, item);
    return content.FolderEntries.Count() ? content.FolderEntries.Items[0].Name : "none";
}

}  // namespace

TEST(WashItemFile, RewriteUnderSameNameDropsUnknownKeys) {
    TempDir dir;
    std::string path = WriteThreeItems(dir);
    WashItem(path, "B").Rewrite("B", true, 1);

    ProfileFile file(path);
    EXPECT_EQ(Listed(path), "3,A,B,C,-");
    EXPECT_EQ(file.ReadString("B", "Unknown", "gone"), "gone");
    EXPECT_EQ(file.ReadString("B", "tFolder5.ChildItemName", "gone"), "gone");
    WashItem back(path, "B");
    EXPECT_TRUE(back.Property.IsActive);
    EXPECT_TRUE(back.Property.IsSpecial);
    EXPECT_EQ(FirstFolderName(path, "B"), "b0");
}

TEST(WashItemFile, RewriteUnderNewNameMovesSectionToEnd) {
    TempDir dir;
    std::string path = WriteThreeItems(dir);
    WashItem item(path, "B");
    item.Rewrite("D", false, 1);

    EXPECT_EQ(item.FolderEntries.Items[0].ItemName, "D");
    EXPECT_EQ(Listed(path), "3,A,D,C,-");
    std::string text = ReadTextFile(path);
    EXPECT_EQ(text.find("[B]"), std::string::npos);
    ASSERT_NE(text.find("[D]"), std::string::npos);
    EXPECT_GT(text.find("[D]"), text.find("[C]"));
    EXPECT_FALSE(WashItem(path, "D").Property.IsActive);
    EXPECT_EQ(FirstFolderName(path, "D"), "b0");
}

TEST(WashItemFile, RemoveShiftsTheItemList) {
    TempDir dir;
    std::string path = WriteThreeItems(dir);
    WashItem::RemoveFromFile(path, "A", 0);
    EXPECT_EQ(Listed(path), "2,B,C,-,-");
    EXPECT_FALSE(ProfileFile(path).SectionExists("A"));
    EXPECT_EQ(FirstFolderName(path, "C"), "c0");

    WashItem::RemoveFromFile(path, "C", 1);
    WashItem::RemoveFromFile(path, "B", 0);
    EXPECT_EQ(Listed(path), "0,-,-,-,-");

    // Removing from the empty list must not leave a negative total behind.
    WashItem::RemoveFromFile(path, "B", 0);
    WashItem().AddToFile(path, "E", true);
    EXPECT_EQ(Listed(path), "1,E,-,-,-");
}

// A position that does not name the item (a lookup that found nothing reports 0) must not
// unlist or rename another item.
TEST(WashItemFile, WrongPositionLeavesOtherItemsListed) {
    TempDir dir;
    std::string path = WriteThreeItems(dir);
    WashItem::RemoveFromFile(path, "Ghost", 0);
    WashItem(path, "Ghost").Rewrite("Ghost2", true, 0);
    WashItem::RemoveFromFile(path, "C", 7);
    EXPECT_EQ(Listed(path), "3,A,B,C,-");
    EXPECT_EQ(FirstFolderName(path, "C"), "c0");
}

// Two positions naming one section (letter case aside) share it; one leaving keeps it.
TEST(WashItemFile, SectionSharedByTwoPositionsIsKept) {
    TempDir dir;
    std::string path = dir.Path() + "user.txt";
    WriteTextFile(path,
                  "[Common]\r\nTotal=3\r\nItem0=A\r\nItem1=B\r\nItem2=a\r\n"
                  "[A]\r\ntFolder.Total=1\r\ntFolder0.ChildItemName=shared\r\n");
    WashItem(path, "A").Rewrite("Z", true, 0);
    EXPECT_EQ(Listed(path), "3,Z,B,a,-");
    EXPECT_EQ(FirstFolderName(path, "a"), "shared");

    WashItem::RemoveFromFile(path, "a", 2);
    EXPECT_EQ(Listed(path), "2,Z,B,-,-");
    EXPECT_FALSE(ProfileFile(path).SectionExists("A"));
}

TEST(WashItemFile, HugeTotalDoesNotWriteAKeyPerNumber) {
    TempDir dir;
    std::string path = dir.Path() + "plugin.txt";
    WriteTextFile(path, "[Common]\r\nTotal=2147483647\r\nItem0=A\r\nItem1=B\r\n[A]\r\n[B]\r\n");
    WashItem::RemoveFromFile(path, "A", 0);
    EXPECT_EQ(Listed(path), "2147483646,B,,-,-");
    EXPECT_LT(ReadTextFile(path).size(), 200u);
}
