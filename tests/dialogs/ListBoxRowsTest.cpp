// Rows of a plain list box moved up and down by the list editors' arrow buttons.
#include <gtest/gtest.h>

#include <windows.h>

#include "dialogs/ListBoxRows.h"

namespace {
using Texts = std::vector<std::string>;

int Selected(HWND box) { return static_cast<int>(SendMessageA(box, LB_GETCURSEL, 0, 0)); }
}  // namespace

TEST(ListBoxRows, MoveItemExchangesWithNeighbour) {
    HWND box = CreateWindowExA(0, "LISTBOX", "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(box, nullptr);
    for (const char* row : {"one", "two", "three"}) SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row));
    MoveItemUp(box);  // no selection: nothing happens
    MoveItemDown(box);
    EXPECT_EQ(ListBoxRows(box), (Texts{"one", "two", "three"}));

    SendMessageA(box, LB_SETCURSEL, 1, 0);
    MoveItemUp(box);
    EXPECT_EQ(ListBoxRows(box), (Texts{"two", "one", "three"}));
    EXPECT_EQ(Selected(box), 0);
    MoveItemUp(box);  // the first row stays, selected
    EXPECT_EQ(ListBoxRows(box), (Texts{"two", "one", "three"}));
    EXPECT_EQ(Selected(box), 0);

    MoveItemDown(box);
    MoveItemDown(box);
    MoveItemDown(box);  // the last row stays, selected
    EXPECT_EQ(ListBoxRows(box), (Texts{"one", "three", "two"}));
    EXPECT_EQ(Selected(box), 2);
    DestroyWindow(box);
}
