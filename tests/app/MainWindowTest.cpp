#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "platform/DrawnIcons.h"
#include "tests/support/MainWindowFixture.h"

namespace {
// A program directory with two wash item files, made before the window is created.
class MainWindowTest : public MainWindowFixture {
protected:
    std::string SystemItems() const override {
        return "[Common]\r\nTotal=2\r\nItem0=Alpha\r\nItem1=Recycle Bin\r\n"
               "[Alpha]\r\nIsActive=1\r\ntFolder.Total=2\r\n"
               "tFolder0.ChildItemName=Temp files\r\ntFolder0.isactive=1\r\n"
               "tFolder1.ChildItemName=Logs\r\ntFolder1.isactive=0\r\n"
               "tRegister.Total=1\r\ntRegister0.ChildItemName=Run list\r\ntRegister0.isactive=1\r\n"
               "[Recycle Bin]\r\nIsActive=0\r\nIsSpecial=1\r\n";
    }
    void AddFiles() override {
        WriteTextFile(user, "[Common]\r\nTotal=1\r\nItem0=Gamma\r\n[Gamma]\r\nIsActive=1\r\n");
    }
    std::string Key(const std::string& name, const std::string& file) { return name + "<|>" + file; }
};
}  // namespace

TEST_F(MainWindowTest, WindowShapeCaptionAndBlankCounters) {
    MainWindow& main = Open();
    HWND window = main.Handle();
    char text[64];
    GetWindowTextA(window, text, sizeof(text));
    EXPECT_STREQ(text, "Varnolt  V1.02");
    GetClassNameA(window, text, sizeof(text));
    EXPECT_STREQ(text, "TFormMainVRNT");
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 566);
    EXPECT_EQ(client.bottom, 436);  // a line below the counters for the space freed
    LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_EQ(main.HelpContext, 58);
    for (int id : {IDC_FileSuccessCount, IDC_FileFailsCount, IDC_RegistrySuccessCount, IDC_RegistryFailsCount})
        EXPECT_EQ(main.ControlText(id), "");
    // Every picture button has its hint and an image.
    char hint[128];
    ASSERT_GT(LoadStringA(GetModuleHandleA(nullptr), IDC_WashChecked, hint, sizeof(hint)), 0);
    EXPECT_STREQ(hint, "Clean All Wash Items Checked");
    ASSERT_GT(LoadStringA(GetModuleHandleA(nullptr), IDC_AddRegistryEntry, hint, sizeof(hint)), 0);
    EXPECT_STREQ(hint, "Add Registry Entry Item");
    EXPECT_NE(DrawnIconOf(main.Control(IDC_WashChecked)), nullptr);
    CloseWindow();
}

// The window draws each picture button's icon over the button's face; while disabled, the icon's
// own shape in grey (not a grey square, nor its colours).
TEST_F(MainWindowTest, PictureButtonsShowTheirIconsEnabledAndGreyedWhenDisabled) {
    MainWindow& main = Open();
    HWND button = main.Control(IDC_WashChecked);
    RECT rc;
    GetClientRect(button, &rc);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, rc.right, rc.bottom);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    for (bool enabled : {true, false}) {
        EnableWindow(button, enabled);
        SendMessageA(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
        const COLORREF face = GetPixel(dc, 2, rc.bottom / 2);
        int inside = 0, differ = 0, coloured = 0;
        for (int y = 3; y < rc.bottom - 3; ++y)
            for (int x = 3; x < rc.right - 3; ++x, ++inside) {
                const COLORREF p = GetPixel(dc, x, y);
                differ += p != face;
                coloured += GetRValue(p) != GetGValue(p) || GetGValue(p) != GetBValue(p);
            }
        const char* state = enabled ? "enabled" : "disabled";
        EXPECT_GT(differ, 40) << state;
        if (!enabled) {
            EXPECT_EQ(coloured, 0);
            EXPECT_LT(differ, inside * 3 / 4);
        }
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    CloseWindow();
}

// The hints are added once the first screen is drawn: the buttons have them then.
TEST_F(MainWindowTest, ButtonsHaveTheirHintsOnceTheWindowIsShown) {
    MainWindow& main = Open();
    ShowWindow(main.Handle(), SW_SHOWNOACTIVATE);
    HandlePending();
    HWND tip = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), [](HWND w, LPARAM found) {
        char name[32];
        GetClassNameA(w, name, sizeof(name));
        if (lstrcmpiA(name, TOOLTIPS_CLASSA) != 0 || !GetWindow(w, GW_OWNER)) return TRUE;
        *reinterpret_cast<HWND*>(found) = w;
        return FALSE;
    }, reinterpret_cast<LPARAM>(&tip));
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(GetWindow(tip, GW_OWNER), main.Handle());
    const struct {
        int id;
        const wchar_t* hint;
    } rows[] = {{IDC_WashChecked, L"Clean All Wash Items Checked"}, {IDC_AddRegistryEntry, L"Add Registry Entry Item"}};
    for (const auto& row : rows) {
        wchar_t text[128] = L"";
        TOOLINFOW info{};
        info.cbSize = sizeof(info);
        info.hwnd = main.Handle();
        info.uId = reinterpret_cast<UINT_PTR>(main.Control(row.id));
        info.lpszText = text;
        SendMessageW(tip, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&info));
        EXPECT_STREQ(text, row.hint) << row.id;
    }
    CloseWindow();
}

