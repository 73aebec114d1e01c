#include "catalogue/ProtectedPlaces.h"

#include <knownfolders.h>
#include <shlobj.h>

#include <cstring>
#include <unordered_set>

#include "catalogue/RootKeys.h"
#include "catalogue/WashItem.h"
#include "platform/CheckListModel.h"
#include "platform/NativeFileSystem.h"
#include "platform/Text.h"
#include "platform/WideText.h"

namespace {

// Below the Windows folder, only these caches and files may be washed (a cache folder's contents,
// never the folder itself).
struct WindowsCache {
    const char* Name;
    bool IsFile;
};
const WindowsCache WindowsCaches[] = {
    {"TEMP", false},
    {"PREFETCH", false},
    {"MINIDUMP", false},
    {"MEMORY.DMP", true},
    {"SOFTWAREDISTRIBUTION\\DOWNLOAD", false},
    {"LIVEKERNELREPORTS", false},
    {"LOGS\\CBS", false},
    {"SERVICEPROFILES\\LOCALSERVICE\\APPDATA\\LOCAL\\TEMP", false},
    {"SERVICEPROFILES\\NETWORKSERVICE\\APPDATA\\LOCAL\\TEMP", false},
    {"SERVICEPROFILES\\NETWORKSERVICE\\APPDATA\\LOCAL\\MICROSOFT\\WINDOWS\\DELIVERYOPTIMIZATION\\CACHE", false},
};

// A Chromium browser's settings, bookmarks and passwords, inside its "User Data" folder.
const char* const ChromiumFiles[] = {"LOCAL STATE", "BOOKMARKS", "LOGIN DATA", "PREFERENCES", "SECURE PREFERENCES"};
// Firefox's passwords, keys, bookmarks with history, and settings, inside its "Profiles" folder.
const char* const FirefoxFiles[] = {"LOGINS.JSON", "LOGINS.DB", "KEY4.DB", "PLACES.SQLITE", "PREFS.JS"};

std::string NoFinalBackslash(std::string path) {
    while (!path.empty() && path.back() == '\\') path.pop_back();
    return path;
}

// path lies below folder (both upper case, without a final "\").
bool IsBelow(const std::string& path, const std::string& folder) {
    return !folder.empty() && path.size() > folder.size() && path[folder.size()] == '\\' &&
           path.compare(0, folder.size(), folder) == 0;
}

// Upper case, without a final "\".
struct PlaceTable {
    std::vector<std::string> Windows;       // the Windows folder, as named and as resolved
    std::vector<std::string> Folders;       // folders protected themselves
    std::vector<std::string> Trees;         // the user's own folders: protected with all they hold
    std::vector<std::string> ProfileRoots;  // folders whose every subfolder is a profile folder

