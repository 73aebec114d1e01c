#include "platform/Dpi.h"

namespace {
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

GetDpiForWindowFn DpiForWindowFunction() {
    // Windows 10 and later; looked up by name so the program still starts on Windows 7.
    static auto fn = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    return fn;
}
}  // namespace

int WindowDpi(HWND window) {
    if (auto fn = DpiForWindowFunction(); fn && window) {
        if (UINT dpi = fn(window)) return static_cast<int>(dpi);
    }
    HDC dc = GetDC(nullptr);
    int dpi = GetDeviceCaps(dc, LOGPIXELSX);
    ReleaseDC(nullptr, dc);
    return dpi > 0 ? dpi : 96;
}
