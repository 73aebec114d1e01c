// The exclusion list dialog and the wildcard editor: what they read, what the user's edits
// leave in the settings file, and that nothing is written but by their own button.
#include <gtest/gtest.h>

#include <windows.h>

#include "catalogue/SettingsLists.h"
#include "dialogs/ExclusionListDialog.h"
#include "dialogs/ExclusionListDialogRes.h"
#include "dialogs/WildcardListDialog.h"
#include "dialogs/WildcardListDialogRes.h"
#include "tests/dialogs/FormTestUtil.h"
#include "tests/support/Wait.h"

namespace {
const char* const ExcludeCaption = "Select Files to Exclude";

class ExcludeFile : public testing::Test {
protected:
    std::string Settings() const { return dir.Path() + "wildcard.ini"; }
    std::string Folder() const { return dir.Path().substr(0, dir.Path().size() - 1); }
    TempDir dir;
};

// The filename box of the system's open dialog, whichever of its layouts it uses.
HWND FileNameBox(HWND dialog) {
    HWND box = GetDlgItem(dialog, 0x47C);  // cmb13
    if (box) {
        HWND edit = FindWindowExA(box, nullptr, "Edit", nullptr);
        return edit ? edit : box;
    }
    return GetDlgItem(dialog, 0x480);  // edt1
}

// Types a text into the open dialog's filename box and presses its OK.
void TypeIntoOpenDialog(HWND dialog, const std::string& text) {
    SetText(FileNameBox(dialog), text);
    UiDriver::Click(dialog, IDOK);
}
}  // namespace

TEST_F(ExcludeFile, ReadsTrimmedRecordsBelowCountAndKeepsOldKeysAboveIt) {
    WriteTextFile(Settings(), "[Exclude Files]\r\nCount=4\r\nRecord0=  C:\\A\\*.tmp  \r\nRecord1=\r\n"
                              "Record2=C:\\B\\x.doc\r\nRecord3=   \r\nRecord4=C:\\beyond\\count.txt\r\n");
    ExclusionListDialog form(Settings());
    std::vector<std::string> shown, afterMoves;
    RunDialog(form, ExcludeCaption, [&](UiDriver&, HWND dialog) {
        EXPECT_EQ(UiDriver::Text(GetDlgItem(dialog, IDC_ExclusionList_Label)),
                  "Excludes the following files when Preview or Wash ");
        HWND list = GetDlgItem(dialog, IDC_ExclusionList_List);
        shown = ListBoxTexts(list);
        // Up on the first row and down on the last change nothing; the selection moves with a row.
        SendMessageA(list, LB_SETCURSEL, 0, 0);
        SendClick(dialog, IDC_ExclusionList_MoveUp);
        SendClick(dialog, IDC_ExclusionList_MoveDown);
        EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1);
        SendClick(dialog, IDC_ExclusionList_MoveDown);
        afterMoves = ListBoxTexts(list);
        UiDriver::Click(dialog, IDC_ExclusionList_Apply);
    });
    EXPECT_EQ(shown, (std::vector<std::string>{"C:\\A\\*.tmp", "C:\\B\\x.doc"}));
    EXPECT_EQ(afterMoves, (std::vector<std::string>{"C:\\B\\x.doc", "C:\\A\\*.tmp"}));
    std::string file = ReadTextFile(Settings());
    EXPECT_NE(file.find("Count=2\r\nRecord0=C:\\B\\x.doc\r\nRecord1=C:\\A\\*.tmp\r\n"), std::string::npos) << file;
    // Keys above the new count stay in the file.
    EXPECT_NE(file.find("Record4=C:\\beyond\\count.txt"), std::string::npos) << file;
}

TEST_F(ExcludeFile, PickedEntriesAppendedOnceWhateverTheirCase) {
    const std::string picked = dir.Path() + "Picked.txt";
    WriteTextFile(picked, "x");
    ExclusionListDialog form(Settings());
    std::vector<std::string> rows;
    RunDialog(form, ExcludeCaption, [&](UiDriver& driver, HWND dialog) {
        for (const char* mask : {"*.log", "*.LOG"}) {
            UiDriver::Click(dialog, IDC_ExclusionList_AddByWildcard);
            HWND picker = driver.WaitForWindow("#32770", "Select files by wildcard");
            ASSERT_NE(picker, nullptr);
            EXPECT_TRUE(SelectTreeFolder(picker, Folder()));
            SetText(GetDlgItem(picker, IDC_SelectByWildcard_Mask), mask);
            UiDriver::Click(picker, IDC_SelectByWildcard_Ok);
            EXPECT_TRUE(driver.WaitGone(picker));
        }
        for (const std::string& typed : {picked, UpperCase(picked)}) {
            UiDriver::Click(dialog, IDC_ExclusionList_AddByFileName);
            HWND open = driver.WaitForWindow("#32770", "Select files by filename");
            ASSERT_NE(open, nullptr);
            TypeIntoOpenDialog(open, typed);
            EXPECT_TRUE(driver.WaitGone(open));
        }
        rows = ListBoxTexts(GetDlgItem(dialog, IDC_ExclusionList_List));
        UiDriver::Click(dialog, IDC_ExclusionList_Cancel);
    });
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_TRUE(SameText(rows[0], dir.Path() + "*.log")) << rows[0];
    EXPECT_TRUE(SameText(rows[1], picked)) << rows[1];
}

