// The tray icon, its pop-up menu TrayMenu and the "&Wash" submenu WashMenu.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cwchar>
#include <iterator>

#include "app/AppTexts.h"
#include "app/MainWindow.h"
#include "app/MainWindowRes.h"
#include "platform/Dpi.h"
#include "platform/Language.h"
#include "platform/WideText.h"
#include "resources/icons.h"

void MainWindow::CreateTrayIcon() {
    TrayMenu = CreatePopupMenu();
    WashMenu = CreatePopupMenu();
    auto add = [this](UINT flags, UINT_PTR id, UINT text) {
        AppendMenuW(TrayMenu, flags, id, text ? Widen(Text(text)).c_str() : L"-");
    };
    add(MF_STRING, IDM_OpenMainWindow, IDS_TrayOpenMainWindow);
    add(MF_SEPARATOR, 0, 0);
    add(MF_POPUP, reinterpret_cast<UINT_PTR>(WashMenu), IDS_TrayWash);
    add(MF_STRING, IDM_WipeFreeSpace, IDS_TrayWipeFreeSpace);
    add(MF_STRING, IDM_Cookies, IDS_TrayCookies);
    add(MF_SEPARATOR, 0, 0);
    add(MF_STRING, IDM_Help, IDS_TrayHelp);
    add(MF_STRING, IDM_Exit, IDS_TrayExit);

    tray_.cbSize = sizeof(tray_);
    tray_.hWnd = Handle();
    tray_.uID = 1;
    tray_.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    tray_.uCallbackMessage = TrayMessage;
    tray_.hIcon = LoadIconSized(ICO_APP, GetSystemMetrics(SM_CXSMICON));
    wcsncpy(tray_.szTip, L"Varnolt", std::size(tray_.szTip) - 1);
    // The icon is added once the window is drawn (AfterShown): the tray is another process's.
}

void MainWindow::AfterShown() {
    if (!Handle()) return;
    UpdateWindow(Handle());
    AddHints();
    if (StartComWhenShown && !ComStarted) ComStarted = SUCCEEDED(CoInitialize(nullptr));
    if (tray_.hWnd && !trayAdded_) trayAdded_ = Shell_NotifyIconW(NIM_ADD, &tray_) != FALSE;
}

void MainWindow::RemoveTrayIcon() {
    if (tray_.hWnd && trayAdded_) Shell_NotifyIconW(NIM_DELETE, &tray_);
    tray_.hWnd = nullptr;
    trayAdded_ = false;
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
    std::wstring wide = Widen(tip);
    size_t length = std::min(wide.size(), std::size(tray_.szTip) - 1);
    // A character outside the basic plane is not cut in half.
    if (length < wide.size() && length > 0 && IS_HIGH_SURROGATE(wide[length - 1])) --length;
    wmemset(tray_.szTip, 0, std::size(tray_.szTip));
    wmemcpy(tray_.szTip, wide.data(), length);
    tray_.uFlags = NIF_TIP;
    if (trayAdded_) Shell_NotifyIconW(NIM_MODIFY, &tray_);
    tray_.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
}

std::string MainWindow::TrayTip() const { return Narrow(tray_.szTip, wcslen(tray_.szTip)); }
