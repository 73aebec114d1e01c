// The per-user installer, run silently into a test folder: install, start, upgrade, uninstall.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "tests/support/Installs.h"
#include "tests/support/ShredVerbValue.h"
#include "tests/support/Program.h"
#include "tests/support/TempDir.h"
#include "tests/support/Wait.h"

namespace {
const char* const UninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Varnolt";

std::string UninstallValue(const char* name) {
    char buffer[1024];
    DWORD size = sizeof(buffer);
    if (RegGetValueA(HKEY_CURRENT_USER, UninstallKey, name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
        return {};
    return buffer;
}

}  // namespace

TEST(Installer, InstallsStartsUpgradesKeepingUserFilesAndUninstalls) {
    TempDir temp;
    std::string dir = temp.Path() + "Programs\\Varnolt\\";
    std::string setup = HostPath(VARNOLT_DIST_SETUP);
    ASSERT_TRUE(FileExists(setup)) << setup;
    ASSERT_EQ(RunCommand("\"" + setup + "\" /S /D=" + dir.substr(0, dir.size() - 1)), 0);

    EXPECT_EQ(Machine(dir + "varnolt.exe"), IMAGE_FILE_MACHINE_AMD64);
    for (const char* file : {"varnolt.exe", "uninstall.exe", "const\\system.txt", "const\\user.txt"})
        EXPECT_TRUE(FileExists(dir + file)) << file;
    EXPECT_NE(GetFileAttributesA((dir + "plugin").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ReadTextFile(dir + "const\\system.txt"), ReadTextFile(StagedProgramDir() + "const\\system.txt"));
    EXPECT_TRUE(FileExists(StartMenuShortcut()));
    EXPECT_EQ(UninstallValue("DisplayName"), "Varnolt");
    EXPECT_EQ(UninstallValue("DisplayVersion"), "1.02");
    EXPECT_EQ(UninstallValue("InstallLocation") + "\\", dir);
    EXPECT_EQ(UninstallValue("UninstallString"), "\"" + dir + "uninstall.exe\"");
    EXPECT_EQ(EventMessageFile(), dir + "varnolt.exe");
    for (const char* kind : {"*", "Directory"})
        EXPECT_EQ(ShredVerbCommand(kind), "\"" + dir + "varnolt.exe\" /shred \"%1\"") << kind;

    // The installed program starts and writes its files in its own folder.
    {
        RunningProgram program;
        HWND window = program.Open(dir);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(program.Close(window));
        EXPECT_EQ(program.ExitCode(), 0u);
    }
    EXPECT_NE(ReadTextFile(dir + "order.ini").find("[Common]"), std::string::npos);

    // An upgrade replaces the program and the supplied items, nothing of the user's; the earlier
    // program was the 32-bit one, and the 64-bit one takes its place under the same entry.
    ASSERT_TRUE(CopyFileA((HostPath(VARNOLT_X86_STAGE_DIR) + "\\varnolt.exe").c_str(), (dir + "varnolt.exe").c_str(),
                          FALSE));
    ASSERT_EQ(Machine(dir + "varnolt.exe"), IMAGE_FILE_MACHINE_I386);
    const std::string user = "[Common]\r\nTotal=1\r\nItem0=Mine\r\n", order = "[Common]\r\nTotal=0\r\n";
    WriteTextFile(dir + "const\\user.txt", user);
    WriteTextFile(dir + "plugin\\shared.txt", "plug-in");
    WriteTextFile(dir + "wildcard.ini", "[Log]\r\nWrite to Log=1\r\n");
    WriteTextFile(dir + "order.ini", order);
    WriteTextFile(dir + "const\\system.txt", "old");
    // The user took "Shred with Varnolt" away in Preferences: the upgrade keeps it away.
    for (const char* kind : {"*", "Directory"})
        RegDeleteTreeA(HKEY_CURRENT_USER, (std::string("Software\\Classes\\") + kind + "\\shell\\VarnoltShred").c_str());
    ASSERT_EQ(RunCommand("\"" + setup + "\" /S /D=" + dir.substr(0, dir.size() - 1)), 0);
    EXPECT_EQ(ShredVerbCommand("*") + ShredVerbCommand("Directory"), "");
    EXPECT_EQ(ReadTextFile(dir + "const\\user.txt"), user);
    EXPECT_EQ(ReadTextFile(dir + "plugin\\shared.txt"), "plug-in");
    EXPECT_EQ(ReadTextFile(dir + "wildcard.ini"), "[Log]\r\nWrite to Log=1\r\n");
    EXPECT_EQ(ReadTextFile(dir + "order.ini"), order);
    EXPECT_EQ(ReadTextFile(dir + "const\\system.txt"), ReadTextFile(StagedProgramDir() + "const\\system.txt"));
    EXPECT_EQ(Machine(dir + "varnolt.exe"), IMAGE_FILE_MACHINE_AMD64);
    EXPECT_EQ(VarnoltEntries(), 1);

    // A silent uninstall removes the program and keeps the user's own files. The uninstaller
    // runs from a copy of itself, so wait for its work rather than for the process.
    // "Load at Windows startup" was on: the uninstaller takes the Run value along.
    const char* runKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    const std::string runValue = "\"" + dir + "varnolt.exe\"";
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, runKey, "Varnolt", REG_SZ, runValue.c_str(),
                              static_cast<DWORD>(runValue.size() + 1)),
              ERROR_SUCCESS);
    auto runValueStands = [&] {
        return RegGetValueA(HKEY_CURRENT_USER, runKey, "Varnolt", RRF_RT_REG_SZ, nullptr, nullptr, nullptr) ==
               ERROR_SUCCESS;
    };
    ASSERT_EQ(RunCommand("\"" + dir + "uninstall.exe\" /S"), 0);
    // Its last steps remove the uninstall key and the Run value, after the files.
    WaitUntil(
        [&] {
            return !FileExists(dir + "uninstall.exe") && !FileExists(dir + "varnolt.exe") &&
                   UninstallValue("DisplayName").empty() && !runValueStands() && ShredVerbCommand("Directory").empty();
        },
        30000);
    EXPECT_FALSE(runValueStands());
    EXPECT_EQ(ShredVerbCommand("*") + ShredVerbCommand("Directory"), "");
    EXPECT_FALSE(FileExists(dir + "varnolt.exe"));
    EXPECT_FALSE(FileExists(dir + "uninstall.exe"));
    EXPECT_FALSE(FileExists(dir + "const\\system.txt"));
    EXPECT_FALSE(FileExists(StartMenuShortcut()));
    EXPECT_TRUE(UninstallValue("DisplayName").empty());
    EXPECT_EQ(EventMessageFile(), "");
    EXPECT_EQ(ReadTextFile(dir + "const\\user.txt"), user);
    EXPECT_EQ(ReadTextFile(dir + "plugin\\shared.txt"), "plug-in");
    EXPECT_TRUE(FileExists(dir + "wildcard.ini"));
    RegDeleteTreeA(HKEY_CURRENT_USER, UninstallKey);
}
