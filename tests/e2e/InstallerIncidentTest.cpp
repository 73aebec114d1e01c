// An installation into a folder that already holds a user's file and a junction, then its
// uninstallation, by setup.exe and by the package: only the installed files go.
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/support/Installs.h"
#include "tests/support/Program.h"
#include "tests/support/SymLink.h"
#include "tests/support/TempDir.h"
#include "tests/support/Wait.h"

namespace {
const char* const UninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Varnolt";

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// A host path of the build as Wine's Z: drive path (Installs.h and SymLink.h each have a HostPath).
std::string DrivePath(std::string path) {
    for (char& c : path) c = c == '/' ? '\\' : c;
    return "Z:" + path;
}
}  // namespace

TEST(InstallerIncidents, UninstallTakesOnlyTheInstalledFilesFromAFolderTheUserHadFilled) {
    struct Case {
        const char* name;
        std::string install, uninstall;  // %D: the folder, without its trailing backslash
    } cases[] = {
        {"setup.exe", Quoted(DrivePath(VARNOLT_DIST_SETUP)) + " /S /D=%D", Quoted("%D\\uninstall.exe") + " /S"},
        {"package",
         "msiexec.exe /i " + Quoted(DrivePath(VARNOLT_DIST_MSI_X64)) + " INSTALLDIR=" + Quoted("%D\\") + " /qn",
         "msiexec.exe /x " + Quoted(DrivePath(VARNOLT_DIST_MSI_X64)) + " /qn"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir temp;
        const std::string dir = temp.Path() + "Tools\\", elsewhere = temp.Path() + "Elsewhere\\";
        auto command = [&](std::string text) {
            for (size_t at = text.find("%D"); at != std::string::npos; at = text.find("%D"))
                text.replace(at, 2, dir.substr(0, dir.size() - 1));
            return text;
        };
        CreateDirectoryA(dir.c_str(), nullptr);
        CreateDirectoryA(elsewhere.c_str(), nullptr);
        WriteTextFile(dir + "notes.txt", "the user's notes");
        WriteTextFile(elsewhere + "precious.txt", "precious");
        ASSERT_TRUE(MakeJunction(elsewhere, dir + "linked"));

        ASSERT_EQ(RunCommand(command(c.install)), 0);
        ASSERT_TRUE(FileExists(dir + "varnolt.exe"));
        ASSERT_TRUE(FileExists(dir + "const\\system.txt"));
        ASSERT_EQ(RunCommand(command(c.uninstall)), 0);
        // setup.exe's uninstaller runs from a copy of itself: wait for its work.
        WaitUntil([&] { return !FileExists(dir + "varnolt.exe") && !FileExists(dir + "uninstall.exe"); }, 30000);

        for (const char* file : {"varnolt.exe", "uninstall.exe", "help.chm", "const\\system.txt"})
            EXPECT_FALSE(FileExists(dir + file)) << file;
        EXPECT_EQ(ReadTextFile(dir + "notes.txt"), "the user's notes");
        EXPECT_EQ(ReadTextFile(elsewhere + "precious.txt"), "precious");
        EXPECT_EQ(ReadTextFile(dir + "linked\\precious.txt"), "precious") << "the junction itself stays";
        RemoveFolderLink(dir + "linked");
        RegDeleteTreeA(HKEY_CURRENT_USER, UninstallKey);
    }
}