    void AddFolder(std::vector<std::string>& list, const std::string& folder) {
        if (folder.empty()) return;
        list.push_back(UpperCase(NoFinalBackslash(folder)));
        std::string resolved = ResolvedFolder(folder);
        if (!resolved.empty()) list.push_back(UpperCase(resolved));
    }
    void AddKnown(std::vector<std::string>& list, REFKNOWNFOLDERID id) {
        PWSTR found = nullptr;
        if (SUCCEEDED(SHGetKnownFolderPath(id, KF_FLAG_DONT_VERIFY, nullptr, &found)) && found && found[0])
            AddFolder(list, Narrow(found, wcslen(found)));
        CoTaskMemFree(found);
    }
};

PlaceTable MakeTable() {
    PlaceTable table;
    wchar_t windows[MAX_PATH] = L"";
    if (GetWindowsDirectoryW(windows, MAX_PATH)) table.AddFolder(table.Windows, Narrow(windows, wcslen(windows)));
    for (REFKNOWNFOLDERID id : {FOLDERID_Profile, FOLDERID_ProgramFiles, FOLDERID_ProgramFilesX86,
                                FOLDERID_ProgramFilesX64, FOLDERID_ProgramFilesCommon, FOLDERID_ProgramFilesCommonX86,
                                FOLDERID_UserProfiles})
        table.AddKnown(table.Folders, id);
    for (REFKNOWNFOLDERID id : {FOLDERID_Documents, FOLDERID_Desktop, FOLDERID_Pictures, FOLDERID_Music,
                                FOLDERID_Videos, FOLDERID_Downloads})
        table.AddKnown(table.Trees, id);
    wchar_t programFiles[MAX_PATH] = L"";
    DWORD n = GetEnvironmentVariableW(L"ProgramW6432", programFiles, MAX_PATH);
    if (n > 0 && n < MAX_PATH) table.AddFolder(table.Folders, Narrow(programFiles, n));
    table.AddKnown(table.ProfileRoots, FOLDERID_UserProfiles);
    return table;
}

const PlaceTable& Table() {
    static const PlaceTable table = MakeTable();
    return table;
}

// The part of an upper-case path below the Windows folder is one of its caches.
bool InWindowsCache(const std::string& inside) {
    for (const auto& cache : WindowsCaches)
        if (cache.IsFile ? inside == cache.Name : IsBelow(inside, cache.Name)) return true;
    return false;
}

// "\NAME\" lies in the folder part of an upper-case path.
bool HasFolder(const std::string& path, const std::string& name) {
    return path.find("\\" + name + "\\") != std::string::npos;
}

bool IsBrowserPlace(const std::string& path) {
    const std::string name = path.substr(path.rfind('\\') + 1);
    const bool chromium = HasFolder(path, "USER DATA"), firefox = HasFolder(path, "PROFILES");
    if (!chromium && !firefox) return false;
    if (name == "EXTENSIONS" || HasFolder(path, "EXTENSIONS")) return true;
    if (chromium)
        for (const char* file : ChromiumFiles)
            if (name == file) return true;
    if (firefox)
        for (const char* file : FirefoxFiles)
            if (name == file) return true;
    return false;
}

bool IsDriveRoot(const std::string& path) {
    if (path.size() == 2 && path[1] == ':') return true;
    if (path.rfind("\\\\", 0) != 0) return false;
    // "\\server\share" and what names less.
    size_t server = path.find('\\', 2);
    return server == std::string::npos || path.find('\\', server + 1) == std::string::npos;
}

bool IsProtectedText(const std::string& upper) {
    if (upper.empty() || IsDriveRoot(upper)) return !upper.empty();
    const PlaceTable& table = Table();
    for (const auto& windows : table.Windows) {
        if (upper == windows) return true;
        if (IsBelow(upper, windows)) return !InWindowsCache(upper.substr(windows.size() + 1));
    }
    for (const auto& folder : table.Folders)
        if (upper == folder) return true;
    for (const auto& tree : table.Trees)
        if (upper == tree || IsBelow(upper, tree)) return true;
    for (const auto& root : table.ProfileRoots)
        if (IsBelow(upper, root) && upper.find('\\', root.size() + 1) == std::string::npos) return true;
    return IsBrowserPlace(upper);
}

// Keys no row may delete, nor a value of, nor a key above or below them (upper case, below
// HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE or a user of HKEY_USERS).
const char* const GuardedKeys[] = {
    "SYSTEM\\CURRENTCONTROLSET\\CONTROL\\SESSION MANAGER",
    "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN",
    "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUNONCE",
    "SOFTWARE\\WOW6432NODE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN",
    "SOFTWARE\\WOW6432NODE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUNONCE",
};
// Keys whose subkeys each hold a UserChoice.
const char* const AssociationKeys[] = {
    "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\EXPLORER\\FILEEXTS",
    "SOFTWARE\\MICROSOFT\\WINDOWS\\SHELL\\ASSOCIATIONS\\URLASSOCIATIONS",
};
// Our own value of a Run key.
const char* const OwnRunValue = "VARNOLT";

// key is at, above or below guarded (both upper case, without a final "\").
bool OnPath(const std::string& key, const std::string& guarded) {
    return key == guarded || IsBelow(key, guarded) || IsBelow(guarded, key);
}

}  // namespace

