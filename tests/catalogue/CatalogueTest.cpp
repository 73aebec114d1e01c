// The catalogue list: reading wash item files and the order file, writing the order file,
// moving rows and merging the found items with the saved order.
#include <gtest/gtest.h>
#include <windows.h>

#include "catalogue/Catalogue.h"
#include "platform/Profile.h"
#include "tests/support/TempDir.h"

namespace {

CatalogueRow Row(const std::string& name, const std::string& file, bool active = true, bool special = false) {
    CatalogueRow row;
    row.ItemName = name;
    row.ItemFile = file;
    row.IsActive = active;
    row.IsSpecial = special;
    return row;
}

// name@file:flags for each row, e.g. "A@sys:1,0".
std::string Describe(const Catalogue& list) {
    std::string text;
    for (const auto& row : list.Items) {
        if (!text.empty()) text += " ";
        text += row.ItemName + "@" + row.ItemFile + ":" + (row.IsActive ? "1" : "0") + (row.IsSpecial ? "1" : "0");
    }
    return text;
}

Catalogue ListOf(std::initializer_list<CatalogueRow> rows) {
    Catalogue list;
    for (const auto& row : rows) list.Append(row);
    return list;
}

}  // namespace

TEST(Catalogue, LoadsBareNamesOfAWashItemFile) {
    TempDir dir;
    std::string path = dir.Path() + "system.txt";
    WriteTextFile(path,
                  "[Common]\r\nTotal=$5\r\nItem0=Alpha\r\nItem1=   \r\n ITEM2 = Beta \r\nItem4=Gamma\r\n"
                  "Item5=Beyond\r\nItem03=Padded\r\n"
                  "[Beta]\r\nIsActive=0\r\nIsSpecial=1\r\n[Gamma]\r\nIsActive=junk\r\n");
    Catalogue list;
    list.Append(Row("Kept", "before.txt", false));
    list.LoadFromFile(path);
    list.LoadFromFile(dir.Path() + "missing.txt");
    EXPECT_EQ(Describe(list), "Kept@before.txt:00 Alpha@" + path + ":10 Beta@" + path + ":01 Gamma@" + path + ":10");

    WriteTextFile(path, "[Common]\r\nTotal=-2\r\nItem0=Alpha\r\n");
    Catalogue none;
    none.LoadFromFile(path);
    EXPECT_EQ(none.Count(), 0);
}

TEST(Catalogue, HugeTotalReadsOnlyTheKeysThatExist) {
    TempDir dir;
    std::string path = dir.Path() + "plugin.txt";
    WriteTextFile(path, "[Common]\r\nTotal=2147483647\r\nItem0=A\r\nItem2000000000=B\r\n");
    Catalogue list;
    list.LoadFromFile(path);
    EXPECT_EQ(Describe(list), "A@" + path + ":10 B@" + path + ":10");
}

TEST(Catalogue, OrderFileSurvivesSaveAndLoad) {
    TempDir dir;
    std::string order = dir.Path() + "order.ini";
    Catalogue list = ListOf({Row("Alpha", "C:\\v\\const\\system.txt", false),
                              Row("Recycle Bin", "C:\\v\\const\\system.txt", true, true),
                              Row("Alpha", "C:\\v\\const\\user.txt"),
                              Row("Alpha", "C:\\v\\const\\system.txt", false),
                              Row("x<|>y", "C:\\v\\plugin\\p.txt", true)});
    list.SaveToFile(order);
    Catalogue back;
    back.LoadOrderFile(order);
    EXPECT_EQ(Describe(back), Describe(list));

    // A shorter save over the file leaves the old keys, which are not read.
    DeleteFileA(order.c_str());
    ListOf({Row("A", "C:\\v\\u.txt", false, true), Row("B", "C:\\v\\u.txt")}).SaveToFile(order);
    ListOf({Row("A", "C:\\v\\u.txt", false, true)}).SaveToFile(order);
    Catalogue shorter;
    shorter.LoadOrderFile(order);
    EXPECT_EQ(Describe(shorter), "A@C:\\v\\u.txt:01");
    EXPECT_EQ(ReadTextFile(order),
              "[Common]\r\nTotal=1\r\nItem0=A<|>C:\\v\\u.txt\r\nItem1=B<|>C:\\v\\u.txt\r\n"
              "[A<|>C:\\v\\u.txt]\r\ntxtfilename=C:\\v\\u.txt\r\nIsActive=0\r\nIsSpecial=1\r\n"
              "[B<|>C:\\v\\u.txt]\r\ntxtfilename=C:\\v\\u.txt\r\nIsActive=1\r\nIsSpecial=0\r\n");
}

