#pragma once
// The sites that keep cookies or site storage in the browsers' profiles, with counts, and the
// removal of one site's data. Cookie values are never read: only hosts and counts.
#include <string>
#include <vector>

// One browser profile as the site inventory reads it.
struct SiteDataProfile {
    bool Firefox = false;      // Firefox layout, else Chromium's (Chrome, Edge, Brave, Chromium)
    std::string Folder;        // the profile folder, with or without its trailing backslash
    std::string Label;         // "Chrome — Default", for the user
    std::string LockFile;      // held while the browser runs: its data is left alone then
    bool BrowserRunning = false;  // its browser runs now (set by the caller or found by the lock file)
};

// Every browser profile of the user, for the site inventory.
std::vector<SiteDataProfile> FindSiteDataProfiles();

// One site's data in one profile: its storage folders and cookie rows.
struct SiteDataPlace {
    size_t Profile = 0;                 // index into the profiles given
    std::vector<std::string> Folders;   // storage folders of the site (full paths)
    std::vector<std::string> CookieHosts;  // the hosts of its cookie rows as stored (".example.com")
    int Cookies = 0;
};

struct SiteData {
    std::string Host;    // bare host, lower case: "www.example.com"
    int Cookies = 0;     // cookie rows of all profiles
    int Storage = 0;     // storage folders of all profiles
    std::vector<SiteDataPlace> Places;
};

// The sites with data in the profiles, sorted by host; a site's cookie hosts with and without the
// leading dot count as one site. Folders that are links are never listed.
std::vector<SiteData> ListSiteData(const std::vector<SiteDataProfile>& profiles);

// The profile's cookie database (Chromium "Network\Cookies", else the older "Cookies"; Firefox
// "cookies.sqlite"); empty when it has none.
std::string CookieDatabasePath(const SiteDataProfile& profile);

// Deletes the cookie rows of the hosts (as stored) from the profile's cookie database, under the
// rules of browser databases (browser closed, known layout, sound; secure delete and vacuum).
// Returns the rows deleted; reason tells why the database was left alone (empty when it was not).
int DeleteCookieRows(const SiteDataProfile& profile, const std::vector<std::string>& hosts, std::string& reason);

// Removes a site's data from the profiles whose browser is not running: its storage folders (never
// through a link) and its cookie rows. Returns the places it could not clear, as "label: path".
std::vector<std::string> RemoveSiteData(const SiteData& site, const std::vector<SiteDataProfile>& profiles);
