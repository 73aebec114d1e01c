// The browser fixtures as the other tests find them: unpacked, holding what they are said to hold,
// and seeded as profiles that Chromium's Local State and Firefox's profiles.ini name.
#include <gtest/gtest.h>

#include "platform/Profile.h"
#include "tests/support/BrowserFixtures.h"
#include "tests/support/Json.h"
#include "tests/support/TempDir.h"

TEST(BrowserFixtures, HoldWhatTheyAreSaidToHold) {
    struct Row {
        const char* file;
        std::string text;
    } rows[] = {
        {"chromium/Default/History", FixtureMarker},
        {"chromium/Default/Network/Cookies", "c.localhost"},
        {"chromium/Default/Bookmarks", FixtureBookmarkUrl},
        {"firefox/places.sqlite", FixtureMarker},
        {"firefox/cookies.sqlite", "b.localhost"},
        {"firefox/formhistory.sqlite", "varnolt search words"},
        {"variants/chromium-previous/History", FixtureMarker},
        {"variants/firefox-previous/places.sqlite", FixtureMarker},
        {"variants/chromium-old/History", FixtureMarker},
        {"variants/firefox-old/places.sqlite", FixtureMarker},
        {"variants/wal/firefox/places.sqlite-wal", FixtureMarker},
    };
    for (const auto& row : rows) EXPECT_TRUE(FileHasBytes(FixtureFile(row.file), row.text)) << row.file;
    for (const char* site : FixtureSites) {
        std::string origin = std::string("http+++") + site + "+47611";
        EXPECT_TRUE(FileExists(FixtureFile("firefox/storage/default/" + origin + "/ls/data.sqlite"))) << site;
    }
}

TEST(BrowserFixtures, SeededChromiumProfilesAreAllNamed) {
    TempDir temp;
    std::string userData = temp.Path() + "User Data";
    SeedChromiumProfile(userData, "Default", "Home");
    SeedChromiumProfile(userData, "Profile 1", "Work");

    JsonValue state;
    std::string error;
    ASSERT_TRUE(ParseJson(ReadTextFile(userData + "\\Local State"), state, error)) << error;
    const JsonValue& cache = state["profile"]["info_cache"];
    EXPECT_EQ(cache.members.size(), 2u);
    EXPECT_EQ(cache["Default"]["name"].text, "Home");
    EXPECT_EQ(cache["Profile 1"]["name"].text, "Work");
    for (const char* folder : {"Default", "Profile 1"}) {
        std::string profile = userData + "\\" + folder + "\\";
        EXPECT_TRUE(FileHasBytes(profile + "History", FixtureMarker)) << folder;
        EXPECT_TRUE(FileExists(profile + "Preferences")) << folder;
        EXPECT_TRUE(FileExists(profile + "Local Storage\\leveldb\\CURRENT")) << folder;
    }
}

TEST(BrowserFixtures, SeededFirefoxProfilesResolveFromProfilesIni) {
    TempDir roaming, local;
    std::string ini = roaming.Path() + "Firefox\\profiles.ini";
    SeedFirefoxProfile(ini, roaming.Path() + "Firefox\\Profiles\\k2j4.default-release", true);
    SeedFirefoxProfile(ini, local.Path() + "Elsewhere\\p9q8.work", false);

    ProfileFile profiles(ini);
    struct Row {
        const char* section;
        const char* name;
        std::string folder;  // as the entry must resolve
    } rows[] = {
        {"Profile0", "default-release", roaming.Path() + "Firefox\\Profiles\\k2j4.default-release"},
        {"Profile1", "work", local.Path() + "Elsewhere\\p9q8.work"},
    };
    for (const auto& row : rows) {
        std::string path = profiles.ReadString(row.section, "Path");
        if (profiles.ReadBool(row.section, "IsRelative", false)) {
            for (char& c : path)
                if (c == '/') c = '\\';
            path = roaming.Path() + "Firefox\\" + path;
        }
        EXPECT_EQ(profiles.ReadString(row.section, "Name"), row.name);
        EXPECT_EQ(path, row.folder);
        EXPECT_TRUE(FileHasBytes(path + "\\places.sqlite", FixtureMarker)) << row.section;
    }
    EXPECT_TRUE(profiles.ReadBool("Profile0", "Default", false));
    EXPECT_FALSE(profiles.ReadBool("Profile1", "Default", false));
}
