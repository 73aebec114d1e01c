#include "engine/SiteData.h"

#include <windows.h>

#include <algorithm>
#include <map>

#include "catalogue/BrowserProfiles.h"
#include "catalogue/CookiesToKeep.h"
#include "engine/BrowserDatabase.h"
#include "platform/WideText.h"

namespace {
bool StartsWith(const std::string& text, const std::string& start) { return text.compare(0, start.size(), start) == 0; }

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string WithBackslash(std::string folder) {
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder;
}

// The host of a web origin's scheme and rest, checked as a site's name; empty otherwise.
std::string WebHost(const std::string& scheme, const std::string& host) {
    if (scheme != "http" && scheme != "https") return {};
    const std::string site = SiteName(host);
    return site == host ? site : std::string();
}

// The sub-folders of folder (no links), by name.
std::vector<std::string> SubFolders(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(WidePath(folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = Narrow(found.cFileName);
        if (name == "." || name == "..") continue;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

// Deletes a folder with everything in it; a link inside is removed as a link, never followed.
bool DeleteFolderTree(const std::string& folder) {
    const std::wstring wide = WidePath(folder);
    DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return true;
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW(WidePath(folder + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = Narrow(found.cFileName);
                if (name == "." || name == "..") continue;
                const std::string path = folder + "\\" + name;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    DeleteFolderTree(path);
                } else {
                    if (found.dwFileAttributes & FILE_ATTRIBUTE_READONLY)
                        SetFileAttributesW(WidePath(path).c_str(), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileW(WidePath(path).c_str());
                }
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
    }
    return RemoveDirectoryW(wide.c_str()) || GetFileAttributesW(wide.c_str()) == INVALID_FILE_ATTRIBUTES;
}

struct SiteStorageLayout {
    const char* subFolder;
    std::string (*host)(const std::string&);
};
const SiteStorageLayout FirefoxLayout{"storage\\default\\", FirefoxStorageHost};
const SiteStorageLayout ChromiumLayout{"IndexedDB\\", ChromiumStorageHost};

struct CookieTable {
    const char* table;
    const char* hostColumn;
};
const CookieTable ChromiumCookies{"cookies", "host_key"};
const CookieTable FirefoxCookies{"moz_cookies", "host"};

const CookieTable& CookiesOf(const SiteDataProfile& profile) { return profile.Firefox ? FirefoxCookies : ChromiumCookies; }

bool Exists(const std::string& path) { return GetFileAttributesW(WidePath(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

// Cookie rows by host as stored, of a profile whose database may be read; values are never read.
std::vector<std::pair<std::string, int>> CookieCounts(const SiteDataProfile& profile) {
    std::vector<std::pair<std::string, int>> counts;
    const std::string path = CookieDatabasePath(profile);
    if (path.empty() || profile.BrowserRunning) return counts;
    const CookieTable& table = CookiesOf(profile);
    BrowserDatabase database(path, profile.LockFile, {{table.table, {table.hostColumn}}});
    if (database.State() != DatabaseState::Ready) return counts;
    try {
        SqliteStatement query(database.Db(), std::string("SELECT ") + table.hostColumn + ", COUNT(*) FROM " +
                                                 table.table + " GROUP BY " + table.hostColumn);
        while (query.Step()) counts.emplace_back(query.Text(0), static_cast<int>(query.Int(1)));
    } catch (const SqliteError&) {
        counts.clear();
    }
    return counts;
}
}  // namespace

std::vector<SiteDataProfile> FindSiteDataProfiles() {
    std::vector<SiteDataProfile> profiles;
    for (const auto& found : FindAllBrowserProfiles()) {
        SiteDataProfile profile;
        profile.Firefox = found.Browser == BrowserKind::Firefox;
        profile.Folder = found.Folder;
        profile.Label = found.Label();
        profile.LockFile = found.LockFile;
        profile.BrowserRunning = ProfileLockHeld(found.LockFile);
        profiles.push_back(std::move(profile));
    }
    return profiles;
}

std::string CookieDatabasePath(const SiteDataProfile& profile) {
    const std::string folder = WithBackslash(profile.Folder);
    const char* const names[] = {"Network\\Cookies", "Cookies"};
    if (profile.Firefox) return Exists(folder + "cookies.sqlite") ? folder + "cookies.sqlite" : std::string();
    for (const char* name : names)
        if (Exists(folder + name)) return folder + name;
    return {};
}

int DeleteCookieRows(const SiteDataProfile& profile, const std::vector<std::string>& hosts, std::string& reason) {
    reason.clear();
    const std::string path = CookieDatabasePath(profile);
    if (path.empty() || hosts.empty()) return 0;
    const CookieTable& table = CookiesOf(profile);
    BrowserDatabase database(path, profile.LockFile, {{table.table, {table.hostColumn}}});
    if (database.State() != DatabaseState::Ready || !database.Begin()) {
        reason = DatabaseStateText(database.State(), profile.Label);
        return 0;
    }
    int deleted = 0;
    try {
        SqliteStatement remove(database.Db(),
                               std::string("DELETE FROM ") + table.table + " WHERE " + table.hostColumn + "=?");
        for (const auto& host : hosts) {
            remove.Bind(1, host).Run();
            deleted += static_cast<int>(database.Db().Changes());
        }
        database.Finish();
    } catch (const SqliteError& error) {
        reason = error.what();
        return 0;
    }
    return deleted;
}

std::string FirefoxStorageHost(const std::string& folderName) {
    const size_t mark = folderName.find("+++");
    if (mark == std::string::npos) return {};
    std::string rest = folderName.substr(mark + 3);
    rest = rest.substr(0, rest.find('^'));
    rest = rest.substr(0, rest.find('+'));
    return WebHost(folderName.substr(0, mark), rest);
}

std::string ChromiumStorageHost(const std::string& folderName) {
    std::string rest;
    for (const char* suffix : {".indexeddb.leveldb", ".indexeddb.blob"})
        if (EndsWith(folderName, suffix)) rest = folderName.substr(0, folderName.size() - strlen(suffix));
    const size_t first = rest.find('_'), last = rest.rfind('_');
    if (first == std::string::npos || last == first) return {};
    const std::string port = rest.substr(last + 1);
    if (port.empty() || !std::all_of(port.begin(), port.end(), [](char c) { return c >= '0' && c <= '9'; })) return {};
    return WebHost(rest.substr(0, first), rest.substr(first + 1, last - first - 1));
}

std::vector<SiteData> ListSiteData(const std::vector<SiteDataProfile>& profiles) {
    std::map<std::string, SiteData> sites;
    auto place = [&](const std::string& host, size_t profile) -> SiteDataPlace& {
        SiteData& site = sites[host];
        site.Host = host;
        if (site.Places.empty() || site.Places.back().Profile != profile) {
            SiteDataPlace fresh;
            fresh.Profile = profile;
            site.Places.push_back(fresh);
        }
        return site.Places.back();
    };
    for (size_t p = 0; p < profiles.size(); ++p) {
        const SiteStorageLayout& layout = profiles[p].Firefox ? FirefoxLayout : ChromiumLayout;
        const std::string storage = WithBackslash(profiles[p].Folder) + layout.subFolder;
        for (const auto& name : SubFolders(storage)) {
            const std::string host = layout.host(name);
            if (host.empty()) continue;
            place(host, p).Folders.push_back(storage + name);
            ++sites[host].Storage;
        }
        for (const auto& [stored, count] : CookieCounts(profiles[p])) {
            std::string host = stored;
            if (!host.empty() && host.front() == '.') host.erase(0, 1);
            host = SiteName(host) == host ? host : std::string();
            if (host.empty()) continue;
            SiteDataPlace& where = place(host, p);
            where.CookieHosts.push_back(stored);
            where.Cookies += count;
            sites[host].Cookies += count;
        }
    }
    std::vector<SiteData> list;
    for (auto& entry : sites) list.push_back(std::move(entry.second));
    return list;
}

std::vector<std::string> RemoveSiteData(const SiteData& site, const std::vector<SiteDataProfile>& profiles) {
    std::vector<std::string> left;
    for (const auto& where : site.Places) {
        if (where.Profile >= profiles.size()) continue;
        const SiteDataProfile& profile = profiles[where.Profile];
        // The lock is looked at now: the browser may have started since the list was made.
        const bool running = profile.BrowserRunning || ProfileLockHeld(profile.LockFile);
        for (const auto& folder : where.Folders)
            if (running || !DeleteFolderTree(folder)) left.push_back(profile.Label + ": " + folder);
        if (where.CookieHosts.empty()) continue;
        std::string reason;
        DeleteCookieRows(profile, where.CookieHosts, reason);
        if (!reason.empty()) left.push_back(profile.Label + ": " + CookieDatabasePath(profile) + " (" + reason + ")");
    }
    return left;
}
