// The age limit box of the folder entry editor.
#include <gtest/gtest.h>

#include <windows.h>

#include "dialogs/FolderEntryDialog.h"
#include "dialogs/FolderEntryDialogRes.h"
#include "tests/dialogs/FormTestUtil.h"
#include "tests/support/DialogInput.h"
#include "tests/support/Dialogs.h"

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
