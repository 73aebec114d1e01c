#include "engine/SpecialItems.h"

#include "engine/UrlHistory.h"
#include "platform/BusyCursor.h"
#include "platform/Error.h"
#include "platform/Registry.h"

namespace {

using EmptyRecycleBinFunction = HRESULT(WINAPI*)(HWND, LPCSTR, DWORD);

// SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI | SHERB_NOSOUND
constexpr DWORD EmptyRecycleBinFlags = 7;

// The folder held by a text value with a trailing backslash; empty when there is none.
std::string FolderValue(const RegistryKey& key, const std::string& name) {
    std::string folder;
    try {
        folder = key.ReadString(name);
    } catch (const AppError&) {
        return {};
    }
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder;
}

}  // namespace

void EmptyRecycleBin(HWND owner) {
    HMODULE shell = LoadLibraryA("Shell32.dll");
    if (!shell) return;
    auto empty = reinterpret_cast<EmptyRecycleBinFunction>(
        reinterpret_cast<void*>(GetProcAddress(shell, "SHEmptyRecycleBinA")));
    if (empty) empty(owner, "", EmptyRecycleBinFlags);
    FreeLibrary(shell);
}

void WashSpecialItem(const std::string& name, bool writeLog, HWND owner) {
    BusyCursor busy;
    if (name == RecycleBinItem) EmptyRecycleBin(owner);
    if (name == UrlHistoryItem) ClearUrlHistory();
    if (writeLog) {
        OpenWashLog();
        WriteWashLogRow(WashRowKind::SpecialItem, false, true, name, "");
        CloseWashLog();
    }
}

SpecificFileList ReadSpecificFileList(HKEY root, const std::string& keyPath) {
    SpecificFileList files;
    RegistryKey key(root);
    if (!key.OpenKey(keyPath)) return files;
    // A missing value gives no row rather than a path at the root of the drive.
    std::string cookies = FolderValue(key, "Cookies");
    if (!cookies.empty()) files.push_back(cookies + "index.dat");
    std::string cache = FolderValue(key, "Cache");
    if (!cache.empty()) files.push_back(cache + "Content.IE5" + "\\index.dat");
    return files;
}

SpecificFileList BuildSpecificFileList() { return ReadSpecificFileList(HKEY_CURRENT_USER, ShellFoldersKey); }
