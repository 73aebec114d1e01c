// The folder entry editor warns when an entry comes to name a protected place, and only then.
#include <gtest/gtest.h>

#include <windows.h>

#include "dialogs/FolderEntryDialog.h"
#include "dialogs/FolderEntryDialogRes.h"
#include "tests/support/Dialogs.h"
#include "tests/support/DialogInput.h"
#include "tests/support/UiDriver.h"

namespace {
// Clicks Save and answers the box that comes with answer; its text, "" when none came.
std::string SaveAnswering(UiDriver& driver, HWND dialog, int answer) {
    HWND box = driver.ClickForMessageBox(dialog, IDOK);
    if (!box) return "";
    std::string text = UiDriver::MessageBoxText(box);
    driver.Answer(box, answer);
    driver.WaitGone(box);
    return text;
}
}  // namespace

TEST(ProtectedEditor, WarnsOnceWhenAnEntryComesToNameAProtectedPlace) {
    const struct {
        const char* path;
        bool singleFile;
        bool warned;
    } rows[] = {
        {"{windows}\\System32\\*.dll", false, true},
        {"{windows}\\Temp\\*.*", false, false},
        {"{windows}\\win.ini", true, true},
        {"C:\\Data\\Google\\Chrome\\User Data\\Default\\Bookmarks", true, true},
        {"C:\\Data\\Google\\Chrome\\User Data\\Default\\Cache\\*.*", false, false},
    };
    for (const auto& row : rows) {
        FolderEntryDialog form;
        form.Entry.Name = "Entry";
        const int box = row.singleFile ? IDC_FolderEntry_FilePath : IDC_FolderEntry_Mask;
        const int radio = row.singleFile ? IDC_FolderEntry_SingleFile : IDC_FolderEntry_FolderMask;
        std::string first, second;
        int result = RunDialog(form, "Add Edit Folder", [&](UiDriver& driver, HWND dialog) {
            SetCheckOf(dialog, radio, true);
            SetCheckOf(dialog, row.singleFile ? IDC_FolderEntry_FolderMask : IDC_FolderEntry_SingleFile, false);
            TypeText(dialog, box, row.path);
            // No keeps the editor open; Yes saves.
            first = SaveAnswering(driver, dialog, IDNO);
            if (!first.empty()) second = SaveAnswering(driver, dialog, IDYES);
        });
        EXPECT_EQ(result, mrOK) << row.path;
        EXPECT_EQ(!first.empty(), row.warned) << row.path;
        if (row.warned) EXPECT_NE(first.find(row.path), std::string::npos) << first;
        EXPECT_EQ(second, first) << row.path;

        // Saved again unchanged: no second warning.
        FolderEntryDialog again;
        again.Entry = form.Entry;
        std::string repeated = "unset";
        RunDialog(again, "Add Edit Folder", [&](UiDriver& driver, HWND dialog) {
            repeated = SaveAnswering(driver, dialog, IDNO);
        });
        EXPECT_EQ(repeated, "") << row.path;
    }
}
