// The per-user installer pointed at another folder than the installation it finds.
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/support/Installs.h"
#include "tests/support/Program.h"
#include "tests/support/TempDir.h"
#include "tests/support/Wait.h"

namespace {
const char* const UninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Varnolt";

std::string InstallLocation() {
    char buffer[1024];
    DWORD size = sizeof(buffer);
    if (RegGetValueA(HKEY_CURRENT_USER, UninstallKey, "InstallLocation", RRF_RT_REG_SZ, nullptr, buffer, &size) !=
        ERROR_SUCCESS)
        return {};
    return buffer;
}

int RunSetup(const std::string& folder) {
    return RunCommand("\"" + HostPath(VARNOLT_DIST_SETUP) + "\" /S /D=" + folder.substr(0, folder.size() - 1));
}

// A silent uninstall; its last step removes the uninstall entry.
void Uninstall(const std::string& folder) {
    ASSERT_EQ(RunCommand("\"" + folder + "uninstall.exe\" /S"), 0);
    EXPECT_TRUE(WaitUntil([] { return InstallLocation().empty(); }, 30000));
}
}  // namespace

// A second folder would leave the first installation without its entry and the second without
// the user's files: setup refuses and changes nothing. Once the first folder is gone, the entry
// is stale and another folder is fine.
TEST(InstallerMove, AnotherFolderOverAnInstallationIsRefused) {
    TempDir temp;
    const std::string first = temp.Path() + "First\\", second = temp.Path() + "Second\\";
    ASSERT_TRUE(FileExists(HostPath(VARNOLT_DIST_SETUP)));
    ASSERT_EQ(RunSetup(first), 0);
    const std::string user = "[Common]\r\nTotal=1\r\nItem0=Mine\r\n";
    WriteTextFile(first + "const\\user.txt", user);

    EXPECT_NE(RunSetup(second), 0);
    EXPECT_FALSE(FileExists(second + "varnolt.exe"));
    EXPECT_EQ(InstallLocation() + "\\", first);
    EXPECT_TRUE(FileExists(first + "varnolt.exe"));
    EXPECT_EQ(ReadTextFile(first + "const\\user.txt"), user);
    EXPECT_EQ(VarnoltEntries(), 1);

    RemoveTree(first);
    EXPECT_EQ(RunSetup(second), 0) << "the entry named a folder that is gone";
    EXPECT_EQ(InstallLocation() + "\\", second);
    EXPECT_TRUE(FileExists(second + "varnolt.exe"));
    Uninstall(second);
    RegDeleteTreeA(HKEY_CURRENT_USER, UninstallKey);
}
