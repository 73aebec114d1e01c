// The Wipe Free Space dialog in its real window: the drive list, a wipe to its end, and the
// close box during a wipe.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "dialogs/WipeFreeSpaceDialog.h"
#include "dialogs/WipeFreeSpaceDialogRes.h"
#include "tests/support/Dialogs.h"
#include "tests/support/UiDriver.h"
#include "tests/support/Wait.h"
#include "tests/support/WipeDrive.h"

namespace {
std::string Shown(HWND window, int id) { return UiDriver::Text(GetDlgItem(window, id)); }

void Show(WipeFreeSpaceDialog& dialog, const std::function<void(UiDriver&, HWND)>& script) {
    RunDialog(dialog, "Wipe Free Space", [&](UiDriver& driver, HWND window) {
        script(driver, window);
        EXPECT_TRUE(driver.WaitGone(window, 20000));
    });
}
}  // namespace

TEST(WipeDialog, OffersTheLocalDrivesWithTheSystemDriveChosen) {
    WipeFreeSpaceDialog dialog;
    Show(dialog, [](UiDriver&, HWND window) {
        HWND combo = GetDlgItem(window, IDC_Wipe_Drive);
        EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), LRESULT(WipeFreeSpaceDialog::WipeableDrives().size()));
        EXPECT_EQ(Shown(window, IDC_Wipe_Drive).substr(0, 3), "C:\\");
        EXPECT_NE(Shown(window, IDC_Wipe_Note).find("TRIM is the drive's business"), std::string::npos);
        UiDriver::Click(window, IDCANCEL);
    });
    EXPECT_TRUE(dialog.Outcome.Error.empty());
}

TEST(WipeDialog, WipesTheChosenDriveToTheEnd) {
    REQUIRE_WIPE_DRIVE(root);
    WipeFreeSpaceDialog dialog;
    dialog.Drive = root;
    Show(dialog, [&](UiDriver&, HWND window) {
        EXPECT_EQ(Shown(window, IDC_Wipe_Drive).substr(0, 3), root);
        UiDriver::Click(window, IDC_Wipe_Start);
        EXPECT_TRUE(WaitUntil([&] { return Shown(window, IDC_Wipe_Status).rfind("Free space of", 0) == 0; }, 20000))
            << Shown(window, IDC_Wipe_Status);
        EXPECT_EQ(Shown(window, IDCANCEL), "Close");
        EXPECT_EQ(SendDlgItemMessageA(window, IDC_Wipe_Progress, PBM_GETPOS, 0, 0), 1000);
        UiDriver::Click(window, IDCANCEL);
    });
    EXPECT_EQ(dialog.Outcome.Result, WipeResult::Done);
    EXPECT_EQ(GetFileAttributesA((root + WipeFolderName).c_str()), INVALID_FILE_ATTRIBUTES);
}

// The close box in the middle of a wipe: the dialog goes once the wipe's files are gone.
TEST(WipeDialog, CloseBoxDuringAWipeLeavesNoWipeFile) {
    REQUIRE_WIPE_DRIVE(root);
    const ULONGLONG before = FreeBytesOf(root);
    WipeFreeSpaceDialog dialog;
    dialog.Drive = root;
    Show(dialog, [&](UiDriver&, HWND window) {
        UiDriver::Click(window, IDC_Wipe_Start);
        PostMessageA(window, WM_CLOSE, 0, 0);
    });
    EXPECT_NE(dialog.Outcome.Result, WipeResult::Failed) << dialog.Outcome.Error;
    EXPECT_EQ(GetFileAttributesA((root + WipeFolderName).c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(FreeBytesOf(root), before);
}
