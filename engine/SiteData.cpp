#include "engine/SiteData.h"

#include <windows.h>

#include <algorithm>
#include <map>

#include "catalogue/CookiesToKeep.h"
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
}  // namespace

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
        if (site.Places.empty() || site.Places.back().Profile != profile) site.Places.push_back({profile, {}, 0});
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
        for (const auto& folder : where.Folders)
            if (profile.BrowserRunning || !DeleteFolderTree(folder)) left.push_back(profile.Label + ": " + folder);
    }
    return left;
}
