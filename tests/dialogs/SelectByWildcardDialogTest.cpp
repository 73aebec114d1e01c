// The select-by-wildcard dialog driven as a user drives it: folder tree, mask, refusal of a
// virtual folder, the wildcard editor reloading the masks.
#include <gtest/gtest.h>

#include <windows.h>

#include "dialogs/ExclusionListDialog.h"
#include "dialogs/SelectByWildcardDialog.h"
#include "dialogs/SelectByWildcardDialogRes.h"
#include "dialogs/WildcardListDialog.h"
#include "dialogs/WildcardListDialogRes.h"
#include "tests/dialogs/FormTestUtil.h"
#include "tests/support/Dialogs.h"
#include "tests/support/Layout.h"

namespace {
class SelectByFilter : public testing::Test {
protected:
    std::string Settings() const { return dir.Path() + "wildcard.ini"; }
    TempDir dir;
};
}  // namespace

TEST_F(SelectByFilter, VirtualFolderRefusedThenFolderAndTrimmedMaskJoined) {
    SelectByWildcardDialog form(Settings());
    std::string shownFolder, offeredMask;
    int result = RunDialog(form, "Select files by wildcard", [&](UiDriver& driver, HWND dialog) {
        offeredMask = UiDriver::Text(GetDlgItem(dialog, IDC_SelectByWildcard_Mask));
        // The tree opens at "My Computer", which is no file-system folder.
        EXPECT_EQ(UiDriver::Text(GetDlgItem(dialog, IDC_SelectByWildcard_Folder)), "");
        UiDriver::Click(dialog, IDC_SelectByWildcard_Ok);
        HWND box = driver.WaitForMessageBox();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(UiDriver::MessageBoxText(box), "Please select a folder!");
        EXPECT_EQ(UiDriver::MessageBoxIcon(box), static_cast<UINT>(MB_ICONWARNING));
        driver.Answer(box, IDOK);
        EXPECT_TRUE(driver.WaitGone(box));
        EXPECT_TRUE(IsWindowVisible(dialog));

        const std::string folder = dir.Path().substr(0, dir.Path().size() - 1);
        EXPECT_TRUE(SelectTreeFolder(dialog, folder));
        shownFolder = UiDriver::Text(GetDlgItem(dialog, IDC_SelectByWildcard_Folder));
        SetText(GetDlgItem(dialog, IDC_SelectByWildcard_Mask), "  *.log  ");
        UiDriver::Click(dialog, IDC_SelectByWildcard_Ok);
    });
    EXPECT_EQ(offeredMask, "*.*");
    EXPECT_TRUE(SameText(shownFolder + "\\", dir.Path())) << shownFolder;
    EXPECT_EQ(result, mrOK);
    EXPECT_TRUE(SameText(form.JoinedPattern(), dir.Path() + "*.log")) << form.JoinedPattern();
}

TEST_F(SelectByFilter, DriveRootGetsNoSecondBackslash) {
    SelectByWildcardDialog form(Settings());
    int result = RunDialog(form, "Select files by wildcard", [](UiDriver&, HWND dialog) {
        EXPECT_TRUE(SelectTreeFolder(dialog, "C:\\"));
        SetText(GetDlgItem(dialog, IDC_SelectByWildcard_Mask), "*.tmp");
        UiDriver::Click(dialog, IDC_SelectByWildcard_Ok);
    });
    EXPECT_EQ(result, mrOK);
    EXPECT_EQ(form.JoinedPattern(), "C:\\*.tmp");
}

TEST_F(SelectByFilter, StoredMasksOfferedFirstAndReloadedAfterTheEditorsOk) {
    WriteTextFile(Settings(), "[Common]\r\nWildcard Total=2\r\nWildcard0=*.tmp\r\nWildcard1=*.log\r\n");
    SelectByWildcardDialog form(Settings());
    std::vector<std::string> before, after;
    std::string selectedAfter;
    RunDialog(form, "Select files by wildcard", [&](UiDriver& driver, HWND dialog) {
        HWND combo = GetDlgItem(dialog, IDC_SelectByWildcard_Mask);
        before = ComboRows(combo);
        EXPECT_EQ(UiDriver::Text(combo), "*.tmp");
        SetText(combo, "typed");
        UiDriver::Click(dialog, IDC_SelectByWildcard_EditWildcards);
        HWND editor = driver.WaitForWindow("#32770", "Edit Wildcard");
        ASSERT_NE(editor, nullptr);
        SetText(GetDlgItem(editor, IDC_WildcardList_NewWildcard), "*.bak");
        SendClick(editor, IDC_WildcardList_Add);
        UiDriver::Click(editor, IDC_WildcardList_Ok);
        EXPECT_TRUE(driver.WaitGone(editor));
        after = ComboRows(combo);
        selectedAfter = UiDriver::Text(combo);
        UiDriver::Click(dialog, IDC_SelectByWildcard_Cancel);
    });
    EXPECT_EQ(before, (std::vector<std::string>{"*.tmp", "*.log"}));
    EXPECT_EQ(after, (std::vector<std::string>{"*.tmp", "*.log", "*.bak"}));
    EXPECT_EQ(selectedAfter, "*.tmp");
}

TEST_F(SelectByFilter, AllThreeListDialogsLaidOutWithoutFaults) {
    SelectByWildcardDialog picker(Settings());
    WildcardListDialog wildcards(Settings());
    ExclusionListDialog exclusions(Settings());
    const std::pair<Form*, const char*> forms[] = {
        {&picker, "Select files by wildcard"}, {&wildcards, "Edit Wildcard"}, {&exclusions, "Select Files to Exclude"}};
    for (auto [form, caption] : forms) {
        std::vector<std::string> faults;
        RunDialog(*form, caption, [&](UiDriver&, HWND dialog) {
            faults = LayoutFaults(dialog);
            UiDriver::Click(dialog, IDCANCEL);
        });
        EXPECT_EQ(faults, std::vector<std::string>{}) << caption;
    }
}
