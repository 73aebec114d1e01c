// Picture buttons whose icons their parent draws over each button's own face (custom draw), so
// that no button keeps a copy of its icon: BM_SETIMAGE copies the icon, which under Wine costs
// about as much as making the button.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <unordered_map>

class DrawnIcons {
public:
    // Gives button its icon, drawn centred at size pixels; a shown button is drawn again.
    void Set(HWND button, HICON icon, int size);
    // The parent's NM_CUSTOMDRAW of one of its buttons: true when handled, with the result.
    bool HandleNotify(const NMHDR* header, LRESULT& result) const;
    // Forgets every button (their window is gone).
    void Clear() { sizes_.clear(); }

private:
    std::unordered_map<HWND, int> sizes_;
};

// The icon DrawnIcons::Set gave a button.
HICON DrawnIconOf(HWND button);
