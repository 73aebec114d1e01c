#include "platform/CheckList.h"

#include <algorithm>
#include <cwchar>
#include <map>

#include "platform/DiskSpace.h"
#include "platform/Dpi.h"
#include "platform/Language.h"
#include "platform/PlatformTexts.h"
#include "platform/UiFont.h"
#include "platform/WideText.h"

namespace {
// Arial 12 pixels at 96 dpi (the language's own face where Arial cannot show it); one font per
// dpi and language, kept for the program's run.
HFONT ListFont(int dpi) {
    static std::map<std::pair<int, LANGID>, HFONT> fonts;
    const LANGID language = LanguageInUse();
    HFONT& font = fonts[{dpi, language}];
    if (!font) {
        const LOGFONTW description = CheckList::FontAt(dpi);
        font = CreateFontIndirectW(&description);
    }
    return font;
}

// Unchecked and checked box images at a size, for the list's state images.
HIMAGELIST CheckBoxImages(int size) {
    HIMAGELIST images = ImageList_Create(size, size, ILC_COLOR32, 2, 0);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    for (UINT state : {0u, static_cast<UINT>(DFCS_CHECKED)}) {
        HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
        HGDIOBJ old = SelectObject(dc, bitmap);
        RECT rc{0, 0, size, size};
        FillRect(dc, &rc, GetSysColorBrush(COLOR_WINDOW));
        InflateRect(&rc, -size / 8, -size / 8);
        DrawFrameControl(dc, &rc, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | state);
        SelectObject(dc, old);
        ImageList_Add(images, bitmap, nullptr);
        DeleteObject(bitmap);
    }
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return images;
}
}  // namespace

LOGFONTW CheckList::FontAt(int dpi) {
    const LANGID language = LanguageInUse();
    std::wstring face = LanguageFontFace(language);
    if (face.empty()) face = L"Arial";
    LOGFONTW font{};
    font.lfHeight = -ScaleForDpi(12, dpi);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = LanguageCharset(language);
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
    lstrcpynW(font.lfFaceName, face.c_str(), LF_FACESIZE);
    return font;
}

void CheckList::Attach(HWND listView) {
    handle_ = listView;
    // A row too long for the column (a deep path) shows whole in a tip under the mouse.
    ListView_SetExtendedListViewStyle(handle_, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_LABELTIP);
    ListView_SetCallbackMask(handle_, LVIS_STATEIMAGEMASK);
    // Rows are asked for as wide texts, so names outside the ANSI code page show as they are.
    ListView_SetUnicodeFormat(handle_, TRUE);
    // Column names are given as wide texts: a translation may lie outside the ANSI code page.
    // (::Text: the list's own Text names a row.)
    const std::wstring name = Widen(::Text(IDS_ListColumnName)), size = Widen(::Text(IDS_ListColumnSize)),
                       note = Widen(::Text(IDS_ListColumnNote));
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    if (spaceColumn_) {
        column.mask |= LVCF_TEXT | LVCF_FMT;
        column.pszText = const_cast<wchar_t*>(name.c_str());
    }
    SendMessageW(handle_, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    if (spaceColumn_) {
        column.fmt = LVCFMT_RIGHT;
        column.pszText = const_cast<wchar_t*>(size.c_str());
        SendMessageW(handle_, LVM_INSERTCOLUMNW, 1, reinterpret_cast<LPARAM>(&column));
        column.fmt = LVCFMT_LEFT;
        column.pszText = const_cast<wchar_t*>(note.c_str());
        SendMessageW(handle_, LVM_INSERTCOLUMNW, 2, reinterpret_cast<LPARAM>(&column));
    }
    SetDpi(WindowDpi(GetParent(handle_)));
    model_.OnChanged = [this](int index) {
        Refresh(index);
        if (OnRowsChanged) OnRowsChanged();
    };
    Refresh(-1);
}

void CheckList::SetDpi(int dpi) {
    if (!handle_) return;
    SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(ListFont(dpi)), TRUE);
    RECT rc;
    GetClientRect(handle_, &rc);
    int width = rc.right - rc.left - SystemMetricForDpi(SM_CXVSCROLL, dpi);
    if (spaceColumn_) {
        const int spaceWidth = ScaleForDpi(64, dpi), noteWidth = ScaleForDpi(NoteWidth, dpi);
        ListView_SetColumnWidth(handle_, 1, spaceWidth);
        ListView_SetColumnWidth(handle_, 2, noteWidth);
        width -= spaceWidth + noteWidth;
    }
    ListView_SetColumnWidth(handle_, 0, width);
    // The list's own check boxes are drawn at 96 dpi.
    if (dpi > 96 || imageListDpi_ > 96) {
        HIMAGELIST old = ListView_SetImageList(handle_, CheckBoxImages(ScaleForDpi(16, dpi)), LVSIL_STATE);
        if (old) ImageList_Destroy(old);
    }
    imageListDpi_ = dpi;
}

int CheckList::Selected() const {
    if (!handle_) return -1;
    int index = ListView_GetNextItem(handle_, -1, LVNI_SELECTED);
    return index < model_.Count() ? index : -1;
}

