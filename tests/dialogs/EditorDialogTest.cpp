// The editors driven through their controls: transfer, trimming, refusals, Enter and Escape.
#include <gtest/gtest.h>

#include <windows.h>

#include "dialogs/EditorCommon.h"
#include "dialogs/FolderEntryDialog.h"
#include "dialogs/FolderEntryDialogRes.h"
#include "dialogs/RegistryEntryDialog.h"
#include "dialogs/RegistryEntryDialogRes.h"
#include "dialogs/SelectByWildcardDialogRes.h"
#include "dialogs/WashItemDialog.h"
#include "dialogs/WashItemDialogRes.h"
#include "platform/Language.h"
#include "settings/AppPaths.h"
#include "tests/dialogs/FormTestUtil.h"
#include "tests/support/DialogInput.h"
#include "tests/support/LanguageScope.h"
#include "tests/support/TestKey.h"

namespace {
// Clicks Save; the refusal shown ("" for none) while the dialog stays open.
std::string SaveRefused(UiDriver& driver, HWND dialog) {
    HWND box = driver.ClickForMessageBox(dialog, IDOK);
    std::string text = box ? UiDriver::MessageBoxText(box) : "";
    if (box) {
        EXPECT_EQ(UiDriver::MessageBoxIcon(box), static_cast<UINT>(MB_ICONERROR));
        driver.Answer(box, IDOK);
        driver.WaitGone(box);
    }
    EXPECT_TRUE(IsWindowVisible(dialog));
    return text;
}

void Press(HWND dialog, int id, WPARAM key) { PostMessageA(GetDlgItem(dialog, id), WM_KEYDOWN, key, 0); }
}  // namespace

TEST(ItemEditor, RefusesABlankNameSilentlyReturnsItTrimmedAndEscapeCancels) {
    WashItemDialog form;
    form.Caption = "Edit Wash Item";
    form.ItemName = "Old";
    form.Active = false;
    int result = RunDialog(form, "Edit Wash Item", [](UiDriver& driver, HWND dialog) {
        EXPECT_TRUE(GetWindowLongA(GetDlgItem(dialog, IDC_WashItem_File), GWL_STYLE) & ES_READONLY);
        TypeText(dialog, IDC_WashItem_Name, "   ");
        EXPECT_EQ(SaveRefused(driver, dialog), "");
        TypeText(dialog, IDC_WashItem_Name, "  New name  ");
        SetCheckOf(dialog, IDC_WashItem_Active, true);
        Press(dialog, IDC_WashItem_Name, VK_RETURN);
    });
    EXPECT_EQ(result, mrOK);
    EXPECT_EQ(form.ItemName, "New name");
    EXPECT_TRUE(form.Active);

    WashItemDialog other;
    EXPECT_EQ(RunDialog(other, "Add or Edit Item",
                    [](UiDriver&, HWND dialog) { Press(dialog, IDC_WashItem_Name, VK_ESCAPE); }),
              mrCancel);
}

TEST(FolderEditor, KeepsTheTextsOfOtherKindsAndRefusesARelativePathOfTheChosenOne) {
    FolderEntryDialog form;
    form.Entry.Category = CategorySingleFile;
    form.Entry.FolderMask = "C:\\old\\*.log";
    int result = RunDialog(form, "Add Edit Folder", [](UiDriver& driver, HWND dialog) {
        EXPECT_TRUE(CheckedOf(dialog, IDC_FolderEntry_SingleFile));
        EXPECT_FALSE(CheckedOf(dialog, IDC_FolderEntry_FolderMask));
        EXPECT_EQ(ControlTextOf(dialog, IDC_FolderEntry_Mask), "C:\\old\\*.log");
        TypeText(dialog, IDC_FolderEntry_FilePath, "notes.txt");
        EXPECT_EQ(SaveRefused(driver, dialog), "");  // no name yet
        TypeText(dialog, IDC_FolderEntry_Name, "  Cache ");
        EXPECT_EQ(SaveRefused(driver, dialog),
                  "The path 'notes.txt' is not a full path. Please enter a path that begins with a drive "
                  "(C:\\), a network share (\\\\server\\share) or a folder macro such as {windows}.");
        TypeText(dialog, IDC_FolderEntry_FilePath, " {windows}\\Temp\\x.tmp ");
        TypeText(dialog, IDC_FolderEntry_ValueName, " Dir ");
        SetCheckOf(dialog, IDC_FolderEntry_IncludeSubfolders, true);
        UiDriver::Click(dialog, IDOK);
    });
    ASSERT_EQ(result, mrOK);
    EXPECT_EQ(form.Entry.Name, "Cache");
    EXPECT_EQ(form.Entry.Category, CategorySingleFile);
    EXPECT_EQ(form.Entry.FilePath, "{windows}\\Temp\\x.tmp");
    EXPECT_EQ(form.Entry.FolderMask, "C:\\old\\*.log");
    EXPECT_EQ(form.Entry.PathValueName, "Dir");
    EXPECT_TRUE(form.Entry.IncludeSubfolders);
}

