// A program folder on a full disk stays the user folder: it can be written, it only lacks
// space, and each write that fails for it is an error the user sees.
#include <gtest/gtest.h>

#include <windows.h>

#include "engine/WashEngine.h"
#include "platform/Error.h"
#include "settings/AppPaths.h"
#include "tests/support/FullVolume.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestKey.h"

TEST(FullDisk, WriteErrorsThatMakeAFolderReadOnly) {
    const struct {
        DWORD error;
        bool readOnly;
    } cases[] = {
        {ERROR_ACCESS_DENIED, true},  {ERROR_WRITE_PROTECT, true},    {ERROR_NOT_READY, true},
        {ERROR_DISK_FULL, false},     {ERROR_HANDLE_DISK_FULL, false},
    };
    for (const auto& c : cases) EXPECT_EQ(WriteErrorMeansReadOnly(c.error), c.readOnly) << c.error;
}

TEST(FullDisk, AFullProgramFolderStaysTheUserFolderAndItsWritesFail) {
    TempDir temp;
    const std::string program = temp.Path() + "Program\\", local = temp.Path() + "Local\\";
    FullVolume volume(program);
    if (!volume.Full()) GTEST_SKIP() << "this host cannot mount a full volume (needs root)";
    CreateDirectoryA(local.c_str(), nullptr);

    EXPECT_TRUE(FolderCanBeWritten(program));
    EXPECT_EQ(ChooseUserDir(program, local), program);
    EXPECT_FALSE(FileExists(local + "Varnolt\\wildcard.ini"));
    EXPECT_EQ(GetFileAttributesA((local + "Varnolt").c_str()), INVALID_FILE_ATTRIBUTES);

    ProgramDirScope scope{program};
    try {
        OpenWashLog();
        CloseWashLog();
        ADD_FAILURE() << "the log was written on a full disk";
    } catch (const AppError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + LogFilePath());
    }
    EXPECT_FALSE(WashLogIsOpen());
}
