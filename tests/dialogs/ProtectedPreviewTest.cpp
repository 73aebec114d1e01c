// A preview shows rows in protected places by their path, unchecked, with "Protected" in the Note;
// Select All leaves them, and a refused row cannot be checked.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "catalogue/WashItem.h"
#include "dialogs/PreviewFilesDialog.h"
#include "dialogs/PreviewFilesDialogRes.h"
#include "settings/AppPaths.h"
#include "tests/dialogs/PreviewTestUtil.h"
#include "tests/support/Dialogs.h"
#include "tests/support/UiDriver.h"
#include "tests/support/Wait.h"

TEST(ProtectedPreview, RowsInProtectedPlacesShowUncheckedWithTheirNote) {
    TempDir dir;
    ProgramDirScope scope{dir.Path()};
    const std::string profile = dir.Path() + "User Data\\Default\\";
    for (const char* folder : {"User Data", "User Data\\Default"}) CreateDirectoryA((dir.Path() + folder).c_str(), nullptr);
    WriteTextFile(profile + "Bookmarks", "{}");
    WriteTextFile(profile + "History", "x");
    PreviewFilesDialog dialog;
    RecordedContext recorded;
    dialog.Context = recorded.Make();
    for (const std::string itemFile : {dir.Path() + "plugin\\junk.txt", UserItemsPath()}) {
        FolderEntry entry;
        entry.ItemFile = itemFile;
        entry.FolderMask = profile + (itemFile == UserItemsPath() ? "Bookmarks" : "*.*");
        std::vector<std::string> rows;
        entry.ListFiles(rows);
        AppendRows(dialog.FileList, std::move(rows));
    }
    RunDialog(dialog, "Preview Files of Current Item", [&](UiDriver&, HWND window) {
        HWND list = GetDlgItem(window, IDC_PreviewFiles_Files);
        HWND totals = GetDlgItem(window, IDC_PreviewFiles_Totals);
        UiDriver::Click(window, IDC_PreviewFiles_SelectAll);
        WaitUntil([&] { return UiDriver::Text(totals).find("; 1 checked") != std::string::npos; }, 5000);
        EXPECT_NE(UiDriver::Text(totals).find("3 rows"), std::string::npos) << UiDriver::Text(totals);
        EXPECT_NE(UiDriver::Text(totals).find("; 1 checked"), std::string::npos) << UiDriver::Text(totals);
        std::vector<std::string> shown;
        for (int i = 0; i < 3; ++i) shown.push_back(ListCell(list, i) + "|" + ListCell(list, i, 2));
        std::sort(shown.begin(), shown.end());
        EXPECT_EQ(shown, (std::vector<std::string>{profile + "Bookmarks|Protected",
                                                   profile + "Bookmarks|Protected: washed only when checked by hand",
                                                   profile + "History|"}));
        UiDriver::Click(window, IDC_PreviewFiles_Close);
    });
}
