// A folder entry's age limit seen from the main window: both previews say what it leaves, and
// the item's wash takes only the older file.
#include <gtest/gtest.h>

#include "dialogs/PreviewFilesDialogRes.h"
#include "dialogs/PreviewItemDialogRes.h"
#include "tests/app/MainWashFixture.h"
#include "tests/support/FileAge.h"
#include "tests/support/ListCells.h"

TEST_F(MainWashTest, AnAgeLimitLeavesTheNewerFileAndBothPreviewsSayWhy) {
    const std::string temp = dir.Path() + "temp\\";
    CreateDirectoryA(temp.c_str(), nullptr);
    for (auto [name, hours] : {std::pair{"new.tmp", 1}, std::pair{"old.tmp", 48}}) {
        WriteTextFile(temp + name, "x");
        ASSERT_TRUE(SetFileAgeHours(temp + name, hours));
    }
    WriteTextFile(dir.Path() + "const\\system.txt",
                  "[Common]\r\nTotal=1\r\nItem0=Temp\r\n[Temp]\r\nIsActive=1\r\ntFolder.Total=2\r\n"
                  "tFolder0.ChildItemName=Old temp\r\ntFolder0.isactive=1\r\ntFolder0.bycategory=1\r\n"
                  "tFolder0.deletepath=" + temp + "*.tmp\r\ntFolder0.OlderThanHours=24\r\n"
                  "tFolder1.ChildItemName=Logs\r\ntFolder1.isactive=1\r\ntFolder1.bycategory=1\r\n"
                  "tFolder1.deletepath=" + temp + "*.log\r\n");
    MainWindow& main = Open();
    const std::string note = "Only files last written more than 24 hours ago are listed: 1 newer files left.";
    std::string entryNote, itemNote;
    Strings itemRows;
    RunDialog([&] { main.OnPreviewFolderEntry(); }, "Preview Files of Current Item", [&](UiDriver&, HWND dialog) {
        entryNote = UiDriver::Text(GetDlgItem(dialog, IDC_PreviewFiles_Note));
        UiDriver::Click(dialog, IDC_PreviewFiles_Close);
    });
    RunDialog([&] { main.OnPreviewCurrentItem(); }, "Preview Current Wash Item", [&](UiDriver&, HWND dialog) {
        itemNote = UiDriver::Text(GetDlgItem(dialog, IDC_PreviewItem_FileNote));
        itemRows = ListRows(GetDlgItem(dialog, IDC_PreviewItem_Files));
        UiDriver::Click(dialog, IDC_PreviewItem_Wash);
    });
    EXPECT_EQ(entryNote, note);
    EXPECT_EQ(itemNote, "Old temp: " + note);  // the entry without a limit adds nothing
    EXPECT_EQ(itemRows, Strings{temp + "old.tmp"});
    EXPECT_FALSE(FileExists(temp + "old.tmp"));
    EXPECT_TRUE(FileExists(temp + "new.tmp"));
}
