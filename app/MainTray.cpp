// The tray icon, its pop-up menu TrayMenu and the "&Wash" submenu WashMenu.
#include <windows.h>
#include <shellapi.h>

#include <cstring>

#include "app/MainWindow.h"
#include "app/MainWindowRes.h"
#include "platform/Dpi.h"
#include "resources/icons.h"

void MainWindow::CreateTrayIcon() {
    TrayMenu = CreatePopupMenu();
    WashMenu = CreatePopupMenu();
    AppendMenuA(TrayMenu, MF_STRING, IDM_OpenMainWindow, "Open &Main Window");
    AppendMenuA(TrayMenu, MF_SEPARATOR, 0, "-");
    AppendMenuA(TrayMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(WashMenu), "&Wash");
    AppendMenuA(TrayMenu, MF_STRING, IDM_WipeFreeSpace, "Wipe &Free Space...");
    AppendMenuA(TrayMenu, MF_SEPARATOR, 0, "-");
    AppendMenuA(TrayMenu, MF_STRING, IDM_Help, "&Help          F1");
    AppendMenuA(TrayMenu, MF_STRING, IDM_Exit, "E&xit");

    tray_.cbSize = sizeof(tray_);
    tray_.hWnd = Handle();
    tray_.uID = 1;
    tray_.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    tray_.uCallbackMessage = TrayMessage;
    tray_.hIcon = LoadIconSized(ICO_APP, GetSystemMetrics(SM_CXSMICON));
    strncpy(tray_.szTip, "Varnolt", sizeof(tray_.szTip) - 1);
    Shell_NotifyIconA(NIM_ADD, &tray_);
}

void MainWindow::RemoveTrayIcon() {
    if (tray_.hWnd) Shell_NotifyIconA(NIM_DELETE, &tray_);
    tray_.hWnd = nullptr;
}

void MainWindow::ShowTrayMenu() {
    POINT at;
    GetCursorPos(&at);
    SetForegroundWindow(Handle());
    TrackPopupMenuEx(TrayMenu, TPM_RIGHTBUTTON | TPM_BOTTOMALIGN, at.x, at.y, Handle(), nullptr);
    PostMessageA(Handle(), WM_NULL, 0, 0);
}

void MainWindow::OnWashMenuItem(int tag) {
    int row = tag - 100;
    if (row < 0 || row >= ItemList.Count() || WashRunning()) return;
    ItemList.Select(row);
    OnItemSelected();
    OnWashCurrentItem();
}

void MainWindow::OnWashAllMenu() { OnWashChecked(); }

void MainWindow::ShowTrayTip(const std::string& tip) {
    if (!tray_.hWnd) return;
    memset(tray_.szTip, 0, sizeof(tray_.szTip));
    strncpy(tray_.szTip, tip.c_str(), sizeof(tray_.szTip) - 1);
    tray_.uFlags = NIF_TIP;
    Shell_NotifyIconA(NIM_MODIFY, &tray_);
    tray_.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
}
