// The real program washes by itself at a tick of its schedule timer, without asking. The tick is
// posted rather than awaited (the timer's period is 50 s); that the timer runs is checked in
// the main window's schedule tests.
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/dialogs/PreviewTestUtil.h"
#include "tests/support/StagedProgram.h"
#include "tests/support/Wait.h"

using TimedWash = StagedProgramTest;

TEST_F(TimedWash, IntervalOfZeroWashesWithinAMinuteWithoutAsking) {
    const std::string junk = temp.Path() + "junk\\";
    CreateDirectoryA(junk.c_str(), nullptr);
    WriteTextFile(junk + "one.tmp", "1");
    WriteItems("[Common]\r\nTotal=1\r\nItem0=Junk\r\n[Junk]\r\nIsActive=1\r\ntFolder.Total=1\r\n"
               "tFolder0.ChildItemName=Junk files\r\ntFolder0.isactive=1\r\ntFolder0.bycategory=1\r\n"
               "tFolder0.deletepath=" + junk + "*.tmp\r\n");
    WriteSettings("[Schedule]\r\nSchedule Option=byEveryHour \r\nMinuts=0\r\n"
                  "[Delete Option]\r\nprompt Before=1\r\n");

    RunningProgram program;
    HWND window = program.Open(dir);
    ASSERT_NE(window, nullptr);
    // Once the window has handled what start-up posted, nothing was washed yet.
    DWORD_PTR ignored;
    ASSERT_TRUE(SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_BLOCK, 10000, &ignored));
    EXPECT_TRUE(FileExists(junk + "one.tmp"));
    PostMessageA(window, WM_TIMER, 1, 0);
    EXPECT_TRUE(WaitUntil([&] { return !FileExists(junk + "one.tmp"); }));
    std::string log;
    EXPECT_TRUE(WaitUntil([&] { return (log = ReadTextFile(dir + "log.htm")).find("</table>") != std::string::npos; }));
    EXPECT_NE(log.find(junk + "one.tmp"), std::string::npos);

    ASSERT_TRUE(program.Close(window));  // no question box holds it up
    EXPECT_EQ(program.ExitCode(), 0u);
}
