#pragma once
// A check list window: a report-mode ListView with check boxes and one column, showing the rows
// of a CheckListModel through a virtual (owner-data) list, so a million rows stay cheap.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

#include "platform/CheckListModel.h"

class CheckList {
public:
    CheckList() = default;
    CheckList(const CheckList&) = delete;
    CheckList& operator=(const CheckList&) = delete;

    // Binds the ListView control; the form routes its WM_NOTIFY to HandleNotify.
    void Attach(HWND listView);
    // Before Attach: a second column "Size" shows each row's space and a third, "Note",
    // NoteText, under a header "Name", "Size", "Note" (the control's template must allow a
    // header). Clicking the name or size header orders the rows by it; a second click reverses.
    void ShowSpaceColumn() { spaceColumn_ = true; }
    // The note column's width at 96 dpi; set before Attach.
    int NoteWidth = 96;
    // Font and column width for a dpi: Attach takes the dpi of the list's window; a form sets
    // the new one after a dpi change.
    void SetDpi(int dpi);
    // The rows' font at a dpi in the language in use (Arial 12 pixels at 96 dpi, or the
    // language's own face).
    static LOGFONTW FontAt(int dpi);
    HWND Handle() const { return handle_; }
    CheckListModel& Model() { return model_; }
    const CheckListModel& Model() const { return model_; }

    int Count() const { return model_.Count(); }
    const std::string& Text(int index) const { return model_.Text(index); }
    bool Checked(int index) const { return model_.Checked(index); }
    void SetChecked(int index, bool checked) { model_.SetChecked(index, checked); }
    int Add(const std::string& text, bool checked = false) { return model_.Add(text, checked); }
    void Clear() { model_.Clear(); }

    // The selected row, or -1.
    int Selected() const;
    // Selects a row (or none with -1) without raising OnSelect.
    void Select(int index);

    // Update mode: repainting and item-count updates wait until EndUpdate.
    void BeginUpdate();
    void EndUpdate();

    // Raised when the user selects a row (click or keys).
    std::function<void()> OnSelect;
    // Raised after the user changed a row's check mark.
    std::function<void(int)> OnClickCheck;
    // Text colour of a row; selected tells whether it is drawn selected. Default: system colours.
    std::function<bool(int index, bool selected, COLORREF& text, COLORREF& back)> RowColours;
    // Text shown for a row, when it differs from the row's own text.
    std::function<std::string(int index)> DisplayText;
    // Text of a row's space, when it differs from the space written out.
    std::function<std::string(int index)> SpaceText;
    // Text of a row's note; asked only for the rows on screen.
    std::function<std::string(int index)> NoteText;
    // Raised after any change of the rows, their check marks or their order.
    std::function<void()> OnRowsChanged;

    bool HandleNotify(NMHDR* header, LRESULT& result);

private:
    void Refresh(int index);
    void ToggleCheck(int index);
    void SortByColumn(int column);
    // One handler per notification the list sends.
    void FillDisplayInfo(LVITEMW& item);
    void OnItemClick(const NMITEMACTIVATE& activate);
    void OnItemChanged(const NMLISTVIEW& change);
    LRESULT OnCustomDraw(NMLVCUSTOMDRAW& draw);
    // The text of a cell: column 0 the row's text (or DisplayText), 1 its space, 2 its note.
    const std::string& CellText(int index, int column);

    HWND handle_ = nullptr;
    CheckListModel model_;
    int updateDepth_ = 0;
    int imageListDpi_ = 96;
    bool programmatic_ = false;
    bool spaceColumn_ = false;
    int sortColumn_ = -1;
    bool sortDescending_ = false;
    std::string displayBuffer_;
    std::wstring wideBuffer_;
};
