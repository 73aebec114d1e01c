#include <gtest/gtest.h>

#include "platform/Error.h"
#include "platform/Profile.h"
#include "tests/support/TempDir.h"

TEST(Profile, ReadsDefaultsWhenMissing) {
    TempDir dir;
    ProfileFile ini(dir.Path() + "none.ini");
    EXPECT_EQ(ini.ReadString("S", "K", "d"), "d");
    EXPECT_EQ(ini.ReadInteger("S", "K", 7), 7);
    EXPECT_TRUE(ini.ReadBool("S", "K", true));
}
