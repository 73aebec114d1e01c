#include "dialogs/ListBoxRows.h"

#include "catalogue/ListUtils.h"
#include "platform/Dpi.h"
#include "platform/WideText.h"

namespace {
std::string ListBoxRow(HWND listBox, int index) {
    LRESULT length = SendMessageW(listBox, LB_GETTEXTLEN, index, 0);
    std::wstring text(length == LB_ERR ? 1 : static_cast<size_t>(length) + 1, L'\0');
    LRESULT got = SendMessageW(listBox, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(got == LB_ERR ? 0 : static_cast<size_t>(got));
    return Narrow(text);
}

void SetListBoxRow(HWND listBox, int index, const std::string& text) {
    SendMessageA(listBox, LB_DELETESTRING, index, 0);
    SendMessageW(listBox, LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(Widen(text).c_str()));
}

// Exchanges the selected row with the one at offset from it, then selects that one.
void MoveSelected(HWND listBox, int offset) {
    int selected = static_cast<int>(SendMessageA(listBox, LB_GETCURSEL, 0, 0));
    int count = static_cast<int>(SendMessageA(listBox, LB_GETCOUNT, 0, 0));
    int other = selected + offset;
    if (selected == LB_ERR || other < 0 || other >= count) return;
    std::string selectedText = ListBoxRow(listBox, selected);
    std::string otherText = ListBoxRow(listBox, other);
    SetListBoxRow(listBox, selected, otherText);
    SetListBoxRow(listBox, other, selectedText);
    SendMessageA(listBox, LB_SETCURSEL, other, 0);
}
}  // namespace

std::vector<std::string> ListBoxRows(HWND listBox) {
    int count = static_cast<int>(SendMessageA(listBox, LB_GETCOUNT, 0, 0));
    std::vector<std::string> rows;
    for (int i = 0; i < count; ++i) rows.push_back(ListBoxRow(listBox, i));
    return rows;
}

void FitHorizontalExtent(HWND listBox) {
    HDC dc = GetDC(listBox);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(listBox, WM_GETFONT, 0, 0)));
    int widest = 0;
    for (const auto& row : ListBoxRows(listBox)) {
        SIZE size{};
        std::wstring wide = Widen(row);
        GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
        if (size.cx > widest) widest = size.cx;
    }
    SelectObject(dc, old);
    ReleaseDC(listBox, dc);
    SendMessageA(listBox, LB_SETHORIZONTALEXTENT, widest + ScaleForDpi(6, WindowDpi(listBox)), 0);
}

void SetListBoxRows(HWND listBox, const std::vector<std::string>& rows) {
    SendMessageA(listBox, LB_RESETCONTENT, 0, 0);
    for (const auto& row : rows) SendMessageW(listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(row).c_str()));
    FitHorizontalExtent(listBox);
}

bool AppendUnlessListed(HWND listBox, const std::string& text) {
    if (ListHasText(ListBoxRows(listBox), text)) return false;
    SendMessageW(listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
    FitHorizontalExtent(listBox);
    return true;
}

bool DeleteSelectedRow(HWND listBox) {
    LRESULT selected = SendMessageA(listBox, LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR) return false;
    SendMessageA(listBox, LB_DELETESTRING, selected, 0);
    return true;
}

void MoveItemUp(HWND listBox) { MoveSelected(listBox, -1); }

void MoveItemDown(HWND listBox) { MoveSelected(listBox, 1); }
