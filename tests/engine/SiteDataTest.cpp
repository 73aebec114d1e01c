// The site inventory and the removal of one site's data, on profiles made by the real browsers.
#include <gtest/gtest.h>

#include "engine/SiteData.h"
#include "tests/support/BrowserFixtures.h"
#include "tests/support/HeldFile.h"
#include "tests/support/TempDir.h"

namespace {
// "host cookies/storage" of every site, in order.
std::vector<std::string> Inventory(const std::vector<SiteDataProfile>& profiles) {
    std::vector<std::string> rows;
    for (const auto& site : ListSiteData(profiles))
        rows.push_back(site.Host + " " + std::to_string(site.Cookies) + "/" + std::to_string(site.Storage));
    return rows;
}

class SiteDataTest : public testing::Test {
protected:
    void SetUp() override {
        SeedChromiumProfile(dir.Path() + "User Data", "Default", "Home");
        SeedFirefoxProfile(dir.Path() + "Firefox\\profiles.ini", dir.Path() + "Firefox\\x1.default", true);
        profiles = {{false, dir.Path() + "User Data\\Default", "Chromium", dir.Path() + "User Data\\lockfile"},
                    {true, dir.Path() + "Firefox\\x1.default", "Firefox", dir.Path() + "Firefox\\x1.default\\parent.lock"}};
    }
    TempDir dir;
    std::vector<SiteDataProfile> profiles;
};
}  // namespace

// Each fixture site has two cookies and its IndexedDB storage in each browser.
TEST_F(SiteDataTest, ListsEverySiteOfEveryProfileWithItsCounts) {
    EXPECT_EQ(Inventory(profiles), (std::vector<std::string>{"a.localhost 4/2", "b.localhost 4/2", "c.localhost 4/2"}));
}

// Removing one site takes its cookie rows and storage from both browsers and nothing of the others';
// a running browser's profile is left alone and named.
TEST_F(SiteDataTest, RemovingASiteTakesItsDataOnlyAndLeavesARunningBrowserAlone) {
    WriteTextFile(profiles[1].LockFile, "");
    std::vector<SiteData> sites = ListSiteData(profiles);
    ASSERT_EQ(sites.size(), 3u);
    {
        HeldFile lock(profiles[1].LockFile, 0);
        ASSERT_TRUE(lock.Held());
        std::vector<std::string> left = RemoveSiteData(sites[1], profiles);
        EXPECT_EQ(left.size(), 2u);  // its storage folder and its cookie database
        for (const auto& place : left) EXPECT_EQ(place.rfind("Firefox: ", 0), 0u) << place;
    }
    EXPECT_EQ(Inventory(profiles), (std::vector<std::string>{"a.localhost 4/2", "b.localhost 2/1", "c.localhost 4/2"}));
    EXPECT_TRUE(RemoveSiteData(ListSiteData(profiles)[1], profiles).empty());
    EXPECT_EQ(Inventory(profiles), (std::vector<std::string>{"a.localhost 4/2", "c.localhost 4/2"}));
    EXPECT_FALSE(FileHasBytes(CookieDatabasePath(profiles[0]), "varnolt_b"));
    EXPECT_FALSE(FileHasBytes(CookieDatabasePath(profiles[1]), "varnolt_b"));
    EXPECT_TRUE(FileHasBytes(CookieDatabasePath(profiles[1]), "varnolt_a"));
}
