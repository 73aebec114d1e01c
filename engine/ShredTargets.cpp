// The files and folders a shred covers, and the paths it refuses.
#include "engine/ShredTargets.h"

#include <windows.h>
#include <shlobj.h>

#include "catalogue/ProtectedPlaces.h"
#include "catalogue/WashItem.h"
#include "engine/EngineTexts.h"
#include "platform/DiskSpace.h"
#include "platform/Language.h"
#include "platform/NativeFileSystem.h"
#include "platform/WideText.h"

namespace {

// Full, long, without a trailing backslash (a drive root keeps its own).
std::wstring Normal(const std::wstring& path) {
    wchar_t full[32768];
    DWORD n = GetFullPathNameW(path.c_str(), 32768, full, nullptr);
    if (n == 0 || n >= 32768) return path;
    std::wstring text(full, n);
    n = GetLongPathNameW(text.c_str(), full, 32768);
    if (n > 0 && n < 32768) text.assign(full, n);
    while (text.size() > 3 && text.back() == L'\\') text.pop_back();
    return text;
}

bool Same(const std::wstring& a, const std::wstring& b) {
    return !a.empty() && !b.empty() &&
           CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
               CSTR_EQUAL;
}

std::wstring ShellFolder(int csidl) {
    wchar_t path[MAX_PATH];
    return SUCCEEDED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)) ? Normal(path) : L"";
}

std::wstring Parent(const std::wstring& path) {
    size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? L"" : Normal(path.substr(0, slash + 1));
}

std::wstring Upper(std::wstring text) {
    CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

// Rows of one call: files first, then folders, deepest first; a key is the upper-case full path.
struct Collected {
    ShredRows& Into;
    std::vector<std::string> Folders;
    uint64_t Cluster = 0;  // of the volume of the path being collected

    void AddFile(const std::string& path, const std::wstring& key, uint64_t size) {
        if (!Into.Seen.insert(key).second) return;
        Into.Rows.push_back(path);
        GuardProtectedRow(Into.Rows.back(), INVALID_FILE_ATTRIBUTES, false, {});
        Into.Spaces.push_back(SpaceOnDisk(size, Cluster));
    }
    void AddFolder(const std::string& folder, const std::wstring& key) {
        if (!Into.Seen.insert(key + L"\\").second) return;
        Folders.push_back(folder + "\\" + RemoveFolderMarker);
        GuardProtectedRow(Folders.back(), FILE_ATTRIBUTE_DIRECTORY, false, {});
    }
};

template <typename Data>
uint64_t FileSize(const Data& data) {
    return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

void AppendFolder(const std::string& folder, const std::wstring& key, Collected& collected) {
    WIN32_FIND_DATAW data;
    HANDLE find = NativeFindFirstFile(folder + "\\*", data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            // A link is never entered nor destroyed: the folder that holds it then stays.
            if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;
            std::string path = folder + "\\" + Narrow(name);
            std::wstring pathKey = key + L"\\" + Upper(name);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) AppendFolder(path, pathKey, collected);
            else collected.AddFile(path, pathKey, FileSize(data));
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    collected.AddFolder(folder, key);
}

// The upper-case full path of a path as given ("." and ".." resolved, no trailing "\\").
std::wstring PathKey(const std::string& path) {
    std::wstring wide = Widen(path);
    DWORD n = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (n > 0) {
        std::wstring full(n, L'\0');
        n = GetFullPathNameW(wide.c_str(), n, full.data(), nullptr);
        if (n > 0 && n < full.size()) wide.assign(full, 0, n);
    }
    while (wide.size() > 3 && wide.back() == L'\\') wide.pop_back();
    return Upper(wide);
}

}  // namespace

std::string ShredRefusal(const std::string& path) {
    const DWORD attrs = NativeFileAttributes(path);
    if (path.empty() || attrs == INVALID_FILE_ATTRIBUTES) return FormatText(IDS_ShredMissing, path);
    const std::wstring normal = Normal(Widen(path));
    // "C:" alone names the drive, not the folder current on it.
    const bool driveAlone = path.size() == 2 && path[1] == ':';
    if (driveAlone || normal.size() <= 3 || Parent(normal).empty() || Same(Parent(normal), normal))
        return FormatText(IDS_ShredDrive, path);
    if (attrs & FILE_ATTRIBUTE_REPARSE_POINT) return FormatText(IDS_ShredLink, path);
    if (Same(normal, ShellFolder(CSIDL_WINDOWS))) return FormatText(IDS_ShredWindows, path);
    for (int csidl : {CSIDL_PROGRAM_FILES, CSIDL_PROGRAM_FILESX86, CSIDL_PROGRAM_FILES_COMMON})
        if (Same(normal, ShellFolder(csidl))) return FormatText(IDS_ShredProgramFiles, path);
    const std::wstring profile = ShellFolder(CSIDL_PROFILE), profiles = Parent(profile);
    if (Same(normal, profile) || Same(normal, profiles) || Same(Parent(normal), profiles))
        return FormatText(IDS_ShredProfile, path);
    return {};
}

std::vector<std::string> CollectShredRows(const std::vector<std::string>& paths, ShredRows& rows) {
    Collected collected{rows, {}, 0};
    std::vector<std::string> refusals;
    for (const auto& path : paths) {
        std::string refusal = ShredRefusal(path);
        if (!refusal.empty()) {
            refusals.push_back(refusal);
            continue;
        }
        std::string named = path;
        while (named.size() > 3 && (named.back() == '\\' || named.back() == '/')) named.pop_back();
        const std::wstring key = PathKey(named);
        collected.Cluster = ClusterSizeOf(named);
        WIN32_FILE_ATTRIBUTE_DATA data{};
        {
            NativeFileSystem native;
            // A path that is not there stays a row: its deletion then says why.
            if (!GetFileAttributesExW(WidePath(named).c_str(), GetFileExInfoStandard, &data)) data = {};
        }
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) AppendFolder(named, key, collected);
        else collected.AddFile(named, key, FileSize(data));
    }
    rows.Rows.insert(rows.Rows.end(), collected.Folders.begin(), collected.Folders.end());
    rows.Spaces.resize(rows.Rows.size());
    return refusals;
}

std::vector<std::string> CollectShredRows(const std::vector<std::string>& paths, std::vector<std::string>& rows) {
    ShredRows collected;
    std::vector<std::string> refusals = CollectShredRows(paths, collected);
    rows.insert(rows.end(), collected.Rows.begin(), collected.Rows.end());
    return refusals;
}
