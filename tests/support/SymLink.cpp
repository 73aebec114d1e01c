#include "tests/support/SymLink.h"

#include <windows.h>
#include <winioctl.h>

#include <cstring>
#include <vector>

#include "tests/support/Program.h"
#include "tests/support/Wait.h"

namespace {
bool IsLink(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

std::string WithoutBackslash(std::string path) {
    while (path.size() > 3 && path.back() == '\\') path.pop_back();
    return path;
}


bool WaitForLink(const std::string& path, bool linked) {
    return WaitUntil([&] { return IsLink(path) == linked; }, 5000);
}

bool HostLink(const std::string& target, const std::string& link) {
    std::string hostTarget = HostPath(WithoutBackslash(target));
    std::string hostLink = HostLinkPath(link);
    if (hostTarget.empty() || hostLink.empty()) return false;
    return StartHost("/bin/ln -s \"" + hostTarget + "\" \"" + hostLink + "\"") && WaitForLink(link, true);
}
}  // namespace

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

// The host path of a link, through its parent folder (the link itself is not followed).
std::string HostLinkPath(const std::string& link) {
    auto slash = link.rfind('\\');
    if (slash == std::string::npos) return {};
    std::string parent = HostPath(link.substr(0, slash));
    return parent.empty() ? parent : parent + "/" + link.substr(slash + 1);
}

// Starts a host program; it gives no usable exit code, so callers wait for its effect.
bool StartHost(std::string command) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!StartWithRetry(command, [&] {
            return CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                  &process) != FALSE;
        }))
        return false;
    // Wine starts a host program without a process handle and leaves hThread undefined then:
    // closing that value could close another handle of this process (HKEY_CURRENT_USER's, once).
    if (process.hProcess) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    return true;
}

bool MakeFolderLink(const std::string& target, const std::string& linkPath) {
    std::string link = WithoutBackslash(linkPath);
    if (CreateSymbolicLinkA(link.c_str(), WithoutBackslash(target).c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY) &&
        IsLink(link))
        return true;
    return HostLink(target, link);
}

bool MakeJunction(const std::string& target, const std::string& linkPath) {
    const std::string link = WithoutBackslash(linkPath);
    const std::wstring substitute = L"\\??\\" + std::wstring(target.begin(), target.end());
    const std::wstring print(target.begin(), target.end());
    if (!CreateDirectoryA(link.c_str(), nullptr)) return false;
    // REPARSE_DATA_BUFFER of a mount point: tag, length, reserved, four name offsets, names.
    std::vector<char> buffer(16 + (substitute.size() + print.size() + 2) * sizeof(wchar_t), 0);
    const WORD subLength = static_cast<WORD>(substitute.size() * sizeof(wchar_t));
    const WORD printLength = static_cast<WORD>(print.size() * sizeof(wchar_t));
    const DWORD tag = IO_REPARSE_TAG_MOUNT_POINT;
    const WORD dataLength = static_cast<WORD>(buffer.size() - 8);
    const WORD header[] = {dataLength, 0, 0, subLength, static_cast<WORD>(subLength + 2), printLength};
    std::memcpy(buffer.data(), &tag, 4);
    std::memcpy(buffer.data() + 4, header, sizeof(header));
    std::memcpy(buffer.data() + 16, substitute.data(), subLength);
    std::memcpy(buffer.data() + 16 + subLength + 2, print.data(), printLength);
    HANDLE folder = CreateFileA(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    DWORD done = 0;
    const bool made = folder != INVALID_HANDLE_VALUE &&
                      DeviceIoControl(folder, FSCTL_SET_REPARSE_POINT, buffer.data(), static_cast<DWORD>(buffer.size()),
                                      nullptr, 0, &done, nullptr);
    if (folder != INVALID_HANDLE_VALUE) CloseHandle(folder);
    if (made && IsLink(link)) return true;
    RemoveDirectoryA(link.c_str());
    return HostLink(target, link);
}

bool RemoveFolderLink(const std::string& linkPath) {
    std::string link = WithoutBackslash(linkPath);
    if (!IsLink(link)) return false;
    if (RemoveDirectoryA(link.c_str()) || !IsLink(link)) return true;
    std::string hostLink = HostLinkPath(link);
    return !hostLink.empty() && StartHost("/bin/rm -f \"" + hostLink + "\"") && WaitForLink(link, false);
}
