#pragma once
// The profiles of the browsers whose data the supplied items wash: Chrome, Edge, Brave and
// Chromium (from "Local State" and the folders holding a "Preferences" file) and Firefox (from
// profiles.ini). Only folders that exist and are no links are reported.
#include <string>
#include <vector>

enum class BrowserKind { Chrome, Edge, Brave, Chromium, Firefox };

struct BrowserProfile {
    BrowserKind Browser = BrowserKind::Chrome;
    std::string Folder;       // the profile folder, full path
    std::string LocalFolder;  // Firefox: the profile's folder under Local (cache); Chromium: = Folder
    std::string FolderName;   // "Profile 1", "Default", "Guest Profile"; Firefox: the folder's name
    std::string Name;         // the name the user gave it ("Work"); may be empty
    std::string LockFile;     // Chromium: "<User Data>\lockfile"; Firefox: "<Folder>\parent.lock"
    // "Chrome — Work (Profile 1)", "Chrome — Default" without a name, "Firefox — default-release".
    std::string Label() const;
};

// "Chrome", "Edge", "Brave", "Chromium", "Firefox".
std::string BrowserName(BrowserKind browser);
// The profiles of one browser of the user running the program.
std::vector<BrowserProfile> FindBrowserProfiles(BrowserKind browser);
// Every browser's, in the order of BrowserKind.
std::vector<BrowserProfile> FindAllBrowserProfiles();

// The profiles of a Chromium browser whose "User Data" folder is userData: the folders
// "Local State" names and those holding "Preferences" ("System Profile" never), each once,
// "Default" first, then "Profile <n>" by number, then the others by name.
std::vector<BrowserProfile> FindChromiumProfiles(BrowserKind browser, const std::string& userData);
// The Firefox profiles that profiles.ini in roamingRoot ("...\Roaming\Mozilla\Firefox") lists,
// in its order; a relative profile's local folder lies at the same place below localRoot.
std::vector<BrowserProfile> FindFirefoxProfiles(const std::string& roamingRoot, const std::string& localRoot);