void CheckList::Select(int index) {
    if (!handle_) return;
    programmatic_ = true;
    ListView_SetItemState(handle_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (index >= 0 && index < model_.Count()) {
        ListView_SetItemState(handle_, index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        ListView_EnsureVisible(handle_, index, FALSE);
    }
    programmatic_ = false;
}

void CheckList::BeginUpdate() {
    if (updateDepth_++ == 0 && handle_) SendMessageA(handle_, WM_SETREDRAW, FALSE, 0);
}

void CheckList::EndUpdate() {
    if (updateDepth_ == 0 || --updateDepth_ > 0 || !handle_) return;
    SendMessageA(handle_, WM_SETREDRAW, TRUE, 0);
    Refresh(-1);
}

void CheckList::Refresh(int index) {
    if (!handle_ || updateDepth_ > 0) return;
    int count = model_.Count();
    if (ListView_GetItemCount(handle_) != count) {
        programmatic_ = true;
        ListView_SetItemCountEx(handle_, count, LVSICF_NOSCROLL);
        programmatic_ = false;
        InvalidateRect(handle_, nullptr, FALSE);
    } else if (index >= 0) {
        ListView_RedrawItems(handle_, index, index);
    } else {
        InvalidateRect(handle_, nullptr, FALSE);
    }
}

void CheckList::SortByColumn(int column) {
    if (column < 0 || column > 1) return;
    sortDescending_ = column == sortColumn_ && !sortDescending_;
    sortColumn_ = column;
    // A row keeps its selection by position only: clear it rather than show another row.
    Select(-1);
    model_.SortBy(column == 1 ? CheckListOrder::Space : CheckListOrder::Text, sortDescending_);
}

const std::string& CheckList::CellText(int index, int column) {
    if (column == 1) {
        displayBuffer_ = SpaceText ? SpaceText(index) : FormatSpace(model_.Space(index));
        return displayBuffer_;
    }
    if (column == 2) {
        displayBuffer_ = NoteText ? NoteText(index) : std::string();
        return displayBuffer_;
    }
    if (!DisplayText) return model_.Text(index);
    displayBuffer_ = DisplayText(index);
    return displayBuffer_;
}

void CheckList::ToggleCheck(int index) {
    if (index < 0 || index >= model_.Count()) return;
    model_.SetChecked(index, !model_.Checked(index));
    if (OnClickCheck) OnClickCheck(index);
}

// The list sends its notifications in wide form only: Attach sets its Unicode format, and every
// form is a wide dialog, so an LVN_GETDISPINFOA never comes.
bool CheckList::HandleNotify(NMHDR* header, LRESULT& result) {
    if (!handle_ || header->hwndFrom != handle_) return false;
    switch (header->code) {
        case LVN_GETDISPINFOW:
            FillDisplayInfo(reinterpret_cast<NMLVDISPINFOW*>(header)->item);
            result = 0;
            return true;
        case LVN_COLUMNCLICK:
            SortByColumn(reinterpret_cast<NMLISTVIEW*>(header)->iSubItem);
            result = 0;
            return true;
        case NM_CLICK:
        case NM_DBLCLK:
            OnItemClick(*reinterpret_cast<NMITEMACTIVATE*>(header));
            result = 0;
            return true;
        case LVN_KEYDOWN:
            if (reinterpret_cast<NMLVKEYDOWN*>(header)->wVKey == VK_SPACE) ToggleCheck(Selected());
            result = 0;
            return true;
        case LVN_ITEMCHANGED:
            OnItemChanged(*reinterpret_cast<NMLISTVIEW*>(header));
            result = 0;
            return true;
        case NM_CUSTOMDRAW:
            result = OnCustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(header));
            return true;
        default:
            return false;
    }
}

void CheckList::FillDisplayInfo(LVITEMW& item) {
    const int i = item.iItem;
    if (i < 0 || i >= model_.Count()) return;
    if ((item.mask & LVIF_TEXT) && item.cchTextMax > 0) {
        wideBuffer_ = Widen(CellText(i, item.iSubItem));
        const size_t n = std::min<size_t>(wideBuffer_.size(), item.cchTextMax - 1);
        wmemcpy(item.pszText, wideBuffer_.data(), n);
        item.pszText[n] = L'\0';
    }
    if (item.mask & LVIF_STATE) {
        item.state = (item.state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(model_.Checked(i) ? 2 : 1);
        item.stateMask |= LVIS_STATEIMAGEMASK;
    }
}

// A click (or double click) on a row's check box toggles it.
void CheckList::OnItemClick(const NMITEMACTIVATE& activate) {
    LVHITTESTINFO hit{};
    hit.pt = activate.ptAction;
    const int i = ListView_SubItemHitTest(handle_, &hit);
    if (i >= 0 && (hit.flags & LVHT_ONITEMSTATEICON)) ToggleCheck(i);
}

// A row the user newly selected raises OnSelect; selections made by the program do not.
void CheckList::OnItemChanged(const NMLISTVIEW& change) {
    if (!programmatic_ && (change.uChanged & LVIF_STATE) && (change.uNewState & LVIS_SELECTED) &&
        !(change.uOldState & LVIS_SELECTED) && OnSelect)
        OnSelect();
}

LRESULT CheckList::OnCustomDraw(NMLVCUSTOMDRAW& draw) {
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return RowColours ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
    if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT || !RowColours) return CDRF_DODEFAULT;
    const int i = static_cast<int>(draw.nmcd.dwItemSpec);
    const bool selected = ListView_GetItemState(handle_, i, LVIS_SELECTED) & LVIS_SELECTED;
    COLORREF text = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    COLORREF back = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    if (i >= model_.Count() || !RowColours(i, selected, text, back)) return CDRF_DODEFAULT;
    draw.nmcd.uItemState &= ~(CDIS_SELECTED | CDIS_FOCUS);
    draw.clrText = text;
    draw.clrTextBk = back;
    return CDRF_NEWFONT;
}