TEST_F(MainWindowTest, ListsComeFromTheFilesWithOrderFileChecksAndPositions) {
    // The order file puts Gamma first and unchecks Alpha, whose own file says checked;
    // a row for a vanished item is dropped.
    WriteTextFile(dir.Path() + "order.ini",
                  "[Common]\r\nTotal=3\r\nItem0=" + Key("Gamma", user) + "\r\nItem1=" + Key("Gone", user) +
                      "\r\nItem2=" + Key("Alpha", system) + "\r\n[" + Key("Gamma", user) +
                      "]\r\ntxtfilename=" + user + "\r\nIsActive=1\r\n[" + Key("Gone", user) +
                      "]\r\ntxtfilename=" + user + "\r\n[" + Key("Alpha", system) + "]\r\ntxtfilename=" +
                      system + "\r\nIsActive=0\r\n");
    MainWindow& main = Open();
    EXPECT_EQ(Rows(main.ItemList), (Strings{"Gamma [x]", "Alpha [ ]", "Recycle Bin [ ]"}));
    EXPECT_EQ(main.ItemList.Selected(), 0);
    ASSERT_TRUE(main.HasCurrentItem());
    EXPECT_EQ(main.CurrentItem->Property.ItemName, "Gamma");
    EXPECT_EQ(main.FolderList.Count(), 0);

    SelectItem(1);
    EXPECT_EQ(Rows(main.FolderList), (Strings{"Temp files [x]", "Logs [ ]"}));
    EXPECT_EQ(Rows(main.RegistryList), (Strings{"Run list [x]"}));
    EXPECT_EQ(main.FolderList.Selected(), 0);
    EXPECT_EQ(main.RegistryList.Selected(), 0);
    CloseWindow();
}

TEST_F(MainWindowTest, PluginFilesFollowSystemAndUserItems) {
    WriteTextFile(dir.Path() + "plugin\\extra.txt", "[Common]\r\nTotal=1\r\nItem0=Plug\r\n");
    WriteTextFile(dir.Path() + "plugin\\notes.txt", "just some text\r\n");
    CreateDirectoryA((dir.Path() + "plugin\\deeper").c_str(), nullptr);
    WriteTextFile(dir.Path() + "plugin\\deeper\\hidden.txt", "[Common]\r\nTotal=1\r\nItem0=Deep\r\n");
    MainWindow& main = Open();
    EXPECT_EQ(Rows(main.ItemList), (Strings{"Alpha [x]", "Recycle Bin [ ]", "Gamma [x]", "Plug [x]"}));
    EXPECT_EQ(main.WashItems.Items[3].ItemFile, dir.Path() + "plugin\\extra.txt");
    CloseWindow();
}

TEST_F(MainWindowTest, SpecialItemsAreRedAndDisableExactlyTheTwelveEntryButtons) {
    MainWindow& main = Open();
    ASSERT_TRUE(main.ItemList.RowColours);
    COLORREF text = 0, back = 0;
    for (bool selected : {false, true}) {
        EXPECT_TRUE(main.ItemList.RowColours(1, selected, text, back));
        EXPECT_EQ(text, RGB(255, 0, 0));
        EXPECT_FALSE(main.ItemList.RowColours(0, selected, text, back));
    }

    const int twelve[] = {IDC_PreviewCurrentItem, IDC_EditItem, IDC_PreviewFolderEntry, IDC_WashFolderEntry,
                          IDC_EditFolderEntry, IDC_AddFolderEntry, IDC_DeleteFolderEntry, IDC_PreviewRegistryEntry,
                          IDC_WashRegistryEntry, IDC_AddRegistryEntry, IDC_EditRegistryEntry,
                          IDC_DeleteRegistryEntry};
    const int others[] = {IDC_WashCurrentItem, IDC_AddItem, IDC_DeleteItem, IDC_MoveItemUp, IDC_MoveItemDown, IDC_CheckAllItems,
                          IDC_UncheckAllItems, IDC_WashChecked, IDC_PreviewChecked, IDC_Preferences};
    SelectItem(1);
    for (int id : twelve) EXPECT_FALSE(main.ControlEnabled(id)) << id;
    for (int id : others) EXPECT_TRUE(main.ControlEnabled(id)) << id;
    SelectItem(0);
    for (int id : twelve) EXPECT_TRUE(main.ControlEnabled(id)) << id;
    CloseWindow();
}