std::string ResolvedFolder(const std::string& folder) {
    HANDLE handle;
    {
        NativeFileSystem native;
        handle = CreateFileW(WidePath(folder).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    }
    if (handle == INVALID_HANDLE_VALUE) return {};
    std::wstring text(MAX_PATH + 64, L'\0');
    DWORD n = GetFinalPathNameByHandleW(handle, text.data(), static_cast<DWORD>(text.size()), VOLUME_NAME_DOS);
    if (n >= text.size()) {
        text.assign(n + 1, L'\0');
        n = GetFinalPathNameByHandleW(handle, text.data(), static_cast<DWORD>(text.size()), VOLUME_NAME_DOS);
    }
    CloseHandle(handle);
    if (n == 0 || n >= text.size()) return {};
    std::string path = Narrow(text.data(), n);
    if (path.rfind("\\\\?\\UNC\\", 0) == 0) path.erase(2, 6);
    else if (path.rfind("\\\\?\\", 0) == 0) path.erase(0, 4);
    path = NoFinalBackslash(path);
    return SameText(path, NoFinalBackslash(folder)) ? std::string() : path;
}

bool IsProtectedPlace(const std::string& path, DWORD attributes) {
    std::string named = NoFinalBackslash(path);
    if (named.empty()) return false;
    if (IsProtectedText(UpperCase(named))) return true;
    // A link is judged by what it reaches too.
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return false;
    std::string target = ResolvedFolder(named);
    return !target.empty() && IsProtectedText(UpperCase(target));
}

void GuardProtectedRow(std::string& row, DWORD attributes, bool ownItems, const std::vector<ResolvedRoot>& roots) {
    if (GuardOf(row) != RowGuard::None) return;
    const bool folderRow = EndsWithFolderMarker(row);
    const std::string path =
        folderRow ? NoFinalBackslash(row.substr(0, row.size() - strlen(RemoveFolderMarker))) : row;
    if (folderRow) attributes = FILE_ATTRIBUTE_DIRECTORY;
    bool hit = IsProtectedPlace(path, attributes);
    for (size_t i = 0; !hit && i < roots.size(); ++i) {
        const ResolvedRoot& root = roots[i];
        if (path.size() < root.Named.size() || !SameText(path.substr(0, root.Named.size()), root.Named)) continue;
        if (path.size() > root.Named.size() && path[root.Named.size()] != '\\') continue;
        hit = IsProtectedPlace(root.Resolved + path.substr(root.Named.size()), attributes);
    }
    if (hit) row += ownItems ? HeldRowMarker : RefusedRowMarker;
}

bool IsProtectedRegistryPlace(const std::string& keyPath, const std::string& valueName, bool isKey) {
    RegistryPath where = SplitRegistryPath(keyPath);
    if (!where.root || where.root == HKEY_CLASSES_ROOT || where.root == HKEY_CURRENT_CONFIG) return false;
    std::string key = UpperCase(NoFinalBackslash(where.keyPath));
    while (!key.empty() && key.front() == '\\') key.erase(0, 1);
    // A user's hive below HKEY_USERS: the part after the user's name.
    if (where.root == HKEY_USERS) {
        size_t user = key.find('\\');
        key = user == std::string::npos ? std::string() : key.substr(user + 1);
        if (key.empty()) return isKey;
    }
    if (key.empty()) return true;
    for (const char* guarded : GuardedKeys) {
        if (isKey ? !OnPath(key, guarded) : key != guarded) continue;
        const bool runKey = key.size() >= 4 && key.compare(key.size() - 4, 4, "\\RUN") == 0;
        return isKey || !runKey || UpperCase(valueName) != OwnRunValue;
    }
    if (("\\" + key + "\\").find("\\USERCHOICE\\") != std::string::npos) return true;
    if (!isKey) return false;
    for (const char* associations : AssociationKeys) {
        const std::string folder = associations;
        if (key == folder || IsBelow(folder, key)) return true;
        // One association's key: it holds the UserChoice.
        if (IsBelow(key, folder) && key.find('\\', folder.size() + 1) == std::string::npos) return true;
    }
    return false;
}

std::string DatabaseOfJournal(const std::string& path) {
    const std::string name = Unguarded(path);
    for (const char* suffix : {"-journal", "-wal", "-shm"}) {
        const size_t n = strlen(suffix);
        const size_t slash = name.find_last_of('\\');
        const size_t start = slash == std::string::npos ? 0 : slash + 1;
        // A name that is only the suffix names no database.
        if (name.size() > start + n && SameText(name.substr(name.size() - n), suffix))
            return name.substr(0, name.size() - n);
    }
    return {};
}

bool JournalOfExistingDatabase(const std::string& path) {
    const std::string database = DatabaseOfJournal(path);
    if (database.empty()) return false;
    NativeFileSystem native;
    const DWORD attributes = GetFileAttributesW(WidePath(database).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void GuardDatabaseJournals(std::vector<std::string>& rows, bool ownItems) {
    std::unordered_set<std::string> listed;
    for (const std::string& row : rows) listed.insert(UpperCase(Unguarded(row)));
    for (std::string& row : rows) {
        if (GuardOf(row) != RowGuard::None || !JournalOfExistingDatabase(row)) continue;
        if (listed.count(UpperCase(DatabaseOfJournal(row)))) continue;
        row += ownItems ? HeldRowMarker : RefusedRowMarker;
    }
}
