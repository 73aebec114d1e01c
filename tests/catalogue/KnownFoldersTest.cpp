#include <gtest/gtest.h>

#include <windows.h>

#include "catalogue/KnownFolders.h"
#include "catalogue/Macros.h"
#include "tests/support/TempDir.h"

namespace {
std::string Env(const char* name) {
    char buffer[MAX_PATH * 2];
    DWORD n = GetEnvironmentVariableA(name, buffer, sizeof(buffer));
    return n && n < sizeof(buffer) ? std::string(buffer, n) : std::string();
}

// Sets TMP for the life of the object and puts the old value back.
class TempVariable {
public:
    explicit TempVariable(const std::wstring& value) {
        wchar_t buffer[MAX_PATH * 2];
        DWORD n = GetEnvironmentVariableW(L"TMP", buffer, MAX_PATH * 2);
        had_ = n > 0 && n < MAX_PATH * 2;
        if (had_) old_.assign(buffer, n);
        SetEnvironmentVariableW(L"TMP", value.c_str());
    }
    ~TempVariable() { SetEnvironmentVariableW(L"TMP", had_ ? old_.c_str() : nullptr); }

private:
    bool had_ = false;
    std::wstring old_;
};
}  // namespace

TEST(KnownFolderMacros, ExpandToTheUsersFoldersInAnyCaseOnceEach) {
    const std::string local = Env("LOCALAPPDATA"), profile = Env("USERPROFILE"), data = Env("ProgramData");
    ASSERT_FALSE(local.empty() || profile.empty() || data.empty());
    EXPECT_EQ(ExpandMacros("{LocalAppData}\\Google\\Chrome"), local + "\\Google\\Chrome");
    EXPECT_EQ(ExpandMacros("{USERPROFILE}\\x;{userprofile}\\y"), profile + "\\x;{userprofile}\\y");
    EXPECT_EQ(ExpandMacros("{programdata}\\Microsoft"), data + "\\Microsoft");
    std::string low;
    ASSERT_TRUE(KnownFolderPath("{locallow}", low));
    EXPECT_EQ(ExpandMacros("{locallow}\\Sun"), low + "\\Sun");
    EXPECT_NE(low.find("LocalLow"), std::string::npos) << low;
    // The known folders mix with the older macros and leave unknown names alone.
    char windows[MAX_PATH];
    std::string windowsDir(windows, GetWindowsDirectoryA(windows, MAX_PATH));
    EXPECT_EQ(ExpandMacros("{windows}|{localappdata}|{cache}"), windowsDir + "|" + local + "|{cache}");
    EXPECT_EQ(ExpandMacros("{localappdat}\\{temp"), "{localappdat}\\{temp");
    EXPECT_FALSE(KnownFolderPath("{appdata}", low));
}

TEST(KnownFolderMacros, TempFollowsTmpWithoutItsTrailingBackslash) {
    TempDir temp;
    std::string folder = temp.Path();  // ends with a backslash
    {
        TempVariable tmp(std::wstring(folder.begin(), folder.end()));
        EXPECT_EQ(ExpandMacros("{Temp}\\*.*"), folder.substr(0, folder.size() - 1) + "\\*.*");
    }
    {
        // A drive root keeps its backslash.
        TempVariable tmp(L"C:\\");
        EXPECT_EQ(ExpandMacros("{temp}"), "C:\\");
    }
}

TEST(KnownFolderMacros, AFolderOutsideTheCodePageExpandsToItsRealName) {
    // Never a lookalike of the name, which would select another folder's files.
    TempVariable tmp(L"C:\\users\\\x4e2d\x6587\\Temp\\");
    EXPECT_EQ(ExpandMacros("{temp}\\*.*"), "C:\\users\\\xE4\xB8\xAD\xE6\x96\x87\\Temp\\*.*");
}