TEST_F(ExcludeFile, SeveralFilesChosenAtOnceAddedInTheDialogsOrder) {
    for (const char* name : {"one.txt", "two.txt"}) WriteTextFile(dir.Path() + name, "x");
    ExclusionListDialog form(Settings());
    std::vector<std::string> rows;
    RunDialog(form, ExcludeCaption, [&](UiDriver& driver, HWND dialog) {
        UiDriver::Click(dialog, IDC_ExclusionList_AddByFileName);
        HWND open = driver.WaitForWindow("#32770", "Select files by filename");
        ASSERT_NE(open, nullptr);
        // Into the folder first: the click's handler has gone there when it returns.
        SetText(FileNameBox(open), dir.Path());
        EXPECT_EQ(driver.ClickForMessageBox(open, IDOK), nullptr);
        TypeIntoOpenDialog(open, "\"two.txt\" \"one.txt\"");
        EXPECT_TRUE(driver.WaitGone(open));
        rows = ListBoxTexts(GetDlgItem(dialog, IDC_ExclusionList_List));
        UiDriver::Click(dialog, IDC_ExclusionList_Cancel);
    });
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_TRUE(SameText(rows[0], dir.Path() + "two.txt")) << rows[0];
    EXPECT_TRUE(SameText(rows[1], dir.Path() + "one.txt")) << rows[1];
}

TEST_F(ExcludeFile, CancelAndEscapeWriteNothing) {
    const std::string before = "[Exclude Files]\r\nCount=2\r\nRecord0=C:\\A\\a.txt\r\nRecord1=C:\\B\\b.txt\r\n";
    WriteTextFile(Settings(), before);
    for (bool escape : {false, true}) {
        ExclusionListDialog form(Settings());
        RunDialog(form, ExcludeCaption, [&](UiDriver&, HWND dialog) {
            HWND list = GetDlgItem(dialog, IDC_ExclusionList_List);
            SendMessageA(list, LB_SETCURSEL, 0, 0);
            SendClick(dialog, IDC_ExclusionList_Delete);
            EXPECT_EQ(ListBoxTexts(list), std::vector<std::string>{"C:\\B\\b.txt"});
            SendClick(dialog, IDC_ExclusionList_Delete);  // nothing selected now: nothing deleted
            EXPECT_EQ(ListBoxTexts(list).size(), 1u);
            SendClick(dialog, IDC_ExclusionList_DeleteAll);
            EXPECT_TRUE(ListBoxTexts(list).empty());
            if (escape) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            else UiDriver::Click(dialog, IDC_ExclusionList_Cancel);
        });
        EXPECT_EQ(ReadTextFile(Settings()), before) << "escape " << escape;
    }
}

TEST_F(ExcludeFile, RefusedApplyShowsTheErrorAndLeavesTheFileWhole) {
    const std::string before = "[Common]\r\nWildcard Total=1\r\nWildcard0=*.tmp\r\n"
                               "[Exclude Files]\r\nCount=2\r\nRecord0=C:\\A\\a.txt\r\nRecord1=C:\\B\\b.txt\r\n";
    WriteTextFile(Settings(), before);
    // Another program holds the file open for reading only.
    HANDLE held = CreateFileA(Settings().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ExclusionListDialog form(Settings());
    std::string error;
    std::vector<std::string> kept;
    RunDialog(form, ExcludeCaption, [&](UiDriver& driver, HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_ExclusionList_List);
        SendClick(dialog, IDC_ExclusionList_DeleteAll);
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("C:\\New\\*.*"));
        UiDriver::Click(dialog, IDC_ExclusionList_Apply);
        HWND box = driver.WaitForMessageBox();
        ASSERT_NE(box, nullptr);
        error = UiDriver::MessageBoxText(box);
        EXPECT_EQ(UiDriver::MessageBoxIcon(box), static_cast<UINT>(MB_ICONERROR));
        driver.Answer(box, IDOK);
        EXPECT_TRUE(driver.WaitGone(box));
        // The dialog stays open with the edits; once the file is free, Apply writes them.
        EXPECT_TRUE(IsWindowVisible(dialog));
        kept = ListBoxTexts(list);
        CloseHandle(held);
        UiDriver::Click(dialog, IDC_ExclusionList_Apply);
    });
    EXPECT_EQ(error, "Unable to write to " + Settings());
    EXPECT_EQ(kept, std::vector<std::string>{"C:\\New\\*.*"});
    std::string after = ReadTextFile(Settings());
    EXPECT_NE(after.find("Wildcard0=*.tmp"), std::string::npos) << after;
    EXPECT_NE(after.find("Count=1\r\nRecord0=C:\\New\\*.*\r\nRecord1=C:\\B\\b.txt"), std::string::npos) << after;
    EXPECT_FALSE(FileExists(Settings() + ".new"));
}

