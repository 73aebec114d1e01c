#pragma once
// The text side of finding browser profiles: the profiles a Chromium browser's "Local State"
// (JSON) names, and the profile sections of Firefox's profiles.ini. Plain C++, no system calls;
// damaged input never crashes nor loops.
#include <string>
#include <vector>

// One profile folder of "Local State" with the name the user gave it (empty when none).
struct LocalStateProfile {
    std::string Folder;
    std::string Name;
};

// The members of "profile" / "info_cache" whose value is an object, each with its "name" when
// that is a string, in the file's order. False for text that is not JSON (nesting deeper than a
// hundred levels included), and then profiles is left as it was.
bool ReadLocalStateProfiles(const std::string& json, std::vector<LocalStateProfile>& profiles);

// One [Profile...] section of profiles.ini that has a Path.
struct ProfilesIniEntry {
    std::string Name;
    std::string Path;  // as written: forward or back slashes, relative or absolute
    bool IsRelative = true;
};

// The sections whose name starts with "Profile", in the file's order. Without an IsRelative key
// a path is relative unless it starts with a drive ("C:") or a slash.
std::vector<ProfilesIniEntry> ReadProfilesIni(const std::string& text);
