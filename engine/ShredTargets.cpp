// The files and folders a shred covers, and the paths it refuses.
#include "engine/ShredTargets.h"

#include <windows.h>
#include <shlobj.h>

#include "catalogue/WashItem.h"
#include "engine/EngineTexts.h"
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

void AppendFolder(const std::string& folder, std::vector<std::string>& files, std::vector<std::string>& folders) {
    WIN32_FIND_DATAW data;
    HANDLE find = NativeFindFirstFile(folder + "\\*", data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            // A link is never entered nor destroyed: the folder that holds it then stays.
            if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;
            std::string path = folder + "\\" + Narrow(name);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) AppendFolder(path, files, folders);
            else files.push_back(path);
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    folders.push_back(folder + "\\" + RemoveFolderMarker);
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

std::vector<std::string> CollectShredRows(const std::vector<std::string>& paths, std::vector<std::string>& rows) {
    std::vector<std::string> files, folders, refusals;
    for (const auto& path : paths) {
        std::string refusal = ShredRefusal(path);
        if (!refusal.empty()) {
            refusals.push_back(refusal);
            continue;
        }
        std::string named = path;
        while (named.size() > 3 && (named.back() == '\\' || named.back() == '/')) named.pop_back();
        if (NativeFileAttributes(named) & FILE_ATTRIBUTE_DIRECTORY) AppendFolder(named, files, folders);
        else files.push_back(named);
    }
    rows.insert(rows.end(), files.begin(), files.end());
    rows.insert(rows.end(), folders.begin(), folders.end());
    return refusals;
}
