#include "dialogs/NetscapeDetectDialog.h"

#include <windows.h>
#include <shlobj.h>

#include "catalogue/Macros.h"
#include "dialogs/DialogTexts.h"
#include "dialogs/NetscapeDetectDialogRes.h"
#include "platform/BusyCursor.h"
#include "platform/Error.h"
#include "platform/Language.h"
#include "platform/Messages.h"
#include "platform/Profile.h"
#include "platform/Registry.h"
#include "platform/WideText.h"
#include "settings/ProfileSearch.h"
#include "settings/SettingsStore.h"

using namespace settings;

namespace {
bool IsDirectory(const std::string& path) {
    DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string LastName(std::string path) {
    while (!path.empty() && path.back() == '\\') path.pop_back();
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
}  // namespace

bool NetscapeCheckNeeded(const std::string& settingsFile, const std::string& netscapeKey) {
    if (!ProfileFile(settingsFile).ReadBool(DetectSection, DetectAtLoadKey, true)) return false;
    RegistryKey key(HKEY_CURRENT_USER);
    if (!key.OpenKey(netscapeKey)) return false;
    key.CloseKey();
    std::string path = ExpandMacros("{netscape}");
    return FindMacro(path, "{netscape}") != std::string::npos || !IsDirectory(path);
}

NetscapeDetectDialog::NetscapeDetectDialog() : Form(IDD_NetscapeDetectDialog), SearchRoots(ProfileSearchRoots()) { HelpContext = 65; }

void NetscapeDetectDialog::FormCreate() {
    OnClick(IDC_NetscapeDetect_Auto, [this] { OnAutoDetect(); });
    OnClick(IDC_NetscapeDetect_Manual, [this] { OnManualDetect(); });
    OnClick(IDC_NetscapeDetect_Ok, [this] { OnOk(); });
    OnClick(IDC_NetscapeDetect_Cancel, [this] { OnCancel(); });
    Bind(IDC_NetscapeDetect_Folders, LBN_SELCHANGE, [this] {
        SelectedRow = static_cast<int>(SendDlgItemMessageA(Handle(), IDC_NetscapeDetect_Folders, LB_GETCURSEL, 0, 0));
    });
    FillList();
    // The box shows the stored choice, so closing never turns detection back on by itself.
    RunGuarded(Handle(), [this] {
        SetChecked(IDC_NetscapeDetect_DontShowAgain, !ProfileFile(SettingsFile).ReadBool(DetectSection, DetectAtLoadKey, true));
    });
}

void NetscapeDetectDialog::FillList() {
    if (!Handle()) return;
    HWND list = Control(IDC_NetscapeDetect_Folders);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    int widest = 0;
    HDC dc = GetDC(list);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(list, WM_GETFONT, 0, 0)));
    for (const auto& path : Candidates) {
        const std::wstring text = Widen(path);
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        if (size.cx > widest) widest = size.cx;
    }
    SelectObject(dc, old);
    ReleaseDC(list, dc);
    SendMessageA(list, LB_SETHORIZONTALEXTENT, widest + 8, 0);
    if (SelectedRow >= static_cast<int>(Candidates.size())) SelectedRow = -1;
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(SelectedRow), 0);
}

bool NetscapeDetectDialog::PumpDuringSearch() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            cancelSearch_ = true;
            break;
        }
        if (!IsDialogMessageA(Handle(), &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return !cancelSearch_;
}

void NetscapeDetectDialog::OnAutoDetect() {
    if (searching_) return;
    if (!AskQuestion(Handle(), Text(IDS_Dlg_NetscapeSearchAsk))) return;
    const int lockedIds[] = {IDC_NetscapeDetect_Auto, IDC_NetscapeDetect_Manual, IDC_NetscapeDetect_Ok,
                             IDC_NetscapeDetect_Folders, IDC_NetscapeDetect_DontShowAgain};
    for (int id : lockedIds) EnableControl(id, false);
    SetControlText(IDC_NetscapeDetect_Status, Text(IDS_Dlg_NetscapeSearching));
    searching_ = true;
    cancelSearch_ = false;
    Candidates.clear();
    SelectedRow = -1;
    FillList();
    {
        BusyCursor busy;
        ProfileSearch search;
        search.OnFound = [this](const std::string& path) {
            if (!IsDirectory(path)) return;
            Candidates.push_back(path);
            const std::wstring text = Widen(path);
            SendDlgItemMessageW(Handle(), IDC_NetscapeDetect_Folders, LB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(text.c_str()));
        };
        search.KeepGoing = [this] { return PumpDuringSearch(); };
        search.Run(SearchRoots);
    }
    searching_ = false;
    if (!Handle()) return;
    for (int id : lockedIds) EnableControl(id, true);
    SetControlText(IDC_NetscapeDetect_Status, cancelSearch_ ? Text(IDS_Dlg_NetscapeSearchStopped) : std::string());
    if (!Candidates.empty()) SelectedRow = 0;
    FillList();
}

void NetscapeDetectDialog::OnManualDetect() {
    wchar_t display[MAX_PATH] = {};
    BROWSEINFOW info{};
    info.hwndOwner = Handle();
    info.pszDisplayName = display;
    const std::wstring title = Widen(Text(IDS_Dlg_NetscapeBrowseTitle));
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    PIDLIST_ABSOLUTE picked = SHBrowseForFolderW(&info);
    if (!picked) return;
    wchar_t path[MAX_PATH] = {};
    bool ok = SHGetPathFromIDListW(picked, path) != FALSE;
    CoTaskMemFree(picked);
    if (ok && path[0]) SetManualFolder(Narrow(path));
}

void NetscapeDetectDialog::SetManualFolder(const std::string& folder) {
    Candidates.assign(1, folder);
    SelectedRow = 0;
    FillList();
}

void NetscapeDetectDialog::OnOk() {
    if (searching_) return;
    if (Candidates.empty()) {
        ShowMissingChoice(Handle(), Text(IDS_Dlg_NetscapeNoChoice));
        return;
    }
    if (SelectedRow >= 0 && SelectedRow < static_cast<int>(Candidates.size())) {
        const std::string& folder = Candidates[SelectedRow];
        if (!IsProfileFolderName(LastName(folder)) &&
            !AskQuestion(Handle(), FormatText(IDS_Dlg_NetscapeNotProfile, folder)))
            return;
        bool stored = RunGuarded(Handle(), [&] {
            if (UserSection.empty()) throw AppError(Text(IDS_Dlg_NetscapeNoUser));
            ProfileFile(SettingsFile).WriteString(UserSection, "Netscape Path", folder);
        });
        if (!stored) return;
    }
    Finish(mrOK);
}

void NetscapeDetectDialog::OnCancel() {
    if (searching_) cancelSearch_ = true;
    else Finish(mrCancel);
}

void NetscapeDetectDialog::CloseQuery() { OnCancel(); }

void NetscapeDetectDialog::Finish(int result) {
    RunGuarded(Handle(), [this] {
        ProfileFile(SettingsFile).WriteBool(DetectSection, DetectAtLoadKey, !IsChecked(IDC_NetscapeDetect_DontShowAgain));
    });
    Close(result);
}

bool NetscapeDetectDialog::Message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    (void)wParam;
    (void)lParam;
    if (msg == WM_SETCURSOR && searching_) {
        SetCursor(LoadCursor(nullptr, IDC_WAIT));
        result = TRUE;
        return true;
    }
    return false;
}
