// A folder entry's age limit: its box in the editor, and the preview that leaves newer files.
#include <gtest/gtest.h>

#include <windows.h>

#include "dialogs/FolderEntryDialog.h"
#include "dialogs/FolderEntryDialogRes.h"
#include "dialogs/PreviewFilesDialog.h"
#include "dialogs/PreviewFilesDialogRes.h"
#include "tests/dialogs/FormTestUtil.h"
#include "tests/dialogs/PreviewTestUtil.h"
#include "tests/support/DialogInput.h"
#include "tests/support/Dialogs.h"
#include "tests/support/FileAge.h"

// Empty and 0 store no limit; text that is no whole number is refused with the box's text.
TEST(FolderEditorAge, TheBoxShowsAndStoresTheLimitAndRefusesText) {
    struct Case {
        const char* typed;
        int stored;  // -1: refused
    } cases[] = {{"48", 48}, {"", 0}, {"0", 0}, {"12h", -1}};
    for (const Case& c : cases) {
        FolderEntryDialog form;
        form.Entry.Name = "Temp";
        form.Entry.FolderMask = "C:\\temp\\*.*";
        form.Entry.OlderThanHours = 24;
        std::string refusal;
        int result = RunDialog(form, "Add Edit Folder", [&](UiDriver& driver, HWND dialog) {
            EXPECT_EQ(ControlTextOf(dialog, IDC_FolderEntry_OlderThanHours), "24");
            TypeText(dialog, IDC_FolderEntry_OlderThanHours, c.typed);
            HWND box = driver.ClickForMessageBox(dialog, IDOK);
            if (!box) return;
            refusal = UiDriver::MessageBoxText(box);
            driver.Answer(box, IDOK);
            driver.WaitGone(box);
            UiDriver::Click(dialog, IDCANCEL);
        });
        if (c.stored < 0) {
            EXPECT_EQ(result, mrCancel) << c.typed;
            EXPECT_NE(refusal.find("'12h' is not a number of hours"), std::string::npos) << refusal;
        } else {
            EXPECT_EQ(result, mrOK) << c.typed;
            EXPECT_EQ(form.Entry.OlderThanHours, c.stored) << c.typed;
        }
    }
}

// Files aged 1 h and 48 h under an entry of 24 hours: the preview lists and washes only the
// older one, and says why the newer one is left.
TEST(PreviewAge, AnEntryOf24HoursWashesOnlyTheOlderFileAndSaysWhy) {
    TempDir dir;
    ProgramDirScope scope{dir.Path()};
    const std::string fresh = dir.Path() + "new.tmp", stale = dir.Path() + "old.tmp";
    for (auto [path, hours] : {std::pair{fresh, 1}, std::pair{stale, 48}}) {
        WriteTextFile(path, "x");
        ASSERT_TRUE(SetFileAgeHours(path, hours));
    }
    FolderEntry entry;
    entry.FolderMask = dir.Path() + "*.tmp";
    entry.OlderThanHours = 24;
    std::vector<std::string> rows;
    std::vector<uint64_t> spaces;
    size_t newerLeft = 0;
    entry.ListFiles(rows, spaces, &newerLeft);

    RecordedContext recorded;
    PreviewFilesDialog dialog;
    dialog.Context = recorded.Make();
    dialog.Note = entry.AgeLimitNote(newerLeft);
    AppendRows(dialog.FileList, std::move(rows), &spaces);
    dialog.OnSelectAll();
    RunDialog(dialog, "Preview Files of Current Item", [&](UiDriver&, HWND window) {
        EXPECT_EQ(ControlTextOf(window, IDC_PreviewFiles_Note),
                  "Only files last written more than 24 hours ago are listed: 1 newer files left.");
        EXPECT_EQ(ListView_GetItemCount(GetDlgItem(window, IDC_PreviewFiles_Files)), 1);
        UiDriver::Click(window, IDC_PreviewFiles_Wash);
    });
    AbandonWashLog();
    EXPECT_FALSE(FileExists(stale));
    EXPECT_TRUE(FileExists(fresh));
    EXPECT_EQ(recorded.counters, Strings{"files 1/0"});
}
