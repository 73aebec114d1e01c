#include <gtest/gtest.h>

#include <thread>

#include "engine/SpecialItems.h"
#include "engine/UrlHistory.h"
#include "platform/Error.h"
#include "tests/engine/EngineTestUtil.h"
#include "tests/support/HeldFile.h"
#include "tests/support/TempDir.h"
#include "tests/support/Trash.h"

namespace {

using SpecialItems = WashFolderTest;

}  // namespace

TEST(SpecificFiles, FoldersGetOneBackslashAndMissingValuesGiveNoRow) {
    TestKey key("SpecificFiles");
    key.Set("With", "Cookies", "C:\\Cookies\\");
    key.Set("With", "Cache", "C:\\Cache\\");
    key.Set("Without", "Cookies", "C:\\Cookies");
    key.Set("Without", "Cache", "C:\\Cache");
    key.Set("CacheOnly", "Cache", "D:\\Temp");
    const SpecificFileList both = {"C:\\Cookies\\index.dat", "C:\\Cache\\Content.IE5\\index.dat"};
    const std::string path = "\\" + key.Path() + "\\";
    EXPECT_EQ(ReadSpecificFileList(HKEY_CURRENT_USER, path + "With"), both);
    EXPECT_EQ(ReadSpecificFileList(HKEY_CURRENT_USER, path + "Without"), both);
    EXPECT_EQ(ReadSpecificFileList(HKEY_CURRENT_USER, path + "CacheOnly"),
              SpecificFileList{"D:\\Temp\\Content.IE5\\index.dat"});
    EXPECT_TRUE(ReadSpecificFileList(HKEY_CURRENT_USER, path + "Missing").empty());
}

// The cookie index of the real "Shell Folders" key, locked as the browser keeps it, washed
// from a row in another letter case.
TEST_F(SpecialItems, LockedCookieIndexInAnotherCaseCountsAsSpecificFile) {
    RegistryKey shellFolders;
    ASSERT_TRUE(shellFolders.OpenKey(ShellFoldersKey));
    std::string cookies = shellFolders.ReadString("Cookies"), cache = shellFolders.ReadString("Cache");
    SpecificFileList files = BuildSpecificFileList();
    ASSERT_EQ(files, (SpecificFileList{cookies + "\\index.dat", cache + "\\Content.IE5\\index.dat"}));

    bool madeFolder = CreateDirectoryA(cookies.c_str(), nullptr);
    ASSERT_FALSE(FileExists(files[0])) << "a real cookie index is in the way";
    WriteTextFile(files[0], "cookies");
    HeldFile holder(files[0], 0);
    ASSERT_TRUE(holder.Held());
    std::string row = files[0];
    CharUpperBuffA(row.data(), static_cast<DWORD>(row.size()));
    ASSERT_NE(row, files[0]);
    int success = -1, fail = -1;
    OpenWashLog();
    WashFileList(MakeList({{row, true}}), true, true, files, success, fail);
    CloseWashLog();
    holder.Release();
    EXPECT_EQ(success, 1);
    EXPECT_EQ(fail, 0);
    EXPECT_NE(ReadTextFile(LogFilePath()).find(">Specific File<"), std::string::npos);
    DeleteFileA(files[0].c_str());
    if (madeFolder) RemoveDirectoryA(cookies.c_str());
}

TEST_F(SpecialItems, EachItemWritesABlockOfItsOwnAndOnlyExactNamesRunAnOperation) {
    std::string trash = TestTrashFolder();
    if (trash.empty()) GTEST_SKIP() << "the Recycle Bin is not the test runner's own";
    std::string a = AddTrashItem(trash, "a.txt"), b = AddTrashItem(trash, "b b.dat");

    WashSpecialItem("recycle bin", true, nullptr);
    WashSpecialItem("Other", true, nullptr);
    EXPECT_TRUE(FileExists(a));
    std::string log = ReadTextFile(LogFilePath());
    const std::string row = "<tr>\r\n<td width=\"14%\"><font size=\"2\" color=\"#FF00FF\">Special Item</font></td>\r\n"
                            "<td width=\"5%\"><font size=\"2\" color=\"#FF00FF\">&nbsp;</font></td>\r\n"
                            "<td width=\"8%\"><font size=\"2\" color=\"#FF00FF\">Success</font></td>\r\n"
                            "<td width=\"61%\"><font size=\"2\" color=\"#FF00FF\">";
    // Each block ends with its summary line: a name that runs no operation washes nothing.
    const std::string end = "</font></td>\r\n<td width=\"12%\"><font size=\"2\" color=\"#FF00FF\">&nbsp;</font></td>"
                            "\r\n</tr>\r\n</table>\r\n"
                            "<p><font size=\"2\">Files washed: 0, space freed: 0 bytes, failures: 0</font></p>\r\n";
    auto first = log.find(row + "recycle bin" + end);
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(log.rfind("<p align=\"center\">"), first + (row + "recycle bin" + end).size());
    EXPECT_EQ(log.rfind(row + "Other" + end), log.size() - (row + "Other" + end).size());

    WashSpecialItem(RecycleBinItem, false, nullptr);
    EXPECT_FALSE(FileExists(a) || FileExists(b));
    EXPECT_EQ(ReadTextFile(LogFilePath()), log);
    EmptyRecycleBin(nullptr);  // an empty Recycle Bin is no error either
}

TEST_F(SpecialItems, UrlHistoryErrorEndsTheItemBeforeItsLogRow) {
    EXPECT_NO_THROW(ClearUrlHistory());
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
    WashSpecialItem(UrlHistoryItem, true, nullptr);
    EXPECT_NE(ReadTextFile(LogFilePath()).find(">The history of Internet Explorer<"), std::string::npos);
}
