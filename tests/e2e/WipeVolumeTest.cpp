// Wiping free space on the small volume of tests/e2e/wipe-volume.sh: Cancel and errors leave no
// wipe file, and a folder a crash left behind goes at the next start.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>

#include "engine/FreeSpaceWiper.h"
#include "tests/support/StagedProgram.h"
#include "tests/support/Wait.h"
#include "tests/support/WipeDrive.h"

TEST(WipeVolume, CancelInEitherPhaseLeavesNoWipeFile) {
    REQUIRE_WIPE_DRIVE(root);
    const ULONGLONG before = FreeBytesOf(root);
    struct Case {
        const char* name;
        std::function<bool(const WipeProgress&)> goOn;
    };
    for (const Case& c : {Case{"filling", [](const WipeProgress& p) { return p.Written < 2 * 1024 * 1024; }},
                          Case{"file table", [](const WipeProgress& p) { return p.SmallFiles < 3; }}}) {
        SCOPED_TRACE(c.name);
        WipeProgress last;
        bool asked = false, smallFileKept = false;
        WipeOutcome outcome = WipeFreeSpace(root, [&](const WipeProgress& p) {
            // A program started meanwhile leaves the running wipe's files alone.
            if (p.SmallFiles >= 1 && !asked) {
                asked = true;
                EXPECT_FALSE(RemoveWipeLeftovers(root));
                smallFileKept = FileExists(root + WipeFolderName + "\\s0000000.tmp");
            }
            last = p;
            return c.goOn(p);
        });
        EXPECT_EQ(smallFileKept, asked);
        EXPECT_EQ(outcome.Result, WipeResult::Cancelled) << outcome.Error;
        EXPECT_TRUE(last.Written >= 2 * 1024 * 1024 || last.SmallFiles >= 3);
        EXPECT_EQ(GetFileAttributesA((root + WipeFolderName).c_str()), INVALID_FILE_ATTRIBUTES);
        EXPECT_EQ(FreeBytesOf(root), before);
    }
}

// A name in the way of the wipe folder is the user's: the wipe fails, touches nothing of it and
// leaves no file of its own.
TEST(WipeVolume, AnErrorKeepsTheUsersFilesAndLeavesNoWipeFile) {
    REQUIRE_WIPE_DRIVE(root);
    const std::string folder = root + WipeFolderName;
    const ULONGLONG before = FreeBytesOf(root);

    WriteTextFile(folder, "a file of the user's");
    WipeOutcome outcome = WipeFreeSpace(root, nullptr);
    EXPECT_EQ(outcome.Result, WipeResult::Failed);
    EXPECT_NE(outcome.Error.find(WipeFolderName), std::string::npos);
    EXPECT_EQ(ReadTextFile(folder), "a file of the user's");
    DeleteFileA(folder.c_str());

    CreateDirectoryA(folder.c_str(), nullptr);
    WriteTextFile(folder + "\\notes.txt", "mine");
    WriteTextFile(folder + "\\s0000000.tmp", "");
    outcome = WipeFreeSpace(root, nullptr);
    EXPECT_EQ(outcome.Result, WipeResult::Failed);
    EXPECT_EQ(ReadTextFile(folder + "\\notes.txt"), "mine");
    EXPECT_FALSE(FileExists(folder + "\\s0000000.tmp"));
    RemoveTree(folder);
    EXPECT_EQ(FreeBytesOf(root), before);
}

using WipeVolumeStart = StagedProgramTest;

TEST_F(WipeVolumeStart, AFolderLeftByACrashGoesAtTheNextStart) {
    REQUIRE_WIPE_DRIVE(root);
    const std::string folder = root + WipeFolderName + "\\";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    WriteTextFile(folder + "fill0000000.tmp", std::string(100000, '\0'));
    WriteTextFile(folder + "s0000000.tmp", "");
    WriteTextFile(folder + "s0000001.tmp", "");

    RunningProgram program;
    HWND window = program.Open(dir);
    ASSERT_NE(window, nullptr);
    // The program removes it beside its window, not before it.
    EXPECT_TRUE(WaitUntil([&] { return GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES; }));
    EXPECT_TRUE(program.Close(window));
    EXPECT_EQ(program.ExitCode(), 0u);
    RemoveTree(folder);
}
