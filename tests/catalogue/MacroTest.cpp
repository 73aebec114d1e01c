#include <gtest/gtest.h>

#include "catalogue/Macros.h"
#include "platform/Error.h"
#include "platform/Profile.h"
#include "platform/Registry.h"
#include "settings/AppPaths.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestKey.h"

namespace {
const char* const ShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

std::string RegistryText(HKEY root, const char* key, const char* value) {
    char buffer[1024];
    DWORD size = sizeof(buffer);
    if (RegGetValueA(root, key, value, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS) return {};
    return buffer;
}
}  // namespace

TEST(Macros, PlatformFoldersIgnoreCaseAndReplaceTheFirstOnly) {
    char buffer[MAX_PATH];
    const std::string windows(buffer, GetWindowsDirectoryA(buffer, MAX_PATH));
    const std::string system(buffer, GetSystemDirectoryA(buffer, MAX_PATH));
    DWORD size = sizeof(buffer);
    ASSERT_TRUE(GetUserNameA(buffer, &size));
    const std::string user = buffer;

    EXPECT_EQ(ExpandMacros("{WINDOWS}\\TeMp"), windows + "\\TeMp");
    EXPECT_EQ(ExpandMacros("{windows}\\a;{Windows}\\b"), windows + "\\a;{Windows}\\b");
    EXPECT_EQ(ExpandMacros("x{SyStEm}y"), "x" + system + "y");
    EXPECT_EQ(ExpandMacros("C:\\Users\\{UserName}"), "C:\\Users\\" + user);
    EXPECT_EQ(ExpandMacros("C:\\{unknown}\\{windows"), "C:\\{unknown}\\{windows");

    EXPECT_EQ(ExpandMacros("{program files}\\App"),
              RegistryText(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir") +
                  "\\App");
    const std::string personal = RegistryText(HKEY_CURRENT_USER, ShellFolders, "Personal");
    const std::string appData = RegistryText(HKEY_CURRENT_USER, ShellFolders, "AppData");
    ASSERT_FALSE(personal.empty() || appData.empty());
    EXPECT_EQ(ExpandMacros("{Personal}\\a|{APPDATA}"), personal + "\\a|" + appData);
}

TEST(Macros, RegistryStepKeepsTheTextWithoutAValue) {
    const std::string path = "Software\\VarnoltTests\\Macro" + std::to_string(GetCurrentProcessId());
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    auto expand = [&](const std::string& text, const char* value) {
        return ExpandRegistryMacro(text, "{m}", HKEY_CURRENT_USER, "\\" + path, value);
    };
    EXPECT_EQ(ExpandRegistryMacro("{m}", "{m}", HKEY_CURRENT_USER, "\\" + path + "\\Missing", "V"), "{m}");
    EXPECT_EQ(expand("{m}\\x", "V"), "{m}\\x");
    RegSetValueExA(key, "Empty", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
    EXPECT_EQ(expand("{m}\\x", "Empty"), "{m}\\x");
    RegSetValueExA(key, "V", 0, REG_SZ, reinterpret_cast<const BYTE*>("D:\\Docs"), 8);
    EXPECT_EQ(expand("a{M}b{m}", "V"), "aD:\\Docsb{m}");
    DWORD number = 5;
    RegSetValueExA(key, "Num", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof(number));
    try {
        expand("{m}", "Num");
        ADD_FAILURE() << "no error";
    } catch (const AppError& e) {
        EXPECT_STREQ(e.what(), "Invalid data type for 'Num'");
    }
    RegCloseKey(key);
    DeleteKeyTree(HKEY_CURRENT_USER, path);
}

TEST(Macros, NetscapeFromTheUsersSection) {
    TempDir dir;
    ProgramDirScope programDir{dir.Path()};
    const std::string user = ExpandMacros("{username}");
    ProfileFile settings(dir.Path() + "wildcard.ini");
    EXPECT_EQ(ExpandMacros("{netscape}\\prefs.js"), "{netscape}\\prefs.js");
    settings.WriteString("someone else", "Netscape Path", "C:\\Other");
    EXPECT_EQ(ExpandMacros("{netscape}\\prefs.js"), "{netscape}\\prefs.js");
    settings.WriteString(user, "Netscape Path", "C:\\NS\\abc.slt");
    EXPECT_EQ(ExpandMacros("{NETSCAPE}\\prefs.js"), "C:\\NS\\abc.slt\\prefs.js");
    // The value is expanded further only by the macros after "{netscape}".
    settings.WriteString(user, "Netscape Path", "{windows}|{appdata}");
    EXPECT_EQ(ExpandMacros("{netscape}"), "{windows}|" + RegistryText(HKEY_CURRENT_USER, ShellFolders, "AppData"));
}
