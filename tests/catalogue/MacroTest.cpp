#include <gtest/gtest.h>

#include "catalogue/UnitMacro.h"
#include "platform/Error.h"
#include "platform/Profile.h"
#include "platform/Registry.h"
#include "settings/AppPaths.h"
#include "tests/support/TempDir.h"

namespace {
const char* const ShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

std::string WindowsDir() {
    char buffer[MAX_PATH];
    return std::string(buffer, GetWindowsDirectoryA(buffer, MAX_PATH));
}

std::string RegistryText(HKEY root, const char* key, const char* value) {
    char buffer[1024];
    DWORD size = sizeof(buffer);
    if (RegGetValueA(root, key, value, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS) return {};
    return buffer;
}

// A key of its own under HKCU\Software\VarnoltTests, removed with everything in it.
struct TestKey {
    std::string path = "Software\\VarnoltTests\\Macro" + std::to_string(GetCurrentProcessId());
    HKEY key = nullptr;
    TestKey() { RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr); }
    ~TestKey() {
        RegCloseKey(key);
        DeleteKeyTree(HKEY_CURRENT_USER, path);
    }
    void SetText(const char* name, const std::string& value) {
        RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
    }
};

// Points the program directory at a temp folder for the test's lifetime.
struct ProgramDirGuard {
    std::string saved = ProgramDir();
    explicit ProgramDirGuard(const std::string& dir) { SetProgramDir(dir); }
    ~ProgramDirGuard() { SetProgramDir(saved); }
};
}  // namespace

TEST(Macros, FixedFoldersIgnoreCaseAndReplaceTheFirstOnly) {
    const std::string windows = WindowsDir();
    ASSERT_FALSE(windows.empty());
    EXPECT_EQ(ExpandMacros("{windows}\\Temp"), windows + "\\Temp");
    EXPECT_EQ(ExpandMacros("{WINDOWS}\\Temp"), windows + "\\Temp");
    EXPECT_EQ(ExpandMacros("{Windows}\\TeMp"), windows + "\\TeMp");
    EXPECT_EQ(ExpandMacros("{windows}\\a;{windows}\\b"), windows + "\\a;{windows}\\b");

    char system[MAX_PATH];
    std::string systemDir(system, GetSystemDirectoryA(system, MAX_PATH));
    EXPECT_EQ(ExpandMacros("x{SyStEm}y"), "x" + systemDir + "y");
    EXPECT_EQ(ExpandMacros("{system}\\{windows}"), systemDir + "\\" + windows);

    EXPECT_EQ(ExpandMacros("C:\\{unknown}\\{windows"), "C:\\{unknown}\\{windows");
    EXPECT_EQ(ExpandMacros(""), "");
}

TEST(Macros, UserName) {
    char user[256];
    DWORD size = sizeof(user);
    ASSERT_TRUE(GetUserNameA(user, &size));
    EXPECT_EQ(ExpandMacros("C:\\Users\\{UserName}\\x"), std::string("C:\\Users\\") + user + "\\x");
}

TEST(Macros, RegistryFolders) {
    EXPECT_EQ(ExpandMacros("{program files}\\App"),
              RegistryText(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir") +
                  "\\App");
    std::string personal = RegistryText(HKEY_CURRENT_USER, ShellFolders, "Personal");
    std::string appData = RegistryText(HKEY_CURRENT_USER, ShellFolders, "AppData");
    ASSERT_FALSE(personal.empty());
    ASSERT_FALSE(appData.empty());
    EXPECT_EQ(ExpandMacros("{Personal}\\a"), personal + "\\a");
    EXPECT_EQ(ExpandMacros("{APPDATA}\\b"), appData + "\\b");
}

TEST(Macros, RegistryStepKeepsTheTextWithoutAValue) {
    TestKey key;
    const std::string root = "\\" + key.path;
    EXPECT_EQ(ExpandRegistryMacro("{m}\\x", "{m}", HKEY_CURRENT_USER, root + "\\Missing", "V"), "{m}\\x");
    EXPECT_EQ(ExpandRegistryMacro("{m}\\x", "{m}", HKEY_CURRENT_USER, root, "V"), "{m}\\x");
    key.SetText("Empty", "");
    EXPECT_EQ(ExpandRegistryMacro("{m}\\x", "{m}", HKEY_CURRENT_USER, root, "Empty"), "{m}\\x");
    key.SetText("V", "D:\\Docs");
    EXPECT_EQ(ExpandRegistryMacro("a{M}b{m}", "{m}", HKEY_CURRENT_USER, root, "V"), "aD:\\Docsb{m}");

    DWORD number = 5;
    RegSetValueExA(key.key, "Num", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof(number));
    try {
        ExpandRegistryMacro("{m}", "{m}", HKEY_CURRENT_USER, root, "Num");
        FAIL() << "no error";
    } catch (const AppError& e) {
        EXPECT_STREQ(e.what(), "Invalid data type for 'Num'");
    }
}

TEST(Macros, NetscapeFromTheUsersSection) {
    TempDir dir;
    ProgramDirGuard guard(dir.Path());
    const std::string user = ExpandMacros("{username}");
    ASSERT_FALSE(user.empty());

    EXPECT_EQ(ExpandMacros("{netscape}\\prefs.js"), "{netscape}\\prefs.js");
    ProfileFile settings(dir.Path() + "wildcard.ini");
    settings.WriteString("someone else", "Netscape Path", "C:\\Other");
    EXPECT_EQ(ExpandMacros("{netscape}\\prefs.js"), "{netscape}\\prefs.js");

    settings.WriteString(user, "Netscape Path", "C:\\NS\\abc.slt");
    EXPECT_EQ(ExpandMacros("{NETSCAPE}\\prefs.js"), "C:\\NS\\abc.slt\\prefs.js");

    // A value is expanded further only by the macros after "{netscape}".
    settings.WriteString(user, "Netscape Path", "{appdata}\\NS");
    EXPECT_EQ(ExpandMacros("{netscape}"), RegistryText(HKEY_CURRENT_USER, ShellFolders, "AppData") + "\\NS");
    settings.WriteString(user, "Netscape Path", "{windows}\\NS");
    EXPECT_EQ(ExpandMacros("{netscape}"), "{windows}\\NS");
}
