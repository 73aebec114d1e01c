#include "dialogs/SummaryList.h"

#include <commctrl.h>

#include <algorithm>

#include "dialogs/DialogTexts.h"
#include "platform/DiskSpace.h"
#include "platform/Dpi.h"
#include "platform/Language.h"
#include "platform/Text.h"
#include "platform/WideText.h"

namespace {
// Room a header item leaves beside its text, both sides together, at 96 dpi.
const int HeaderMargins = 16;
const UINT Titles[] = {IDS_Dlg_SummaryWashItem, IDS_Dlg_SummaryFiles, IDS_Dlg_SummarySpace, IDS_Dlg_SummaryRegistryRows,
                       IDS_Dlg_SummaryDatabases};
const int ColumnCount = 5;

// Negative, zero or positive as a orders before, with or after b in a column.
int Compare(const ItemSummary& a, const ItemSummary& b, int column) {
    switch (column) {
        case 1: return (a.Files > b.Files) - (a.Files < b.Files);
        case 2: return (a.Space > b.Space) - (a.Space < b.Space);
        case 3: return (a.RegistryRows > b.RegistryRows) - (a.RegistryRows < b.RegistryRows);
        case 4: return (a.Removed > b.Removed) - (a.Removed < b.Removed);
        default: return AnsiCompareText(a.Name, b.Name);
    }
}

void SetCell(HWND list, int row, int column, const std::string& text) {
    std::wstring wide = Widen(text);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = wide.data();
    SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}
}  // namespace

void SummaryList::Attach(HWND listView, int dpi) {
    handle_ = listView;
    ListView_SetExtendedListViewStyle(handle_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_LABELTIP);
    for (int c = 0; c < ColumnCount; ++c) {
        std::wstring title = Widen(Text(Titles[c]));
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_FMT;
        column.fmt = c == 0 || c == 4 ? LVCFMT_LEFT : LVCFMT_RIGHT;
        column.pszText = title.data();
        SendMessageW(handle_, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
    }
    SetDpi(dpi);
    Fill();
}

void SummaryList::SetDpi(int dpi) {
    if (!handle_) return;
    RECT rc;
    GetClientRect(handle_, &rc);
    // The numbers' columns are wide enough for their titles in every language.
    const int least[] = {0, ScaleForDpi(40, dpi), ScaleForDpi(64, dpi), ScaleForDpi(64, dpi), ScaleForDpi(130, dpi)};
    int rest = rc.right - rc.left - SystemMetricForDpi(SM_CXVSCROLL, dpi);
    for (int c = 1; c < ColumnCount; ++c) {
        std::wstring title = Widen(Text(Titles[c]));
        LPARAM text = reinterpret_cast<LPARAM>(title.c_str());
        int fit = static_cast<int>(SendMessageW(handle_, LVM_GETSTRINGWIDTHW, 0, text));
        int width = std::max(least[c], fit + ScaleForDpi(HeaderMargins, dpi));
        ListView_SetColumnWidth(handle_, c, width);
        rest -= width;
    }
    ListView_SetColumnWidth(handle_, 0, rest);
}

void SummaryList::SortBy(int column) {
    if (column < 0 || column >= ColumnCount) return;
    descending_ = column == sortColumn_ && !descending_;
    sortColumn_ = column;
    const bool descending = descending_;
    std::stable_sort(Rows.begin(), Rows.end(), [column, descending](const ItemSummary& a, const ItemSummary& b) {
        int order = Compare(a, b, column);
        return descending ? order > 0 : order < 0;
    });
    Fill();
}

bool SummaryList::HandleNotify(NMHDR* header, LRESULT& result) {
    if (!handle_ || header->hwndFrom != handle_ || header->code != LVN_COLUMNCLICK) return false;
    SortBy(reinterpret_cast<NMLISTVIEW*>(header)->iSubItem);
    result = 0;
    return true;
}

void SummaryList::Fill() {
    if (!handle_) return;
    SendMessageA(handle_, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(handle_);
    for (int i = 0; i < static_cast<int>(Rows.size()); ++i) {
        const ItemSummary& row = Rows[i];
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        std::wstring name = Widen(row.Name);
        item.pszText = name.data();
        SendMessageW(handle_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        SetCell(handle_, i, 1, std::to_string(row.Files));
        SetCell(handle_, i, 2, FormatSpace(row.Space));
        SetCell(handle_, i, 3, std::to_string(row.RegistryRows));
        SetCell(handle_, i, 4, row.Databases);
    }
    SendMessageA(handle_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(handle_, nullptr, TRUE);
}
