// The three editors driven through their controls: transfer, trimming, refusals, Save and Cancel.
#include <gtest/gtest.h>

#include <windows.h>

#include "dialogs/EditorCommon.h"
#include "dialogs/UnitAddorEditItem.h"
#include "dialogs/UnitAddorEditItemRes.h"
#include "dialogs/Unitaddeditfolder.h"
#include "dialogs/UnitaddeditfolderRes.h"
#include "dialogs/Unitaddeditregister.h"
#include "dialogs/UnitaddeditregisterRes.h"
#include "tests/support/DialogInput.h"
#include "tests/support/UiDriver.h"

namespace {
// Shows the form modally while script drives it; returns the modal result.
template <class Form>
int Drive(Form& form, const char* caption, const std::function<void(UiDriver&, HWND)>& script) {
    int result = -1;
    RunWithDriver([&] { result = form.ShowModal(nullptr); },
                  [&](UiDriver& driver) {
                      HWND dialog = driver.WaitForWindow("#32770", caption);
                      ASSERT_NE(dialog, nullptr) << caption;
                      script(driver, dialog);
                      if (IsWindow(dialog) && !driver.WaitGone(dialog, 3000)) {
                          ADD_FAILURE() << "still open";
                          UiDriver::Click(dialog, IDCANCEL);
                      }
                  });
    return result;
}

// Clicks a button that must leave the dialog open without any message box.
void ClickStaysOpenQuietly(UiDriver& driver, HWND dialog, int id) {
    UiDriver::Click(dialog, id);
    EXPECT_EQ(driver.WaitForMessageBox(300), nullptr);
    EXPECT_TRUE(IsWindowVisible(dialog));
}

// Clicks a button that must show a refusal and leave the dialog open; returns the refusal.
std::string ClickRefused(UiDriver& driver, HWND dialog, int id) {
    UiDriver::Click(dialog, id);
    HWND box = driver.WaitForMessageBox(3000);
    if (!box) {
        ADD_FAILURE() << "no refusal";
        return {};
    }
    EXPECT_EQ(UiDriver::MessageBoxIcon(box), static_cast<UINT>(MB_ICONERROR));
    std::string text = UiDriver::MessageBoxText(box);
    driver.Answer(box, IDOK);
    driver.WaitGone(box);
    EXPECT_TRUE(IsWindowVisible(dialog));
    return text;
}
}  // namespace

TEST(ItemEditor, ShowsItsFieldsRefusesABlankNameAndReturnsTheNameTrimmed) {
    TFormAddEditItem form;
    form.Caption = "Edit Wash Item";
    form.Edititemname = "Old";
    form.Chisactive = false;
    form.LabelStore = "C:\\prog\\const\\user.txt";
    int result = Drive(form, "Edit Wash Item", [](UiDriver& driver, HWND dialog) {
        EXPECT_EQ(ControlTextOf(dialog, IDC_AddEditItem_Edititemname), "Old");
        EXPECT_FALSE(CheckedOf(dialog, IDC_AddEditItem_Chisactive));
        EXPECT_EQ(ControlTextOf(dialog, IDC_AddEditItem_LabelStore), "C:\\prog\\const\\user.txt");
        EXPECT_TRUE(GetWindowLongA(GetDlgItem(dialog, IDC_AddEditItem_LabelStore), GWL_STYLE) & ES_READONLY);
        TypeText(dialog, IDC_AddEditItem_Edititemname, "   ");
        ClickStaysOpenQuietly(driver, dialog, IDOK);
        TypeText(dialog, IDC_AddEditItem_Edititemname, "  New name  ");
        SetCheckOf(dialog, IDC_AddEditItem_Chisactive, true);
        UiDriver::Click(dialog, IDOK);
    });
    EXPECT_EQ(result, mrOK);
    EXPECT_EQ(form.Edititemname, "New name");
    EXPECT_TRUE(form.Chisactive);
    EXPECT_EQ(form.HelpContext, 31);
}

