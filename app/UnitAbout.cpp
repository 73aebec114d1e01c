#include "app/UnitAbout.h"

#include "app/UnitAboutRes.h"
#include "resources/icons.h"

TFormAbout::TFormAbout() : TForm(IDD_TFormAbout) { HelpContext = 60; }

void TFormAbout::FormCreate() {
    SetLook();
    SetControlText(IDC_About_Rules, RulesSummary);
    OnClick(IDOK, [this] { Close(mrOK); });
}

// The program's icon at 32 pixels of 96 dpi scaled to the form's dpi, and the name in bold.
void TFormAbout::SetLook() {
    int size = Scale(32);
    HANDLE icon = LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(ICO_APP), IMAGE_ICON, size, size, 0);
    HANDLE old = reinterpret_cast<HANDLE>(
        SendMessageA(Control(IDC_About_Icon), STM_SETICON, reinterpret_cast<WPARAM>(icon), 0));
    if (old) DestroyIcon(static_cast<HICON>(old));

    HFONT font = reinterpret_cast<HFONT>(SendMessageA(Handle(), WM_GETFONT, 0, 0));
    LOGFONTA bold{};
    if (!font || !GetObjectA(font, sizeof(bold), &bold)) return;
    bold.lfWeight = FW_BOLD;
    HFONT previous = boldFont_;
    boldFont_ = CreateFontIndirectA(&bold);
    SendMessageA(Control(IDC_About_ProductName), WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_), TRUE);
    if (previous) DeleteObject(previous);
}

void TFormAbout::DpiChanged() { SetLook(); }

void TFormAbout::FormDestroy() {
    HICON icon = reinterpret_cast<HICON>(SendMessageA(Control(IDC_About_Icon), STM_GETICON, 0, 0));
    if (icon) DestroyIcon(icon);
    if (boldFont_) DeleteObject(boldFont_);
    boldFont_ = nullptr;
}
