// The tray icon, its pop-up menu PopupMenu1 and the "&Wash" submenu MenuWash.
#include <windows.h>
#include <shellapi.h>

#include <cstring>

#include "app/Unitmain.h"
#include "app/UnitmainRes.h"
#include "platform/Dpi.h"
#include "resources/icons.h"

void TFormMainVRNT::CreateTrayIcon() {
    PopupMenu1 = CreatePopupMenu();
    MenuWash = CreatePopupMenu();
    AppendMenuA(PopupMenu1, MF_STRING, IDM_OpenMainWindow1, "Open &Main Window");
    AppendMenuA(PopupMenu1, MF_SEPARATOR, 0, "-");
    AppendMenuA(PopupMenu1, MF_POPUP, reinterpret_cast<UINT_PTR>(MenuWash), "&Wash");
    AppendMenuA(PopupMenu1, MF_SEPARATOR, 0, "-");
    AppendMenuA(PopupMenu1, MF_STRING, IDM_Help1, "&Help          F1");
    AppendMenuA(PopupMenu1, MF_STRING, IDM_About1, "E&xit");

    tray_.cbSize = sizeof(tray_);
    tray_.hWnd = Handle();
    tray_.uID = 1;
    tray_.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    tray_.uCallbackMessage = TrayMessage;
    tray_.hIcon = LoadIconSized(ICO_APP, GetSystemMetrics(SM_CXSMICON));
    strncpy(tray_.szTip, "Varnolt", sizeof(tray_.szTip) - 1);
    Shell_NotifyIconA(NIM_ADD, &tray_);
}

void TFormMainVRNT::RemoveTrayIcon() {
    if (tray_.hWnd) Shell_NotifyIconA(NIM_DELETE, &tray_);
    tray_.hWnd = nullptr;
}

void TFormMainVRNT::ShowTrayMenu() {
    POINT at;
    GetCursorPos(&at);
    SetForegroundWindow(Handle());
    TrackPopupMenuEx(PopupMenu1, TPM_RIGHTBUTTON | TPM_BOTTOMALIGN, at.x, at.y, Handle(), nullptr);
    PostMessageA(Handle(), WM_NULL, 0, 0);
}

void TFormMainVRNT::MenuWashItemClick(int tag) {
    int row = tag - 100;
    if (row < 0 || row >= ChListBoxItem.Count() || WashRunning()) return;
    ChListBoxItem.Select(row);
    ChListBoxItemClick();
    btnWashSingleClick();
}

void TFormMainVRNT::MenuWashAllClick() { btnWashAllClick(); }