TEST(ItemEditor, EscapeCancels) {
    TFormAddEditItem form;
    form.Caption = "Add Wash Item";
    int result = Drive(form, "Add Wash Item", [](UiDriver&, HWND dialog) {
        PostMessageA(GetDlgItem(dialog, IDC_AddEditItem_Edititemname), WM_KEYDOWN, VK_ESCAPE, 0);
    });
    EXPECT_EQ(result, mrCancel);
}

TEST(FolderEditor, LoadsTheEntryAndStoresEveryBoxTrimmed) {
    TFormFolder form;
    form.Caption = "Edit Folder/File Item";
    form.Entry.ChildItemName = "Logs";
    form.Entry.isactive = true;
    form.Entry.bycategory = CategorySingleFile;
    form.Entry.deletepath = "C:\\old\\*.log";
    form.Entry.deletefilename = "C:\\a.txt";
    int result = Drive(form, "Edit Folder/File Item", [](UiDriver&, HWND dialog) {
        EXPECT_TRUE(CheckedOf(dialog, IDC_Folder_rbSingle));
        EXPECT_FALSE(CheckedOf(dialog, IDC_Folder_rbFolder));
        EXPECT_EQ(ControlTextOf(dialog, IDC_Folder_EditFolder), "C:\\old\\*.log");
        EXPECT_TRUE(CheckedOf(dialog, IDC_Folder_Chisactive));
        TypeText(dialog, IDC_Folder_EditItemName, "  Cache  ");
        TypeText(dialog, IDC_Folder_EditSingle, "  {windows}\\x.tmp ");
        TypeText(dialog, IDC_Folder_EditRegister, " HKEY_CURRENT_USER\\Software\\X ");
        TypeText(dialog, IDC_Folder_EditRegisterValue, " Dir ");
        SetCheckOf(dialog, IDC_Folder_Chincludesubfolder, true);
        UiDriver::Click(dialog, IDOK);
    });
    ASSERT_EQ(result, mrOK);
    EXPECT_EQ(form.Entry.ChildItemName, "Cache");
    EXPECT_EQ(form.Entry.bycategory, CategorySingleFile);
    EXPECT_EQ(form.Entry.deletefilename, "{windows}\\x.tmp");
    EXPECT_EQ(form.Entry.deletepath, "C:\\old\\*.log");
    EXPECT_EQ(form.Entry.RegisterName, "HKEY_CURRENT_USER\\Software\\X");
    EXPECT_EQ(form.Entry.RegisterValueofName, "Dir");
    EXPECT_TRUE(form.Entry.IsIncludeSubfolder);
}

TEST(FolderEditor, RefusesABlankNameSilentlyAndARelativePathOfTheChosenKind) {
    TFormFolder form;
    form.Entry.bycategory = CategoryFolderMask;
    int result = Drive(form, "Add Edit Folder", [](UiDriver& driver, HWND dialog) {
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_Folder_btnAddWildcard)));
        TypeText(dialog, IDC_Folder_EditFolder, "logs\\*.log");
        ClickStaysOpenQuietly(driver, dialog, IDOK);
        TypeText(dialog, IDC_Folder_EditItemName, "Logs");
        EXPECT_EQ(ClickRefused(driver, dialog, IDOK),
                  "The path 'logs\\*.log' is not a full path. Please enter a path that begins with a drive "
                  "(C:\\), a network share (\\\\server\\share) or a folder macro such as {windows}.");
        // The single file box holds nothing that counts while the folder kind is chosen.
        TypeText(dialog, IDC_Folder_EditFolder, "\\\\server\\share\\*.log");
        TypeText(dialog, IDC_Folder_EditSingle, "relative.txt");
        UiDriver::Click(dialog, IDOK);
    });
    EXPECT_EQ(result, mrOK);
    EXPECT_EQ(form.Entry.deletepath, "\\\\server\\share\\*.log");
}

