// The main window by keyboard: Escape leaves it open, the space bar toggles a check list row,
// Tab walks the controls from the toolbar down to the lists; Escape closes a dialog.
#include "tests/app/MainWashFixture.h"

#include "dialogs/PreviewAllDialog.h"
#include "dialogs/PreviewAllDialogRes.h"

#include <algorithm>

namespace {
// A key as the program's message loop hands it over: through IsDialogMessage of the window.
bool PressThroughLoop(HWND window, HWND target, WPARAM key) {
    MSG msg{target, WM_KEYDOWN, key, 0, 0, {}};
    return IsDialogMessageA(window, &msg);
}
}  // namespace

TEST_F(MainWashTest, EscapeLeavesTheMainWindowOpenSpaceTogglesTheSelectedRow) {
    Open();
    HWND list = form->Control(IDC_ItemList);
    SetFocus(list);
    EXPECT_TRUE(PressThroughLoop(form->Handle(), list, VK_ESCAPE));
    HandlePending();
    ASSERT_NE(form->Handle(), nullptr);
    EXPECT_TRUE(IsWindow(form->Handle()));

    SelectItem(1);
    ASSERT_FALSE(form->ItemList.Checked(1));
    int toggled = -1;
    form->ItemList.OnClickCheck = [&](int row) { toggled = row; };
    SendMessageA(list, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(form->ItemList.Checked(1));
    EXPECT_EQ(toggled, 1);
}

TEST_F(MainWashTest, TabGoesFromTheToolbarThroughTheListsInReadingOrder) {
    Open();
    HWND window = form->Handle();
    std::vector<int> order;
    HWND first = GetNextDlgTabItem(window, nullptr, FALSE);
    for (HWND at = first; at && (order.empty() || at != first); at = GetNextDlgTabItem(window, at, FALSE))
        order.push_back(GetDlgCtrlID(at));
    auto position = [&](int id) { return std::find(order.begin(), order.end(), id) - order.begin(); };
    EXPECT_EQ(order.front(), IDC_Preferences);
    EXPECT_LT(position(IDC_Exit), position(IDC_ItemList));
    EXPECT_LT(position(IDC_ItemList), position(IDC_UncheckAllItems));
    EXPECT_LT(position(IDC_UncheckAllItems), position(IDC_FolderList));
    EXPECT_LT(position(IDC_FolderList), position(IDC_RegistryList));
    EXPECT_EQ(order.back(), IDC_DeleteRegistryEntry);
}

TEST_F(MainWashTest, EscapeClosesADialogAsCancel) {
    PreviewAllDialog dialog;
    int result = RunDialog(dialog, "Preview All Wash Item Checked", [&](UiDriver&, HWND window) {
        HWND focus = GetDlgItem(window, IDC_PreviewAll_Close);
        PostMessageA(focus, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    EXPECT_EQ(result, mrCancel);
}
