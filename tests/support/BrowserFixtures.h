#pragma once
// The browser fixtures: databases and site storage made by real Chromium and Firefox (see
// tests/fixtures/browsers/README.md), unpacked into the build tree, and helpers that seed them as
// profiles into the prefix's user folders. Seeded files are copies: tests may change them freely.
#include <string>

// In the URL and title of one visited page of every fixture history.
inline constexpr const char* FixtureMarker = "varnolt-marker-5d1c7e";
// The sites that have cookies and storage in every fixture profile; the bookmarked page's URL.
inline constexpr const char* FixtureSites[] = {"a.localhost", "b.localhost", "c.localhost"};
inline constexpr const char* FixtureBookmarkUrl = "http://127.0.0.1:47611/bookmarked.html";

// The Windows path of an unpacked fixture file or folder; relative as in the fixture tree, with
// / or \ ("chromium/Default/History", "variants/wal/firefox/places.sqlite").
std::string FixtureFile(const std::string& relative);

// Copies an unpacked fixture file, or folder with everything in it, to a path of the test's own
// (folders above it made as needed; files there replaced), e.g. a variant over a seeded profile:
// SeedFixture("variants/wal/firefox", profileFolder). False when something could not be copied.
bool SeedFixture(const std::string& relative, const std::string& to);

// A Chromium profile in userDataDir\profileFolder ("Default", "Profile 1") with the fixture's
// databases and storage, and userDataDir\Local State written, or extended when it exists, so that
// profile.info_cache lists the profile with profileName.
void SeedChromiumProfile(const std::string& userDataDir, const std::string& profileFolder,
                         const std::string& profileName);

// A Firefox profile in profileFolder with the fixture's databases and storage, and a [ProfileN]
// entry added to profilesIni (made when missing): with a path relative to the file's folder
// (profileFolder must lie below it) or an absolute one. Its name is the folder's name after its
// first dot ("x1y2.work" is "work"); the first entry of a file is the default.
void SeedFirefoxProfile(const std::string& profilesIni, const std::string& profileFolder, bool relative);

// True when the file's bytes hold text (a missing file holds nothing).
bool FileHasBytes(const std::string& path, const std::string& text);
