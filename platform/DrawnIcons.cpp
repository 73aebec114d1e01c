#include "platform/DrawnIcons.h"

#include <algorithm>
#include <cstdint>

void DrawnIcons::Set(HWND button, HICON icon, int size) {
    // The icon is kept with the button, where the drawing and DrawnIconOf find it.
    SetWindowLongPtrW(button, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(icon));
    sizes_[button] = size;
    if (IsWindowVisible(button)) InvalidateRect(button, nullptr, TRUE);
}

namespace {
// A disabled button's icon: its own shape in grey at half strength. (The system's disabled look,
// DSS_DISABLED, makes of an icon with an alpha channel a grey square.)
void DrawGreyed(HDC target, int x, int y, HICON icon, int size) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(target, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(target);
    if (!picture || !dc || !bits) {
        if (dc) DeleteDC(dc);
        if (picture) DeleteObject(picture);
        return;
    }
    HGDIOBJ old = SelectObject(dc, picture);
    // Drawn over nothing, the icon leaves its colours weighted by its alpha, as blending wants.
    DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    GdiFlush();
    auto* pixel = static_cast<uint32_t*>(bits);
    // An icon without an alpha channel leaves none: what it drew is its shape.
    const bool anyAlpha = std::any_of(pixel, pixel + size * size, [](uint32_t p) { return p >> 24 != 0; });
    for (int i = 0; i < size * size; ++i) {
        const uint32_t p = pixel[i], alpha = anyAlpha ? p >> 24 : (p != 0 ? 255u : 0u);
        const uint32_t grey = ((p >> 16 & 0xff) * 30 + (p >> 8 & 0xff) * 59 + (p & 0xff) * 11) / 200;
        pixel[i] = alpha / 2 << 24 | grey << 16 | grey << 8 | grey;
    }
    GdiAlphaBlend(target, x, y, size, size, dc, 0, 0, size, size, BLENDFUNCTION{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA});
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(picture);
}
}  // namespace

bool DrawnIcons::HandleNotify(const NMHDR* header, LRESULT& result) const {
    if (header->code != static_cast<UINT>(NM_CUSTOMDRAW)) return false;
    auto it = sizes_.find(header->hwndFrom);
    if (it == sizes_.end()) return false;
    const auto* draw = reinterpret_cast<const NMCUSTOMDRAW*>(header);
    if (draw->dwDrawStage == CDDS_PREPAINT) {
        // The button draws its face, frame and focus; the icon goes on top.
        result = CDRF_NOTIFYPOSTPAINT;
        return true;
    }
    result = CDRF_DODEFAULT;
    if (draw->dwDrawStage != CDDS_POSTPAINT) return true;
    HICON icon = DrawnIconOf(header->hwndFrom);
    if (!icon) return true;
    const int size = it->second;
    const int x = draw->rc.left + (draw->rc.right - draw->rc.left - size) / 2;
    const int y = draw->rc.top + (draw->rc.bottom - draw->rc.top - size) / 2;
    if (draw->uItemState & CDIS_DISABLED) DrawGreyed(draw->hdc, x, y, icon, size);
    else DrawIconEx(draw->hdc, x, y, icon, size, size, 0, nullptr, DI_NORMAL);
    return true;
}

HICON DrawnIconOf(HWND button) { return reinterpret_cast<HICON>(GetWindowLongPtrW(button, GWLP_USERDATA)); }
