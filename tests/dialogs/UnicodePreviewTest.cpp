// The file preview shows names outside the ANSI code page and long paths as they are, and its
// wash deletes them.
#include <gtest/gtest.h>

#include "dialogs/PreviewFilesDialog.h"
#include "dialogs/PreviewFilesDialogRes.h"
#include "tests/dialogs/PreviewTestUtil.h"
#include "tests/support/Dialogs.h"
#include "tests/support/UiDriver.h"

TEST(UnicodePreview, RowsShowTheirRealNamesAndTheWashDeletesThem) {
    TempDir dir;
    ProgramDirScope scope{dir.Path()};
    RecordedContext recorded;
    std::string deep = dir.Path();
    while (deep.size() < 280) {
        deep += std::string(40, 'q') + "\\";
        CreateDirectoryW(WidePath(deep).c_str(), nullptr);
    }
    const Strings paths = {dir.Path() + "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC.txt",
                           dir.Path() + "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E.txt",
                           dir.Path() + "\xF0\x9F\x98\x80.txt", deep + "caf\xC3\xA9.txt"};
    for (const auto& path : paths) WriteTextFile(path, "x");
    PreviewFilesDialog dialog;
    dialog.Context = recorded.Make();
    AppendRows(dialog.FileList, Strings(paths));
    dialog.OnSelectAll();
    Strings shown;
    RunDialog(dialog, "Preview Files of Current Item", [&](UiDriver&, HWND window) {
        shown = ListRows(GetDlgItem(window, IDC_PreviewFiles_Files));
        UiDriver::Click(window, IDC_PreviewFiles_Wash);
    });
    EXPECT_EQ(shown, paths);
    for (const auto& path : paths) EXPECT_FALSE(FileExists(path)) << path;
    EXPECT_EQ(recorded.counters, Strings{"files 4/0"});
}
