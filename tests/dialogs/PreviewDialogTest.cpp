// The preview dialogs shown: shape, tabs, buttons, registry row drawing, wash and close.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "dialogs/PreviewAllDialog.h"
#include "dialogs/PreviewAllDialogRes.h"
#include "dialogs/PreviewFilesDialog.h"
#include "dialogs/PreviewFilesDialogRes.h"
#include "dialogs/PreviewItemDialog.h"
#include "dialogs/PreviewItemDialogRes.h"
#include "dialogs/PreviewRegistryDialog.h"
#include "dialogs/PreviewRegistryDialogRes.h"
#include "tests/dialogs/PreviewTestUtil.h"
#include "tests/support/Dialogs.h"
#include "tests/support/UiDriver.h"

namespace {
class PreviewDialog : public testing::Test {
protected:
    void TearDown() override { AbandonWashLog(); }
    std::string File(const std::string& name) {
        std::string path = dir.Path() + name;
        WriteTextFile(path, "x");
        return path;
    }

    TempDir dir;
    ProgramDirScope scope{dir.Path()};
    RecordedContext recorded;
};

std::string TabCaption(HWND tab, int index) {
    char text[64] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    SendMessageA(tab, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
    return text;
}

// Caption, buttons, title bar and position every preview dialog shares.
void ExpectPreviewShape(HWND dialog, const char* caption, int washId, int closeId) {
    EXPECT_EQ(UiDriver::Text(dialog), caption);
    EXPECT_EQ(UiDriver::Text(GetDlgItem(dialog, washId)), "&Wash");
    EXPECT_EQ(UiDriver::Text(GetDlgItem(dialog, closeId)), "Cl&ose");
    LONG style = GetWindowLongA(dialog, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_FALSE(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
    RECT work, rc;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(dialog, &rc);
    EXPECT_NEAR((rc.left + rc.right) / 2, (work.left + work.right) / 2, 2);
    EXPECT_NEAR((rc.top + rc.bottom) / 2, (work.top + work.bottom) / 2, 2);
}
}  // namespace

TEST(RegistryRows, KeyRowsNavyOrSelectedColoursValueRowsShowCurrentData) {
    COLORREF text = 1, back = 1;
    const std::string keyRow = std::string("HKEY_CURRENT_USER\\Software\\A\\") + DeleteKeyMarker;
    EXPECT_TRUE(DrawRegistryRow(keyRow, false, text, back));
    EXPECT_EQ(text, RGB(0, 0, 128));
    EXPECT_EQ(back, GetSysColor(COLOR_WINDOW));
    EXPECT_TRUE(DrawRegistryRow(keyRow, true, text, back));
    EXPECT_EQ(text, RGB(255, 255, 255));
    EXPECT_EQ(back, RGB(10, 95, 137));
    EXPECT_EQ(RegistryRowText(keyRow), "HKEY_CURRENT_USER\\Software\\A\\");

    TestKey key("RegistryRows");
    key.Set("", "name", "first");
    std::string valueRow = key.Full() + "\\" + DeleteValueMarker + "name";
    EXPECT_FALSE(DrawRegistryRow(valueRow, true, text, back));
    EXPECT_EQ(RegistryRowText(valueRow), "first");
    key.Set("", "name", "second");
    EXPECT_EQ(RegistryRowText(valueRow), "second");
    EXPECT_EQ(RegistryRowText(key.Full() + "\\" + DeleteValueMarker + "missing"), "");
}

TEST(PreviewHints, EverySelectPairHasItsHints) {
    const int selectIds[] = {IDC_PreviewFiles_SelectAll, IDC_PreviewRegistry_SelectAll,
                             IDC_PreviewItem_SelectAllFiles, IDC_PreviewItem_SelectAllRegistry,
                             IDC_PreviewAll_SelectAllSpecials, IDC_PreviewAll_SelectAllFiles,
                             IDC_PreviewAll_SelectAllRegistry};
    const int unselectIds[] = {IDC_PreviewFiles_UnselectAll, IDC_PreviewRegistry_UnselectAll,
                               IDC_PreviewItem_UnselectAllFiles, IDC_PreviewItem_UnselectAllRegistry,
                               IDC_PreviewAll_UnselectAllSpecials, IDC_PreviewAll_UnselectAllFiles,
                               IDC_PreviewAll_UnselectAllRegistry};
    char text[64];
    for (int id : selectIds) {
        ASSERT_GT(LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof(text)), 0) << id;
        EXPECT_STREQ(text, "Select All");
    }
    for (int id : unselectIds) {
        ASSERT_GT(LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof(text)), 0) << id;
        EXPECT_STREQ(text, "Unselect All");
    }
}

TEST_F(PreviewDialog, FileDialogShowsItsRowsAndClosesWithoutWashing) {
    std::string a = File("a.txt");
    PreviewFilesDialog dialog;
    dialog.Context = recorded.Make();
    AppendRows(dialog.FileList, {a});
    dialog.OnSelectAll();
    int result = RunDialog(dialog, "Preview Files of Current Item", [&](UiDriver&, HWND window) {
        ExpectPreviewShape(window, "Preview Files of Current Item", IDC_PreviewFiles_Wash,
                           IDC_PreviewFiles_Close);
        EXPECT_EQ(ListCell(GetDlgItem(window, IDC_PreviewFiles_Files), 0), a);
        UiDriver::Click(window, IDC_PreviewFiles_Close);
    });
    EXPECT_EQ(result, mrCancel);
    EXPECT_TRUE(FileExists(a));
    EXPECT_TRUE(recorded.counters.empty());
}

TEST_F(PreviewDialog, RegistryDialogShowsKeyPathsAndValueDataReadAtEveryPaint) {
    TestKey key("PreviewDialog");
    key.Set("", "name", "before");
    PreviewRegistryDialog dialog;
    dialog.Context = recorded.Make();
    AppendRows(dialog.RegistryList,
               {key.Full() + "\\Sub" + DeleteKeyMarker, key.Full() + "\\" + DeleteValueMarker + "name"});
    const int result = RunDialog(dialog, "Preview Registry Entry of Current Item", [&](UiDriver&, HWND window) {
        ExpectPreviewShape(window, "Preview Registry Entry of Current Item",
                           IDC_PreviewRegistry_Wash, IDC_PreviewRegistry_Close);
        HWND list = GetDlgItem(window, IDC_PreviewRegistry_Rows);
        EXPECT_EQ(ListCell(list, 0), key.Full() + "\\Sub");
        EXPECT_EQ(ListCell(list, 1), "before");
        key.Set("", "name", "after");
        EXPECT_EQ(ListCell(list, 1), "after");
        // The close box closes without washing.
        PostMessageA(window, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(result, mrCancel);
    EXPECT_TRUE(key.Exists("", "name"));
    EXPECT_TRUE(recorded.counters.empty());
}

TEST_F(PreviewDialog, CurrentItemDialogOpensOnItsFolderTabAndSwitchesPages) {
    PreviewItemDialog dialog;
    dialog.Context = recorded.Make();
    const int result = RunDialog(dialog, "Preview Current Wash Item", [&](UiDriver&, HWND window) {
        ExpectPreviewShape(window, "Preview Current Wash Item", IDC_PreviewItem_Wash,
                           IDC_PreviewItem_Close);
        HWND tab = GetDlgItem(window, IDC_PreviewItem_Tabs);
        EXPECT_EQ(TabCaption(tab, 0), "Washer Folder");
        EXPECT_EQ(TabCaption(tab, 1), "Washer Register");
        EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 0);
        auto visible = [&](int id) { return IsWindowVisible(GetDlgItem(window, id)) != FALSE; };
        EXPECT_TRUE(visible(IDC_PreviewItem_Files));
        EXPECT_TRUE(visible(IDC_PreviewItem_SelectAllFiles));
        EXPECT_FALSE(visible(IDC_PreviewItem_Registry));
        EXPECT_FALSE(visible(IDC_PreviewItem_UnselectAllRegistry));
        // A user's click on the second tab.
        SendMessageA(tab, TCM_SETCURFOCUS, 1, 0);
        EXPECT_TRUE(visible(IDC_PreviewItem_Registry));
        EXPECT_TRUE(visible(IDC_PreviewItem_SelectAllRegistry));
        EXPECT_FALSE(visible(IDC_PreviewItem_Files));
        UiDriver::Click(window, IDC_PreviewItem_Close);
    });
    EXPECT_EQ(result, mrCancel);
}

TEST_F(PreviewDialog, AllDialogUnselectButtonsThenWashLeaveTheRowsAlone) {
    std::string a = File("a.txt");
    PreviewAllDialog dialog;
    dialog.Context = recorded.Make();
    dialog.SpecialList.Add("Some special", true);
    AppendRows(dialog.FileList, {a});
    dialog.OnSelectAllFiles();
    int result = RunDialog(dialog, "Preview All Wash Item Checked", [&](UiDriver&, HWND window) {
        ExpectPreviewShape(window, "Preview All Wash Item Checked", IDC_PreviewAll_Wash,
                           IDC_PreviewAll_Close);
        HWND tab = GetDlgItem(window, IDC_PreviewAll_Tabs);
        // The Summary page comes first and opens the dialog.
        EXPECT_EQ(TabCaption(tab, 0), "Summary");
        EXPECT_EQ(TabCaption(tab, 1), "Clean Special");
        EXPECT_EQ(TabCaption(tab, 2), "Clean Folder/File");
        EXPECT_EQ(TabCaption(tab, 3), "Clean Registry Entry");
        EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 0);
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(window, IDC_PreviewAll_Summary)));
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(window, IDC_PreviewAll_Files)));
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(window, IDC_PreviewAll_Specials)));
        UiDriver::Click(window, IDC_PreviewAll_UnselectAllSpecials);
        UiDriver::Click(window, IDC_PreviewAll_UnselectAllFiles);
        UiDriver::Click(window, IDC_PreviewAll_Wash);
    });
    EXPECT_EQ(result, mrOK);
    EXPECT_TRUE(FileExists(a));
    EXPECT_EQ(recorded.counters, (Strings{"files 0/0", "registry 0/0"}));
    EXPECT_EQ(LogBlocks(), Blocks{{}});
}

TEST_F(PreviewDialog, FailedWashShowsTheErrorAndTheDialogStaysOpen) {
    CreateDirectoryA(LogFilePath().c_str(), nullptr);
    std::string a = File("a.txt");
    PreviewFilesDialog dialog;
    dialog.Context = recorded.Make();
    AppendRows(dialog.FileList, {a});
    dialog.OnSelectAll();
    RunDialog(dialog, "Preview Files of Current Item", [&](UiDriver& driver, HWND window) {
        UiDriver::Click(window, IDC_PreviewFiles_Wash);
        HWND box = driver.WaitForMessageBox();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(UiDriver::MessageBoxText(box), "Unable to write to " + LogFilePath());
        EXPECT_EQ(UiDriver::MessageBoxIcon(box), static_cast<UINT>(MB_ICONERROR));
        driver.Answer(box, IDOK);
        EXPECT_TRUE(driver.WaitGone(box));
        EXPECT_TRUE(IsWindowVisible(window));
        UiDriver::Click(window, IDC_PreviewFiles_Close);
    });
    EXPECT_TRUE(FileExists(a));
}
