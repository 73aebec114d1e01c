#include "tests/support/Layout.h"

#include <commctrl.h>

#include <sstream>

#include "platform/DrawnIcons.h"
#include "platform/WideText.h"

namespace {
std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

std::string TextOf(HWND window) {
    wchar_t text[512] = {};
    int n = GetWindowTextW(window, text, 512);
    return Narrow(text, static_cast<size_t>(n > 0 ? n : 0));
}

std::string Describe(HWND control) {
    std::ostringstream out;
    out << ClassOf(control) << " #" << GetDlgCtrlID(control) << " \"" << TextOf(control) << "\"";
    return out.str();
}

// Rectangle of a control in its parent's client coordinates.
RECT InParent(HWND control) {
    RECT rc;
    GetWindowRect(control, &rc);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

bool Contains(const RECT& outer, const RECT& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// Controls that hold others: group boxes and tab controls.
bool IsContainer(HWND control) {
    std::string cls = ClassOf(control);
    if (cls == WC_TABCONTROLA) return true;
    return cls == "Button" && (GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

// An up-down control sits on the edge of its buddy by design.
bool IsBuddyPair(HWND upDown, HWND other) {
    return ClassOf(upDown) == UPDOWN_CLASSA &&
           reinterpret_cast<HWND>(SendMessageA(upDown, UDM_GETBUDDY, 0, 0)) == other;
}

// Room left for a caption beside a check box or radio button's box.
int TextRoom(HWND control, int width) {
    if (ClassOf(control) != "Button") return width;
    LONG type = GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
    bool boxed = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
                 type == BS_AUTORADIOBUTTON || type == BS_3STATE || type == BS_AUTO3STATE;
    return boxed ? width - GetSystemMetrics(SM_CXMENUCHECK) - 4 : width;
}

// A caption that does not fit: wider than its room on one line, or, for a wrapping static,
// taller than the control once wrapped.
bool CaptionClipped(HWND control) {
    std::string cls = ClassOf(control);
    if (cls != "Static" && cls != "Button") return false;
    LONG style = GetWindowLongA(control, GWL_STYLE);
    if (cls == "Static" && (style & SS_TYPEMASK) > SS_RIGHT && (style & SS_TYPEMASK) != SS_LEFTNOWORDWRAP)
        return false;
    if (cls == "Button" && (style & (BS_ICON | BS_BITMAP))) return false;
    wchar_t text[512] = {};
    if (GetWindowTextW(control, text, 512) == 0) return false;
    RECT client;
    GetClientRect(control, &client);
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    bool wraps = cls == "Static" && (style & SS_TYPEMASK) <= SS_RIGHT;
    RECT need{0, 0, TextRoom(control, client.right), 0};
    DrawTextW(dc, text, -1, &need, DT_CALCRECT | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return need.right > TextRoom(control, client.right) || need.bottom > client.bottom;
}

void CheckChildren(HWND parent, const std::string& name, std::vector<std::string>& faults) {
    RECT client;
    GetClientRect(parent, &client);
    std::vector<HWND> shown;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsWindowVisible(child)) shown.push_back(child);
    for (size_t i = 0; i < shown.size(); ++i) {
        RECT a = InParent(shown[i]);
        if (!Contains(client, a)) faults.push_back(name + ": outside the window: " + Describe(shown[i]));
        if (CaptionClipped(shown[i])) faults.push_back(name + ": caption clipped: " + Describe(shown[i]));
        for (size_t j = i + 1; j < shown.size(); ++j) {
            RECT b = InParent(shown[j]), both;
            if (!IntersectRect(&both, &a, &b)) continue;
            if ((IsContainer(shown[i]) && Contains(a, b)) || (IsContainer(shown[j]) && Contains(b, a))) continue;
            if (IsBuddyPair(shown[i], shown[j]) || IsBuddyPair(shown[j], shown[i])) continue;
            faults.push_back(name + ": overlap: " + Describe(shown[i]) + " and " + Describe(shown[j]));
        }
    }
}
}  // namespace

std::vector<std::string> LayoutFaults(HWND window) {
    std::vector<std::string> faults;
    CheckChildren(window, TextOf(window), faults);
    return faults;
}

int IconWidth(HICON icon) {
    ICONINFO info{};
    BITMAP bitmap{};
    if (icon && GetIconInfo(icon, &info)) {
        GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
        if (info.hbmColor) DeleteObject(info.hbmColor);
        if (info.hbmMask) DeleteObject(info.hbmMask);
    }
    return bitmap.bmWidth;
}

std::vector<int> ButtonImageSizes(HWND window) {
    std::vector<int> sizes;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassOf(child) != "Button" || !(GetWindowLongA(child, GWL_STYLE) & BS_ICON)) continue;
        HICON icon = reinterpret_cast<HICON>(SendMessageA(child, BM_GETIMAGE, IMAGE_ICON, 0));
        sizes.push_back(IconWidth(icon ? icon : DrawnIconOf(child)));
    }
    return sizes;
}