// A value of a wash item file holding "<|>" names no item of that file: it is left out.
TEST(Catalogue, SeparatorInAnItemNameOfAWashItemFile) {
    TempDir dir;
    std::string path = dir.Path() + "user.txt";
    WriteTextFile(path,
                  "[Common]\r\nTotal=3\r\nItem0=a<|>b\r\nItem1=Row<|>C:\\x.txt\r\nItem2=<|>C:\\y.txt\r\n"
                  "[a<|>b]\r\nIsActive=0\r\n"
                  "[Row<|>C:\\x.txt]\r\ntxtfilename=C:\\x.txt\r\nIsSpecial=1\r\n"
                  "[<|>C:\\y.txt]\r\ntxtfilename=C:\\y.txt\r\n");
    Catalogue list;
    list.LoadFromFile(path);
    EXPECT_EQ(Describe(list), "");
}

TEST(Catalogue, ContainsComparesNameAndFileExactly) {
    Catalogue list = ListOf({Row("Temp", "C:\\v\\const\\system.txt")});
    EXPECT_TRUE(list.Contains(Row("Temp", "C:\\v\\const\\system.txt", false, true)));
    EXPECT_FALSE(list.Contains(Row("temp", "C:\\v\\const\\system.txt")));
    EXPECT_FALSE(list.Contains(Row("Temp", "C:\\V\\const\\system.txt")));
    EXPECT_FALSE(list.Contains(Row("Temp", "C:\\v\\const\\user.txt")));

    list.Append(Row("", "C:\\v\\const\\system.txt"));
    EXPECT_EQ(list.Count(), 1);
}

TEST(Catalogue, MovingRowsStopsAtTheEnds) {
    Catalogue list = ListOf({Row("A", "f", true), Row("B", "f", false, true), Row("C", "g")});
    list.MoveUp(0);
    list.MoveDown(2);
    list.MoveUp(3);
    list.MoveDown(-1);
    EXPECT_EQ(Describe(list), "A@f:10 B@f:01 C@g:10");
    list.MoveUp(1);
    EXPECT_EQ(Describe(list), "B@f:01 A@f:10 C@g:10");
    list.MoveDown(1);
    EXPECT_EQ(Describe(list), "B@f:01 C@g:10 A@f:10");
}

TEST(Catalogue, MergePutsOrderedRowsFirstAndNewRowsAfter) {
    Catalogue found = ListOf({Row("Temp", "sys", true), Row("Cookies", "sys", true), Row("Temp", "user", true),
                               Row("New", "user", false), Row("Plug", "plugin\\a.txt", true),
                               Row("Temp", "sys", true)});
    Catalogue order = ListOf({Row("Plug", "plugin\\a.txt", false), Row("Gone", "sys", true),
                               Row("Temp", "sys", false, true), Row("temp", "user", true),
                               Row("Temp", "SYS", true), Row("Plug", "plugin\\a.txt", true)});
    Catalogue catalogue = ListOf({Row("Old", "sys")});
    MergeCatalogue(catalogue, found, order);
    // The order file gives the checks; whether an item is special, its own file says.
    EXPECT_EQ(Describe(catalogue),
              "Plug@plugin\\a.txt:00 Temp@sys:00 Plug@plugin\\a.txt:10 "
              "Cookies@sys:10 Temp@user:10 New@user:00");

    MergeCatalogue(catalogue, found, Catalogue());
    EXPECT_EQ(Describe(catalogue), "Temp@sys:10 Cookies@sys:10 Temp@user:10 New@user:00 Plug@plugin\\a.txt:10");
    MergeCatalogue(catalogue, Catalogue(), order);
    EXPECT_EQ(catalogue.Count(), 0);
}
