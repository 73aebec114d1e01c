// The real program, in a folder named outside the ANSI code page, washes at start files named in
// three other scripts and one at a path of more than 300 characters, from a wash item file that
// an earlier version wrote in the ANSI code page.
#include <gtest/gtest.h>

#include <windows.h>

#include "platform/Profile.h"
#include "platform/WideText.h"
#include "tests/dialogs/PreviewTestUtil.h"
#include "tests/support/LogText.h"
#include "tests/support/StagedProgram.h"

namespace {
const std::string Greek = "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC";
const std::string Japanese = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E";
const std::string Emoji = "\xF0\x9F\x98\x80";

// The program in a folder named in Greek.
class UnicodeStartupWash : public StagedProgramTest {
protected:
    UnicodeStartupWash() : StagedProgramTest("Varnolt " + Greek) {}
};
}  // namespace

TEST_F(UnicodeStartupWash, NamesOutsideTheCodePageAndLongPathsAreWashedAndLogged) {
    if (GetACP() != 1252) GTEST_SKIP() << "needs the Western code page";
    const std::string junk = temp.Path() + "junk caf\xC3\xA9\\";
    CreateDirectoryW(WidePath(junk).c_str(), nullptr);
    std::string deep = junk;
    while (deep.size() < 280) {
        deep += std::string(40, 'd') + "\\";
        CreateDirectoryW(WidePath(deep).c_str(), nullptr);
    }
    std::vector<std::string> files = {junk + Greek + ".tmp", junk + Japanese + ".tmp", junk + Emoji + ".tmp",
                                      junk + "r\xC3\xA9sum\xC3\xA9.tmp", deep + Japanese + std::string(10, 'x') + ".tmp"};
    ASSERT_GT(files.back().size(), 300u);
    for (const auto& path : files) WriteTextFile(path, "secret");
    WriteTextFile(junk + "keep.txt", "kept");

    // Written as an earlier version did: Western accented names in the ANSI code page.
    WriteItems("[Common]\r\nTotal=1\r\nItem0=Fichiers temporaires \xE9t\xE9\r\n[Fichiers temporaires \xE9t\xE9]\r\n"
               "IsActive=1\r\ntFolder.Total=1\r\ntFolder0.ChildItemName=Junk\r\ntFolder0.isactive=1\r\n"
               "tFolder0.bycategory=1\r\ntFolder0.deletepath=" + temp.Path() + "junk caf\xE9\\*.tmp\r\n"
               "tFolder0.IsIncludeSubfolder=1\r\ntRegister.Total=0\r\n");
    WriteSettings("[Run]\r\nAuto Run=1\r\n[Schedule]\r\nSchedule Option=byStart \r\n"
                  "[Log]\r\nWrite to Log=1\r\n");

    RunningProgram program;
    HWND window = program.Open(dir);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(WaitForClosedLog(dir + "log.htm"));
    std::string log = ReadTextFile(dir + "log.htm");
    std::wstring text = DecodeLog(log);
    for (const auto& path : files) {
        EXPECT_FALSE(FileExists(path)) << path;
        EXPECT_NE(text.find(L">" + Widen(path) + L"</font>"), std::wstring::npos) << path;
    }
    EXPECT_TRUE(FileExists(junk + "keep.txt"));
    EXPECT_NE(log.find("charset="), std::string::npos);
    EXPECT_EQ(log.find('?'), std::string::npos);  // no lookalike anywhere

    ASSERT_TRUE(program.Close(window));
    EXPECT_EQ(program.ExitCode(), 0u);
    // The order list names the item and its file in the Greek folder exactly.
    EXPECT_EQ(ProfileFile(dir + "order.ini").ReadString("Common", "Item0"),
              "Fichiers temporaires \xC3\xA9t\xC3\xA9<|>" + dir + "const\\system.txt");
}
