// Group Policy values read from the real registry: the machine's win, wrong types count as
// unset, and the held values reach the options record.
#include <gtest/gtest.h>

#include <windows.h>

#include "settings/Policies.h"
#include "tests/support/PolicyKey.h"

namespace {
PolicyKey TestPolicies() { return PolicyKey("Software\\Policies\\VarnoltTests_" + std::to_string(GetCurrentProcessId())); }
}  // namespace

TEST(Policies, NothingSetHoldsNothing) {
    PolicyKey key = TestPolicies();
    Policies read = ReadPolicies(key.Path());
    EXPECT_FALSE(read.ScheduleSet || read.ScheduleMinutes || read.WriteToLog || read.UseQuickDelete);
    EXPECT_FALSE(read.DisableEditing);
    EXPECT_FALSE(read.ForcedCheck("Temporary files"));
    OptionsRecord options, before;
    EXPECT_TRUE(ApplyPolicies(read, options, true));
    EXPECT_EQ(options.QuickDelete, before.QuickDelete);
    EXPECT_EQ(options.IntervalMinutes, before.IntervalMinutes);
}

TEST(Policies, MachineWinsOverUserValueByValue) {
    PolicyKey key = TestPolicies();
    key.SetNumber(HKEY_CURRENT_USER, "WriteToLog", 1);
    key.SetNumber(HKEY_LOCAL_MACHINE, "WriteToLog", 0);
    key.SetNumber(HKEY_CURRENT_USER, "UseQuickDelete", 0);     // the machine says nothing here
    key.SetText(HKEY_CURRENT_USER, "ScheduleOption", "byStart ");
    key.SetText(HKEY_LOCAL_MACHINE, "ScheduleOption", "byShutdown byEveryHour ");
    key.SetNumber(HKEY_LOCAL_MACHINE, "ScheduleMinutes", 5000);  // brought into 2..1000
    key.SetText(HKEY_LOCAL_MACHINE, "DisableEditing", "1");      // wrong type: not set
    key.SetList(HKEY_CURRENT_USER, "CheckedItems", {"Cookies"});
    key.SetList(HKEY_LOCAL_MACHINE, "CheckedItems", {"Recycle Bin", "Temporary files"});
    key.SetList(HKEY_CURRENT_USER, "UncheckedItems", {"temporary FILES"});

    Policies read = ReadPolicies(key.Path());
    ASSERT_TRUE(read.WriteToLog && read.UseQuickDelete && read.ScheduleSet && read.ScheduleMinutes);
    EXPECT_FALSE(*read.WriteToLog);
    EXPECT_FALSE(*read.UseQuickDelete);
    EXPECT_EQ(*read.ScheduleSet, unsigned(ScheduleAtShutdown | ScheduleEveryNMinutes));
    EXPECT_EQ(*read.ScheduleMinutes, 1000);
    EXPECT_FALSE(read.DisableEditing);
    EXPECT_EQ(read.CheckedItems, (std::vector<std::string>{"Recycle Bin", "Temporary files"}));
    // The machine's on wins over the user's off; names compare without letter case; the machine's
    // list replaces the user's.
    EXPECT_EQ(read.ForcedCheck("Temporary Files"), true);
    EXPECT_EQ(read.ForcedCheck("recycle bin"), true);
    EXPECT_FALSE(read.ForcedCheck("Cookies"));

    OptionsRecord options;
    options.ScheduleSet = ScheduleAtStart;
    EXPECT_TRUE(ApplyPolicies(read, options, false));
    EXPECT_EQ(options.ScheduleSet, unsigned(ScheduleAtShutdown | ScheduleEveryNMinutes));
    EXPECT_GT(options.LastAutoWashTime, 0) << "a timer the policy starts counts from now";
    EXPECT_FALSE(options.WriteToLog);
    EXPECT_FALSE(options.QuickDelete);
    EXPECT_EQ(options.IntervalMinutes, 1000);

    // An empty schedule held by the machine stops the timer the settings file asked for.
    key.SetText(HKEY_LOCAL_MACHINE, "ScheduleOption", "");
    EXPECT_FALSE(ApplyPolicies(ReadPolicies(key.Path()), options, true));
    EXPECT_EQ(options.ScheduleSet, 0u);
}