TEST(FolderEditor, TheFilePickerFillsTheSingleFileBoxAndLeavesTheCurrentFolder) {
    TempDir dir;
    const std::string file = dir.Path() + "pick.txt";
    WriteTextFile(file, "x");
    char before[MAX_PATH], after[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, before);
    FolderEntryDialog form;
    std::string shown;
    RunDialog(form, "Add Edit Folder", [&](UiDriver& driver, HWND dialog) {
        UiDriver::Click(dialog, IDC_FolderEntry_SelectFile);
        HWND picker = driver.WaitForWindow("#32770", "Open");
        ASSERT_NE(picker, nullptr);
        HWND name = GetDlgItem(picker, 0x47C);  // the file name box
        if (!name) name = GetDlgItem(picker, 0x480);
        // Into the folder first (the click's handler has gone there when it returns), then the
        // file in it.
        SetText(name, dir.Path());
        EXPECT_EQ(driver.ClickForMessageBox(picker, IDOK), nullptr);
        SetText(name, "pick.txt");
        UiDriver::Click(picker, IDOK);
        EXPECT_TRUE(driver.WaitGone(picker));
        shown = ControlTextOf(dialog, IDC_FolderEntry_FilePath);
        UiDriver::Click(dialog, IDCANCEL);
    });
    GetCurrentDirectoryA(MAX_PATH, after);
    EXPECT_TRUE(SameText(shown, file)) << shown;
    EXPECT_STREQ(after, before);
}

