// The cookie items of each browser: the cookie databases and site storage of every profile.
#include <windows.h>

#include "catalogue/BrowserProfiles.h"
#include "engine/CookieWash.h"
#include "platform/WideText.h"

namespace {

std::string Join(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder.back() == '\\') return folder + name;
    return folder + "\\" + name;
}

bool IsFile(const std::string& path) {
    DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::vector<DatabaseRow> WashProfileCookies(const BrowserProfile& profile, const KeepSite& keep, bool wash) {
    const bool firefox = profile.Browser == BrowserKind::Firefox;
    const std::string browserName = BrowserName(profile.Browser);
    // Chromium moved Cookies into Network; a profile of an older version still has it beside.
    std::vector<std::string> paths;
    if (firefox) paths = {Join(profile.Folder, "cookies.sqlite")};
    else paths = {Join(profile.Folder, "Network\\Cookies"), Join(profile.Folder, "Cookies")};
    std::vector<DatabaseRow> rows;
    for (const std::string& path : paths) {
        if (!IsFile(path)) continue;
        rows.push_back(WashCookieDatabase({path, profile.LockFile, browserName, firefox}, keep, wash));
        rows.back().Label = profile.Label();
    }
    DatabaseRow storage;
    if (SiteStorageRow(profile.Folder, profile.LockFile, firefox, browserName, keep, wash, storage)) {
        storage.Label = profile.Label();
        rows.push_back(storage);
    }
    return rows;
}

void AddCookieKinds(std::vector<DatabaseItemKind>& kinds, const std::function<KeepSite()>& keepList) {
    const std::pair<const char*, BrowserKind> items[] = {{"Google Chrome Cookies", BrowserKind::Chrome},
                                                         {"Microsoft Edge Cookies", BrowserKind::Edge},
                                                         {"Brave Cookies", BrowserKind::Brave},
                                                         {"Chromium Cookies", BrowserKind::Chromium},
                                                         {"Firefox Cookies", BrowserKind::Firefox}};
    for (const auto& [name, browser] : items) {
        std::string item = name;
        BrowserKind kind = browser;
        kinds.push_back({item, [item, kind, keepList](bool wash) {
                             KeepSite keep = keepList();
                             std::vector<DatabaseRow> rows;
                             for (const BrowserProfile& profile : FindBrowserProfiles(kind))
                                 for (DatabaseRow& row : WashProfileCookies(profile, keep, wash)) {
                                     row.Item = item;
                                     rows.push_back(row);
                                 }
                             return rows;
                         }});
    }
}
