#include "dialogs/AboutDialog.h"

#include "dialogs/AboutDialogRes.h"
#include "dialogs/DialogTexts.h"
#include "platform/Language.h"
#include "platform/SqliteDb.h"
#include "resources/icons.h"

AboutDialog::AboutDialog() : Form(IDD_AboutDialog) { HelpContext = 60; }

void AboutDialog::FormCreate() {
    SetLook();
    SetControlText(IDC_About_Rules, RulesSummary);
    SetControlText(IDC_About_Language, FormatText(IDS_Dlg_AboutLanguage, LanguageOf(LanguageInUse()).NativeName));
    SetControlText(IDC_About_Sqlite, FormatText(IDS_Dlg_AboutSqlite, SqliteVersion()));
    OnClick(IDOK, [this] { Close(mrOK); });
}

// The program's icon at 32 pixels of 96 dpi scaled to the form's dpi, and the name in bold.
void AboutDialog::SetLook() {
    int size = Scale(32);
    HANDLE icon = LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(ICO_APP), IMAGE_ICON, size, size, 0);
    HANDLE old = reinterpret_cast<HANDLE>(
        SendMessageA(Control(IDC_About_Icon), STM_SETICON, reinterpret_cast<WPARAM>(icon), 0));
    if (old) DestroyIcon(static_cast<HICON>(old));

    HFONT font = reinterpret_cast<HFONT>(SendMessageA(Handle(), WM_GETFONT, 0, 0));
    LOGFONTW bold{};
    if (!font || !GetObjectW(font, sizeof(bold), &bold)) return;
    bold.lfWeight = FW_BOLD;
    HFONT previous = boldFont_;
    boldFont_ = CreateFontIndirectW(&bold);
    SendMessageA(Control(IDC_About_ProductName), WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_), TRUE);
    if (previous) DeleteObject(previous);
}

void AboutDialog::DpiChanged() { SetLook(); }

void AboutDialog::FormDestroy() {
    HICON icon = reinterpret_cast<HICON>(SendMessageA(Control(IDC_About_Icon), STM_GETICON, 0, 0));
    if (icon) DestroyIcon(icon);
    if (boldFont_) DeleteObject(boldFont_);
    boldFont_ = nullptr;
}