TEST(FolderEditor, TheWildcardPickerFillsTheFolderBoxOnlyWhenItEndsWithOk) {
    TempDir dir;
    ProgramDirScope scope(dir.Path());
    FolderEntryDialog form;
    form.Entry.FolderMask = "C:\\old\\*.log";
    std::string cancelled, picked;
    RunDialog(form, "Add Edit Folder", [&](UiDriver& driver, HWND dialog) {
        for (int button : {IDC_SelectByWildcard_Cancel, IDC_SelectByWildcard_Ok}) {
            UiDriver::Click(dialog, IDC_FolderEntry_SelectByWildcard);
            HWND picker = driver.WaitForWindow("#32770", "Select files by wildcard");
            ASSERT_NE(picker, nullptr);
            EXPECT_TRUE(SelectTreeFolder(picker, "C:\\"));
            SetText(GetDlgItem(picker, IDC_SelectByWildcard_Mask), " *.tmp ");
            UiDriver::Click(picker, button);
            EXPECT_TRUE(driver.WaitGone(picker));
            (button == IDC_SelectByWildcard_Ok ? picked : cancelled) = ControlTextOf(dialog, IDC_FolderEntry_Mask);
        }
        UiDriver::Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(cancelled, "C:\\old\\*.log");
    EXPECT_EQ(picked, "C:\\*.tmp");
}

TEST(RegistryEditor, NeedsNameAndKeyRefusesAnUnknownOrBareRootAndKeepsTheValueName) {
    RegistryEntryDialog form;
    form.Entry.ValueName = "MRU";
    form.Entry.CleanType = CleanSingleValue;
    int result = RunDialog(form, "Add Edit Register", [](UiDriver& driver, HWND dialog) {
        EXPECT_TRUE(CheckedOf(dialog, IDC_RegistryEntry_CleanSingleValue));
        TypeText(dialog, IDC_RegistryEntry_Name, "Assoc");
        EXPECT_EQ(SaveRefused(driver, dialog), "");
        TypeText(dialog, IDC_RegistryEntry_KeyName, "HKEY_LOCAL_MACHNE\\Software\\Classes");
        EXPECT_EQ(SaveRefused(driver, dialog),
                  "The registry key 'HKEY_LOCAL_MACHNE\\Software\\Classes' does not begin with a root key such "
                  "as HKEY_CURRENT_USER followed by a key below it. Please retry.");
        TypeText(dialog, IDC_RegistryEntry_KeyName, " hkey_current_user\\Software\\{username} ");
        SetCheckOf(dialog, IDC_RegistryEntry_CleanSingleValue, false);
        SetCheckOf(dialog, IDC_RegistryEntry_CleanAllValues, true);
        UiDriver::Click(dialog, IDOK);
    });
    ASSERT_EQ(result, mrOK);
    EXPECT_EQ(form.Entry.KeyName, "hkey_current_user\\Software\\{username}");
    EXPECT_EQ(form.Entry.CleanType, CleanAllValues);
    EXPECT_EQ(form.Entry.ValueName, "MRU");
}

TEST(EntryChecks, FullPathsAndRootedKeys) {
    for (const char* path : {"", "d:\\a.txt", "\\\\server\\share\\f", "{Windows}\\Temp\\*.tmp", "{netscape}\\x"})
        EXPECT_TRUE(IsFullEntryPath(path)) << path;
    for (const char* path : {"sub\\*.log", "\\root\\x", "C:x.txt", "{username}\\x", "\\\\\\x"})
        EXPECT_FALSE(IsFullEntryPath(path)) << path;
    for (const char* key : {"HKEY_CLASSES_ROOT\\.txt", "hkey_users\\S-1\\Software", "HKLM\\Software"})
        EXPECT_TRUE(IsRootedRegistryKey(key)) << key;
    for (const char* key : {"HKEY_LOCAL_MACHINE", "HKEY_LOCAL_MACHINE\\\\", "HKXX\\Software", "\\Software"})
        EXPECT_FALSE(IsRootedRegistryKey(key)) << key;
}

// A supplied name shows in the language in use; left as shown it is stored as the English it is
// known by (order.ini, user.txt, policies), and only a name the user changed is stored as typed.
TEST(ItemEditor, ShowsASuppliedNameTranslatedAndStoresItUnlessChanged) {
    struct Case {
        const char* stored;
        const char* shown;  // in German
        const char* typed;  // nullptr: left as shown
        const char* kept;
    } cases[] = {
        {"Recycle Bin", "Papierkorb", nullptr, "Recycle Bin"},
        {"Recycle Bin", "Papierkorb", "  Papierkorb  ", "Recycle Bin"},
        {"Recycle Bin", "Papierkorb", "Alter Papierkorb", "Alter Papierkorb"},
        {"My own item", "My own item", nullptr, "My own item"},
    };
    LanguageScope german(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN));
    for (const Case& c : cases) {
        WashItemDialog form;
        form.Caption = "Supplied name";
        form.ItemName = c.stored;
        std::string shown;
        RunDialog(form, "Supplied name", [&](UiDriver&, HWND dialog) {
            shown = ControlTextOf(dialog, IDC_WashItem_Name);
            if (c.typed) TypeText(dialog, IDC_WashItem_Name, c.typed);
            Press(dialog, IDC_WashItem_Name, VK_RETURN);
        });
        EXPECT_EQ(shown, c.shown) << c.stored;
        EXPECT_EQ(form.ItemName, c.kept) << c.stored << " / " << (c.typed ? c.typed : "unchanged");
    }
    // The entry editors share the rule.
    EXPECT_EQ(NameToStore("Cookies journal", ShownName("Cookies journal")), "Cookies journal");
    EXPECT_EQ(ShownName("Cookies journal"), "Cookie-Journal");
}
