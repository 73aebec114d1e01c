// The Windows Installer packages, run silently by msiexec: a per-user install, a major upgrade
// and an uninstall; taking over setup.exe's installation and setup.exe taking it back; a
// per-machine install of each package.
#include <gtest/gtest.h>

#include <windows.h>
#include <msi.h>
#include <shlobj.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/EnvScope.h"
#include "tests/support/Installs.h"
#include "tests/support/Json.h"
#include "tests/support/ShredVerbValue.h"
#include "tests/support/Program.h"
#include "tests/support/ReadOnlyFolder.h"
#include "tests/support/TempDir.h"

namespace {
const char* const UninstallPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const char* const UninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Varnolt";
const char* const RunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const UpgradeCode = "{8D1E6A52-3C47-4B9E-A0F1-6E2C5D9B4A70}";

// The user's own files: no package component, so no upgrade or uninstall touches them.
const std::pair<const char*, const char*> UserFiles[] = {
    {"const\\user.txt", "[Common]\r\nTotal=1\r\nItem0=Mine\r\n"},
    {"plugin\\mine.txt", "[Mine]\r\nFile1=%TEMP%\\*.mine\r\n"},
    {"wildcard.ini", "[Log]\r\nWrite to Log=0\r\n"},
    {"order.ini", "[Common]\r\nTotal=0\r\n"},
    {"log.htm", "<html><body>earlier washes</body></html>"},
};

void WriteUserFiles(const std::string& dir) {
    for (const auto& [path, text] : UserFiles) WriteTextFile(dir + path, text);
}

void ExpectUserFiles(const std::string& dir) {
    for (const auto& [path, text] : UserFiles) EXPECT_EQ(ReadTextFile(dir + path), text) << path;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

int Msiexec(const std::string& arguments) { return RunCommand("msiexec.exe " + arguments + " /qn"); }

std::string RegString(HKEY root, REGSAM view, const char* key, const char* name) {
    HKEY opened;
    if (RegOpenKeyExA(root, key, 0, KEY_READ | view, &opened) != ERROR_SUCCESS) return {};
    char buffer[1024];
    DWORD size = sizeof(buffer);
    LSTATUS status = RegGetValueA(opened, nullptr, name, RRF_RT_REG_SZ, nullptr, buffer, &size);
    RegCloseKey(opened);
    return status == ERROR_SUCCESS ? buffer : "";
}

std::string UserEntry(const char* name) { return RegString(HKEY_CURRENT_USER, 0, UninstallKey, name); }

// The installed products of the packages' upgrade code, per-user and per-machine.
std::vector<std::string> InstalledPackages() {
    std::vector<std::string> codes;
    char code[39];
    for (DWORD i = 0; MsiEnumRelatedProductsA(UpgradeCode, 0, i, code) == ERROR_SUCCESS; ++i) codes.push_back(code);
    return codes;
}

bool PerMachine(const std::string& productCode) {
    char assignment[8] = "";
    DWORD size = sizeof(assignment);
    MsiGetProductInfoA(productCode.c_str(), "AssignmentType", assignment, &size);
    return std::string(assignment) == "1";
}

bool RunValueStands() {
    return RegGetValueA(HKEY_CURRENT_USER, RunKey, "Varnolt", RRF_RT_REG_SZ, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS;
}

void SetRunValue(const std::string& exe) {
    const std::string value = Quoted(exe);
    RegSetKeyValueA(HKEY_CURRENT_USER, RunKey, "Varnolt", REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

const char* const EventKey = "SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\Varnolt";

const std::string Package = Quoted(HostPath(VARNOLT_DIST_MSI_X64));
const std::string Upgrade = Quoted(HostPath(VARNOLT_UPGRADE_MSI));

class MsiTest : public testing::Test {
protected:
    // Whatever an earlier, broken run left installed goes first and last.
    void SetUp() override { RemoveInstallations(); }
    void TearDown() override {
        RemoveInstallations();
        RemoveTree(PerUserDir);
    }

    static void RemoveInstallations() {
        for (const std::string& code : InstalledPackages()) Msiexec("/x " + code + (PerMachine(code) ? " ALLUSERS=1" : ""));
        RegDeleteTreeA(HKEY_CURRENT_USER, UninstallKey);
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, EventKey);
        RegDeleteKeyValueA(HKEY_CURRENT_USER, RunKey, "Varnolt");
        DeleteFileA(StartMenuShortcut().c_str());
    }

    const std::string PerUserDir = ShellFolder(CSIDL_LOCAL_APPDATA) + "\\Programs\\Varnolt\\";
};
}  // namespace

TEST_F(MsiTest, InstallsPerUserUpgradesAndUninstallsKeepingTheUsersFiles) {
    const std::string dir = PerUserDir;
    ASSERT_EQ(Msiexec("/i " + Package), 0);
    EXPECT_EQ(Machine(dir + "varnolt.exe"), IMAGE_FILE_MACHINE_AMD64);
    EXPECT_EQ(ReadTextFile(dir + "const\\system.txt"), ReadTextFile(StagedProgramDir() + "const\\system.txt"));
    EXPECT_TRUE(FileExists(dir + "help.chm"));
    EXPECT_NE(GetFileAttributesA((dir + "plugin").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(FileExists(StartMenuShortcut()));
    EXPECT_EQ(VarnoltEntries(), 1);
    EXPECT_EQ(UserEntry("DisplayVersion"), VARNOLT_VERSION_TEXT);
    EXPECT_EQ(UserEntry("InstallLocation"), dir);
    EXPECT_EQ(UserEntry("UninstallString").rfind("MsiExec.exe /X{", 0), 0u) << UserEntry("UninstallString");
    EXPECT_EQ(EventMessageFile(), "") << "a per-user package has no rights on the machine's registry";
    for (const char* kind : {"*", "Directory"})
        EXPECT_EQ(ShredVerbCommand(kind), "\"" + dir + "varnolt.exe\" /shred \"%1\"") << kind;
    // The installed program reads its wash items (the package brings no user.txt).
    TempDir temp;
    EXPECT_EQ(RunVarnolt(dir, "/list " + Quoted(temp.Path() + "rows.txt"), temp.Path() + "console.txt"), 0)
        << ReadTextFile(temp.Path() + "console.txt");
    EXPECT_FALSE(ReadTextFile(temp.Path() + "rows.txt").empty());

    // A newer package replaces the older one: one product, one entry, the user's files and the
    // start at log-on kept;
    // "Shred with Varnolt" taken away in Preferences stays away.
    WriteUserFiles(dir);
    SetRunValue(dir + "varnolt.exe");
    for (const char* kind : {"*", "Directory"})
        RegDeleteTreeA(HKEY_CURRENT_USER, (std::string("Software\\Classes\\") + kind + "\\shell\\VarnoltShred").c_str());
    ASSERT_EQ(Msiexec("/i " + Upgrade), 0);
    EXPECT_EQ(ShredVerbCommand("*") + ShredVerbCommand("Directory"), "");
    EXPECT_EQ(UserEntry("DisplayVersion"), VARNOLT_VERSION_TEXT ".1");
    EXPECT_EQ(InstalledPackages().size(), 1u);
    EXPECT_EQ(VarnoltEntries(), 1);
    EXPECT_TRUE(FileExists(dir + "varnolt.exe"));
    EXPECT_TRUE(RunValueStands());
    ExpectUserFiles(dir);

    // An older package is refused and changes nothing.
    EXPECT_NE(Msiexec("/i " + Package), 0);
    EXPECT_EQ(UserEntry("DisplayVersion"), VARNOLT_VERSION_TEXT ".1");
    EXPECT_EQ(InstalledPackages().size(), 1u);

    // Uninstall takes everything the package added and the start at log-on, nothing of the user's.
    ASSERT_EQ(Msiexec("/x " + Upgrade), 0);
    for (const char* file : {"varnolt.exe", "help.chm", "const\\system.txt"}) EXPECT_FALSE(FileExists(dir + file)) << file;
    EXPECT_FALSE(FileExists(StartMenuShortcut()));
    EXPECT_EQ(VarnoltEntries(), 0);
    EXPECT_TRUE(InstalledPackages().empty());
    EXPECT_FALSE(RunValueStands());
    EXPECT_EQ(ShredVerbCommand("*") + ShredVerbCommand("Directory"), "");
    ExpectUserFiles(dir);
}

TEST_F(MsiTest, TakesOverTheSetupInstallationAndSetupTakesItBack) {
    TempDir temp;
    const std::string dir = temp.Path() + "Varnolt\\";
    const std::string setup = Quoted(HostPath(VARNOLT_DIST_SETUP));
    ASSERT_EQ(RunCommand(setup + " /S /D=" + dir.substr(0, dir.size() - 1)), 0);
    ASSERT_TRUE(FileExists(dir + "uninstall.exe"));
    WriteUserFiles(dir);
    SetRunValue(dir + "varnolt.exe");

    // The package installs where setup.exe did and takes its entry; setup's uninstaller goes.
    ASSERT_EQ(Msiexec("/i " + Package), 0);
    EXPECT_EQ(UserEntry("InstallLocation"), dir);
    EXPECT_EQ(UserEntry("UninstallString").rfind("MsiExec.exe /X{", 0), 0u) << UserEntry("UninstallString");
    EXPECT_EQ(UserEntry("QuietUninstallString").find("uninstall.exe"), std::string::npos);
    EXPECT_FALSE(FileExists(dir + "uninstall.exe"));
    EXPECT_EQ(Machine(dir + "varnolt.exe"), IMAGE_FILE_MACHINE_AMD64);
    EXPECT_EQ(VarnoltEntries(), 1);
    EXPECT_EQ(InstalledPackages().size(), 1u);
    EXPECT_FALSE(FileExists(PerUserDir + "varnolt.exe"));
    ExpectUserFiles(dir);

    // setup.exe, run again, finds the folder by the entry, removes the package and installs.
    ASSERT_EQ(RunCommand(setup + " /S"), 0);
    EXPECT_TRUE(InstalledPackages().empty());
    EXPECT_EQ(UserEntry("UninstallString"), Quoted(dir + "uninstall.exe"));
    EXPECT_TRUE(FileExists(dir + "uninstall.exe"));
    EXPECT_TRUE(FileExists(dir + "varnolt.exe"));
    EXPECT_TRUE(FileExists(StartMenuShortcut()));
    EXPECT_EQ(VarnoltEntries(), 1);
    EXPECT_TRUE(RunValueStands());
    ExpectUserFiles(dir);
}

TEST_F(MsiTest, InstallsPerMachineIntoProgramFiles) {
    struct Case {
        const char* package;
        int programFiles;
        REGSAM view;
        WORD machine;
    };
    for (const Case& c : {Case{VARNOLT_DIST_MSI_X64, CSIDL_PROGRAM_FILES, KEY_WOW64_64KEY, IMAGE_FILE_MACHINE_AMD64},
                          Case{VARNOLT_DIST_MSI_X86, CSIDL_PROGRAM_FILESX86, KEY_WOW64_32KEY, IMAGE_FILE_MACHINE_I386}}) {
        SCOPED_TRACE(c.package);
        const std::string package = Quoted(HostPath(c.package));
        const std::string dir = ShellFolder(c.programFiles) + "\\Varnolt\\";
        ASSERT_EQ(Msiexec("/i " + package + " ALLUSERS=1"), 0);
        EXPECT_EQ(Machine(dir + "varnolt.exe"), c.machine);
        EXPECT_TRUE(FileExists(dir + "const\\system.txt"));
        EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, c.view, UninstallKey, "InstallLocation"), dir);
        EXPECT_EQ(UserEntry("DisplayName"), "");
        EXPECT_EQ(VarnoltEntries(), 1);
        EXPECT_FALSE(FileExists(PerUserDir + "varnolt.exe"));

        // Wine's msiexec does not take ALLUSERS from the installed product: say it again.
        ASSERT_EQ(Msiexec("/x " + package + " ALLUSERS=1"), 0);
        EXPECT_EQ(GetFileAttributesA(dir.c_str()), INVALID_FILE_ATTRIBUTES) << dir;
        EXPECT_EQ(RegString(HKEY_LOCAL_MACHINE, c.view, UninstallKey, "DisplayName"), "");
        EXPECT_TRUE(InstalledPackages().empty());
    }
}

// A per-machine installation whose folder nobody may write: the program keeps the user's files
// in LocalAppData, and /wash /report runs; the event source comes and goes with the package.
TEST_F(MsiTest, PerMachineInstallWashesWithTheUsersFilesInLocalAppData) {
    const std::string dir = ShellFolder(CSIDL_PROGRAM_FILES) + "\\Varnolt\\";
    ASSERT_EQ(Msiexec("/i " + Package + " ALLUSERS=1"), 0);
    EXPECT_EQ(EventMessageFile(), dir + "varnolt.exe");
    TempDir temp;
    const std::string local = temp.Path() + "Local\\", report = temp.Path() + "report.json";
    CreateDirectoryA(local.c_str(), nullptr);
    WriteTextFile(temp.Path() + "trace.tmp", "x");
    // The test's own item in place of the supplied ones, which would wash this prefix's traces.
    WriteTextFile(dir + "const\\system.txt",
                  "[Common]\r\nTotal=1\r\nItem0=Traces\r\n[Traces]\r\nIsActive=1\r\ntFolder.Total=1\r\n"
                  "tFolder0.ChildItemName=Temp\r\ntFolder0.isactive=1\r\ntFolder0.bycategory=1\r\n"
                  "tFolder0.deletepath=" + temp.Path() + "*.tmp\r\n");
    {
        EnvScope env;
        env.Set("LOCALAPPDATA", local.substr(0, local.size() - 1));
        ReadOnlyFolder lock(dir);
        if (!lock.Locked()) {
            Msiexec("/x " + Package + " ALLUSERS=1");
            GTEST_SKIP() << "this host cannot make a folder read-only";
        }
        EXPECT_EQ(RunVarnolt(dir, "/wash /report " + Quoted(report), temp.Path() + "console.txt"), 0)
            << ReadTextFile(temp.Path() + "console.txt");
    }
    JsonValue read;
    std::string error;
    ASSERT_TRUE(ParseJson(ReadTextFile(report), read, error)) << error;
    EXPECT_EQ(read["totals"]["filesWashed"].Int(), 1);
    EXPECT_EQ(read["exitCode"].Int(), 0);
    EXPECT_FALSE(FileExists(temp.Path() + "trace.tmp"));
    EXPECT_NE(ReadTextFile(local + "Varnolt\\log.htm").find("trace.tmp"), std::string::npos);
    EXPECT_FALSE(FileExists(dir + "log.htm"));

    ASSERT_EQ(Msiexec("/x " + Package + " ALLUSERS=1"), 0);
    EXPECT_EQ(EventMessageFile(), "");
}
