#include <gtest/gtest.h>

#include "catalogue/ListUtils.h"

namespace {
using Texts = std::vector<std::string>;

Texts Rows(HWND box) {
    Texts rows;
    char text[256];
    for (int i = 0; i < SendMessageA(box, LB_GETCOUNT, 0, 0); ++i) {
        SendMessageA(box, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        rows.push_back(text);
    }
    return rows;
}

int Selected(HWND box) { return static_cast<int>(SendMessageA(box, LB_GETCURSEL, 0, 0)); }
}  // namespace

TEST(ListUtils, MoveItemExchangesWithNeighbour) {
    HWND box = CreateWindowExA(0, "LISTBOX", "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(box, nullptr);
    for (const char* row : {"one", "two", "three"}) SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row));
    MoveItemUp(box);  // no selection: nothing happens
    MoveItemDown(box);
    EXPECT_EQ(Rows(box), (Texts{"one", "two", "three"}));

    SendMessageA(box, LB_SETCURSEL, 1, 0);
    MoveItemUp(box);
    EXPECT_EQ(Rows(box), (Texts{"two", "one", "three"}));
    EXPECT_EQ(Selected(box), 0);
    MoveItemUp(box);  // the first row stays, selected
    EXPECT_EQ(Rows(box), (Texts{"two", "one", "three"}));
    EXPECT_EQ(Selected(box), 0);

    MoveItemDown(box);
    MoveItemDown(box);
    MoveItemDown(box);  // the last row stays, selected
    EXPECT_EQ(Rows(box), (Texts{"one", "three", "two"}));
    EXPECT_EQ(Selected(box), 2);
    DestroyWindow(box);
}

TEST(ListUtils, TextTestsAndCheckAll) {
    EXPECT_FALSE(ListHasText(Texts{}, "x"));
    EXPECT_FALSE(ListHasTextElsewhere(Texts{"Temp"}, "Temp", 0));
    Texts names{"Temp Files", " Cookies ", "History"};
    EXPECT_TRUE(ListHasText(names, "temp files "));
    EXPECT_FALSE(ListHasText(names, "Temp"));
    EXPECT_FALSE(ListHasTextElsewhere(names, "cookies", 1));
    EXPECT_TRUE(ListHasTextElsewhere(names, "COOKIES", 0));

    CheckListModel list;
    list.Add("Temp Files");
    list.Add("History");
    EXPECT_TRUE(ListHasText(list, " HISTORY"));
    EXPECT_FALSE(ListHasTextElsewhere(list, "history", 1));
    CheckAll(list, 1);
    EXPECT_TRUE(list.Checked(0) && list.Checked(1));
}
