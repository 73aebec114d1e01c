// The real program washes at start when "Auto Run" is on and the schedule holds "byStart".
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/dialogs/PreviewTestUtil.h"
#include "tests/support/LogText.h"
#include "tests/support/StagedProgram.h"

using StartupWash = StagedProgramTest;

TEST_F(StartupWash, CleansTheCheckedItemsLogsThemAndKeepsRunning) {
    const std::string junk = temp.Path() + "junk\\";
    CreateDirectoryA(junk.c_str(), nullptr);
    CreateDirectoryA((junk + "deeper").c_str(), nullptr);
    WriteTextFile(junk + "one.tmp", "1");
    WriteTextFile(junk + "deeper\\two.tmp", "2");
    TestKey key("StartupWash");
    key.Create("Traces\\Sub");
    WriteItems("[Common]\r\nTotal=1\r\nItem0=Junk\r\n[Junk]\r\nIsActive=1\r\ntFolder.Total=1\r\n"
               "tFolder0.ChildItemName=Junk files\r\ntFolder0.isactive=1\r\ntFolder0.bycategory=1\r\n"
               "tFolder0.deletepath=" + junk + "*.*\r\ntFolder0.IsIncludeSubfolder=1\r\n"
               "tRegister.Total=1\r\ntRegister0.ChildItemName=Traces\r\ntRegister0.isactive=1\r\n"
               "tRegister0.RegisterKeyName=" + key.Full("Traces") + "\r\ntRegister0.CleanRegisterType=0\r\n");
    WriteSettings("[Run]\r\nAuto Run=1\r\n[Schedule]\r\nSchedule Option=byStart \r\n"
                  "[Delete Option]\r\nprompt Before=1\r\n[Log]\r\nWrite to Log=1\r\n");

    RunningProgram program;
    HWND window = program.Open(dir);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(WaitForClosedLog(dir + "log.htm"));
    EXPECT_FALSE(FileExists(junk + "one.tmp"));
    EXPECT_FALSE(FileExists(junk + "deeper\\two.tmp"));
    EXPECT_TRUE(FileExists(junk + "deeper"));
    EXPECT_FALSE(key.Exists("Traces"));
    std::string log = ReadTextFile(dir + "log.htm");
    EXPECT_NE(log.find(junk + "one.tmp"), std::string::npos);
    EXPECT_NE(log.find(key.Full("Traces") + "\\Sub"), std::string::npos);
    // The last block is closed: its table ends, and only its summary line follows.
    std::string tail = log.substr(log.rfind("</table>"));
    EXPECT_EQ(tail.rfind("</table>\r\n<p><font size=\"2\">Files washed: ", 0), 0u) << tail;
    EXPECT_EQ(tail.find("\r\n", 10), tail.size() - 2) << tail;
    EXPECT_EQ(program.ExitCode(), static_cast<DWORD>(STILL_ACTIVE));

    ASSERT_TRUE(program.Close(window));
    EXPECT_EQ(program.ExitCode(), 0u);
}
