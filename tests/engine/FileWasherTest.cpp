#include <gtest/gtest.h>

#include "engine/Unitwasher.h"
#include "settings/AppPaths.h"
#include "tests/engine/EngineTestUtil.h"
#include "tests/support/TempDir.h"

namespace {

class FileWash : public testing::Test {
protected:
    void TearDown() override { AbandonWashLog(); }

    std::string MakeFile(const std::string& name, const std::string& text = "secret") {
        std::string path = dir.Path() + name;
        WriteTextFile(path, text);
        return path;
    }

    // Washes the list inside one log block and returns the log text.
    std::string Wash(const CheckListModel& list, bool quick, const SpecificFileList& specific = {}) {
        DeleteFileA(LogFilePath().c_str());
        OpenWashLog();
        WashFileList(list, quick, true, specific, success, fail);
        CloseWashLog();
        return ReadTextFile(LogFilePath());
    }

    static int Rows(const std::string& log) {
        int n = 0;
        for (size_t at = log.find("<td width=\"61%\"><font"); at != std::string::npos;
             at = log.find("<td width=\"61%\"><font", at + 1))
            ++n;
        return n;
    }

    TempDir dir;
    ProgramDirScope scope{dir.Path() + "log\\"};
    int success = -1, fail = -1;

public:
    FileWash() { CreateDirectoryA((dir.Path() + "log").c_str(), nullptr); }
};

bool AllBytesAre(const std::string& text, char c) { return text.find_first_not_of(c) == std::string::npos; }

}  // namespace

