// The options record written to the settings file and read back as the next start reads it.
#include <gtest/gtest.h>

#include "settings/SettingsStore.h"
#include "tests/support/TempDir.h"

namespace {
// The fields the settings file keeps (StartMinimized follows the Run section, and the last
// timed wash is not stored).
void ExpectStoredFieldsEqual(const OptionsRecord& read, const OptionsRecord& expected) {
    EXPECT_EQ(read.QuickDelete, expected.QuickDelete);
    EXPECT_EQ(read.PromptBeforeClean, expected.PromptBeforeClean);
    EXPECT_EQ(read.WriteToLog, expected.WriteToLog);
    EXPECT_EQ(read.DeleteLogOnExit, expected.DeleteLogOnExit);
    EXPECT_EQ(read.ScheduleSet, expected.ScheduleSet);
    EXPECT_EQ(read.IntervalMinutes, expected.IntervalMinutes);
    EXPECT_EQ(read.WashBrowserOnClose, expected.WashBrowserOnClose);
    EXPECT_EQ(read.RecycleBinByAge, expected.RecycleBinByAge);
    EXPECT_EQ(read.RecycleBinDays, expected.RecycleBinDays);
}

OptionsRecord ReadBack(const std::string& path) {
    OptionsRecord options;
    ReadOptionsAtStartup(path, options);
    return options;
}

Policies AllHeld() {
    Policies held;
    held.ScheduleSet = ScheduleAtStart;
    held.ScheduleMinutes = 5;
    held.WriteToLog = true;
    held.UseQuickDelete = true;
    return held;
}
}  // namespace

TEST(OptionsStore, WrittenOptionsReadBackEqual) {
    const struct {
        const char* name;
        OptionsRecord options;
    } rows[] = {
        {"defaults", {}},
        {"every option away from its default",
         {.QuickDelete = false,
          .PromptBeforeClean = true,
          .WriteToLog = false,
          .DeleteLogOnExit = true,
          .ScheduleSet = ScheduleAtStart | ScheduleAtShutdown | ScheduleEveryNMinutes,
          .IntervalMinutes = 1000,
          .WashBrowserOnClose = true,
          .RecycleBinByAge = true,
          .RecycleBinDays = 3650}},
        {"shutdown only", {.ScheduleSet = ScheduleAtShutdown, .IntervalMinutes = 37}},
        {"timer only", {.ScheduleSet = ScheduleEveryNMinutes}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TempDir dir;
        const std::string path = dir.Path() + "wildcard.ini";
        WriteOptions(path, row.options);
        ExpectStoredFieldsEqual(ReadBack(path), row.options);
        // Written over a file holding other values, the new ones win.
        WriteOptions(path, {.QuickDelete = !row.options.QuickDelete, .ScheduleSet = 7, .IntervalMinutes = 9});
        WriteOptions(path, row.options);
        ExpectStoredFieldsEqual(ReadBack(path), row.options);
    }
}

TEST(OptionsStore, HeldSettingsKeepTheFilesOwnValues) {
    TempDir dir;
    const std::string path = dir.Path() + "wildcard.ini";
    const OptionsRecord users{.QuickDelete = false,
                              .WriteToLog = false,
                              .ScheduleSet = ScheduleAtShutdown,
                              .IntervalMinutes = 37};
    WriteOptions(path, users);
    // The record holds the administrator's values; the user's own stay in the file.
    const OptionsRecord heldRecord{.QuickDelete = true,
                                   .PromptBeforeClean = true,
                                   .WriteToLog = true,
                                   .DeleteLogOnExit = true,
                                   .ScheduleSet = ScheduleAtStart,
                                   .IntervalMinutes = 5};
    WriteOptions(path, heldRecord, AllHeld());
    OptionsRecord expected = users;
    expected.PromptBeforeClean = true;
    expected.DeleteLogOnExit = true;
    ExpectStoredFieldsEqual(ReadBack(path), expected);
}
