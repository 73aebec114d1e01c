#include "platform/Dpi.h"

#include <map>
#include <mutex>
#include <utility>
#include <vector>

namespace {
template <class Fn>
Fn User32Function(const char* name) {
    // Windows 10 and later; looked up by name so that the program still starts on Windows 7.
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

const int IconSizes[] = {16, 20, 22, 24, 28, 32, 40, 44, 48, 64};
}  // namespace

int WindowDpi(HWND window) {
    static auto forWindow = User32Function<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    if (forWindow && window) {
        if (UINT dpi = forWindow(window)) return static_cast<int>(dpi);
    }
    HDC dc = GetDC(nullptr);
    int dpi = GetDeviceCaps(dc, LOGPIXELSX);
    ReleaseDC(nullptr, dc);
    return dpi > 0 ? dpi : 96;
}

int SystemMetricForDpi(int index, int dpi) {
    static auto forDpi = User32Function<int(WINAPI*)(int, UINT)>("GetSystemMetricsForDpi");
    if (forDpi) return forDpi(index, dpi);
    return MulDiv(GetSystemMetrics(index), dpi, WindowDpi(nullptr));
}

void AdjustWindowRectForDpi(RECT& rect, HWND window, int dpi) {
    static auto forDpi = User32Function<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    DWORD style = GetWindowLongA(window, GWL_STYLE), exStyle = GetWindowLongA(window, GWL_EXSTYLE);
    BOOL menu = GetMenu(window) != nullptr && !(style & WS_CHILD);
    if (!forDpi || !forDpi(&rect, style, menu, exStyle, dpi)) AdjustWindowRectEx(&rect, style, menu, exStyle);
}

int IconSizeFor(int pixels) {
    int best = IconSizes[0];
    for (int size : IconSizes)
        if (size <= pixels) best = size;
    return best;
}

HICON LoadIconSized(int iconId, int pixels) {
    // The program's own cache, by icon and size: the system's (LR_SHARED) gives back the first
    // size loaded of an icon, whatever size is asked for.
    static std::mutex lock;
    static std::map<std::pair<int, int>, HICON> loaded;
    const int size = IconSizeFor(pixels);
    std::lock_guard<std::mutex> hold(lock);
    HICON& icon = loaded[{iconId, size}];
    if (!icon)
        icon = static_cast<HICON>(
            LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(iconId), IMAGE_ICON, size, size, 0));
    return icon;
}

void TakeOverDialogScaling(HWND dialog) {
    // DDC_DISABLE_ALL: the dialog manager neither resizes nor re-fonts the dialog itself.
    static auto setBehavior = User32Function<BOOL(WINAPI*)(HWND, int, int)>("SetDialogDpiChangeBehavior");
    if (setBehavior) setBehavior(dialog, 0x0001, 0x0001);
}

void RescaleWindow(HWND window, int oldDpi, int newDpi, const RECT* suggested, HFONT& ownedFont) {
    if (oldDpi <= 0 || newDpi <= 0 || oldDpi == newDpi) return;
    auto scale = [&](int v) { return MulDiv(v, newDpi, oldDpi); };

    // The dialog manager owns the template's font; the scaled copies are the caller's.
    HFONT oldFont = ownedFont ? ownedFont : reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    HFONT newFont = nullptr;
    LOGFONTW lf{};
    if (oldFont && GetObjectW(oldFont, sizeof(lf), &lf)) {
        lf.lfHeight = scale(lf.lfHeight);
        lf.lfWidth = scale(lf.lfWidth);
        newFont = CreateFontIndirectW(&lf);
    }

    std::vector<HWND> children;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    HDWP defer = BeginDeferWindowPos(static_cast<int>(children.size()));
    for (HWND child : children) {
        RECT rc;
        GetWindowRect(child, &rc);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rc), 2);
        int left = scale(rc.left), top = scale(rc.top);
        UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
        if (defer)
            defer = DeferWindowPos(defer, child, nullptr, left, top, scale(rc.right) - left,
                                   scale(rc.bottom) - top, flags);
        else
            SetWindowPos(child, nullptr, left, top, scale(rc.right) - left, scale(rc.bottom) - top, flags);
        if (newFont && reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0)) == oldFont)
            SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(newFont), TRUE);
    }
    if (defer) EndDeferWindowPos(defer);

    if (newFont) {
        if (ownedFont) DeleteObject(ownedFont);
        ownedFont = newFont;
    }

    RECT client;
    GetClientRect(window, &client);
    RECT frame{0, 0, scale(client.right), scale(client.bottom)};
    AdjustWindowRectForDpi(frame, window, newDpi);
    RECT now;
    GetWindowRect(window, &now);
    int x = suggested ? suggested->left : now.left, y = suggested ? suggested->top : now.top;
    SetWindowPos(window, nullptr, x, y, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window, nullptr, TRUE);
}
