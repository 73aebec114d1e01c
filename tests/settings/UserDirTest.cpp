// Where the user's own files live: beside the exe when its folder can be written, else in
// %LOCALAPPDATA%\Varnolt, decided by a real write.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>

#include "settings/AppPaths.h"
#include "tests/support/ReadOnlyFolder.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestKey.h"

namespace {
struct UserDirCase {
    const char* name;
    bool readOnly;
    bool earlierLocalFiles;  // LocalAppData\Varnolt already holds the user's settings
};

class UserDirTest : public testing::TestWithParam<UserDirCase> {};

TEST_P(UserDirTest, FollowsAWriteToTheProgramFolder) {
    const UserDirCase& c = GetParam();
    TempDir temp;
    const std::string program = temp.Path() + "Program\\", local = temp.Path() + "Local\\";
    CreateDirectoryA(program.c_str(), nullptr);
    CreateDirectoryA((program + "const").c_str(), nullptr);
    CreateDirectoryA((program + "plugin").c_str(), nullptr);
    CreateDirectoryA(local.c_str(), nullptr);
    WriteTextFile(program + "const\\user.txt", "[Common]\r\nTotal=0\r\n");
    WriteTextFile(program + "wildcard.ini", "[Log]\r\nWrite to Log=0\r\n");
    WriteTextFile(program + "plugin\\mine.txt", "[Common]\r\n");
    if (c.earlierLocalFiles) {
        CreateDirectoryA((local + "Varnolt").c_str(), nullptr);
        WriteTextFile(local + "Varnolt\\wildcard.ini", "[Log]\r\nWrite to Log=1\r\n");
    }
    std::string chosen;
    {
        std::optional<ReadOnlyFolder> lock;
        if (c.readOnly) lock.emplace(program);
        if (c.readOnly && !lock->Locked()) GTEST_SKIP() << "this host cannot make a folder read-only";
        EXPECT_EQ(FolderCanBeWritten(program), !c.readOnly);
        chosen = ChooseUserDir(program, local);
        // The probe leaves nothing behind.
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((program + "*.tmp").c_str(), &found);
        EXPECT_EQ(search, INVALID_HANDLE_VALUE);
        if (search != INVALID_HANDLE_VALUE) FindClose(search);
    }
    if (!c.readOnly) {
        EXPECT_EQ(chosen, program);
        EXPECT_FALSE(FileExists(local + "Varnolt\\const\\user.txt"));
        return;
    }
    EXPECT_EQ(chosen, local + "Varnolt\\");
    // The earlier installation's files are found; none already there is replaced.
    EXPECT_EQ(ReadTextFile(chosen + "const\\user.txt"), "[Common]\r\nTotal=0\r\n");
    EXPECT_TRUE(FileExists(chosen + "plugin\\mine.txt"));
    EXPECT_EQ(ReadTextFile(chosen + "wildcard.ini"),
              c.earlierLocalFiles ? "[Log]\r\nWrite to Log=1\r\n" : "[Log]\r\nWrite to Log=0\r\n");
    // Tests that set the program directory get their files there, as before.
    SetUserDir(chosen);
    ProgramDirScope programDir(program);
    EXPECT_EQ(SettingsFilePath(), program + "wildcard.ini");
}

INSTANTIATE_TEST_SUITE_P(Layouts, UserDirTest,
                         testing::Values(UserDirCase{"Writable", false, false},
                                         UserDirCase{"ReadOnly", true, false},
                                         UserDirCase{"ReadOnlyWithLocalFiles", true, true}),
                         [](const auto& info) { return std::string(info.param.name); });
}  // namespace
