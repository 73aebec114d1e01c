// The select-by-wildcard dialog driven as a user drives it: folder tree, mask, refusal of a
// virtual folder, the wildcard editor reloading the masks.
#include <gtest/gtest.h>

#include <windows.h>

#include "engine/UnitAddWildcard.h"
#include "engine/UnitAddWildcardRes.h"
#include "engine/UnitExcludeFile.h"
#include "engine/Unitselectbyfilter.h"
#include "engine/UnitselectbyfilterRes.h"
#include "tests/engine/FormTestUtil.h"
#include "tests/support/Layout.h"

namespace {
class SelectByFilter : public testing::Test {
protected:
    std::string Settings() const { return dir.Path() + "wildcard.ini"; }
    TempDir dir;
};
}  // namespace

TEST_F(SelectByFilter, VirtualFolderRefusedThenFolderAndTrimmedMaskJoined) {
    TFormselectbyfilter form(Settings());
    int result = mrNone;
    std::string shownFolder, offeredMask;
    RunWithDriver([&] { result = form.ShowModal(nullptr); }, [&](UiDriver& driver) {
        HWND dialog = driver.WaitForWindow("#32770", "Select files by wildcard");
        ASSERT_NE(dialog, nullptr);
        offeredMask = UiDriver::Text(GetDlgItem(dialog, IDC_selectbyfilter_ComboBox1));
        // The tree opens at "My Computer", which is no file-system folder.
        EXPECT_EQ(UiDriver::Text(GetDlgItem(dialog, IDC_selectbyfilter_labFolder)), "");
        UiDriver::Click(dialog, IDC_selectbyfilter_Button1);
        HWND box = driver.WaitForMessageBox();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(UiDriver::MessageBoxText(box), "Please select a folder!");
        EXPECT_EQ(UiDriver::MessageBoxIcon(box), static_cast<UINT>(MB_ICONWARNING));
        driver.Answer(box, IDOK);
        EXPECT_TRUE(driver.WaitGone(box));
        EXPECT_TRUE(IsWindowVisible(dialog));

        const std::string folder = dir.Path().substr(0, dir.Path().size() - 1);
        EXPECT_TRUE(SelectTreeFolder(dialog, folder));
        shownFolder = UiDriver::Text(GetDlgItem(dialog, IDC_selectbyfilter_labFolder));
        SetText(GetDlgItem(dialog, IDC_selectbyfilter_ComboBox1), "  *.log  ");
        UiDriver::Click(dialog, IDC_selectbyfilter_Button1);
        EXPECT_TRUE(driver.WaitGone(dialog));
    });
    EXPECT_EQ(offeredMask, "*.*");
    EXPECT_TRUE(SameText(shownFolder + "\\", dir.Path())) << shownFolder;
    EXPECT_EQ(result, mrOK);
    EXPECT_TRUE(SameText(form.JoinedPattern(), dir.Path() + "*.log")) << form.JoinedPattern();
}

TEST_F(SelectByFilter, DriveRootGetsNoSecondBackslash) {
    TFormselectbyfilter form(Settings());
    int result = RunDialog(form, "Select files by wildcard", [](UiDriver&, HWND dialog) {
        EXPECT_TRUE(SelectTreeFolder(dialog, "C:\\"));
        SetText(GetDlgItem(dialog, IDC_selectbyfilter_ComboBox1), "*.tmp");
        UiDriver::Click(dialog, IDC_selectbyfilter_Button1);
    });
    EXPECT_EQ(result, mrOK);
    EXPECT_EQ(form.JoinedPattern(), "C:\\*.tmp");
}

TEST_F(SelectByFilter, StoredMasksOfferedFirstAndReloadedAfterTheEditorsOk) {
    WriteTextFile(Settings(), "[Common]\r\nWildcard Total=2\r\nWildcard0=*.tmp\r\nWildcard1=*.log\r\n");
    TFormselectbyfilter form(Settings());
    std::vector<std::string> before, after;
    std::string selectedAfter;
    RunDialog(form, "Select files by wildcard", [&](UiDriver& driver, HWND dialog) {
        HWND combo = GetDlgItem(dialog, IDC_selectbyfilter_ComboBox1);
        before = ComboRows(combo);
        EXPECT_EQ(UiDriver::Text(combo), "*.tmp");
        SetText(combo, "typed");
        UiDriver::Click(dialog, IDC_selectbyfilter_SpeedButton1);
        HWND editor = driver.WaitForWindow("#32770", "Edit Wildcard");
        ASSERT_NE(editor, nullptr);
        SetText(GetDlgItem(editor, IDC_Wildcard_Edit1), "*.bak");
        SendClick(editor, IDC_Wildcard_SpNew);
        UiDriver::Click(editor, IDC_Wildcard_btnOk);
        EXPECT_TRUE(driver.WaitGone(editor));
        after = ComboRows(combo);
        selectedAfter = UiDriver::Text(combo);
        UiDriver::Click(dialog, IDC_selectbyfilter_Button2);
    });
    EXPECT_EQ(before, (std::vector<std::string>{"*.tmp", "*.log"}));
    EXPECT_EQ(after, (std::vector<std::string>{"*.tmp", "*.log", "*.bak"}));
    EXPECT_EQ(selectedAfter, "*.tmp");
}

TEST_F(SelectByFilter, AllThreeListDialogsLaidOutWithoutFaults) {
    TFormselectbyfilter picker(Settings());
    TFormWildcard wildcards(Settings());
    TFormExcludeFile exclusions(Settings());
    const std::pair<TForm*, const char*> forms[] = {
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
