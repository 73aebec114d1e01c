#include <gtest/gtest.h>

#include <windows.h>

#include "tests/support/StagedProgram.h"
#include "tests/support/Wait.h"

namespace {
class ProgramTest : public StagedProgramTest {
protected:
    void SetUp() override {
        StagedProgramTest::SetUp();
        system = dir + "const\\system.txt";
        user = dir + "const\\user.txt";
        WriteTextFile(system, "[Common]\r\nTotal=3\r\nItem0=One\r\nItem1=Two\r\nItem2=Recycle Bin\r\n"
                              "[Two]\r\nIsActive=0\r\n[Recycle Bin]\r\nIsSpecial=1\r\n");
        WriteTextFile(user, "[Common]\r\nTotal=1\r\nItem0=Mine\r\n");
    }
    static std::string Row(const std::string& name, const std::string& file, bool active, bool special) {
        return "[" + name + "<|>" + file + "]\r\ntxtfilename=" + file + "\r\nIsActive=" + (active ? "1" : "0") +
               "\r\nIsSpecial=" + (special ? "1" : "0") + "\r\n";
    }

    std::string system, user;
};
}  // namespace

TEST_F(ProgramTest, ClosingWritesTheOrderFileWithTheCataloguesRows) {
    RunningProgram program;
    HWND window = program.Open(dir);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(FileExists(dir + "order.ini"));
    ASSERT_TRUE(program.Close(window));
    EXPECT_EQ(program.ExitCode(), 0u);
    std::string expected = "[Common]\r\nTotal=4\r\nItem0=One<|>" + system + "\r\nItem1=Two<|>" + system +
                           "\r\nItem2=Recycle Bin<|>" + system + "\r\nItem3=Mine<|>" + user + "\r\n" +
                           Row("One", system, true, false) + Row("Two", system, false, false) +
                           Row("Recycle Bin", system, true, true) + Row("Mine", user, true, false);
    EXPECT_EQ(ReadTextFile(dir + "order.ini"), expected);
}

TEST_F(ProgramTest, SecondStartBringsTheFirstToTheFrontAndTouchesNothing) {
    // The first instance reads this order file; the second must leave it alone.
    const std::string order = "[Common]\r\nTotal=1\r\nItem0=Mine<|>" + user + "\r\n" + Row("Mine", user, false, false);
    WriteTextFile(dir + "order.ini", order);
    RunningProgram first;
    HWND window = first.Open(dir);
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(window) != FALSE; }));

    RunningProgram second;
    ASSERT_TRUE(second.Start(dir));
    ASSERT_TRUE(second.WaitExit());
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(window); })) << "the first window is restored";
    EXPECT_EQ(ReadTextFile(dir + "order.ini"), order);
    EXPECT_FALSE(FileExists(dir + "wildcard.ini"));
    EXPECT_EQ(first.ExitCode(), static_cast<DWORD>(STILL_ACTIVE));

    ASSERT_TRUE(first.Close(window));
    // The first instance read its order file at start: Mine first and unchecked.
    std::string written = ReadTextFile(dir + "order.ini");
    EXPECT_EQ(written.substr(0, written.find("Item1")), "[Common]\r\nTotal=4\r\nItem0=Mine<|>" + user + "\r\n");
    EXPECT_NE(written.find(Row("Mine", user, false, false)), std::string::npos);
}