TEST(WildcardEditor, TrimsIgnoresBlanksAndOtherCaseDuplicatesWritesOnlyOnOk) {
    TempDir dir;
    const std::string settings = dir.Path() + "wildcard.ini";
    WriteTextFile(settings, "[Common]\r\nWildcard Total=3\r\nWildcard0=*.tmp\r\nWildcard1=\r\nWildcard2=*.log\r\n");
    for (bool ok : {false, true}) {
        WildcardListDialog form(settings);
        std::vector<std::string> shown, edited;
        std::string note;
        int result = RunDialog(form, "Edit Wildcard", [&](UiDriver& driver, HWND dialog) {
            HWND list = GetDlgItem(dialog, IDC_WildcardList_List);
            HWND edit = GetDlgItem(dialog, IDC_WildcardList_NewWildcard);
            shown = ListBoxTexts(list);
            for (const char* typed : {"  *.bak  ", "*.TMP", "   "}) {
                SetText(edit, typed);
                SendClick(dialog, IDC_WildcardList_Add);
            }
            EXPECT_EQ(UiDriver::Text(edit), "   ");  // blank input left as it was
            UiDriver::Click(dialog, IDC_WildcardList_Delete);  // nothing selected
            HWND box = driver.WaitForMessageBox();
            ASSERT_NE(box, nullptr);
            note = UiDriver::MessageBoxText(box);
            EXPECT_EQ(UiDriver::MessageBoxIcon(box), static_cast<UINT>(MB_ICONINFORMATION));
            driver.Answer(box, IDOK);
            EXPECT_TRUE(driver.WaitGone(box));
            SendMessageA(list, LB_SETCURSEL, 2, 0);
            SendClick(dialog, IDC_WildcardList_MoveUp);
            SendMessageA(list, LB_SETCURSEL, 0, 0);
            SendClick(dialog, IDC_WildcardList_Delete);
            edited = ListBoxTexts(list);
            UiDriver::Click(dialog, ok ? IDC_WildcardList_Ok : IDC_WildcardList_Cancel);
        });
        EXPECT_EQ(shown, (std::vector<std::string>{"*.tmp", "*.log"}));
        EXPECT_EQ(note, "Please select a item by clicking");
        EXPECT_EQ(edited, (std::vector<std::string>{"*.bak", "*.log"}));
        EXPECT_EQ(result, ok ? mrOK : mrCancel);
    }
    EXPECT_EQ(ReadTextFile(settings), "[Common]\r\nWildcard Total=2\r\nWildcard0=*.bak\r\nWildcard1=*.log\r\n"
                                      "Wildcard2=*.log\r\n");
}

TEST(WildcardEditor, EnterWhileTypingAddsTheMaskInsteadOfClosing) {
    TempDir dir;
    const std::string settings = dir.Path() + "wildcard.ini";
    WildcardListDialog form(settings);
    std::vector<std::string> rows;
    int result = RunDialog(form, "Edit Wildcard", [&](UiDriver&, HWND dialog) {
        HWND edit = GetDlgItem(dialog, IDC_WildcardList_NewWildcard);
        SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
        SetText(edit, "*.old");
        PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
        WaitUntil([&] { return !ListBoxTexts(GetDlgItem(dialog, IDC_WildcardList_List)).empty(); }, 2000);
        rows = ListBoxTexts(GetDlgItem(dialog, IDC_WildcardList_List));
        EXPECT_TRUE(IsWindowVisible(dialog));
        PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);  // the box is empty now: Enter is "&Ok"
    });
    EXPECT_EQ(rows, std::vector<std::string>{"*.old"});
    EXPECT_EQ(result, mrOK);
    EXPECT_EQ(ReadNumberedList(settings, WildcardList), std::vector<std::string>{"*.old"});
}
