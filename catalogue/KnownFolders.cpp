#include "catalogue/KnownFolders.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include "catalogue/Macros.h"
#include "platform/WideText.h"

namespace {
const char* const KnownMacros[] = {"{localappdata}", "{userprofile}", "{temp}", "{programdata}", "{locallow}"};

std::wstring WithoutTrailingSlash(std::wstring path) {
    while (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
    return path;
}

bool ShellFolder(REFKNOWNFOLDERID id, std::wstring& path) {
    PWSTR found = nullptr;
    HRESULT hr = SHGetKnownFolderPath(id, KF_FLAG_DONT_VERIFY, nullptr, &found);
    bool ok = SUCCEEDED(hr) && found && found[0];
    if (ok) path = found;
    CoTaskMemFree(found);
    return ok;
}

bool TempFolder(std::wstring& path) {
    wchar_t buffer[MAX_PATH + 2];
    DWORD n = GetTempPathW(MAX_PATH + 1, buffer);
    if (n == 0 || n > MAX_PATH + 1) return false;
    path.assign(buffer, n);
    return true;
}
}  // namespace

bool KnownFolderPath(const std::string& macro, std::string& path) {
    std::wstring wide;
    bool found = false;
    if (FindMacro(macro, "{localappdata}") == 0) found = ShellFolder(FOLDERID_LocalAppData, wide);
    else if (FindMacro(macro, "{userprofile}") == 0) found = ShellFolder(FOLDERID_Profile, wide);
    else if (FindMacro(macro, "{temp}") == 0) found = TempFolder(wide);
    else if (FindMacro(macro, "{programdata}") == 0) found = ShellFolder(FOLDERID_ProgramData, wide);
    else if (FindMacro(macro, "{locallow}") == 0) found = ShellFolder(FOLDERID_LocalAppDataLow, wide);
    if (!found || macro.find('}') != macro.size() - 1) return false;
    path = Narrow(WithoutTrailingSlash(wide));
    return true;
}

std::string ExpandKnownFolders(const std::string& text) {
    std::string current = text;
    for (const char* macro : KnownMacros) {
        size_t at = FindMacro(current, macro);
        if (at == std::string::npos) continue;
        std::string value;
        if (!KnownFolderPath(macro, value)) continue;
        current = current.substr(0, at) + value + current.substr(at + std::char_traits<char>::length(macro));
    }
    return current;
}
