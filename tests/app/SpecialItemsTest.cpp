#include <gtest/gtest.h>

#include <thread>

#include "app/SpecialItems.h"
#include "app/UnitForIE.h"
#include "platform/Error.h"
#include "platform/Registry.h"
#include "settings/AppPaths.h"
#include "tests/engine/EngineTestUtil.h"
#include "tests/support/TempDir.h"

namespace {

// The Recycle Bin's folder as a Windows path, only when the test runner pointed it into
// the build tree (the user's own trash is never touched); empty otherwise.
std::string TestTrashFolder() {
    char value[MAX_PATH];
    DWORD n = GetEnvironmentVariableA("XDG_DATA_HOME", value, sizeof(value));
    std::string stage = VARNOLT_STAGE_DIR;
    std::string build = stage.substr(0, stage.rfind("/stage/"));
    if (n == 0 || n >= sizeof(value)) return {};
    std::string xdg(value, n);
    if (build.empty() || xdg.rfind(build + "/", 0) != 0) return {};
    std::string folder = "Z:" + xdg + "/Trash/";
    for (char& c : folder)
        if (c == '/') c = '\\';
    return GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES ? std::string() : folder;
}

// Puts one item into the Recycle Bin the way the desktop does: the file and its info record.
std::string AddTrashItem(const std::string& trash, const std::string& name) {
    std::string file = trash + "files\\" + name;
    WriteTextFile(file, "trashed");
    WriteTextFile(trash + "info\\" + name + ".trashinfo",
                  "[Trash Info]\nPath=/tmp/" + name + "\nDeletionDate=2024-01-02T03:04:05\n");
    return file;
}

class SpecialItems : public testing::Test {
protected:
    void TearDown() override { AbandonWashLog(); }
    TempDir dir;
    ProgramDirScope scope{dir.Path()};
};

}  // namespace

TEST(SpecificFiles, FoldersGetOneBackslashAndMissingValuesGiveNoRow) {
    TestKey key("SpecificFiles");
    key.SetString("With", "Cookies", "C:\\Cookies\\");
    key.SetString("With", "Cache", "C:\\Cache\\");
    key.SetString("Without", "Cookies", "C:\\Cookies");
    key.SetString("Without", "Cache", "C:\\Cache");
    key.SetString("CacheOnly", "Cache", "D:\\Temp");
    const SpecificFileList expected = {"C:\\Cookies\\index.dat", "C:\\Cache\\Content.IE5\\index.dat"};
    EXPECT_EQ(ReadSpecificFileList(HKEY_CURRENT_USER, "\\" + key.Path() + "\\With"), expected);
    EXPECT_EQ(ReadSpecificFileList(HKEY_CURRENT_USER, "\\" + key.Path() + "\\Without"), expected);
    EXPECT_EQ(ReadSpecificFileList(HKEY_CURRENT_USER, "\\" + key.Path() + "\\CacheOnly"),
              SpecificFileList{"D:\\Temp\\Content.IE5\\index.dat"});
    EXPECT_TRUE(ReadSpecificFileList(HKEY_CURRENT_USER, "\\" + key.Path() + "\\Missing").empty());
}

// The cookie index of the real "Shell Folders" key, locked as the browser keeps it, washed
// from a row in another letter case.
TEST_F(SpecialItems, LockedCookieIndexCountsAsSpecificFile) {
    RegistryKey shellFolders(HKEY_CURRENT_USER);
    ASSERT_TRUE(shellFolders.OpenKey(ShellFoldersKey));
    std::string cookies = shellFolders.ReadString("Cookies");
    std::string cache = shellFolders.ReadString("Cache");
    ASSERT_FALSE(cookies.empty());
    ASSERT_NE(cookies.back(), '\\');
    SpecificFileList files = BuildSpecificFileList();
    ASSERT_EQ(files, (SpecificFileList{cookies + "\\index.dat", cache + "\\Content.IE5\\index.dat"}));

    bool madeFolder = CreateDirectoryA(cookies.c_str(), nullptr);
    std::string index = files[0];
    ASSERT_FALSE(FileExists(index)) << "a real cookie index is in the way";
    WriteTextFile(index, "cookies");
    HANDLE holder = CreateFileA(index.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);

    std::string row = index;
    CharUpperBuffA(row.data(), static_cast<DWORD>(row.size()));
    ASSERT_NE(row, index);
    EXPECT_EQ(SpecificFileIndex(files, row), 0);
    int success = -1, fail = -1;
    OpenWashLog();
    WashFileList(MakeList({{row, true}}), true, true, files, success, fail);
    CloseWashLog();
    CloseHandle(holder);
    EXPECT_EQ(success, 1);
    EXPECT_EQ(fail, 0);
    EXPECT_NE(ReadTextFile(LogFilePath()).find("Specific File"), std::string::npos);
    DeleteFileA(index.c_str());
    if (madeFolder) RemoveDirectoryA(cookies.c_str());
}

