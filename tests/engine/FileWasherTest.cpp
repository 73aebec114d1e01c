#include <gtest/gtest.h>

#include <cstring>

#include "engine/SecureDelete.h"
#include "engine/WashEngine.h"
#include "tests/engine/EngineTestUtil.h"
#include "tests/support/HeldFile.h"
#include "tests/support/TempDir.h"
#include "tests/support/Wait.h"

namespace {

class FileWash : public WashFolderTest {
protected:
    std::string MakeFile(const std::string& name, const std::string& text = "secret") {
        WriteTextFile(dir.Path() + name, text);
        return dir.Path() + name;
    }

    // Washes the list in a log block of its own and returns the block.
    std::string Wash(const CheckListModel& list, bool quick, const SpecificFileList& specific = {}) {
        DeleteFileA(LogFilePath().c_str());
        OpenWashLog();
        WashFileList(list, quick, true, specific, success, fail);
        CloseWashLog();
        return ReadTextFile(LogFilePath());
    }

    static bool Has(const std::string& log, const std::string& colour, const std::string& text) {
        return log.find("color=\"" + colour + "\">" + text + "</font>") != std::string::npos;
    }

    int success = -1, fail = -1;
};

}  // namespace

TEST_F(FileWash, ReadOnlyFileGoesUnderQuickDeleteOnly) {
    const DWORD hiddenReadOnly = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY;
    std::string quick = MakeFile("quick.txt"), secure = MakeFile("secure.txt"), hidden = MakeFile("hidden.txt");
    SetFileAttributesA(quick.c_str(), hiddenReadOnly);
    SetFileAttributesA(secure.c_str(), hiddenReadOnly);
    SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);

    std::string log = Wash(MakeList({{quick, true}}), true);
    EXPECT_EQ(success, 1);
    EXPECT_FALSE(FileExists(quick));
    EXPECT_TRUE(Has(log, "#000000", "Quick"));

    log = Wash(MakeList({{secure, true}, {hidden, true}}), false);
    EXPECT_EQ(success, 1);
    EXPECT_EQ(fail, 1);
    EXPECT_FALSE(FileExists(hidden));
    // The read-only file keeps its bits and its content: nothing was written into it.
    EXPECT_EQ(GetFileAttributesA(secure.c_str()) & hiddenReadOnly, hiddenReadOnly);
    EXPECT_EQ(ReadTextFile(secure), "secret");
    EXPECT_TRUE(Has(log, "#FF0000", "Secure"));
    EXPECT_TRUE(Has(log, "#FF0000", "File Locked"));
    SetFileAttributesA(secure.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(FileWash, LockedFileFailsAndADeletableSpecificFileIsAPlainSuccess) {
    std::string locked = MakeFile("locked.txt"), specific = MakeFile("index.dat");
    SpecificFileList list = {dir.Path() + "COOKIES.TXT", dir.Path() + "INDEX.DAT"};
    EXPECT_EQ(SpecificFileIndex(list, specific), 1);
    EXPECT_EQ(SpecificFileIndex(list, locked), -1);

    HeldFile holder(locked, 0);
    ASSERT_TRUE(holder.Held());
    for (bool quick : {true, false}) {
        std::string log = Wash(MakeList({{locked, true}}), quick);
        EXPECT_EQ(fail, 1);
        EXPECT_TRUE(Has(log, "#FF0000", "Fail"));
        EXPECT_TRUE(Has(log, "#FF0000", "File Locked"));
    }
    holder.Release();
    EXPECT_EQ(ReadTextFile(locked), "secret");

    std::string log = Wash(MakeList({{specific, true}}), true, list);
    EXPECT_EQ(success, 1);
    EXPECT_FALSE(FileExists(specific));
    EXPECT_TRUE(Has(log, "#000000", "&nbsp;"));
    EXPECT_EQ(log.find("Specific File"), std::string::npos);
}

TEST_F(FileWash, UncheckedVanishedAndFolderRowsAreNeitherDeletedCountedNorLogged) {
    std::string kept = MakeFile("unchecked.txt"), washed = dir.Path() + "checked.txt", folder = dir.Path() + "sub";
    CreateDirectoryA(folder.c_str(), nullptr);
    CheckListModel list = MakeList({{dir.Path() + "vanished.txt", true}, {kept, false}, {folder, true},
                                    {folder + "\\", true}, {washed, true}, {washed, true}});
    for (bool quick : {true, false}) {
        WriteTextFile(washed, "x");
        std::string log = Wash(list, quick);
        EXPECT_EQ(success, 1);
        EXPECT_EQ(fail, 0);
        EXPECT_EQ(log.find("<tr>", log.find("<tr>") + 1), log.rfind("<tr>"));  // one row after the heading
        EXPECT_TRUE(FileExists(kept) && FileExists(folder));
    }
    EXPECT_FALSE(WashOneFile(folder, true) || WashOneFile(folder, false));
    EXPECT_TRUE(FileExists(folder));
    WriteTextFile(washed, "x");
    WashFileList(list, true, false, {}, success, fail);
    EXPECT_EQ(success, 1);
    WashFileList(CheckListModel(), true, false, {}, success, fail);
    EXPECT_EQ(success + fail, 0);
}

// A hard link keeps the data after the name is deleted: it shows what was written, and that the
// file was emptied before it went.
TEST_F(FileWash, SecureDeleteWritesWholeChunksOfA) {
    char chunk[OverwriteChunkSize];
    memset(chunk, 'A', sizeof(chunk));
    for (auto [size, written] : {std::pair<size_t, size_t>{0, 0}, {1, 102400}, {102400, 102400},
                                 {102401, 204800}, {3 * 102400 + 7, 4 * 102400}}) {
        SCOPED_TRACE(size);
        std::string path = MakeFile("data.bin", std::string(size, 'z')), watch = dir.Path() + "watch.bin";
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        EXPECT_TRUE(OverwriteOpenFile(file, chunk));
        CloseHandle(file);
        std::string data = ReadTextFile(path);
        EXPECT_EQ(data.size(), written);
        EXPECT_EQ(data.find_first_not_of('A'), std::string::npos);

        ASSERT_TRUE(CreateHardLinkA(watch.c_str(), path.c_str(), nullptr));
        EXPECT_TRUE(SecureDeleteFile(path));
        EXPECT_FALSE(FileExists(path));
        EXPECT_EQ(ReadTextFile(watch), "");
        DeleteFileA(watch.c_str());
    }
}

// A link the system reports as a reparse point is removed as a link; one it resolves by
// itself (a host symlink under Wine, whose deletion would remove the target) stays, failed, by a
// quick delete as by a secure one.
TEST_F(FileWash, NoDeleteGoesThroughALink) {
    for (bool quick : {true, false}) {
        SCOPED_TRACE(quick ? "quick" : "secure");
        TempDir outside;
        std::string target = outside.Path() + "target.txt", link = dir.Path() + "link.txt";
        WriteTextFile(target, "keep me");
        if (!MakeHostFileLink(HostPath(target), link)) GTEST_SKIP() << "needs host symbolic links";
        bool reparse = GetFileAttributesA(link.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT;
        Wash(MakeList({{link, true}}), quick);
        EXPECT_EQ(ReadTextFile(target), "keep me");
        EXPECT_EQ(FileExists(link), !reparse);
        EXPECT_EQ(fail, reparse ? 0 : 1);
        if (FileExists(link)) StartHost("/bin/rm -f \"" + HostLinkPath(link) + "\"");
        WaitUntil([&] { return !FileExists(link); }, 5000);
    }
}

// Secure deletes run several at once: the log keeps the order of the list, a file held open
// fails alone (its content whole), a name listed twice goes once, and the rest goes.
TEST_F(FileWash, SecureWashOfManyFilesKeepsTheListsOrder) {
    std::vector<std::pair<std::string, bool>> rows;
    for (int i = 0; i < 40; ++i) rows.push_back({MakeFile("f" + std::to_string(100 + i) + ".txt"), true});
    const std::string held = rows[17].first;
    rows.insert(rows.begin() + 30, {rows[5].first, true});
    rows.insert(rows.begin() + 6, {rows[5].first, true});
    HeldFile holder(held, 0);
    ASSERT_TRUE(holder.Held());
    std::string log = Wash(MakeList(rows), false);
    holder.Release();

    EXPECT_EQ(success, 39);
    EXPECT_EQ(fail, 1);
    EXPECT_EQ(ReadTextFile(held), "secret");
    size_t at = 0;
    for (int i = 0; i < 40; ++i) {
        std::string path = dir.Path() + "f" + std::to_string(100 + i) + ".txt";
        SCOPED_TRACE(path);
        EXPECT_EQ(FileExists(path), path == held);
        size_t found = log.find(path, at);
        ASSERT_NE(found, std::string::npos);
        at = found + path.size();
    }
    EXPECT_EQ(log.find(dir.Path() + "f105.txt", log.find(dir.Path() + "f105.txt") + 1), std::string::npos);
    EXPECT_TRUE(Has(log, "#FF0000", "File Locked"));
}
