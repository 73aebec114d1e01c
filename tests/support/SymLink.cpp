#include "tests/support/SymLink.h"

#include <windows.h>

namespace {
bool IsLink(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

std::string WithoutBackslash(std::string path) {
    while (path.size() > 3 && path.back() == '\\') path.pop_back();
    return path;
}

// The host path of a Windows path, through Wine's kernel32 export; empty outside Wine.
std::string HostPath(const std::string& path) {
    using ToHost = char*(CDECL*)(const WCHAR*);
    auto toHost = reinterpret_cast<ToHost>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!toHost) return {};
    std::wstring wide(path.size() + 1, L'\0');
    int n = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
    if (n == 0) return {};
    char* host = toHost(wide.c_str());
    if (!host) return {};
    std::string result = host;
    HeapFree(GetProcessHeap(), 0, host);
    return result;
}

bool HostLink(const std::string& target, const std::string& linkPath) {
    std::string link = WithoutBackslash(linkPath);
    auto slash = link.rfind('\\');
    std::string hostTarget = HostPath(WithoutBackslash(target));
    std::string hostParent = HostPath(link.substr(0, slash));
    if (hostTarget.empty() || hostParent.empty() || slash == std::string::npos) return false;
    std::string command = "/bin/ln -s \"" + hostTarget + "\" \"" + hostParent + "/" + link.substr(slash + 1) + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    // A host process gives no usable exit code here: wait for the link to appear.
    for (int i = 0; i < 500 && !IsLink(link); ++i) Sleep(10);
    return IsLink(link);
}
}  // namespace

bool MakeFolderLink(const std::string& target, const std::string& linkPath) {
    std::string link = WithoutBackslash(linkPath);
    if (CreateSymbolicLinkA(link.c_str(), WithoutBackslash(target).c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY) &&
        IsLink(link))
        return true;
    return HostLink(target, link);
}