TEST(FolderEditor, CancelLeavesTheEntryAsItWas) {
    TFormFolder form;
    form.Entry.ChildItemName = "Keep";
    int result = Drive(form, "Add Edit Folder", [](UiDriver&, HWND dialog) {
        TypeText(dialog, IDC_Folder_EditItemName, "Changed");
        UiDriver::Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(form.Entry.ChildItemName, "Keep");
}

TEST(RegistryEditor, NeedsNameAndKeyAndRefusesAKeyWithoutAKnownRoot) {
    TFormRegister form;
    form.Caption = "Add Registry Entry Item";
    int result = Drive(form, "Add Registry Entry Item", [](UiDriver& driver, HWND dialog) {
        // The entry's type 0 wins over the dialog's own first choice.
        EXPECT_TRUE(CheckedOf(dialog, IDC_Register_rbdeleteKey));
        EXPECT_FALSE(CheckedOf(dialog, IDC_Register_rbDeleteValue));
        TypeText(dialog, IDC_Register_EditItemName, "Assoc");
        ClickStaysOpenQuietly(driver, dialog, IDOK);
        TypeText(dialog, IDC_Register_EditKeyName, "HKEY_LOCAL_MACHNE\\Software\\Classes");
        EXPECT_EQ(ClickRefused(driver, dialog, IDOK),
                  "The registry key 'HKEY_LOCAL_MACHNE\\Software\\Classes' does not begin with a root key such "
                  "as HKEY_CURRENT_USER followed by a key below it. Please retry.");
        TypeText(dialog, IDC_Register_EditKeyName, "HKEY_CURRENT_USER\\");
        ClickRefused(driver, dialog, IDOK);
        TypeText(dialog, IDC_Register_EditKeyName, " hkey_current_user\\Software\\{username} ");
        UiDriver::Click(dialog, IDOK);
    });
    ASSERT_EQ(result, mrOK);
    EXPECT_EQ(form.Entry.RegisterKeyName, "hkey_current_user\\Software\\{username}");
    EXPECT_EQ(form.Entry.CleanRegisterType, CleanWholeKey);
}

TEST(RegistryEditor, SwitchingFromSingleValueToAllValuesKeepsTheValueName) {
    TFormRegister form;
    form.Entry.ChildItemName = "Recent";
    form.Entry.RegisterKeyName = "HKEY_CURRENT_USER\\Software\\X";
    form.Entry.RegisterSingleValue = "MRU";
    form.Entry.CleanRegisterType = CleanSingleValue;
    int result = Drive(form, "Add Edit Register", [](UiDriver&, HWND dialog) {
        EXPECT_TRUE(CheckedOf(dialog, IDC_Register_rbdeleteSingleValue));
        EXPECT_EQ(ControlTextOf(dialog, IDC_Register_EditSingleRegisterValue), "MRU");
        SetCheckOf(dialog, IDC_Register_rbdeleteSingleValue, false);
        SetCheckOf(dialog, IDC_Register_rbDeleteValue, true);
        PostMessageA(GetDlgItem(dialog, IDC_Register_EditKeyName), WM_KEYDOWN, VK_RETURN, 0);
    });
    ASSERT_EQ(result, mrOK);
    EXPECT_EQ(form.Entry.CleanRegisterType, CleanAllValues);
    EXPECT_EQ(form.Entry.RegisterSingleValue, "MRU");
}

TEST(EntryChecks, FullPathsAndRootedKeys) {
    for (const char* path : {"", "C:\\x\\*.*", "d:\\a.txt", "\\\\server\\share\\f", "{Windows}\\Temp\\*.tmp",
                             "{appdata}\\x", "{netscape}\\Cache\\*.*"})
        EXPECT_TRUE(IsFullEntryPath(path)) << path;
    for (const char* path : {"a.txt", "sub\\*.log", "\\root\\x", "C:x.txt", "{username}\\x", "\\\\\\x"})
        EXPECT_FALSE(IsFullEntryPath(path)) << path;
    for (const char* key : {"HKEY_CLASSES_ROOT\\.txt", "HKEY_DYN_DATA\\X", "hkey_users\\S-1\\Software"})
        EXPECT_TRUE(IsRootedRegistryKey(key)) << key;
    for (const char* key : {"", "HKEY_LOCAL_MACHINE", "HKEY_LOCAL_MACHINE\\", "HKEY_LOCAL_MACHINE\\\\", "HKLM\\Software",
                            "Software\\Classes", "\\Software"})
        EXPECT_FALSE(IsRootedRegistryKey(key)) << key;
}
