// Space in the previews: the Size column, its sums as rows are checked, ordering by a header
// click, folder rows shown as folders, and the Summary page of Preview All.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "catalogue/WashItem.h"
#include "dialogs/PreviewAllDialog.h"
#include "dialogs/PreviewAllDialogRes.h"
#include "dialogs/PreviewFilesDialog.h"
#include "dialogs/PreviewFilesDialogRes.h"
#include "platform/DiskSpace.h"
#include "platform/Text.h"
#include "tests/dialogs/PreviewTestUtil.h"
#include "tests/support/Dialogs.h"
#include "tests/support/UiDriver.h"
#include "tests/support/Wait.h"

namespace {
// A click on a column header, as the mouse gives it.
void ClickHeader(HWND list, int column) {
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    RECT rc{};
    SendMessageA(header, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&rc));
    LPARAM at = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(header, WM_LBUTTONUP, 0, at);
}

class PreviewSpace : public testing::Test {
protected:
    void TearDown() override { AbandonWashLog(); }
    TempDir dir;
    ProgramDirScope scope{dir.Path()};
    RecordedContext recorded;
};
}  // namespace

TEST_F(PreviewSpace, FileListShowsSizesSumsCheckedRowsAndSortsByAClickedColumn) {
    const uint64_t cluster = ClusterSizeOf(dir.Path());
    ASSERT_GT(cluster, 0u);
    const size_t sizes[] = {static_cast<size_t>(cluster) + 1, 0, 1, static_cast<size_t>(cluster)};
    const char* names[] = {"b.tmp", "c.tmp", "a.tmp", "d.tmp"};
    for (int i = 0; i < 4; ++i) WriteTextFile(dir.Path() + names[i], std::string(sizes[i], 'x'));
    FolderEntry entry;
    entry.FolderMask = dir.Path() + "*.tmp";
    entry.RemoveSelf = true;
    std::vector<std::string> rows;
    std::vector<uint64_t> spaces;
    entry.ListFiles(rows, spaces);
    ASSERT_EQ(rows.size(), 5u);  // four files and the folder itself

    PreviewFilesDialog dialog;
    dialog.Context = recorded.Make();
    AppendRows(dialog.FileList, std::move(rows), &spaces);
    const std::string total = FormatSpace(4 * cluster), c = FormatSpace(cluster), c2 = FormatSpace(2 * cluster);
    const std::string p = dir.Path(), folder = p.substr(0, p.size() - 1) + " (folder, removed when empty)";
    // A file held open says so in its note before any wash.
    HANDLE holder = CreateFileA((p + "d.tmp").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    RunDialog(dialog, "Preview Files of Current Item", [&](UiDriver&, HWND window) {
        HWND list = GetDlgItem(window, IDC_PreviewFiles_Files);
        HWND totals = GetDlgItem(window, IDC_PreviewFiles_Totals);
        EXPECT_EQ(UiDriver::Text(totals), "5 rows, " + total + "; 0 checked, 0 bytes");
        UiDriver::Click(window, IDC_PreviewFiles_SelectAll);
        const std::string all = "5 rows, " + total + "; 5 checked, " + total;
        WaitUntil([&] { return UiDriver::Text(totals) == all; }, 5000);
        EXPECT_EQ(UiDriver::Text(totals), all);
        // Ascending by size: the sizes shown grow, the folder row (no size) among the
        // smallest; a second click turns the order round.
        ClickHeader(list, 1);
        std::vector<std::string> bySize = ListRows(list, 2), sizesShown;
        for (const auto& row : bySize)
            if (row != folder + "|") sizesShown.push_back(row.substr(row.find('|') + 1));
        EXPECT_EQ(sizesShown, (std::vector<std::string>{"0 bytes", c, c, c2})) << testing::PrintToString(bySize);
        EXPECT_EQ(bySize.back(), p + "b.tmp|" + c2);
        EXPECT_NE(std::find(bySize.begin(), bySize.begin() + 2, folder + "|"), bySize.begin() + 2);
        ClickHeader(list, 1);
        EXPECT_EQ(ListRows(list, 2).front(), p + "b.tmp|" + c2);
        ClickHeader(list, 0);
        std::vector<std::string> byName = ListRows(list, 2), files;
        for (const auto& row : byName)
            if (row != folder + "|") files.push_back(row);
        EXPECT_TRUE(std::is_sorted(files.begin(), files.end(), [](const std::string& a, const std::string& b) {
            return AnsiCompareText(a, b) < 0;
        })) << testing::PrintToString(byName);
        // A click on the check box of a.tmp changes the checked sum only.
        int a = static_cast<int>(std::find(byName.begin(), byName.end(), p + "a.tmp|" + c) - byName.begin());
        ASSERT_LT(a, 5);
        RECT box{};
        box.left = LVIR_BOUNDS;
        SendMessageA(list, LVM_GETITEMRECT, a, reinterpret_cast<LPARAM>(&box));
        LPARAM at = MAKELPARAM(box.left + 8, (box.top + box.bottom) / 2);
        SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(list, WM_LBUTTONUP, 0, at);
        const std::string fewer = "5 rows, " + total + "; 4 checked, " + FormatSpace(3 * cluster);
        WaitUntil([&] { return UiDriver::Text(totals) == fewer; }, 5000);
        EXPECT_EQ(UiDriver::Text(totals), fewer);
        for (int i = 0; i < 5; ++i) {
            std::string note = ListCell(list, i, 2);
            if (byName[i] == p + "d.tmp|" + c)
                EXPECT_TRUE(note == "File Locked" || note.rfind("In use by ", 0) == 0) << note;
            else
                EXPECT_EQ(note, "") << byName[i];
        }
        for (const auto& row : ListRows(list, 2)) EXPECT_EQ(row.find("<|>"), std::string::npos) << row;
        UiDriver::Click(window, IDC_PreviewFiles_Close);
    });
    CloseHandle(holder);
}

TEST_F(PreviewSpace, SummaryPageComesFirstWithOneRowPerItemSortableByEachColumn) {
    PreviewAllDialog dialog;
    dialog.Context = recorded.Make();
    dialog.Summary.Rows = {{"Beta", 3, 8192, 0}, {"alpha", 10, 4096, 2}, {"Gamma", 1, 12288, 5}};
    RunDialog(dialog, "Preview All Wash Item Checked", [&](UiDriver&, HWND window) {
        HWND tab = GetDlgItem(window, IDC_PreviewAll_Tabs);
        EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 0);
        HWND list = GetDlgItem(window, IDC_PreviewAll_Summary);
        EXPECT_TRUE(IsWindowVisible(list));
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(window, IDC_PreviewAll_Files)));
        EXPECT_EQ(ListRows(list, 4), (std::vector<std::string>{"Beta|3|8.0 KB|0", "alpha|10|4.0 KB|2",
                                                            "Gamma|1|12.0 KB|5"}));
        auto firsts = [&] {
            std::string names;
            for (const auto& row : ListRows(list, 1)) names += row.substr(0, 1);
            return names;
        };
        const struct {
            int column;
            const char* order;
        } clicks[] = {{0, "aBG"}, {0, "GBa"}, {1, "GBa"}, {1, "aBG"}, {2, "aBG"}, {2, "GBa"}, {3, "BaG"}};
        for (const auto& click : clicks) {
            ClickHeader(list, click.column);
            EXPECT_EQ(firsts(), click.order) << click.column;
        }
        UiDriver::Click(window, IDC_PreviewAll_Close);
    });
}
