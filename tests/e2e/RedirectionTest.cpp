// On 64-bit Windows a row names what regedit and Explorer show: System32 and HKLM\SOFTWARE are the
// 64-bit ones, SysWOW64 and WOW6432Node are reached by naming them. The same from the 32-bit
// program (VARNOLT_STAGE), which the system would otherwise redirect to the twins.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>

#include "catalogue/Catalogue.h"
#include "tests/support/StagedProgram.h"

namespace {
std::string SystemFolder(UINT (*call)(LPSTR, UINT)) {
    char buffer[MAX_PATH];
    UINT n = call(buffer, MAX_PATH);
    return std::string(buffer, n < MAX_PATH ? n : 0);
}

bool KeyExists(const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void CreateKey(const std::string& path) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS)
        << path;
    RegSetValueExA(key, "a", 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 2);
    RegCloseKey(key);
}

class Redirection : public StagedProgramTest {
protected:
    void SetUp() override {
        ASSERT_FALSE(wow64.empty()) << "needs a 64-bit prefix";
        StagedProgramTest::SetUp();
        for (const auto& folder : {system32, wow64}) {
            CreateDirectoryA((folder + probe).c_str(), nullptr);
            WriteTextFile(folder + probe + "\\a.tmp", "a");
        }
        WriteTextFile(wow64 + probe + "\\b.tmp", "b");
        CreateKey(key64);
        CreateKey(key32);
        CreateKey(key32 + "\\Named");
        // The rows as a user writes them; the second item names the 32-bit twins themselves.
        WriteItems("[Common]\r\nTotal=2\r\nItem0=Probe\r\nItem1=Twins\r\n"
                   "[Probe]\r\nIsActive=1\r\ntFolder.Total=1\r\n"
                   "tFolder0.ChildItemName=Files\r\ntFolder0.isactive=1\r\ntFolder0.bycategory=1\r\n"
                   "tFolder0.deletepath=C:\\Windows\\System32\\" + probe + "\\*.tmp\r\n"
                   "tRegister.Total=1\r\ntRegister0.ChildItemName=Key\r\ntRegister0.isactive=1\r\n"
                   "tRegister0.RegisterKeyName=HKEY_LOCAL_MACHINE\\" + key64 + "\r\n"
                   "tRegister0.CleanRegisterType=0\r\n"
                   "[Twins]\r\nIsActive=1\r\ntFolder.Total=1\r\n"
                   "tFolder0.ChildItemName=File\r\ntFolder0.isactive=1\r\ntFolder0.bycategory=2\r\n"
                   "tFolder0.deletefilename=C:\\Windows\\SysWOW64\\" + probe + "\\b.tmp\r\n"
                   "tRegister.Total=1\r\ntRegister0.ChildItemName=Key\r\ntRegister0.isactive=1\r\n"
                   "tRegister0.RegisterKeyName=HKEY_LOCAL_MACHINE\\" + key32 + "\\Named\r\n"
                   "tRegister0.CleanRegisterType=0\r\n");
    }
    void TearDown() override {
        for (const auto& folder : {system32, wow64}) RemoveTree(folder + probe);
        for (const auto& key : {key64, key32 + "\\Named", key32, key64 + "Only64", key32 + "Only32"})
            RegDeleteKeyA(HKEY_LOCAL_MACHINE, key.c_str());
    }

    std::string system32 = SystemFolder(GetSystemDirectoryA) + "\\";
    std::string wow64 = SystemFolder(GetSystemWow64DirectoryA) + "\\";
    std::string probe = "VarnoltProbe" + std::to_string(GetCurrentProcessId());
    std::string key64 = "SOFTWARE\\" + probe, key32 = "SOFTWARE\\WOW6432Node\\" + probe;
};
}  // namespace

TEST_F(Redirection, ListAndWashReachExactlyThePathsAndKeysNamed) {
    const std::string out = temp.Path() + "rows.txt";
    ASSERT_EQ(Run("/list \"" + out + "\""), 0) << Console();
    // System32 and SysWOW64 lie in the Windows folder, a protected place: the user's own rows
    // there wait for a check by hand, so neither /list nor /wash takes them.
    std::set<std::string> expected{"HKEY_LOCAL_MACHINE\\" + key64 + "\\",
                                   "HKEY_LOCAL_MACHINE\\" + key32 + "\\Named\\"};
    EXPECT_EQ(LinesOf(ReadTextFile(out)), expected);

    ASSERT_EQ(Run("/wash"), 0) << Console();
    for (const auto& file : {system32 + probe + "\\a.tmp", wow64 + probe + "\\a.tmp", wow64 + probe + "\\b.tmp"})
        EXPECT_TRUE(FileExists(file)) << file;
    EXPECT_FALSE(KeyExists(key64));
    EXPECT_TRUE(KeyExists(key32));
    EXPECT_FALSE(KeyExists(key32 + "\\Named"));
}

// winapp2.ini detection finds an application whose key is in either registry view.
TEST_F(Redirection, Winapp2DetectsKeysOfEitherView) {
    const std::string files = temp.Path() + "files\\";
    CreateDirectoryA(files.c_str(), nullptr);
    WriteTextFile(files + "by64.tmp", "1");
    WriteTextFile(files + "by32.tmp", "2");
    WriteTextFile(files + "byNone.tmp", "3");
    CreateKey(key64 + "Only64");
    CreateKey(key32 + "Only32");
    std::string rules;
    Catalogue order;
    const std::pair<const char*, std::string> entries[] = {
        {"by64", key64 + "Only64"}, {"by32", key64 + "Only32"}, {"byNone", "SOFTWARE\\" + probe + "None"}};
    for (int i = 0; i < 3; ++i) {
        const std::string name = std::string("Probe ") + entries[i].first + " *";
        rules += "[" + name + "]\r\nLangSecRef=3022\r\nDetect=HKLM\\" + entries[i].second + "\r\nFileKey1=" + files +
                 "|" + entries[i].first + ".tmp\r\n";
        CatalogueRow row;
        row.ItemName = "Internet: " + name;
        row.ItemFile = dir + "winapp2.ini";
        row.IsActive = true;
        order.Append(row);
    }
    WriteTextFile(dir + "winapp2.ini", rules);
    order.SaveToFile(dir + "order.ini");
    WriteItems("[Common]\r\nTotal=0\r\n");

    const std::string out = temp.Path() + "rows.txt";
    ASSERT_EQ(Run("/list \"" + out + "\""), 0) << Console();
    EXPECT_EQ(LinesOf(ReadTextFile(out)), (std::set<std::string>{files + "by64.tmp", files + "by32.tmp"}));
}
