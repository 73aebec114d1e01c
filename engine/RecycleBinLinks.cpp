#include "engine/RecycleBinLinks.h"

#include <windows.h>
#include <sddl.h>

#include "engine/WashEngine.h"
#include "platform/NativeFileSystem.h"
#include "platform/WideText.h"

namespace {
std::string UserSid() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return {};
    std::string sid;
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::string buffer(size, '\0');
    if (size && GetTokenInformation(token, TokenUser, buffer.data(), size, &size)) {
        wchar_t* text = nullptr;
        if (ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text)) {
            sid = Narrow(text);
            LocalFree(text);
        }
    }
    CloseHandle(token);
    return sid;
}

bool IsFolder(const std::string& path) {
    DWORD attrs = GetFileAttributesW(WidePath(path).c_str());
    return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY);
}

// Wine keeps the Recycle Bin in the desktop's trash folder; empty elsewhere.
std::string WineTrashFolder() {
    using ToDos = WCHAR*(CDECL*)(const char*);
    auto toDos = reinterpret_cast<ToDos>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name")));
    if (!toDos) return {};
    char value[MAX_PATH];
    DWORD n = GetEnvironmentVariableA("XDG_DATA_HOME", value, sizeof(value));
    std::string data = n && n < sizeof(value) ? value : "";
    if (data.empty()) {
        n = GetEnvironmentVariableA("HOME", value, sizeof(value));
        if (!n || n >= sizeof(value)) return {};
        data = std::string(value) + "/.local/share";
    }
    WCHAR* dos = toDos((data + "/Trash/files").c_str());
    if (!dos) return {};
    std::string folder = Narrow(dos);
    HeapFree(GetProcessHeap(), 0, dos);
    return folder;
}

void FindLinks(const std::string& folder, std::vector<std::string>& links) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(WidePath(folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = Narrow(data.cFileName);
        if (name == "." || name == "..") continue;
        const std::string path = folder + "\\" + name;
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) || NameReachesAnotherFile(path))
            links.push_back(path);
        else if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) FindLinks(path, links);
    } while (FindNextFileW(find, &data));
    FindClose(find);
}
}  // namespace

// Deletes the reparse point itself: the handle must be the link's own, not what it points to.
bool RemoveAsLink(const std::string& path) {
    HANDLE link = CreateFileW(WidePath(path).c_str(), DELETE | FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (link == INVALID_HANDLE_VALUE) return false;
    FILE_ATTRIBUTE_TAG_INFO info{};
    bool removed = false;
    if (GetFileInformationByHandleEx(link, FileAttributeTagInfo, &info, sizeof(info)) &&
        (info.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        FILE_DISPOSITION_INFO disposition{TRUE};
        removed = SetFileInformationByHandle(link, FileDispositionInfo, &disposition, sizeof(disposition));
    }
    CloseHandle(link);
    return removed && GetFileAttributesW(WidePath(path).c_str()) == INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> RecycleBinFolders() {
    std::vector<std::string> folders;
    NativeFileSystem native;
    const std::string sid = UserSid();
    const DWORD drives = GetLogicalDrives();
    for (int d = 0; d < 26 && !sid.empty(); ++d) {
        if (!(drives & (1u << d))) continue;
        const std::string root = std::string(1, static_cast<char>('A' + d)) + ":\\";
        // Removable media keep no Recycle Bin, and an empty drive must not be asked for one.
        if (GetDriveTypeA(root.c_str()) != DRIVE_FIXED) continue;
        const std::string bin = root + "$Recycle.Bin\\" + sid;
        if (IsFolder(bin)) folders.push_back(bin);
    }
    const std::string trash = WineTrashFolder();
    if (!trash.empty() && IsFolder(trash)) folders.push_back(trash);
    return folders;
}

std::vector<std::string> LinksBelow(const std::string& folder) {
    std::vector<std::string> links;
    NativeFileSystem native;
    FindLinks(folder, links);
    return links;
}

std::vector<std::string> RemoveLinksBelow(const std::vector<std::string>& folders) {
    std::vector<std::string> staying;
    for (const auto& folder : folders)
        for (const auto& link : LinksBelow(folder)) {
            NativeFileSystem native;
            if (!RemoveAsLink(link)) staying.push_back(link);
        }
    return staying;
}
