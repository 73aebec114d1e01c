// Browser profiles found in real folders, and supplied items that cover each of them.
#include <gtest/gtest.h>

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <algorithm>

#include "catalogue/BrowserProfiles.h"
#include "catalogue/KnownFolders.h"
#include "catalogue/WashItem.h"
#include "platform/Text.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestKey.h"

namespace {
using Texts = std::vector<std::string>;

void MakeFile(const std::string& path, const std::string& text = "x") {
    for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
        CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
    WriteTextFile(path, text);
}

Texts Labels(const std::vector<BrowserProfile>& profiles) {
    Texts labels;
    for (const auto& profile : profiles) labels.push_back(profile.Label());
    return labels;
}

const std::string Dash = " \xE2\x80\x94 ";
const std::string LocalState =
    R"({"profile":{"info_cache":{"Profile 1":{"name":"Work","avatar_icon":"x"},"Profile 10":{"name":"Ten"},)"
    R"("Profile 9":{"name":"Gone"},"..\\Windows":{"name":"Out"},"Default.":{"name":"Dot"},)"
    R"("System Profile":{"name":"S"}}}})";
}  // namespace

TEST(BrowserProfiles, ChromiumProfilesComeFromLocalStateAndPreferencesFolders) {
    const Texts byFolders = {"Chromium" + Dash + "Default", "Chromium" + Dash + "Profile 1",
                             "Chromium" + Dash + "Profile 2", "Chromium" + Dash + "Guest Profile"};
    struct Case {
        const char* what;
        const char* localState;  // nullptr: none
        Texts labels;
    } cases[] = {
        {"named",
         LocalState.c_str(),
         {"Chromium" + Dash + "Default", "Chromium" + Dash + "Work (Profile 1)", "Chromium" + Dash + "Profile 2",
          "Chromium" + Dash + "Ten (Profile 10)", "Chromium" + Dash + "Guest Profile"}},
        {"damaged", R"({"profile":{"info_cache":{"Profile 1":{"name":"Work"},"Profile 2":{"name":"Tw)", byFolders},
        {"missing", nullptr, byFolders},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const std::string userData = dir.Path() + "User Data";
        for (const char* folder : {"Default", "Profile 1", "Profile 2", "Guest Profile", "System Profile"})
            MakeFile(userData + "\\" + folder + "\\Preferences", "{}");
        MakeFile(userData + "\\Profile 10\\History");     // in Local State only
        MakeFile(userData + "\\Crashpad\\settings.dat");  // no profile
        MakeFile(dir.Path() + "Windows\\win.ini");
        if (c.localState) WriteTextFile(userData + "\\Local State", c.localState);

        const auto profiles = FindChromiumProfiles(BrowserKind::Chromium, userData);
        EXPECT_EQ(Labels(profiles), c.labels) << c.what;
        for (const auto& profile : profiles) {
            EXPECT_EQ(profile.Folder, userData + "\\" + profile.FolderName) << c.what;
            EXPECT_EQ(profile.LocalFolder, profile.Folder) << c.what;
            EXPECT_EQ(profile.LockFile, userData + "\\lockfile") << c.what;
        }
    }
}

TEST(BrowserProfiles, FirefoxProfilesComeFromProfilesIniWithTheirLocalFolders) {
    TempDir roaming, local, elsewhere;
    const std::string root = roaming.Path() + "Firefox", localRoot = local.Path() + "Firefox";
    const std::string absolute = elsewhere.Path() + "work";
    MakeFile(root + "\\Profiles\\ab12.default-release\\prefs.js");
    MakeFile(absolute + "\\prefs.js");
    MakeFile(roaming.Path() + "outside\\prefs.js");
    WriteTextFile(root + "\\profiles.ini",
                  "[Install4F96D1932A9F858E]\r\nDefault=Profiles/ab12.default-release\r\n\r\n"
                  "[Profile0]\r\nName=default-release\r\nIsRelative=1\r\nPath=Profiles/ab12.default-release\r\n\r\n"
                  "[Profile1]\r\nName=work\r\nIsRelative=0\r\nPath=" +
                      absolute +
                      "\\\r\n\r\n"
                      "[Profile2]\r\nName=gone\r\nIsRelative=1\r\nPath=Profiles/zz99.gone\r\n\r\n"
                      "[Profile3]\r\nName=escape\r\nIsRelative=1\r\nPath=../outside\r\n\r\n"
                      "[Profile4]\r\nName=again\r\nIsRelative=1\r\nPath=Profiles\\ab12.default-release\r\n");

    const auto profiles = FindFirefoxProfiles(root, localRoot);
    ASSERT_EQ(Labels(profiles), (Texts{"Firefox" + Dash + "default-release", "Firefox" + Dash + "work"}));
    const std::string relative = "\\Profiles\\ab12.default-release";
    EXPECT_EQ(profiles[0].Folder, root + relative);
    EXPECT_EQ(profiles[0].LocalFolder, localRoot + relative);
    EXPECT_EQ(profiles[0].FolderName, "ab12.default-release");
    EXPECT_EQ(profiles[0].LockFile, root + relative + "\\parent.lock");
    EXPECT_EQ(profiles[1].Folder, absolute);
    EXPECT_EQ(profiles[1].LocalFolder, absolute);
}

