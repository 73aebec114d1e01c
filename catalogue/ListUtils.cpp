#include "catalogue/ListUtils.h"

#include "platform/Text.h"
#include "platform/WideText.h"

namespace {
std::string ListBoxText(HWND listBox, int index) {
    LRESULT length = SendMessageW(listBox, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    LRESULT got = SendMessageW(listBox, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(got == LB_ERR ? 0 : static_cast<size_t>(got));
    return Narrow(text);
}

void SetListBoxText(HWND listBox, int index, const std::string& text) {
    SendMessageA(listBox, LB_DELETESTRING, index, 0);
    SendMessageW(listBox, LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(Widen(text).c_str()));
}

// Exchanges the selected row with the one at offset from it, then selects that one.
void MoveSelected(HWND listBox, int offset) {
    int selected = static_cast<int>(SendMessageA(listBox, LB_GETCURSEL, 0, 0));
    int count = static_cast<int>(SendMessageA(listBox, LB_GETCOUNT, 0, 0));
    int other = selected + offset;
    if (selected == LB_ERR || other < 0 || other >= count) return;
    std::string selectedText = ListBoxText(listBox, selected);
    std::string otherText = ListBoxText(listBox, other);
    SetListBoxText(listBox, selected, otherText);
    SetListBoxText(listBox, other, selectedText);
    SendMessageA(listBox, LB_SETCURSEL, other, 0);
}

bool SameName(const std::string& a, const std::string& b) { return SameText(Trim(a), Trim(b)); }

template <class GetText>
bool HasTextElsewhere(int count, GetText text, const std::string& wanted, int position) {
    const std::string trimmed = Trim(wanted);
    for (int i = 0; i < count; ++i)
        if (i != position && SameName(text(i), trimmed)) return true;
    return false;
}
}  // namespace

void CheckAll(CheckListModel& list, int state) {
    if (!list.Empty()) list.CheckAll(state == 1);
}

void MoveItemUp(HWND listBox) { MoveSelected(listBox, -1); }

void MoveItemDown(HWND listBox) { MoveSelected(listBox, 1); }

bool ListHasText(const std::vector<std::string>& list, const std::string& text) {
    return ListHasTextElsewhere(list, text, -1);
}

bool ListHasText(const CheckListModel& list, const std::string& text) {
    return ListHasTextElsewhere(list, text, -1);
}

bool ListHasTextElsewhere(const std::vector<std::string>& list, const std::string& text, int position) {
    return HasTextElsewhere(
        static_cast<int>(list.size()), [&](int i) -> const std::string& { return list[i]; }, text, position);
}

bool ListHasTextElsewhere(const CheckListModel& list, const std::string& text, int position) {
    return HasTextElsewhere(
        list.Count(), [&](int i) -> const std::string& { return list.Text(i); }, text, position);
}
