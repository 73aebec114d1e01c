#pragma once
// Cookies removed inside the browsers' cookie databases: every cookie goes but those of kept
// sites. Only the host decides; a cookie's value is never read.
#include <string>
#include <vector>

#include "catalogue/BrowserProfiles.h"
#include "engine/DatabaseItems.h"
#include "engine/SiteStorage.h"

// A cookie database: Chromium's Network\Cookies (Cookies in the profile folder in older
// versions), table cookies by host_key; Firefox's cookies.sqlite, table moz_cookies by host.
struct CookieDatabase {
    std::string Path;
    std::string LockFile;     // the profile's lock: held while the browser runs
    std::string BrowserName;  // "Chrome", for "Chrome is running"
    bool Firefox = false;
};

// Counts (wash false) or removes the cookies of the hosts keep does not keep, in one
// transaction with secure delete, then vacuums the database and truncates its log. The row
// says what goes or went and what stays, or why the database was left alone.
DatabaseRow WashCookieDatabase(const CookieDatabase& database, const KeepSite& keep, bool wash);

// The rows of one profile: each cookie database (Chromium's Network\Cookies and the older
// Cookies beside it), then its site storage. Item is left for the caller.
std::vector<DatabaseRow> WashProfileCookies(const BrowserProfile& profile, const KeepSite& keep, bool wash);

// The sites whose cookies and storage every cookie item keeps.
KeepSite CookieKeepPredicate();

// Adds the cookie items of Chrome, Edge, Brave, Chromium and Firefox: each washes the cookie
// database and the site storage of every profile, keeping what keepList() keeps (asked anew for
// every preview and wash).
void AddCookieKinds(std::vector<DatabaseItemKind>& kinds,
                    const std::function<KeepSite()>& keepList = CookieKeepPredicate);