namespace {
// A Chromium pair (Default, "Profile 1") and Firefox profiles (relative, absolute) in the
// prefix's own application data folders, removed afterwards.
struct SeededProfiles {
    TempDir settings, elsewhere;
    ProgramDirScope programDir{settings.Path()};
    std::string local, roaming, userData, foxRoot, foxLocal, absolute;
    SeededProfiles() {
        KnownFolderPath("{localappdata}", local);
        wchar_t* found = nullptr;
        SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &found);
        roaming = found ? std::string(found, found + wcslen(found)) : std::string();
        CoTaskMemFree(found);
        userData = local + "\\Chromium\\User Data\\";
        foxRoot = roaming + "\\Mozilla\\Firefox\\";
        foxLocal = local + "\\Mozilla\\Firefox\\";
        absolute = elsewhere.Path() + "work\\";
        MakeFile(userData + "Local State", R"({"profile":{"info_cache":{"Profile 1":{"name":"Work"}}}})");
        for (const char* folder : {"Default", "Profile 1"}) MakeFile(userData + folder + "\\Preferences", "{}");
        MakeFile(foxRoot + "Profiles\\ab12.default\\prefs.js");
        MakeFile(absolute + "prefs.js");
        WriteTextFile(foxRoot + "profiles.ini",
                      "[Profile0]\r\nIsRelative=1\r\nPath=Profiles/ab12.default\r\n"
                      "[Profile1]\r\nIsRelative=0\r\nPath=" +
                          absolute + "\r\n");
    }
    ~SeededProfiles() {
        RemoveTree(local + "\\Chromium");
        RemoveTree(local + "\\BraveSoftware");
        RemoveTree(local + "\\Mozilla");
        RemoveTree(roaming + "\\Mozilla");
    }
};

// Every file row of a supplied item, upper-cased and sorted.
Texts ItemFiles(const std::string& itemName) {
    std::string source = "Z:" VARNOLT_SOURCE_DIR "/data/const/system.txt";
    std::replace(source.begin(), source.end(), '/', '\\');
    const WashItem item(source, itemName);
    Texts all;
    for (const auto& entry : item.FolderEntries.Items) {
        Texts rows;
        entry.ListFiles(rows);
        for (const auto& row : rows) all.push_back(UpperCase(row));
    }
    std::sort(all.begin(), all.end());
    return all;
}
}  // namespace

TEST(BrowserProfiles, ASuppliedItemCoversEveryProfileAndNothingWithoutOne) {
    SeededProfiles seed;
    ASSERT_FALSE(seed.local.empty() || seed.roaming.empty());
    const std::string d = seed.userData + "Default\\", p1 = seed.userData + "Profile 1\\";
    const std::string relLocal = seed.foxLocal + "Profiles\\ab12.default\\",
                      relRoaming = seed.foxRoot + "Profiles\\ab12.default\\";
    const std::string abs = seed.absolute;
    struct Case {
        const char* item;
        Texts wanted;
        Texts others;  // files made that the item must not list
    } cases[] = {
        {"Chromium Cache",
         {d + "Cache\\Cache_Data\\data_0", p1 + "Cache\\Cache_Data\\f_000001", p1 + "GPUCache\\data_1"},
         {seed.userData + "Cache\\data_0", d + "Bookmarks"}},
        {"Chromium Sessions", {d + "Sessions\\Session_1", p1 + "Current Session"}, {p1 + "History"}},
        {"Firefox Cache",
         {relLocal + "cache2\\entries\\0A1B", abs + "cache2\\entries\\0C2D", abs + "startupCache\\x.little"},
         {abs + "places.sqlite", abs + "cookies.sqlite", relRoaming + "cache2\\entries\\0E3F"}},
        {"Firefox Sessions",
         {relRoaming + "sessionstore.jsonlz4", abs + "sessionstore-backups\\recovery.jsonlz4"},
         {relRoaming + "places.sqlite"}},
        // No profile: nothing, never the parent folder.
        {"Brave Cache", {}, {seed.local + "\\BraveSoftware\\Brave-Browser\\User Data\\Cache\\data_0"}},
    };
    for (const auto& c : cases) {
        for (const auto& file : c.wanted) MakeFile(file);
        for (const auto& file : c.others) MakeFile(file);
        Texts wanted;
        for (const auto& file : c.wanted) wanted.push_back(UpperCase(file));
        std::sort(wanted.begin(), wanted.end());
        EXPECT_EQ(ItemFiles(c.item), wanted) << c.item;
    }
}
