#include <gtest/gtest.h>

#include "settings/SettingsStore.h"
#include "tests/support/TempDir.h"

TEST(SettingsStore, DefaultsWithoutASettingsFile) {
    TempDir dir;
    OptionsRecord options;
    bool timer = ReadOptionsAtStartup(dir.Path() + "wildcard.ini", options);
    EXPECT_FALSE(timer);
    EXPECT_TRUE(options.QuickDelete);
    EXPECT_FALSE(options.PromptBeforeClean);
    EXPECT_TRUE(options.WriteToLog);
    EXPECT_FALSE(options.DeleteLogOnExit);
    EXPECT_EQ(options.ScheduleSet, 0u);
    EXPECT_EQ(options.IntervalMinutes, 2);
    EXPECT_FALSE(options.StartMinimized);
    EXPECT_FALSE(ReadAutoRun(dir.Path() + "wildcard.ini"));
    EXPECT_FALSE(FileExists(dir.Path() + "wildcard.ini"));
}

TEST(SettingsStore, ReadsEveryOptionWithItsEncoding) {
    TempDir dir;
    std::string path = dir.Path() + "wildcard.ini";
    WriteTextFile(path,
                  "[Run]\r\nAuto Run=1\r\nIs Minimized=1\r\n"
                  "[Delete Option]\r\nUse Quick=0\r\nprompt Before=1\r\n"
                  "[Schedule]\r\nSchedule Option=byStartbyShutdown\r\nMinuts=0x1E\r\n"
                  "[Log]\r\nWrite to Log=0\r\nDelete Log On Exit=1\r\n");
    OptionsRecord options;
    EXPECT_FALSE(ReadOptionsAtStartup(path, options));
    EXPECT_TRUE(options.StartMinimized);
    EXPECT_FALSE(options.QuickDelete);
    EXPECT_TRUE(options.PromptBeforeClean);
    EXPECT_EQ(options.ScheduleSet, ScheduleAtStart | ScheduleAtShutdown);
    EXPECT_EQ(options.IntervalMinutes, 30);
    EXPECT_FALSE(options.WriteToLog);
    EXPECT_TRUE(options.DeleteLogOnExit);
    EXPECT_TRUE(ReadAutoRun(path));
}

TEST(SettingsStore, MinimisedOnlyWithAutoRunAndNonNumbersGiveDefaults) {
    TempDir dir;
    std::string path = dir.Path() + "wildcard.ini";
    WriteTextFile(path, "[Run]\r\nAuto Run=0\r\nIs Minimized=1\r\n[Delete Option]\r\nUse Quick=yes\r\n"
                        "[Schedule]\r\nMinuts=ten\r\n");
    OptionsRecord options;
    ReadOptionsAtStartup(path, options);
    EXPECT_FALSE(options.StartMinimized);
    EXPECT_TRUE(options.QuickDelete);
    EXPECT_EQ(options.IntervalMinutes, 2);
}

TEST(SettingsStore, TimedWashSwitchesTheTimerAndStampsTheTime) {
    TempDir dir;
    std::string path = dir.Path() + "wildcard.ini";
    WriteTextFile(path, "[Schedule]\r\nSchedule Option=byEveryHour \r\n");
    OptionsRecord options;
    options.ScheduleSet = ScheduleAtStart;  // the read only adds triggers
    double before = NowAsDateTime();
    EXPECT_TRUE(ReadOptionsAtStartup(path, options));
    EXPECT_EQ(options.ScheduleSet, ScheduleAtStart | ScheduleEveryNMinutes);
    EXPECT_GE(options.LastAutoWashTime, before);
    EXPECT_LT(options.LastAutoWashTime - before, 1.0 / 24);
    // 2026 lies about 46,000 days after 1899-12-30.
    EXPECT_GT(before, 45000.0);
    EXPECT_LT(before, 60000.0);
}

TEST(SettingsStore, ScheduleWordsAreCaseSensitiveAndWrittenWithTrailingBlanks) {
    EXPECT_EQ(ParseScheduleOption("BYSTART byshutdown"), 0u);
    EXPECT_EQ(ParseScheduleOption("xbyEveryHourx"), static_cast<unsigned>(ScheduleEveryNMinutes));
    EXPECT_EQ(FormatScheduleOption(ScheduleAtStart | ScheduleAtShutdown | ScheduleEveryNMinutes),
              "byStart byShutdown byEveryHour ");
    EXPECT_EQ(FormatScheduleOption(ScheduleAtShutdown), "byShutdown ");
    EXPECT_EQ(FormatScheduleOption(0), "");
    for (unsigned set = 0; set < 8; ++set) EXPECT_EQ(ParseScheduleOption(FormatScheduleOption(set)), set);
}
