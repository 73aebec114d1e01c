// The main window by keyboard: Escape leaves it open, the space bar toggles a check list row,
// Tab walks the controls from the toolbar down to the lists; Escape closes a dialog.
#include "tests/app/MainWashFixture.h"

#include "dialogs/UnitPreviewAll.h"
#include "dialogs/UnitPreviewAllRes.h"

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
    HWND list = form->Control(IDC_ChListBoxItem);
    SetFocus(list);
    EXPECT_TRUE(PressThroughLoop(form->Handle(), list, VK_ESCAPE));
    PumpMessages();
    ASSERT_NE(form->Handle(), nullptr);
    EXPECT_TRUE(IsWindow(form->Handle()));

    SelectItem(1);
    ASSERT_FALSE(form->ChListBoxItem.Checked(1));
    int toggled = -1;
    form->ChListBoxItem.OnClickCheck = [&](int row) { toggled = row; };
    SendMessageA(list, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(form->ChListBoxItem.Checked(1));
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
    EXPECT_EQ(order.front(), IDC_btnsetting);
    EXPECT_LT(position(IDC_SpeedButton17), position(IDC_ChListBoxItem));
    EXPECT_LT(position(IDC_ChListBoxItem), position(IDC_btnUnselectAll));
    EXPECT_LT(position(IDC_btnUnselectAll), position(IDC_ChListBoxFolder));
    EXPECT_LT(position(IDC_ChListBoxFolder), position(IDC_ChListBoxRegister));
    EXPECT_EQ(order.back(), IDC_btndeleteregister);
}

TEST_F(MainWashTest, EscapeClosesADialogAsCancel) {
    TFormPreviewAll dialog;
    int result = -1;
    RunWithDriver([&] { result = dialog.ShowModal(nullptr); },
                  [&](UiDriver& driver) {
                      HWND window = driver.WaitForWindow("#32770", "Preview All Wash Item Checked");
                      ASSERT_NE(window, nullptr);
                      HWND focus = GetDlgItem(window, IDC_PreviewAll_SpeedButton2);
                      PostMessageA(focus, WM_KEYDOWN, VK_ESCAPE, 0);
                      EXPECT_TRUE(driver.WaitGone(window));
                  });
    EXPECT_EQ(result, mrCancel);
}