TEST_F(MainWindowTest, TraySubmenuListsTheItemsWithTagsFromOneHundred) {
    MainWindow& main = Open();
    HMENU wash = main.WashMenu;
    ASSERT_EQ(GetMenuItemCount(wash), 5);
    char caption[128];
    GetMenuStringA(wash, 0, caption, sizeof(caption), MF_BYPOSITION);
    EXPECT_STREQ(caption, "Wash all checked item");
    EXPECT_TRUE(GetMenuState(wash, 1, MF_BYPOSITION) & MF_SEPARATOR);
    const char* names[] = {"Alpha", "Recycle Bin", "Gamma"};
    for (int i = 0; i < 3; ++i) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_DATA | MIIM_STATE | MIIM_STRING;
        info.dwTypeData = caption;
        info.cch = sizeof(caption);
        ASSERT_TRUE(GetMenuItemInfoA(wash, i + 2, TRUE, &info));
        EXPECT_STREQ(caption, names[i]);
        EXPECT_EQ(info.dwItemData, static_cast<ULONG_PTR>(100 + i));
        EXPECT_EQ((info.fState & MFS_CHECKED) != 0, main.ItemList.Checked(i));
    }
    // The top menu: open, separator, the submenu, wipe free space, cookies, separator, help, exit.
    ASSERT_EQ(GetMenuItemCount(main.TrayMenu), 8);
    EXPECT_EQ(GetSubMenu(main.TrayMenu, 2), wash);
    GetMenuStringA(main.TrayMenu, 3, caption, sizeof(caption), MF_BYPOSITION);
    EXPECT_STREQ(caption, "Wipe &Free Space...");
    GetMenuStringA(main.TrayMenu, 4, caption, sizeof(caption), MF_BYPOSITION);
    EXPECT_STREQ(caption, "&Cookies...");
    GetMenuStringA(main.TrayMenu, 6, caption, sizeof(caption), MF_BYPOSITION);
    EXPECT_STREQ(caption, "&Help          F1");
    CloseWindow();
}

TEST_F(MainWindowTest, EmptyCatalogueLeavesEverythingEmpty) {
    DeleteFileA(system.c_str());
    DeleteFileA(user.c_str());
    MainWindow& main = Open();
    EXPECT_EQ(main.ItemList.Count(), 0);
    EXPECT_FALSE(main.HasCurrentItem());
    EXPECT_EQ(GetMenuItemCount(main.WashMenu), 0);
    CloseWindow();
    EXPECT_EQ(ReadTextFile(dir.Path() + "order.ini"), "[Common]\r\nTotal=0\r\n");
}

TEST_F(MainWindowTest, ClosingRewritesTheOrderFileFromTheCatalogue) {
    // A longer order file from an earlier run must not leave rows behind.
    WriteTextFile(dir.Path() + "order.ini", "[Common]\r\nTotal=5\r\nItem4=Old<|>x\r\n[Old<|>x]\r\nIsActive=1\r\n");
    WriteTextFile(dir.Path() + "log.htm", "old log");
    MainWindow& main = Open();
    main.WashItems.MoveDown(0);
    main.WashItems.Items[0].IsActive = true;
    CloseWindow();
    std::string expected = "[Common]\r\nTotal=3\r\nItem0=" + Key("Recycle Bin", system) + "\r\nItem1=" +
                           Key("Alpha", system) + "\r\nItem2=" + Key("Gamma", user) + "\r\n[" +
                           Key("Recycle Bin", system) + "]\r\ntxtfilename=" + system +
                           "\r\nIsActive=1\r\nIsSpecial=1\r\n[" + Key("Alpha", system) + "]\r\ntxtfilename=" +
                           system + "\r\nIsActive=1\r\nIsSpecial=0\r\n[" + Key("Gamma", user) +
                           "]\r\ntxtfilename=" + user + "\r\nIsActive=1\r\nIsSpecial=0\r\n";
    EXPECT_EQ(ReadTextFile(dir.Path() + "order.ini"), expected);
    EXPECT_TRUE(FileExists(dir.Path() + "log.htm"));  // kept: "Delete Log On Exit" is off
}

TEST_F(MainWindowTest, DeleteLogOnExitRemovesTheLog) {
    WriteTextFile(dir.Path() + "wildcard.ini", "[Log]\r\nDelete Log On Exit=1\r\n");
    WriteTextFile(dir.Path() + "log.htm", "old log");
    Open();
    CloseWindow();
    EXPECT_FALSE(FileExists(dir.Path() + "log.htm"));
    EXPECT_TRUE(FileExists(dir.Path() + "order.ini"));
}

TEST_F(MainWindowTest, ExitButtonClosesTheWindowOnce) {
    MainWindow& main = Open();
    ShowWindow(main.Handle(), SW_SHOW);
    SendMessageA(main.Handle(), WM_COMMAND, MAKEWPARAM(IDC_Exit, BN_CLICKED),
                 reinterpret_cast<LPARAM>(main.Control(IDC_Exit)));
    EXPECT_EQ(main.Handle(), nullptr);
    EXPECT_TRUE(FileExists(dir.Path() + "order.ini"));
}
