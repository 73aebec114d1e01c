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

std::vector<DatabaseRow> WashBrowserCookies(BrowserKind browser, const std::string& item, const KeepSite& keep,
                                            bool wash) {
    const bool firefox = browser == BrowserKind::Firefox;
    const std::string browserName = BrowserName(browser);
    std::vector<DatabaseRow> rows;
    for (const BrowserProfile& profile : FindBrowserProfiles(browser)) {
        // Chromium moved Cookies into Network; a profile of an older version still has it beside.
        std::vector<std::string> paths;
        if (firefox) paths = {Join(profile.Folder, "cookies.sqlite")};
        else paths = {Join(profile.Folder, "Network\\Cookies"), Join(profile.Folder, "Cookies")};
        for (const std::string& path : paths) {
            if (!IsFile(path)) continue;
            DatabaseRow row = WashCookieDatabase({path, profile.LockFile, browserName, firefox}, keep, wash);
            row.Item = item;
            row.Label = profile.Label();
            rows.push_back(row);
        }
        DatabaseRow storage;
        if (SiteStorageRow(profile.Folder, profile.LockFile, firefox, browserName, keep, wash, storage)) {
            storage.Item = item;
            storage.Label = profile.Label();
            rows.push_back(storage);
        }
    }
    return rows;
}

}  // namespace

void AddCookieKinds(std::vector<DatabaseItemKind>& kinds, const std::function<KeepSite()>& keepList) {
    const std::pair<const char*, BrowserKind> items[] = {{"Google Chrome Cookies", BrowserKind::Chrome},
                                                         {"Microsoft Edge Cookies", BrowserKind::Edge},
                                                         {"Brave Cookies", BrowserKind::Brave},
                                                         {"Chromium Cookies", BrowserKind::Chromium},
                                                         {"Firefox Cookies", BrowserKind::Firefox}};
    for (const auto& [name, browser] : items) {
        std::string item = name;
        BrowserKind kind = browser;
        kinds.push_back(
            {item, [item, kind, keepList](bool wash) { return WashBrowserCookies(kind, item, keepList(), wash); }});
    }
}
