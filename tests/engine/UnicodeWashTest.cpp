// Washing files and keys named outside the ANSI code page or beyond 260 characters, and what
// the log makes of their names.
#include <gtest/gtest.h>

#include "engine/WashEngine.h"
#include "engine/WashLog.h"
#include "platform/WideText.h"
#include "tests/engine/EngineTestUtil.h"
#include "tests/support/LogText.h"
#include "tests/support/HeldFile.h"
#include "tests/support/TempDir.h"

namespace {
const std::string Greek = "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC";
const std::string Japanese = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E";
const std::string Emoji = "\xF0\x9F\x98\x80";
const std::string Cafe = "caf\xC3\xA9";


bool LogShows(const std::string& log, const std::string& item) {
    return DecodeLog(log).find(L">" + Widen(item) + L"</font>") != std::wstring::npos;
}

class UnicodeWash : public WashFolderTest {
protected:
    int success = -1, fail = -1;
};
}  // namespace

TEST_F(UnicodeWash, FilesInThreeScriptsAndALongPathAreDeletedAndLoggedByName) {
    if (GetACP() != 1252) GTEST_SKIP() << "needs the Western code page";
    std::string deep = dir.Path();
    while (deep.size() < 290) {
        deep += std::string(40, 'p') + "\\";
        CreateDirectoryW(WidePath(deep).c_str(), nullptr);
    }
    std::vector<std::string> paths = {dir.Path() + Greek + ".txt", dir.Path() + Japanese + ".txt",
                                      dir.Path() + Emoji + ".txt", dir.Path() + Cafe + ".txt", deep + Greek + ".txt"};
    for (const auto& path : paths) WriteTextFile(path, "secret");
    // Held open without delete sharing by another handle, in the middle of the list.
    std::string locked = dir.Path() + Japanese + " locked.txt";
    WriteTextFile(locked, "secret");
    HeldFile hold(locked);
    ASSERT_TRUE(hold.Held());
    CheckListModel list;
    for (size_t i = 0; i < paths.size(); ++i) {
        list.Add(paths[i], true);
        if (i == 1) list.Add(locked, true);
    }
    for (bool quick : {true, false}) {
        for (const auto& path : paths) WriteTextFile(path, "secret");
        DeleteFileW(WidePath(LogFilePath()).c_str());
        OpenWashLog();
        WashFileList(list, quick, true, {}, success, fail);
        CloseWashLog();
        EXPECT_EQ(success, 5) << quick;
        EXPECT_EQ(fail, 1) << quick;
        std::string log = ReadTextFile(LogFilePath());
        for (const auto& path : paths) {
            EXPECT_FALSE(FileExists(path)) << path;
            EXPECT_TRUE(LogShows(log, path)) << path;
        }
        EXPECT_EQ(ReadTextFile(locked), "secret");
        EXPECT_TRUE(LogShows(log, locked));
        EXPECT_NE(log.find("File Locked"), std::string::npos);
        // The Western name is written in the code page as before; the others as references.
        EXPECT_NE(log.find("caf\xE9.txt"), std::string::npos);
        EXPECT_EQ(log.find(Greek), std::string::npos);
        EXPECT_EQ(log.find('?'), std::string::npos);
        EXPECT_EQ(log.rfind("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\r\n", 0),
                  0u);
    }
}

TEST_F(UnicodeWash, LogTextKeepsEveryCharacterAndEscapesMarkup) {
    if (GetACP() != 1252) GTEST_SKIP() << "needs the Western code page";
    const std::string item = "C:\\<" + Greek + "&" + Emoji + ">\\" + Cafe;
    OpenWashLog();
    WriteWashLogRow(WashRowKind::RegistryEntry, false, true, item, Japanese);
    CloseWashLog();
    std::string log = ReadTextFile(LogFilePath());
    EXPECT_NE(log.find("&#128512;"), std::string::npos);  // one reference for the pair
    EXPECT_NE(log.find("&lt;"), std::string::npos);
    EXPECT_EQ(log.find('<' + Greek), std::string::npos);
    std::wstring text = DecodeLog(log);
    EXPECT_NE(text.find(Widen("C:\\&lt;" + Greek + "&amp;" + Emoji + "&gt;\\" + Cafe)), std::wstring::npos);
    EXPECT_NE(text.find(Widen(">" + Japanese + "<")), std::wstring::npos);
}

