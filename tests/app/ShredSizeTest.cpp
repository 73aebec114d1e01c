// /shred's preview: each file once, with the space on disk every other preview shows.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <map>

#include "app/CommandLine.h"
#include "dialogs/PreviewFilesDialogRes.h"
#include "engine/ShredTargets.h"
#include "platform/DiskSpace.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestKey.h"
#include "tests/support/UiDriver.h"

namespace {

// Row text -> its "Size" cell.
std::map<std::string, std::string> SizeCells(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_PreviewFiles_Files);
    std::map<std::string, std::string> cells;
    int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[1024] = "", size[64] = "";
        LVITEMA item{};
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        SendMessageA(list, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
        item.iSubItem = 1;
        item.pszText = size;
        item.cchTextMax = sizeof(size);
        SendMessageA(list, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
        cells[text] = size;
    }
    return cells;
}

class ShredSizeTest : public testing::Test {
protected:
    void SetUp() override {
        folder = temp.Path() + "Letters";
        CreateDirectoryA(folder.c_str(), nullptr);
        WriteTextFile(folder + "\\a.txt", std::string(5000, 'a'));
        WriteTextFile(folder + "\\b.txt", std::string(70000, 'b'));
        cluster = ClusterSizeOf(folder);
    }

    TempDir temp;
    std::string folder;
    uint64_t cluster = 0;
};

}  // namespace

TEST_F(ShredSizeTest, AFileNamedInsideANamedFolderIsListedOnce) {
    for (const std::string& inside : {folder + "\\b.txt", folder + "\\.\\B.TXT", folder + "\\"}) {
        std::vector<std::string> rows;
        EXPECT_TRUE(CollectShredRows({folder, inside}, rows).empty());
        EXPECT_EQ(std::count(rows.begin(), rows.end(), folder + "\\b.txt"), 1) << inside;
        EXPECT_EQ(rows.size(), 3u) << inside << ": two files and the folder";
    }
}

// The preview shows each file's space on disk and the totals add them up, as the main window's
// previews do.
TEST_F(ShredSizeTest, ThePreviewShowsTheSpaceOnDiskOfEachFile) {
    const uint64_t a = SpaceOnDisk(5000, cluster), b = SpaceOnDisk(70000, cluster);
    ProgramDirScope scope(temp.Path());
    std::wstring path(folder.begin(), folder.end());
    RunWithDriver([&] { RunShredCommand({path, path + L"\\b.txt"}); },
                  [&](UiDriver& driver) {
                      HWND dialog = driver.WaitForWindow("#32770", "Shred with Varnolt");
                      ASSERT_NE(dialog, nullptr);
                      std::map<std::string, std::string> cells = SizeCells(dialog);
                      EXPECT_EQ(cells[folder + "\\a.txt"], FormatSpace(a));
                      EXPECT_EQ(cells[folder + "\\b.txt"], FormatSpace(b));
                      std::string totals = UiDriver::Text(GetDlgItem(dialog, IDC_PreviewFiles_Totals));
                      EXPECT_EQ(totals.find("3 "), 0u) << totals;
                      EXPECT_NE(totals.find(FormatSpace(a + b)), std::string::npos) << totals;
                      UiDriver::Click(dialog, IDC_PreviewFiles_Close);
                      EXPECT_TRUE(driver.WaitGone(dialog));
                  });
    EXPECT_TRUE(FileExists(folder + "\\b.txt"));
}
