#include "engine/RunningPrograms.h"

#include <tlhelp32.h>
#include <restartmanager.h>

#include <algorithm>
#include <cstring>

#include "catalogue/WashItem.h"
#include "platform/Text.h"
#include "platform/WideText.h"

namespace {
struct KnownBrowser {
    const char* imageName;
    const char* name;
    const char* itemPrefix;  // the supplied wash items of the browser start with it
};
const KnownBrowser KnownBrowsers[] = {
    {"chrome.exe", "Google Chrome", "Google Chrome "},
    {"msedge.exe", "Microsoft Edge", "Microsoft Edge "},
    {"brave.exe", "Brave", "Brave "},
    {"firefox.exe", "Mozilla Firefox", "Firefox "},
};

using StartSession = DWORD(WINAPI*)(DWORD*, DWORD, WCHAR*);
using RegisterResources = DWORD(WINAPI*)(DWORD, UINT, LPCWSTR*, UINT, RM_UNIQUE_PROCESS*, UINT, LPCWSTR*);
using GetList = DWORD(WINAPI*)(DWORD, UINT*, UINT*, RM_PROCESS_INFO*, LPDWORD);
using EndSession = DWORD(WINAPI*)(DWORD);

template <class Function>
Function Entry(HMODULE library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

// True when the file is held open by a process that shares no deletion with others.
bool HeldOpen(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return false;
    }
    DWORD error = GetLastError();
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

BOOL CALLBACK PostClose(HWND window, LPARAM param) {
    const auto* ids = reinterpret_cast<const std::vector<DWORD>*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (std::find(ids->begin(), ids->end(), pid) != ids->end() && GetWindow(window, GW_OWNER) == nullptr)
        PostMessageW(window, WM_CLOSE, 0, 0);
    return TRUE;
}
}  // namespace

bool RestartManagerHolders(const std::vector<std::wstring>& paths, std::vector<DWORD>& ids) {
    // Loaded when asked: a system without the Restart Manager simply gives no list.
    static HMODULE library = LoadLibraryW(L"rstrtmgr.dll");
    if (!library || paths.empty()) return false;
    auto start = Entry<StartSession>(library, "RmStartSession");
    auto add = Entry<RegisterResources>(library, "RmRegisterResources");
    auto list = Entry<GetList>(library, "RmGetList");
    auto end = Entry<EndSession>(library, "RmEndSession");
    if (!start || !add || !list || !end) return false;
    DWORD session = 0;
    WCHAR key[CCH_RM_SESSION_KEY + 1] = {};
    if (start(&session, 0, key) != ERROR_SUCCESS) return false;
    std::vector<LPCWSTR> names;
    for (const auto& path : paths) names.push_back(path.c_str());
    bool listed = false;
    if (add(session, static_cast<UINT>(names.size()), names.data(), 0, nullptr, 0, nullptr) == ERROR_SUCCESS) {
        std::vector<RM_PROCESS_INFO> found(16);
        UINT needed = 0, count = static_cast<UINT>(found.size());
        DWORD reasons = 0;
        DWORD result = list(session, &needed, &count, found.data(), &reasons);
        if (result == ERROR_MORE_DATA) {
            found.resize(needed);
            count = needed;
            result = list(session, &needed, &count, found.data(), &reasons);
        }
        listed = result == ERROR_SUCCESS;
        for (UINT i = 0; listed && i < count && i < found.size(); ++i) ids.push_back(found[i].Process.dwProcessId);
    }
    end(session);
    return listed;
}


std::string ProcessImageName(DWORD processId) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process) return {};
    wchar_t path[MAX_PATH];
    DWORD size = MAX_PATH;
    std::string name;
    if (QueryFullProcessImageNameW(process, 0, path, &size)) name = ExtractFileName(Narrow(path, size));
    CloseHandle(process);
    return name;
}

std::vector<RunningBrowser> FindRunningBrowsers() {
    std::vector<RunningBrowser> running;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return running;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        std::string image = Narrow(entry.szExeFile, wcsnlen(entry.szExeFile, MAX_PATH));
        for (const auto& known : KnownBrowsers) {
            if (!SameText(image, known.imageName)) continue;
            auto at = std::find_if(running.begin(), running.end(),
                                   [&](const RunningBrowser& b) { return b.ImageName == known.imageName; });
            if (at == running.end()) at = running.insert(running.end(), {known.name, known.imageName, {}});
            at->ProcessIds.push_back(entry.th32ProcessID);
        }
    }
    CloseHandle(snapshot);
    return running;
}

std::string BrowserOfItem(const std::string& itemName) {
    for (const auto& known : KnownBrowsers)
        if (itemName.size() > strlen(known.itemPrefix) && SameText(itemName.substr(0, strlen(known.itemPrefix)), known.itemPrefix))
            return known.imageName;
    return {};
}

std::string BrowserNameOfImage(const std::string& imageName) {
    for (const auto& known : KnownBrowsers)
        if (SameText(imageName, known.imageName)) return known.name;
    return imageName;
}

bool BrowserRunning(const std::string& imageName) {
    for (const auto& browser : FindRunningBrowsers())
        if (SameText(browser.ImageName, imageName)) return true;
    return false;
}

std::vector<RunningBrowser> BrowsersHoldingFiles(const CheckListModel& files) {
    std::vector<RunningBrowser> running = FindRunningBrowsers();
    if (running.empty()) return running;
    std::vector<std::wstring> paths;
    for (int i = 0; i < files.Count(); ++i)
        if (files.Checked(i) && !EndsWithFolderMarker(files.Text(i)))
            paths.push_back(WidePath(Unguarded(files.Text(i))));
    if (paths.empty()) return {};
    std::vector<DWORD> holders;
    // An empty list (as Wine's Restart Manager always gives) says nothing: the files are tried.
    if (RestartManagerHolders(paths, holders) && !holders.empty()) {
        std::vector<RunningBrowser> holding;
        for (auto& browser : running) {
            bool holds = false;
            for (DWORD id : browser.ProcessIds) holds = holds || std::find(holders.begin(), holders.end(), id) != holders.end();
            if (holds) holding.push_back(std::move(browser));
        }
        return holding;
    }
    for (const auto& path : paths)
        if (HeldOpen(path)) return running;
    return {};
}

bool CloseBrowser(const RunningBrowser& browser, DWORD timeoutMs) {
    std::vector<HANDLE> processes;
    for (DWORD id : browser.ProcessIds) {
        HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
        if (process) processes.push_back(process);
    }
    EnumWindows(PostClose, reinterpret_cast<LPARAM>(&browser.ProcessIds));
    const DWORD start = GetTickCount();
    bool ended = true;
    for (HANDLE process : processes) {
        DWORD spent = GetTickCount() - start;
        if (WaitForSingleObject(process, spent < timeoutMs ? timeoutMs - spent : 0) != WAIT_OBJECT_0) ended = false;
        CloseHandle(process);
    }
    return ended;
}
