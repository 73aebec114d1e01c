#include "catalogue/PluginCheck.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <vector>

#include "catalogue/CatalogueTexts.h"
#include "catalogue/Macros.h"
#include "catalogue/RootKeys.h"
#include "catalogue/WashItem.h"
#include "platform/Error.h"
#include "platform/Language.h"
#include "platform/Registry.h"
#include "platform/Text.h"
#include "platform/WideText.h"

namespace {

bool SamePathText(const std::string& a, const std::string& b) {
    return lstrcmpiW(Widen(a).c_str(), Widen(b).c_str()) == 0;
}

std::string WithoutTrailingBackslash(std::string path) {
    while (path.size() > 3 && path.back() == '\\') path.pop_back();
    return path;
}

// The folder resolved ("." and ".." gone), without a trailing backslash but for a root.
std::string FullFolder(const std::string& folder) {
    wchar_t buffer[MAX_PATH * 4];
    DWORD n = GetFullPathNameW(Widen(folder).c_str(), MAX_PATH * 4, buffer, nullptr);
    if (n == 0 || n >= MAX_PATH * 4) return WithoutTrailingBackslash(folder);
    return WithoutTrailingBackslash(Narrow(buffer, n));
}

// The Windows, system and Program Files folders of this machine.
std::vector<std::string> ProtectedFolders() {
    std::vector<std::string> folders;
    wchar_t path[MAX_PATH * 2];
    UINT n = GetWindowsDirectoryW(path, MAX_PATH);
    if (n && n < MAX_PATH) folders.push_back(FullFolder(Narrow(path, n)));
    n = GetSystemDirectoryW(path, MAX_PATH);
    if (n && n < MAX_PATH) folders.push_back(FullFolder(Narrow(path, n)));
    if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PROGRAM_FILES, nullptr, SHGFP_TYPE_CURRENT, path)))
        folders.push_back(FullFolder(Narrow(path, wcslen(path))));
    RegistryKey key(HKEY_LOCAL_MACHINE);
    if (key.OpenKey("\\Software\\Microsoft\\Windows\\CurrentVersion")) {
        try {
            std::string programFiles = key.ReadString("ProgramFilesDir");
            if (!programFiles.empty()) folders.push_back(FullFolder(programFiles));
        } catch (const AppError&) {
        }
    }
    return folders;
}

// True when folder is one of the protected folders or holds one of them.
bool CoversProtectedFolder(const std::string& folder) {
    if (PathIsRootW(Widen(folder).c_str())) return true;
    for (const auto& protectedFolder : ProtectedFolders()) {
        if (SamePathText(protectedFolder, folder)) return true;
        std::string prefix = folder.back() == '\\' ? folder : folder + "\\";
        if (protectedFolder.size() > prefix.size() && SamePathText(protectedFolder.substr(0, prefix.size()), prefix))
            return true;
    }
    return false;
}

bool IsAbsolute(const std::string& path) {
    bool drive = path.size() >= 3 && IsCharAlphaA(path[0]) && path[1] == ':' && path[2] == '\\';
    bool share = path.size() >= 3 && path[0] == '\\' && path[1] == '\\' && path[2] != '\\';
    return drive || share;
}

// Why a search of spec (folder and mask, macros expanded) is refused; empty when it isn't.
std::string SearchRefusal(const std::string& spec, bool subfolders) {
    std::string folder = ExtractFilePath(spec);
    // No folder part selects nothing; a macro this machine can't expand names no folder here.
    if (folder.empty() || folder[0] == '{') return {};
    if (!IsAbsolute(folder)) return FormatText(IDS_PluginPathNotAbsolute, spec);
    std::string full = FullFolder(folder);
    if (subfolders && CoversProtectedFolder(full)) return FormatText(IDS_PluginFolderWithSubfolders, full);
    return {};
}

// The folder a registry string value holds now; empty when there is none.
std::string RegistryFolder(const std::string& keyName, const std::string& valueName) {
    RegistryPath where = SplitRegistryPath(ExpandMacros(Trim(keyName)));
    if (!where.root) return {};
    RegistryKey key(where.root);
    if (!key.OpenKey(where.keyPath)) return {};
    try {
        return key.ReadString(valueName);
    } catch (const AppError&) {
        return {};
    }
}

}  // namespace

void AppendPluginRows(Catalogue& list, const std::string& path) {
    Catalogue rows;
    rows.LoadFromFile(path);
    for (const auto& row : rows.Items)
        if (row.ItemFile == path && row.ItemName.find(RowKeySeparator) == std::string::npos) list.Append(row);
}

std::string FolderEntryRefusal(const FolderEntry& entry) {
    switch (entry.Category) {
        case CategoryFolderMask:
            return SearchRefusal(ExpandMacros(entry.FolderMask), entry.IncludeSubfolders);
        case CategorySingleFile:
            return SearchRefusal(ExpandMacros(entry.FilePath), entry.IncludeSubfolders);
        default: {
            const std::string keyName = ExpandMacros(Trim(entry.PathKeyName));
            RegistryPath where = SplitRegistryPath(keyName);
            if (!keyName.empty() && !where.root) return FormatText(IDS_PluginFolderFromUnknownRoot, keyName, where.rootName);
            std::string folder = RegistryFolder(entry.PathKeyName, entry.PathValueName);
            if (folder.empty()) return {};
            return SearchRefusal(folder + (folder.back() == '\\' ? "" : "\\") + "*.*", entry.IncludeSubfolders);
        }
    }
}

std::string RegistryEntryRefusal(const RegistryEntry& entry) {
    std::string name = ExpandMacros(Trim(entry.KeyName));
    RegistryPath where = SplitRegistryPath(name);
    if (!name.empty() && !where.root) return FormatText(IDS_PluginKeyUnknownRoot, name, where.rootName);
    // A single value is refused only at a root key itself; an empty name names none.
    if (entry.CleanType == CleanSingleValue && (name.empty() || where.NamesKeyBelowRoot())) return {};
    int depth = 0;
    bool inName = false;
    for (char c : where.keyPath) {
        if (c != '\\' && !inName) ++depth;
        inName = c != '\\';
    }
    if (depth > 1) return {};
    return FormatText(IDS_PluginWholeKey, WithoutTrailingBackslash(name));
}

std::string CheckPluginFile(const std::string& path) {
    Catalogue rows;
    AppendPluginRows(rows, path);
    if (rows.Count() == 0) return FormatText(IDS_PluginNoWashItem, path);
    for (const auto& row : rows.Items) {
        WashItem item(path, row.ItemName);
        auto refuse = [&](const std::string& entry, const std::string& what) {
            return FormatText(IDS_PluginRefused, path, entry, row.ItemName, what);
        };
        for (const auto& entry : item.FolderEntries.Items)
            if (std::string what = FolderEntryRefusal(entry); !what.empty()) return refuse(entry.Name, what);
        for (const auto& entry : item.RegistryEntries.Items)
            if (std::string what = RegistryEntryRefusal(entry); !what.empty()) return refuse(entry.Name, what);
    }
    return {};
}