TEST_F(UnicodeWash, KeysAndValuesNamedInOtherScriptsAreWashed) {
    TestKey key("UnicodeWash");
    RegistryKey registry;
    ASSERT_TRUE(registry.OpenKey(key.Path() + "\\" + Greek + "\\" + Emoji, true));
    ASSERT_TRUE(registry.OpenKey(key.Path() + "\\" + Japanese, true));
    registry.WriteString(Emoji, "x");
    registry.CloseKey();
    CheckListModel list;
    list.Add(key.Full() + "\\" + Japanese + "\\" + DeleteValueMarker + Emoji, true);
    list.Add(key.Full() + "\\" + Greek + DeleteKeyMarker, true);
    OpenWashLog();
    WashRegistryList(list, true, success, fail);
    CloseWashLog();
    EXPECT_EQ(success, 2);
    EXPECT_EQ(fail, 0);
    EXPECT_FALSE(key.Exists(Greek));
    ASSERT_TRUE(registry.OpenKey(key.Path() + "\\" + Japanese));
    EXPECT_FALSE(registry.ValueExists(Emoji));
    std::string log = ReadTextFile(LogFilePath());
    EXPECT_TRUE(LogShows(log, key.Full() + "\\" + Japanese + "\\" + Emoji));
    EXPECT_TRUE(LogShows(log, key.Full() + "\\" + Greek));
}

// A wash that ended part-way (an error, or the process ended with the session) left a block
// without its end: the next wash ends it before starting its own.
TEST_F(UnicodeWash, ABlockLeftOpenIsEndedSoEveryTableCloses) {
    OpenWashLog();
    WriteWashLogRow(WashRowKind::FolderFile, true, true, "C:\\one.txt", "");
    AbandonWashLog();
    // As a process ended in the middle of a wash leaves it.
    std::string cut = ReadTextFile(LogFilePath());
    cut.resize(cut.rfind("</table>"));
    WriteTextFile(LogFilePath(), cut);
    OpenWashLog();
    WriteWashLogRow(WashRowKind::FolderFile, true, true, "C:\\two.txt", "");
    CloseWashLog();
    std::string log = ReadTextFile(LogFilePath());
    size_t tables = 0, ends = 0, at = 0;
    while ((at = log.find("<table ", at)) != std::string::npos) ++tables, ++at;
    at = 0;
    while ((at = log.find("</table>", at)) != std::string::npos) ++ends, ++at;
    EXPECT_EQ(tables, 2u);
    EXPECT_EQ(ends, 2u);
    EXPECT_LT(log.find("</table>"), log.find("<p align", log.find("C:\\one.txt")));
}

// Rows reach the file while the wash goes on, so a process ended part-way keeps them.
TEST_F(UnicodeWash, RowsOfALongWashReachTheFileBeforeItEnds) {
    const DWORD interval = SetWashLogFlushInterval(60000);
    OpenWashLog();
    WriteWashLogRow(WashRowKind::FolderFile, true, true, "C:\\first.txt", "");
    EXPECT_EQ(ReadTextFile(LogFilePath()).find("C:\\first.txt"), std::string::npos) << "a new row waits in the buffer";
    // Once the interval has passed, the next row takes the rows before it along.
    SetWashLogFlushInterval(0);
    WriteWashLogRow(WashRowKind::FolderFile, true, true, "C:\\second.txt", "");
    std::string onDisk = ReadTextFile(LogFilePath());
    EXPECT_NE(onDisk.find("C:\\first.txt"), std::string::npos);
    EXPECT_NE(onDisk.find("C:\\second.txt"), std::string::npos);
    CloseWashLog();
    SetWashLogFlushInterval(interval);
}
