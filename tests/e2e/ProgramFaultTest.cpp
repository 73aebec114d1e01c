// The real program meets files it may not write: each fault ends with its message and loses
// nothing.
#include <gtest/gtest.h>

#include <windows.h>

#include "platform/WideText.h"
#include "tests/support/StagedProgram.h"
#include "tests/support/Wait.h"

namespace {
// The text of the program's message box, once one is shown; empty after the timeout.
std::string WaitForMessage(DWORD processId, HWND& box) {
    std::string shown;
    WaitUntil([&] {
        box = nullptr;
        while ((box = FindWindowExA(nullptr, box, "#32770", "Varnolt")) != nullptr) {
            DWORD owner = 0;
            GetWindowThreadProcessId(box, &owner);
            HWND text = GetDlgItem(box, 0xFFFF);
            if (owner != processId || !text || !IsWindowVisible(box)) continue;
            wchar_t buffer[1024] = {};
            GetWindowTextW(text, buffer, 1024);
            shown = Narrow(buffer, wcslen(buffer));
            return true;
        }
        return false;
    });
    return shown;
}

class ProgramFault : public StagedProgramTest {
protected:
    void SetUp() override {
        StagedProgramTest::SetUp();
        junk = temp.Path() + "junk\\";
        CreateDirectoryA(junk.c_str(), nullptr);
        WriteTextFile(junk + "one.tmp", "1");
        WriteItems("[Common]\r\nTotal=1\r\nItem0=Junk\r\n[Junk]\r\nIsActive=1\r\ntFolder.Total=1\r\n"
                   "tFolder0.isactive=1\r\ntFolder0.bycategory=1\r\ntFolder0.deletepath=" + junk +
                   "*.tmp\r\ntRegister.Total=0\r\n");
    }
    std::string junk;
};
}  // namespace

TEST_F(ProgramFault, ARefusedOrderFileAtExitIsReportedAndKept) {
    const std::string order = "[Common]\r\nTotal=0\r\n";
    WriteTextFile(dir + "order.ini", order);
    SetFileAttributesA((dir + "order.ini").c_str(), FILE_ATTRIBUTE_READONLY);
    RunningProgram program;
    HWND window = program.Open(dir);
    ASSERT_NE(window, nullptr);
    PostMessageA(window, WM_CLOSE, 0, 0);
    HWND box = nullptr;
    EXPECT_EQ(WaitForMessage(program.Id(), box), "Unable to write to " + dir + "order.ini");
    if (box) PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(program.WaitExit());
    EXPECT_EQ(program.ExitCode(), 0u);
    SetFileAttributesA((dir + "order.ini").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadTextFile(dir + "order.ini"), order);
}

TEST_F(ProgramFault, AReadOnlyLogStopsTheStartUpWashBeforeAnythingGoes) {
    WriteSettings("[Run]\r\nAuto Run=1\r\n[Schedule]\r\nSchedule Option=byStart \r\n");
    WriteTextFile(dir + "log.htm", "earlier");
    SetFileAttributesA((dir + "log.htm").c_str(), FILE_ATTRIBUTE_READONLY);
    RunningProgram program;
    ASSERT_TRUE(program.Start(dir));
    HWND box = nullptr;
    EXPECT_EQ(WaitForMessage(program.Id(), box), "Unable to write to " + dir + "log.htm");
    if (box) PostMessageA(box, WM_COMMAND, IDOK, 0);
    HWND window = program.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(FileExists(junk + "one.tmp"));
    EXPECT_EQ(ReadTextFile(dir + "log.htm"), "earlier");
    ASSERT_TRUE(program.Close(window));
    EXPECT_EQ(program.ExitCode(), 0u) << "the refused log ends no more than the wash";
    SetFileAttributesA((dir + "log.htm").c_str(), FILE_ATTRIBUTE_NORMAL);
}
