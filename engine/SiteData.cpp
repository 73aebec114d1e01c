#include "engine/SiteData.h"

#include <windows.h>

#include <algorithm>
#include <map>

#include "catalogue/BrowserProfiles.h"
#include "catalogue/CookiesToKeep.h"
#include "engine/BrowserDatabase.h"
#include "engine/SiteStorage.h"
#include "platform/WideText.h"

namespace {
std::string WithBackslash(std::string folder) {
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder;
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
            if (host.empty() || SiteName(host) != host) continue;
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
        uint64_t freed = 0;
        for (const auto& folder : where.Folders)
            if (running || !DeleteStorageFolder(folder, freed)) left.push_back(profile.Label + ": " + folder);
        if (where.CookieHosts.empty()) continue;
        std::string reason;
        DeleteCookieRows(profile, where.CookieHosts, reason);
        if (!reason.empty()) left.push_back(profile.Label + ": " + CookieDatabasePath(profile) + " (" + reason + ")");
    }
    return left;
}