TEST_F(FileWash, HiddenReadOnlyFileGoesUnderQuickDeleteOnly) {
    const DWORD hiddenReadOnly = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY;
    std::string quick = MakeFile("quick.txt");
    std::string secure = MakeFile("secure.txt");
    ASSERT_TRUE(SetFileAttributesA(quick.c_str(), hiddenReadOnly));
    ASSERT_TRUE(SetFileAttributesA(secure.c_str(), hiddenReadOnly));

    std::string log = Wash(MakeList({{quick, true}}), true);
    EXPECT_EQ(success, 1);
    EXPECT_EQ(fail, 0);
    EXPECT_FALSE(FileExists(quick));
    EXPECT_NE(log.find("\">Quick</font>"), std::string::npos);

    log = Wash(MakeList({{secure, true}}), false);
    EXPECT_EQ(success, 0);
    EXPECT_EQ(fail, 1);
    ASSERT_TRUE(FileExists(secure));
    // Read-only stays read-only and nothing was written into it.
    EXPECT_EQ(GetFileAttributesA(secure.c_str()) & hiddenReadOnly, hiddenReadOnly);
    EXPECT_EQ(ReadTextFile(secure), "secret");
    EXPECT_NE(log.find("color=\"#FF0000\">Secure</font>"), std::string::npos);
    EXPECT_NE(log.find("color=\"#FF0000\">File Locked</font>"), std::string::npos);
    SetFileAttributesA(secure.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(FileWash, HiddenFileGoesUnderSecureDelete) {
    std::string path = MakeFile("hidden.txt");
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    Wash(MakeList({{path, true}}), false);
    EXPECT_EQ(success, 1);
    EXPECT_FALSE(FileExists(path));
}

TEST_F(FileWash, FileHeldOpenWithoutSharingIsLockedUnderBothModes) {
    std::string path = MakeFile("locked.txt");
    HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    for (bool quick : {true, false}) {
        std::string log = Wash(MakeList({{path, true}}), quick);
        EXPECT_EQ(success, 0);
        EXPECT_EQ(fail, 1);
        EXPECT_EQ(Rows(log), 1);
        EXPECT_NE(log.find("color=\"#FF0000\">Fail</font>"), std::string::npos);
        EXPECT_NE(log.find("color=\"#FF0000\">File Locked</font>"), std::string::npos);
    }
    CloseHandle(holder);
    EXPECT_EQ(ReadTextFile(path), "secret");
}

TEST_F(FileWash, SpecificFileCountsAsSuccessInAnyLetterCase) {
    std::string path = MakeFile("index.dat");
    std::string other = MakeFile("other.dat");
    SpecificFileList specific = {dir.Path() + "COOKIES.TXT", dir.Path() + "INDEX.DAT"};
    EXPECT_EQ(SpecificFileIndex(specific, path), 1);
    EXPECT_EQ(SpecificFileIndex(specific, other), -1);
    EXPECT_EQ(SpecificFileIndex({}, path), -1);

    HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    HANDLE holder2 = CreateFileA(other.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    std::string log = Wash(MakeList({{path, true}, {other, true}}), true, specific);
    CloseHandle(holder);
    CloseHandle(holder2);
    EXPECT_EQ(success, 1);
    EXPECT_EQ(fail, 1);
    EXPECT_NE(log.find("color=\"#000000\">Success</font>"), std::string::npos);
    EXPECT_NE(log.find("color=\"#000000\">Specific File</font>"), std::string::npos);
    EXPECT_NE(log.find("color=\"#FF0000\">File Locked</font>"), std::string::npos);

    // A specific file that can be deleted is an ordinary success.
    log = Wash(MakeList({{path, true}}), true, specific);
    EXPECT_EQ(success, 1);
    EXPECT_FALSE(FileExists(path));
    EXPECT_EQ(log.find("Specific File"), std::string::npos);
    EXPECT_NE(log.find("color=\"#000000\">&nbsp;</font>"), std::string::npos);
}

TEST_F(FileWash, SkippedRowsAreNeitherDeletedCountedNorLogged) {
    std::string kept = MakeFile("unchecked.txt");
    std::string washed = MakeFile("checked.txt");
    std::string folder = dir.Path() + "folder";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    CheckListModel list = MakeList({{dir.Path() + "vanished.txt", true},
                                    {kept, false},
                                    {folder, true},
                                    {folder + "\\", true},
                                    {washed, true},
                                    {washed, true}});
    for (bool quick : {true, false}) {
        WriteTextFile(washed, "again");
        std::string log = Wash(list, quick);
        EXPECT_EQ(success, 1);
        EXPECT_EQ(fail, 0);
        EXPECT_EQ(Rows(log), 1);
        EXPECT_TRUE(FileExists(kept));
        EXPECT_TRUE(FileExists(folder));
        EXPECT_FALSE(FileExists(washed));
    }
    std::string log = Wash(CheckListModel(), true);
    EXPECT_EQ(success, 0);
    EXPECT_EQ(fail, 0);
    EXPECT_EQ(Rows(log), 0);
    EXPECT_FALSE(WashOneFile(dir.Path() + "vanished.txt", true));
    EXPECT_FALSE(SecureDeleteFile(dir.Path() + "vanished.txt"));
    EXPECT_FALSE(SecureDeleteFile(folder));
    EXPECT_TRUE(FileExists(folder));
}

TEST_F(FileWash, NoRowsAreLoggedWhenLoggingIsOff) {
    std::string path = MakeFile("a.txt");
    WashFileList(MakeList({{path, true}}), true, false, {}, success, fail);
    EXPECT_EQ(success, 1);
    EXPECT_FALSE(FileExists(LogFilePath()));
}

// A hard link keeps the file's data after the name is deleted: it shows what was written.
TEST_F(FileWash, SecureDeleteWritesWholeChunksOfA) {
    struct Case {
        size_t size;
        size_t written;
    };
    for (Case c : {Case{0, 0}, Case{1, 102400}, Case{102400, 102400}, Case{102401, 204800},
                   Case{3 * 102400 + 7, 4 * 102400}}) {
        SCOPED_TRACE(c.size);
        std::string path = dir.Path() + "data.bin";
        std::string watch = dir.Path() + "watch.bin";
        WriteFilledFile(path, c.size, 'z');
        ASSERT_TRUE(CreateHardLinkA(watch.c_str(), path.c_str(), nullptr));
        EXPECT_TRUE(SecureDeleteFile(path));
        EXPECT_FALSE(FileExists(path));
        std::string data = ReadTextFile(watch);
        EXPECT_EQ(data.size(), c.written);
        EXPECT_TRUE(AllBytesAre(data, 'A'));
        DeleteFileA(watch.c_str());
    }
}

// Secure delete never writes through a link: the file it points to keeps its content. A link
// the system reports as a reparse point is removed as a link; one it resolves by itself (a
// host symlink under Wine, whose deletion would remove the target) stays and counts as failed.
TEST_F(FileWash, SecureDeleteNeverWritesThroughALink) {
    TempDir outside;
    std::string target = outside.Path() + "target.txt";
    WriteTextFile(target, "keep me");
    std::string host = HostPathOf(target);
    std::string link = dir.Path() + "link.txt";
    if (host.empty() || !MakeHostFileLink(host, link)) GTEST_SKIP() << "needs host symbolic links";
    bool reparse = GetFileAttributesA(link.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT;
    std::string log = Wash(MakeList({{link, true}}), false);
    EXPECT_EQ(ReadTextFile(target), "keep me");
    EXPECT_EQ(FileExists(link), !reparse);
    EXPECT_EQ(success, reparse ? 1 : 0);
    EXPECT_EQ(fail, reparse ? 0 : 1);
    if (!reparse) {
        EXPECT_FALSE(WashOneFile(link, false));
        EXPECT_EQ(ReadTextFile(target), "keep me");
    }
}
