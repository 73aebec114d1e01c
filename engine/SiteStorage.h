#pragma once
// What sites keep in a browser profile besides cookies: a folder per site (Firefox's
// storage\default\<origin>, Chromium's IndexedDB\<origin>...), and the stores all sites share
// (Chromium's Local Storage, Session Storage, service workers), which go whole or stay whole.
// It follows the cookie wash: a kept site keeps its storage.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/DatabaseItems.h"

// True for a host whose cookies and storage stay ("www.example.com", ".example.com").
using KeepSite = std::function<bool(const std::string& host)>;

enum class StorageKind { Site, LocalStorage, SessionStorage, ServiceWorkers };

struct StorageEntry {
    StorageKind Kind = StorageKind::Site;
    std::string Path;  // the folder that goes
    std::string Host;  // a site's folder: its host
    bool Kept = false;
    // A shared store kept: the kept site, or the origin of an extension or page that is no
    // site, with data in it; empty when the store could not be read (kept to be safe).
    std::string KeptFor;
    uint64_t Bytes = 0;
};

// The host of a Firefox storage folder name ("https+++www.example.com+8443^userContextId=1"),
// or of a Chromium one ("https_www.example.com_0.indexeddb.leveldb"); empty for an origin that
// is no web site (moz-extension, chrome-extension, file).
std::string FirefoxStorageHost(const std::string& folderName);
std::string ChromiumStorageHost(const std::string& folderName);

// The site storage of a profile folder and whether each entry stays.
std::vector<StorageEntry> FindSiteStorage(const std::string& profileFolder, bool firefox, const KeepSite& keep);

// One row for the storage of a profile: what goes and what stays (wash false), or what went.
// Nothing is read or changed while the browser holds lockFile. No row (false) when the profile
// has no site storage.
bool SiteStorageRow(const std::string& profileFolder, const std::string& lockFile, bool firefox,
                    const std::string& browserName, const KeepSite& keep, bool wash, DatabaseRow& row);

// Deletes a folder with everything in it, each file securely; a link inside is removed as a
// link, never followed. True when the folder is gone; freedBytes grows by each file deleted.
bool DeleteStorageFolder(const std::string& folder, uint64_t& freedBytes);
