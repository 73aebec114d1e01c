#include "engine/SiteStorage.h"

#include <windows.h>

#include <cstring>
#include <set>

#include "engine/EngineTexts.h"
#include "engine/LevelDbKeys.h"
#include "engine/WashEngine.h"
#include "platform/Language.h"
#include "platform/WideText.h"

namespace {

std::string Join(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder.back() == '\\') return folder + name;
    return folder + "\\" + name;
}

bool IsFolder(const std::string& path) {
    DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// Calls visit(name, attributes, size) for each entry of folder but "." and "..".
template <typename Visit>
void ForEachEntry(const std::string& folder, Visit visit) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(WidePath(Join(folder, "*")).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        uint64_t size = (static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
        visit(Narrow(name), found.dwFileAttributes, size);
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

uint64_t FolderBytes(const std::string& folder) {
    uint64_t total = 0;
    ForEachEntry(folder, [&](const std::string& name, DWORD attributes, uint64_t size) {
        if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return;
        total += (attributes & FILE_ATTRIBUTE_DIRECTORY) ? FolderBytes(Join(folder, name)) : size;
    });
    return total;
}

bool IsWebScheme(const std::string& scheme) { return scheme == "http" || scheme == "https"; }

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// A store all sites share stays whole when a kept site, or anything that is no web site (an
// extension), has a key in it, and when it can't be read to the end.
StorageEntry SharedStore(StorageKind kind, const std::string& path, const std::string& keysFolder, const KeepSite& keep,
                         bool& hasData) {
    StorageEntry entry;
    entry.Kind = kind;
    entry.Path = path;
    std::vector<std::string> keys;
    bool complete = ReadLevelDbKeys(keysFolder, keys);
    hasData = !keys.empty() || !complete;
    entry.Kept = !complete;
    for (size_t i = 0; i < keys.size() && !entry.Kept; ++i)
        for (const KeyOrigin& origin : OriginsInText(keys[i])) {
            bool web = IsWebScheme(origin.Scheme);
            if (web && !keep(origin.Host)) continue;
            entry.Kept = true;
            entry.KeptFor = web ? origin.Host : origin.Scheme + "://" + origin.Host;
            break;
        }
    entry.Bytes = FolderBytes(path);
    return entry;
}

std::string StoreName(StorageKind kind) {
    switch (kind) {
        case StorageKind::LocalStorage:
            return Text(IDS_Ck_LocalStorage);
        case StorageKind::SessionStorage:
            return Text(IDS_Ck_SessionStorage);
        case StorageKind::ServiceWorkers:
            return Text(IDS_Ck_ServiceWorkers);
        case StorageKind::Site:
            break;
    }
    return {};
}

void AddPart(std::string& text, const std::string& part) { text += (text.empty() ? "" : "; ") + part; }

}  // namespace

std::string FirefoxStorageHost(const std::string& folderName) {
    size_t mark = folderName.find("+++");
    if (mark == std::string::npos || !IsWebScheme(folderName.substr(0, mark))) return {};
    std::string host = folderName.substr(mark + 3, folderName.find('^') - mark - 3);
    size_t plus = host.rfind('+');
    if (plus != std::string::npos && plus + 1 < host.size() &&
        host.find_first_not_of("0123456789", plus + 1) == std::string::npos)
        host.erase(plus);  // the port
    return host;
}

std::string ChromiumStorageHost(const std::string& folderName) {
    std::string origin;
    for (const char* suffix : {".indexeddb.leveldb", ".indexeddb.blob"})
        if (EndsWith(folderName, suffix)) origin = folderName.substr(0, folderName.size() - strlen(suffix));
    size_t first = origin.find('_'), last = origin.rfind('_');
    if (first == std::string::npos || last <= first + 1 || !IsWebScheme(origin.substr(0, first))) return {};
    return origin.substr(first + 1, last - first - 1);
}

std::vector<StorageEntry> FindSiteStorage(const std::string& profileFolder, bool firefox, const KeepSite& keep) {
    std::vector<StorageEntry> entries;
    std::string sites = firefox ? Join(profileFolder, "storage\\default") : Join(profileFolder, "IndexedDB");
    ForEachEntry(sites, [&](const std::string& name, DWORD attributes, uint64_t) {
        if (!(attributes & FILE_ATTRIBUTE_DIRECTORY) || (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return;
        std::string host = firefox ? FirefoxStorageHost(name) : ChromiumStorageHost(name);
        if (host.empty()) return;
        StorageEntry entry;
        entry.Path = Join(sites, name);
        entry.Host = host;
        entry.Kept = keep(host);
        entry.Bytes = FolderBytes(entry.Path);
        entries.push_back(entry);
    });
    if (firefox) return entries;
    struct Store {
        StorageKind kind;
        const char* folder;
        const char* keys;
    };
    const Store stores[] = {{StorageKind::LocalStorage, "Local Storage\\leveldb", ""},
                            {StorageKind::SessionStorage, "Session Storage", ""},
                            {StorageKind::ServiceWorkers, "Service Worker", "Database"}};
    for (const Store& store : stores) {
        std::string path = Join(profileFolder, store.folder);
        if (!IsFolder(path)) continue;
        bool hasData = false;
        StorageEntry entry = SharedStore(store.kind, path, *store.keys ? Join(path, store.keys) : path, keep, hasData);
        if (hasData) entries.push_back(entry);
    }
    return entries;
}

bool DeleteStorageFolder(const std::string& folder, uint64_t& freedBytes) {
    DWORD attributes = GetFileAttributesW(WidePath(folder).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return true;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return RemoveDirectoryW(WidePath(folder).c_str()) != 0;
    bool ok = true;
    ForEachEntry(folder, [&](const std::string& name, DWORD entryAttributes, uint64_t size) {
        std::string path = Join(folder, name);
        if (entryAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            ok = DeleteStorageFolder(path, freedBytes) && ok;
        } else if (SecureDeleteFile(path)) {
            freedBytes += size;
        } else {
            ok = false;
        }
    });
    return ok && RemoveDirectoryW(WidePath(folder).c_str()) != 0;
}

bool SiteStorageRow(const std::string& profileFolder, const std::string& lockFile, bool firefox,
                    const std::string& browserName, const KeepSite& keep, bool wash, DatabaseRow& row) {
    row.Path = profileFolder;
    if (ProfileLockHeld(lockFile)) {
        row.State = DatabaseState::BrowserRunning;
        row.Text = DatabaseStateText(row.State, browserName);
        return true;
    }
    std::vector<StorageEntry> entries = FindSiteStorage(profileFolder, firefox, keep);
    if (entries.empty()) return false;
    std::set<std::string> sitesGoing, sitesKept, sitesLeft;
    std::string stores;
    for (const StorageEntry& entry : entries) {
        bool gone = false;
        if (!entry.Kept && wash) gone = DeleteStorageFolder(entry.Path, row.FreedBytes);
        if (entry.Kind == StorageKind::Site) {
            (entry.Kept ? sitesKept : !wash || gone ? sitesGoing : sitesLeft).insert(entry.Host);
            continue;
        }
        std::string name = StoreName(entry.Kind);
        if (entry.Kept)
            AddPart(stores, entry.KeptFor.empty() ? FormatText(IDS_Ck_StoreUnread, name)
                                                  : FormatText(IDS_Ck_StoreKept, name, entry.KeptFor));
        else if (!wash) AddPart(stores, FormatText(IDS_Ck_StoreGoes, name));
        else AddPart(stores, FormatText(gone ? IDS_Ck_StoreRemoved : IDS_Ck_StoreLeft, name));
        if (entry.Kept) ++row.Kept;
        else if (!wash || gone) ++row.Removed;
    }
    // A site some of whose folders stayed counts as left, not removed.
    for (const std::string& host : sitesLeft) sitesGoing.erase(host);
    row.Removed += static_cast<int64_t>(sitesGoing.size());
    row.Kept += static_cast<int64_t>(sitesKept.size());
    row.Text.clear();
    if (!sitesGoing.empty())
        AddPart(row.Text, FormatText(wash ? IDS_Ck_SitesRemoved : IDS_Ck_SitesGo, sitesGoing.size()));
    if (!sitesLeft.empty()) AddPart(row.Text, FormatText(IDS_Ck_SitesLeft, sitesLeft.size()));
    if (!sitesKept.empty()) AddPart(row.Text, FormatText(IDS_Ck_SitesKept, sitesKept.size()));
    if (!stores.empty()) AddPart(row.Text, stores);
    row.Washed = wash;
    return true;
}
