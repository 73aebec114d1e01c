// Interval arithmetic of the timed wash and the hot keys read from the settings file.
#include <gtest/gtest.h>

#include "platform/Profile.h"
#include "settings/Schedule.h"
#include "tests/support/TempDir.h"

namespace {
const double Minute = 1.0 / 1440.0, Second = 1.0 / 86400.0;
const double Last = 46000.5;  // some noon in 2025
}  // namespace

TEST(TimedWash, DueOneIntervalAfterTheLastWash) {
    EXPECT_EQ(NextTimedWashStep(Last, Last, 0), TimedWashStep::Wash);  // every tick
    EXPECT_EQ(NextTimedWashStep(Last, Last + 2 * Minute - Second, 2), TimedWashStep::Wait);
    EXPECT_EQ(NextTimedWashStep(Last, Last + 2 * Minute, 2), TimedWashStep::Wash);
    EXPECT_EQ(NextTimedWashStep(Last, Last + 1439 * Minute - Second, 1439), TimedWashStep::Wait);
    EXPECT_EQ(NextTimedWashStep(Last, Last + 1439 * Minute, 1439), TimedWashStep::Wash);
    // 24 hours or more is no time of day: never, however long ago the last wash was.
    for (int minutes : {1440, 5000, -1}) EXPECT_EQ(NextTimedWashStep(Last, Last + 30, minutes), TimedWashStep::Never);
}

TEST(TimedWash, ClockSetBackRestartsTheInterval) {
    EXPECT_EQ(NextTimedWashStep(Last, Last - Minute, 2), TimedWashStep::Restart);
    EXPECT_EQ(NextTimedWashStep(Last, Last - 3, 0), TimedWashStep::Restart);
}

TEST(HotKeys, StoredIndexesAreClampedOrRefused) {
    TempDir dir;
    std::string ini = dir.Path() + "wildcard.ini";
    HotKeyRegistration r = ReadHotKey(ini, CloseBrowsersHotKey);
    EXPECT_TRUE(r.Register);
    EXPECT_EQ(r.Modifiers, static_cast<UINT>(MOD_CONTROL | MOD_ALT));
    EXPECT_EQ(r.Key, static_cast<UINT>('F'));
    r = ReadHotKey(ini, WashHotKey);
    EXPECT_EQ(r.Modifiers, static_cast<UINT>(MOD_CONTROL));
    EXPECT_EQ(r.Key, static_cast<UINT>('D'));

    ProfileFile file(ini);
    file.WriteInteger("Hot Key", "Control", 9);
    file.WriteInteger("Hot Key", "Char", 40);
    r = ReadHotKey(ini, CloseBrowsersHotKey);
    EXPECT_EQ(r.Modifiers, static_cast<UINT>(MOD_CONTROL | MOD_SHIFT));
    EXPECT_EQ(r.Key, static_cast<UINT>('Z'));

    // A negative letter would give a key below "A" (-33: the space bar): the default instead.
    file.WriteInteger("Hot Key", "Char washer", -33);
    r = ReadHotKey(ini, WashHotKey);
    EXPECT_TRUE(r.Register);
    EXPECT_EQ(r.Key, static_cast<UINT>('D'));

    file.WriteInteger("Hot Key", "Control", -1);
    EXPECT_FALSE(ReadHotKey(ini, CloseBrowsersHotKey).Register);
}
