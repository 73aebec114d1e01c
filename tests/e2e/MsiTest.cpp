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

#include "tests/support/ShredVerbValue.h"
#include "tests/support/Program.h"
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

std::string HostPath(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return "Z:" + path;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// Runs a command line and returns its exit code, or -1 when it did not end in time.
int RunCommand(std::string commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return -2;
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(info.hProcess, 120000) == WAIT_OBJECT_0) GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
    return static_cast<int>(code);
}

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

// Uninstall entries the user sees named Varnolt: the current user's and both views of the
// machine's, less the hidden ones (SystemComponent 1).
int VarnoltEntries() {
    int count = 0;
    const std::pair<HKEY, REGSAM> places[] = {
        {HKEY_CURRENT_USER, 0}, {HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY}, {HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY}};
    for (auto [root, view] : places) {
        HKEY uninstall;
        if (RegOpenKeyExA(root, UninstallPath, 0, KEY_READ | view, &uninstall) != ERROR_SUCCESS) continue;
        char name[256], shown[256];
        for (DWORD i = 0, n = sizeof(name);
             RegEnumKeyExA(uninstall, i, name, &n, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
             ++i, n = sizeof(name)) {
            DWORD size = sizeof(shown), hidden = 0, hiddenSize = sizeof(hidden);
            if (RegGetValueA(uninstall, name, "DisplayName", RRF_RT_REG_SZ, nullptr, shown, &size) != ERROR_SUCCESS ||
                std::string(shown) != "Varnolt")
                continue;
            RegGetValueA(uninstall, name, "SystemComponent", RRF_RT_REG_DWORD, nullptr, &hidden, &hiddenSize);
            if (hidden != 1) ++count;
        }
        RegCloseKey(uninstall);
    }
    return count;
}

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

std::string ShellFolder(int csidl) {
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

std::string StartMenuShortcut() { return ShellFolder(CSIDL_PROGRAMS) + "\\Varnolt.lnk"; }

// The machine field of a program's PE header.
WORD Machine(const std::string& exe) {
    std::string bytes = ReadTextFile(exe);
    if (bytes.size() < 0x40) return 0;
    DWORD at = *reinterpret_cast<const DWORD*>(bytes.data() + 0x3c);
    if (bytes.size() < at + 6) return 0;
    return *reinterpret_cast<const WORD*>(bytes.data() + at + 4);
}

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
    for (const char* kind : {"*", "Directory"})
        EXPECT_EQ(ShredVerbCommand(kind), "\"" + dir + "varnolt.exe\" /shred \"%1\"") << kind;
    // The installed program reads its wash items (the package brings no user.txt).
    TempDir temp;
    EXPECT_EQ(RunVarnolt(dir, "/list " + Quoted(temp.Path() + "rows.txt"), temp.Path() + "console.txt"), 0)
        << ReadTextFile(temp.Path() + "console.txt");
    EXPECT_FALSE(ReadTextFile(temp.Path() + "rows.txt").empty());

    // A newer package replaces the older one: one product, one entry, the user's files and the
    // start at log-on kept.
    WriteUserFiles(dir);
    SetRunValue(dir + "varnolt.exe");
    ASSERT_EQ(Msiexec("/i " + Upgrade), 0);
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
