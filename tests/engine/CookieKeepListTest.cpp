// The cookie wash keeps the sites of the keep list in force: the user's in wildcard.ini, or the
// administrator's while a policy holds one.
#include <gtest/gtest.h>

#include "catalogue/CookiesToKeep.h"
#include "engine/CookieWash.h"
#include "settings/AppPaths.h"
#include "tests/support/BrowserFixtures.h"
#include "tests/support/PolicyKey.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestKey.h"

TEST(CookieKeepList, TheWashKeepsTheUsersSitesOrThePolicysWhileItHoldsOne) {
    TempDir dir;
    ProgramDirScope programDir(dir.Path());
    PolicyKey policy;
    WriteKeepList(SettingsFilePath(), {"b.localhost"});
    KeepSite keep = CookieKeepPredicate();
    EXPECT_TRUE(keep("b.localhost"));
    EXPECT_TRUE(keep(".b.localhost"));
    EXPECT_FALSE(keep("a.localhost"));

    SeedChromiumProfile(dir.Path() + "User Data", "Default", "Home");
    BrowserProfile profile = FindChromiumProfiles(BrowserKind::Chromium, dir.Path() + "User Data").at(0);
    WashProfileCookies(profile, CookieKeepPredicate(), true);
    const std::string cookies = profile.Folder + "\\Network\\Cookies";
    EXPECT_TRUE(FileHasBytes(cookies, "varnolt_b"));
    EXPECT_FALSE(FileHasBytes(cookies, "varnolt_a"));

    policy.SetList(HKEY_LOCAL_MACHINE, "CookiesToKeep", {"c.localhost"});
    keep = CookieKeepPredicate();
    EXPECT_TRUE(keep("c.localhost"));
    EXPECT_FALSE(keep("b.localhost"));
}
