// The real program washes by itself at a tick of its schedule timer, without asking. The tick is
// posted rather than awaited (the timer's period is 50 s); that the timer runs is checked in
// the main window's schedule tests.
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/dialogs/PreviewTestUtil.h"
#include "tests/support/Program.h"
#include "tests/support/TempDir.h"

TEST(TimedWash, IntervalOfZeroWashesWithinAMinuteWithoutAsking) {
    TempDir temp;
    std::string dir = temp.Path() + "Varnolt\\", junk = temp.Path() + "junk\\";
    CopyStagedProgram(dir);
    CreateDirectoryA(junk.c_str(), nullptr);
    WriteTextFile(junk + "one.tmp", "1");
    WriteTextFile(dir + "const\\system.txt",
                  "[Common]\r\nTotal=1\r\nItem0=Junk\r\n[Junk]\r\nIsActive=1\r\ntFolder.Total=1\r\n"
                  "tFolder0.ChildItemName=Junk files\r\ntFolder0.isactive=1\r\ntFolder0.bycategory=1\r\n"
                  "tFolder0.deletepath=" + junk + "*.tmp\r\n");
    WriteTextFile(dir + "const\\user.txt", "");
    WriteTextFile(dir + "wildcard.ini", "[Schedule]\r\nSchedule Option=byEveryHour \r\nMinuts=0\r\n"
                                        "[Delete Option]\r\nprompt Before=1\r\n");

    RunningProgram program;
    ASSERT_TRUE(program.Start(dir));
    HWND window = program.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    // Once the window has handled what start-up posted, nothing was washed yet.
    DWORD_PTR ignored;
    ASSERT_TRUE(SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_BLOCK, 10000, &ignored));
    EXPECT_TRUE(FileExists(junk + "one.tmp"));
    PostMessageA(window, WM_TIMER, 1, 0);
    for (int i = 0; i < 200 && FileExists(junk + "one.tmp"); ++i) Sleep(50);
    EXPECT_FALSE(FileExists(junk + "one.tmp"));
    std::string log;
    for (int i = 0; i < 100 && log.find("</table>") == std::string::npos; ++i, Sleep(50))
        log = ReadTextFile(dir + "log.htm");
    EXPECT_NE(log.find(junk + "one.tmp"), std::string::npos);

    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.WaitExit());  // no question box holds it up
    EXPECT_EQ(program.ExitCode(), 0u);
}