TEST_F(SpecialItems, EachItemWritesABlockOfItsOwnAndOtherCasesRunNothing) {
    std::string trash = TestTrashFolder();
    if (trash.empty()) GTEST_SKIP() << "the Recycle Bin is not the test runner's own";
    std::string item = AddTrashItem(trash, "kept.txt");

    WashSpecialItem("recycle bin", true, nullptr);
    WashSpecialItem("Some Other Item", true, nullptr);
    EXPECT_TRUE(FileExists(item));
    std::string log = ReadTextFile(LogFilePath());
    auto row = [](const std::string& name) {
        return "<tr>\r\n"
               "<td width=\"14%\"><font size=\"2\" color=\"#FF00FF\">Special Item</font></td>\r\n"
               "<td width=\"5%\"><font size=\"2\" color=\"#FF00FF\">&nbsp;</font></td>\r\n"
               "<td width=\"8%\"><font size=\"2\" color=\"#FF00FF\">Success</font></td>\r\n"
               "<td width=\"61%\"><font size=\"2\" color=\"#FF00FF\">" + name + "</font></td>\r\n"
               "<td width=\"12%\"><font size=\"2\" color=\"#FF00FF\">&nbsp;</font></td>\r\n"
               "</tr>\r\n</table>\r\n";
    };
    auto first = log.find(row("recycle bin"));
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(log.find("<p align=\"center\">", 1), log.find("<p align=\"center\">", first));
    EXPECT_EQ(log.size() - row("Some Other Item").size(), log.rfind(row("Some Other Item")));

    WashSpecialItem("Recycle Bin", false, nullptr);
    EXPECT_FALSE(FileExists(item));
    EXPECT_EQ(ReadTextFile(LogFilePath()), log);
}

TEST_F(SpecialItems, EmptyRecycleBinRemovesEveryItem) {
    std::string trash = TestTrashFolder();
    if (trash.empty()) GTEST_SKIP() << "the Recycle Bin is not the test runner's own";
    std::string a = AddTrashItem(trash, "a.txt");
    std::string b = AddTrashItem(trash, "b b.dat");
    EmptyRecycleBin(nullptr);
    EXPECT_FALSE(FileExists(a));
    EXPECT_FALSE(FileExists(b));
    // An empty Recycle Bin is no error either.
    EmptyRecycleBin(nullptr);
}

TEST_F(SpecialItems, UrlHistoryIsClearedWithoutErrorWhereComIsReady) {
    EXPECT_NO_THROW(ClearUrlHistory());
    WashSpecialItem(UrlHistoryItem, true, nullptr);
    EXPECT_NE(ReadTextFile(LogFilePath()).find(">The history of Internet Explorer</font>"), std::string::npos);
}

TEST_F(SpecialItems, UrlHistoryErrorEndsTheItemBeforeItsLogRow) {
    // A thread without COM can't create the history object: the error reaches the caller.
    std::string clearError, washError;
    std::thread worker([&] {
        try {
            ClearUrlHistory();
        } catch (const AppError& e) {
            clearError = e.what();
        }
        try {
            WashSpecialItem(UrlHistoryItem, true, nullptr);
        } catch (const AppError& e) {
            washError = e.what();
        }
    });
    worker.join();
    EXPECT_FALSE(clearError.empty());
    EXPECT_EQ(washError, clearError);
    EXPECT_FALSE(FileExists(LogFilePath()));
    EXPECT_FALSE(WashLogIsOpen());
}
