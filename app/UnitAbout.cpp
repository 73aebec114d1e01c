#include "app/UnitAbout.h"

#include "app/UnitAboutRes.h"
#include "platform/Dpi.h"
#include "resources/icons.h"

TFormAbout::TFormAbout() : TForm(IDD_TFormAbout) { HelpContext = 60; }

void TFormAbout::FormCreate() {
    int size = ScaleForDpi(32, WindowDpi(Handle()));
    HANDLE icon = LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(ICO_APP), IMAGE_ICON, size, size, 0);
    SendMessageA(Control(IDC_About_Icon), STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    // A bold name above the version.
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(Handle(), WM_GETFONT, 0, 0));
    LOGFONTA bold{};
    if (font && GetObjectA(font, sizeof(bold), &bold)) {
        bold.lfWeight = FW_BOLD;
        boldFont_ = CreateFontIndirectA(&bold);
        SendMessageA(Control(IDC_About_ProductName), WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_), FALSE);
    }
    OnClick(IDOK, [this] { Close(mrOK); });
}

void TFormAbout::FormDestroy() {
    HICON icon = reinterpret_cast<HICON>(SendMessageA(Control(IDC_About_Icon), STM_GETICON, 0, 0));
    if (icon) DestroyIcon(icon);
    if (boldFont_) DeleteObject(boldFont_);
    boldFont_ = nullptr;
}
