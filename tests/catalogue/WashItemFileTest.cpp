// Adding, rewriting and removing wash items in their wash item file.
#include <gtest/gtest.h>

#include "catalogue/WashItem.h"
#include "platform/Error.h"
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

std::string Listed(const ProfileFile& file) {
    std::string text = "Total=" + file.ReadString("Common", "Total");
    for (int k = 0; k < 4; ++k) text += ",Item" + std::to_string(k) + "=" + file.ReadString("Common", "Item" + std::to_string(k), "-");
    return text;
}

}  // namespace

TEST(WashItemFile, RewriteUnderSameNameDropsUnknownKeys) {
    TempDir dir;
    std::string path = WriteThreeItems(dir);
    tItemContent item(path, "B");
    item.Rewrite("B", true, 1);

    ProfileFile file(path);
    EXPECT_EQ(Listed(file), "Total=3,Item0=A,Item1=B,Item2=C,Item3=-");
    EXPECT_EQ(file.ReadString("B", "Unknown", "gone"), "gone");
    EXPECT_EQ(file.ReadString("B", "tFolder5.ChildItemName", "gone"), "gone");
    EXPECT_EQ(file.ReadString("B", "IsActive"), "1");
    tItemContent back(path, "B");
    EXPECT_TRUE(back.Property.IsSpecial);
    ASSERT_EQ(back.Folders.Count(), 1);
    EXPECT_EQ(back.Folders.Items[0].ChildItemName, "b0");
}

TEST(WashItemFile, RewriteUnderNewNameMovesSectionToEnd) {
    TempDir dir;
    std::string path = WriteThreeItems(dir);
    tItemContent item(path, "B");
    item.Rewrite("D", false, 1);

    EXPECT_EQ(item.Property.ItemName, "D");
    EXPECT_EQ(item.Folders.Items[0].ItemName, "D");
    ProfileFile file(path);
    EXPECT_EQ(Listed(file), "Total=3,Item0=A,Item1=D,Item2=C,Item3=-");
    EXPECT_FALSE(file.SectionExists("B"));
    std::string text = ReadTextFile(path);
    ASSERT_NE(text.find("[D]"), std::string::npos);
    EXPECT_GT(text.find("[D]"), text.find("[C]"));
    tItemContent back(path, "D");
    EXPECT_FALSE(back.Property.IsActive);
    ASSERT_EQ(back.Folders.Count(), 1);
    EXPECT_EQ(back.Folders.Items[0].ChildItemName, "b0");
}

TEST(WashItemFile, RemoveShiftsTheItemList) {
    TempDir dir;
    std::string path = WriteThreeItems(dir);
    tItemContent::RemoveFromFile(path, "A", 0);
    ProfileFile file(path);
    EXPECT_EQ(Listed(file), "Total=2,Item0=B,Item1=C,Item2=-,Item3=-");
    EXPECT_FALSE(file.SectionExists("A"));
    EXPECT_EQ(tItemContent(path, "C").Folders.Items.at(0).ChildItemName, "c0");

    tItemContent::RemoveFromFile(path, "C", 1);
    tItemContent::RemoveFromFile(path, "B", 0);
    EXPECT_EQ(Listed(file), "Total=0,Item0=-,Item1=-,Item2=-,Item3=-");
    EXPECT_FALSE(file.SectionExists("B"));
}

TEST(WashItemFile, AppendingAddsAtTheEndOfTheList) {
    TempDir dir;
    std::string path = WriteThreeItems(dir);
    tItemContent item(path, "A");
    item.AddToFile(path, "E", false);
    EXPECT_EQ(item.Property.ItemName, "E");
    ProfileFile file(path);
    EXPECT_EQ(Listed(file), "Total=4,Item0=A,Item1=B,Item2=C,Item3=E");
    tItemContent back(path, "E");
    EXPECT_FALSE(back.Property.IsActive);
    EXPECT_EQ(back.Folders.Items.at(0).ChildItemName, "a0");

    // An existing section of that name is written over, not erased.
    tItemContent empty;
    empty.AddToFile(path, "B", true);
    EXPECT_EQ(file.ReadString("B", "Unknown"), "x");
    EXPECT_EQ(tItemContent(path, "B").Folders.Count(), 0);
}

TEST(WashItemFile, RefusedWriteRaisesWithThePath) {
    TempDir dir;
    std::string path = dir.Path() + "no such folder\\user.txt";
    tItemContent item;
    try {
        item.AddToFile(path, "X", true);
        FAIL() << "no error raised";
    } catch (const AppError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + path);
    }
}

// A position that does not name the item, as a lookup that found nothing reports it, must
// not unlist another item.
TEST(WashItemFile, WrongPositionLeavesOtherItemsListed) {
    TempDir dir;
    std::string path = WriteThreeItems(dir);
    ProfileFile file(path);

    tItemContent::RemoveFromFile(path, "Ghost", 0);
    EXPECT_EQ(Listed(file), "Total=3,Item0=A,Item1=B,Item2=C,Item3=-");

    tItemContent ghost(path, "Ghost");
    ghost.Rewrite("Ghost2", true, 0);
    EXPECT_EQ(Listed(file), "Total=3,Item0=A,Item1=B,Item2=C,Item3=-");

    tItemContent::RemoveFromFile(path, "C", 7);
    EXPECT_EQ(Listed(file), "Total=3,Item0=A,Item1=B,Item2=C,Item3=-");
    EXPECT_TRUE(file.SectionExists("C"));
}

TEST(WashItemFile, RemovingFromAnEmptyListKeepsLaterAddsListed) {
    TempDir dir;
    std::string path = dir.Path() + "user.txt";
    tItemContent::RemoveFromFile(path, "A", 0);
    tItemContent item;
    item.AddToFile(path, "A", true);
    ProfileFile file(path);
    EXPECT_EQ(Listed(file), "Total=1,Item0=A,Item1=-,Item2=-,Item3=-");
    EXPECT_EQ(file.ReadString("Common", "Item-1", "-"), "-");
}

TEST(WashItemFile, SectionSharedByTwoPositionsIsKept) {
    TempDir dir;
    std::string path = dir.Path() + "user.txt";
    WriteTextFile(path,
                  "[Common]\r\nTotal=3\r\nItem0=A\r\nItem1=B\r\nItem2=a\r\n"
                  "[A]\r\ntFolder.Total=1\r\ntFolder0.ChildItemName=shared\r\n");
    ProfileFile file(path);

    tItemContent first(path, "A");
    first.Rewrite("Z", true, 0);
    EXPECT_EQ(Listed(file), "Total=3,Item0=Z,Item1=B,Item2=a,Item3=-");
    EXPECT_EQ(tItemContent(path, "a").Folders.Items.at(0).ChildItemName, "shared");

    tItemContent::RemoveFromFile(path, "a", 2);
    EXPECT_EQ(Listed(file), "Total=2,Item0=Z,Item1=B,Item2=-,Item3=-");
    EXPECT_FALSE(file.SectionExists("A"));
}

TEST(WashItemFile, HugeTotalDoesNotWriteAKeyPerNumber) {
    TempDir dir;
    std::string path = dir.Path() + "plugin.txt";
    WriteTextFile(path, "[Common]\r\nTotal=2147483647\r\nItem0=A\r\nItem1=B\r\n[A]\r\n[B]\r\n");
    tItemContent::RemoveFromFile(path, "A", 0);
    ProfileFile file(path);
    EXPECT_EQ(Listed(file), "Total=2147483646,Item0=B,Item1=,Item2=-,Item3=-");
    EXPECT_LT(ReadTextFile(path).size(), 200u);
}
