// The exclusion list opened from the main window: what the user excludes there survives the
// next wash, and no wash runs while the dialog is open.
#include "tests/app/MainWashFixture.h"

#include "dialogs/ExclusionListDialogRes.h"
#include "tests/dialogs/FormTestUtil.h"

TEST_F(MainWashTest, FolderExcludedInTheDialogKeepsAllItsFilesThroughTheNextWash) {
    WriteTextFile(Data("sub\\README"), "x");
    WriteTextFile(dir.Path() + "const\\system.txt",
                  "[Common]\r\nTotal=1\r\nItem0=Everything\r\n[Everything]\r\nIsActive=1\r\ntFolder.Total=1\r\n"
                  "tFolder0.ChildItemName=All\r\ntFolder0.isactive=1\r\ntFolder0.bycategory=1\r\n"
                  "tFolder0.deletepath=" + Data("*.*") + "\r\ntFolder0.IsIncludeSubfolder=1\r\n");
    MainWindow& main = Open();
    std::vector<std::string> rows;
    RunDialog(
        [&] {
            SendMessageA(main.Handle(), WM_COMMAND, MAKEWPARAM(IDC_ExclusionList, BN_CLICKED),
                         reinterpret_cast<LPARAM>(main.Control(IDC_ExclusionList)));
        },
        "Select Files to Exclude",
        [&](UiDriver& driver, HWND dialog) {
            // A wash asked for meanwhile (a timer or hot key) does not run inside the dialog.
            SendMessageA(main.Handle(), WM_COMMAND, MAKEWPARAM(IDC_WashChecked, BN_CLICKED),
                         reinterpret_cast<LPARAM>(main.Control(IDC_WashChecked)));
            EXPECT_TRUE(FileExists(Data("a.log")));

            UiDriver::Click(dialog, IDC_ExclusionList_AddByWildcard);
            HWND picker = driver.WaitForWindow("#32770", "Select files by wildcard");
            ASSERT_NE(picker, nullptr);
            EXPECT_TRUE(SelectTreeFolder(picker, Data("sub")));
            SetText(GetDlgItem(picker, IDC_SelectByWildcard_Mask), "*.*");
            UiDriver::Click(picker, IDC_SelectByWildcard_Ok);
            EXPECT_TRUE(driver.WaitGone(picker));
            rows = ListBoxTexts(GetDlgItem(dialog, IDC_ExclusionList_List));
            UiDriver::Click(dialog, IDC_ExclusionList_Apply);
        });
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_TRUE(SameText(rows[0], Data("sub\\*.*"))) << rows[0];

    Quietly([&] { main.OnWashChecked(); });
    for (const char* gone : {"a.log", "note.txt", "keep.txt"}) EXPECT_FALSE(FileExists(Data(gone))) << gone;
    // A name without an extension is covered by "*.*" too.
    for (const char* kept : {"sub\\b.log", "sub\\README"}) EXPECT_TRUE(FileExists(Data(kept))) << kept;
    EXPECT_EQ(Counters(), "3,0;0,0");
}
