#include <gtest/gtest.h>

#include "catalogue/ListUtils.h"

namespace {
// A hidden list box holding the given rows.
class ListBox {
public:
    explicit ListBox(std::initializer_list<const char*> rows) {
        hwnd_ = CreateWindowExA(0, "LISTBOX", "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
        for (const char* row : rows) SendMessageA(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row));
    }
    ~ListBox() { DestroyWindow(hwnd_); }
    HWND Handle() const { return hwnd_; }
    void Select(int index) { SendMessageA(hwnd_, LB_SETCURSEL, index, 0); }
    int Selected() const { return static_cast<int>(SendMessageA(hwnd_, LB_GETCURSEL, 0, 0)); }
    std::vector<std::string> Rows() const {
        std::vector<std::string> rows;
        int count = static_cast<int>(SendMessageA(hwnd_, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char text[256] = {};
            SendMessageA(hwnd_, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
            rows.push_back(text);
        }
        return rows;
    }

private:
    HWND hwnd_;
};

using Rows = std::vector<std::string>;
}  // namespace

TEST(ListUtils, CheckAllSetsEveryRow) {
    CheckListModel list;
    int changes = 0;
    list.OnChanged = [&](int) { ++changes; };
    CheckAll(list, 1);
    EXPECT_EQ(changes, 0);
    list.Add("a", false);
    list.Add("b", true);
    list.Add("c", false);
    CheckAll(list, 1);
    for (int i = 0; i < list.Count(); ++i) EXPECT_TRUE(list.Checked(i)) << i;
    CheckAll(list, 0);
    for (int i = 0; i < list.Count(); ++i) EXPECT_FALSE(list.Checked(i)) << i;
    CheckAll(list, 2);  // only 1 means checked
    EXPECT_FALSE(list.Checked(0));
}

TEST(ListUtils, MoveItemExchangesWithNeighbour) {
    ListBox box({"one", "two", "three"});
    ASSERT_NE(box.Handle(), nullptr);
    MoveItemUp(box.Handle());  // no selection
    MoveItemDown(box.Handle());
    EXPECT_EQ(box.Rows(), (Rows{"one", "two", "three"}));

    box.Select(1);
    MoveItemUp(box.Handle());
    EXPECT_EQ(box.Rows(), (Rows{"two", "one", "three"}));
    EXPECT_EQ(box.Selected(), 0);
    MoveItemUp(box.Handle());  // first row stays first and selected
    EXPECT_EQ(box.Rows(), (Rows{"two", "one", "three"}));
    EXPECT_EQ(box.Selected(), 0);

    MoveItemDown(box.Handle());
    MoveItemDown(box.Handle());
    EXPECT_EQ(box.Rows(), (Rows{"one", "three", "two"}));
    EXPECT_EQ(box.Selected(), 2);
    MoveItemDown(box.Handle());  // last row stays last and selected
    EXPECT_EQ(box.Rows(), (Rows{"one", "three", "two"}));
    EXPECT_EQ(box.Selected(), 2);
}

TEST(ListUtils, TextTestsIgnoreBlanksAndCase) {
    Rows empty;
    EXPECT_FALSE(ListHasText(empty, "x"));
    EXPECT_FALSE(ListHasTextElsewhere(Rows{"Temp"}, "Temp", 0));

    Rows names{"Temp Files", " Cookies ", "History"};
    EXPECT_TRUE(ListHasText(names, "temp files "));
    EXPECT_TRUE(ListHasText(names, "COOKIES"));
    EXPECT_FALSE(ListHasText(names, "Temp"));
    EXPECT_FALSE(ListHasTextElsewhere(names, "cookies", 1));
    EXPECT_TRUE(ListHasTextElsewhere(names, "cookies", 0));
    EXPECT_TRUE(ListHasTextElsewhere(names, "history", 1));
    EXPECT_FALSE(ListHasTextElsewhere(names, "History ", 2));

    CheckListModel list;
    list.Add("Temp Files");
    list.Add("History");
    EXPECT_TRUE(ListHasText(list, " HISTORY"));
    EXPECT_FALSE(ListHasTextElsewhere(list, "history", 1));
    EXPECT_TRUE(ListHasTextElsewhere(list, "temp files", 1));
}
