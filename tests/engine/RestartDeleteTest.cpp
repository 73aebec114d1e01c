// Files a wash left in use: which are offered for deletion at restart, when a restart has run the
// stored list, and the log block of the first start after it.
#include "engine/RestartDelete.h"

#include <algorithm>

#include "settings/AppPaths.h"
#include "tests/engine/EngineTestUtil.h"
#include "tests/support/PendingRenames.h"

// Only files another program held open, still there, outside the protected places, each once.
TEST_F(WashFolderTest, OnlyFilesOtherProgramsHeldOpenAreOfferedForRestart) {
    CreateDirectoryA((dir.Path() + "folder").c_str(), nullptr);
    for (const char* name : {"held.log", "busy.log", "denied.log"}) WriteTextFile(dir.Path() + name, "x");
    char windows[MAX_PATH];
    ASSERT_GT(GetWindowsDirectoryA(windows, MAX_PATH), 0u);
    const std::string winIni = std::string(windows) + "\\win.ini";
    ASSERT_TRUE(FileExists(winIni));
    struct Case {
        std::string path, code;
        DWORD error;
        bool offered;
    } cases[] = {
        {dir.Path() + "held.log", "locked", ERROR_SHARING_VIOLATION, true},
        {dir.Path() + "HELD.LOG", "locked", ERROR_SHARING_VIOLATION, false},  // the same file again
        {dir.Path() + "busy.log", "in_use", 0, true},
        {dir.Path() + "denied.log", "access_denied", ERROR_ACCESS_DENIED, false},
        {dir.Path() + "folder", "locked", ERROR_SHARING_VIOLATION, false},
        {dir.Path() + "gone.log", "locked", ERROR_LOCK_VIOLATION, false},
        {winIni, "in_use", ERROR_SHARING_VIOLATION, false},
    };
    WashTally tally;
    std::vector<std::string> expected;
    for (const auto& c : cases) {
        tally.Failures.push_back({c.path, "", c.code, c.error});
        if (c.offered) expected.push_back(c.path);
    }
    EXPECT_EQ(RestartCandidates(tally), expected);
}

// A new boot runs the list; without one, the list has run when none of its files still waits
// (Wine's "wineboot -r" runs the pending deletions and keeps the boot time).
TEST(RestartDelete, ListHasRunOnceTheSystemStartedAfterTheMarkingOrNoneOfItsFilesWaits) {
    const RestartList list{1000, {"C:\\data\\a.log", "C:\\data\\b.log"}};
    struct Case {
        uint64_t boot;
        std::vector<std::string> pending;
        bool ran;
    } cases[] = {
        {2000, {"C:\\data\\a.log"}, true},
        {500, {"c:\\DATA\\A.LOG"}, false},
        {500, {"C:\\other.log", "C:\\data\\b.log"}, false},
        {500, {"C:\\other.log"}, true},
        {500, {}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.boot);
        EXPECT_EQ(RestartHasRun(list, c.boot, c.pending), c.ran);
    }
}

// Marked files wait in PendingFileRenameOperations; until the restart the list stays and nothing
// is logged; after it, the log names what stayed and the list is forgotten.
TEST_F(WashFolderTest, FirstStartAfterTheRestartLogsWhatWentAndForgetsTheList) {
    PendingRenamesScope pendingScope;
    const std::string gone = dir.Path() + "gone.log", stayed = dir.Path() + "stayed & co.log";
    WriteTextFile(gone, "x");
    WriteTextFile(stayed, "x");
    std::vector<std::string> marked;
    ASSERT_EQ(MarkForRestart({gone, stayed}, marked), RestartMarking::Marked);
    EXPECT_EQ(marked, (std::vector<std::string>{gone, stayed}));
    const std::vector<std::string> pending = PendingRestartDeletes();
    for (const auto& file : marked) EXPECT_NE(std::find(pending.begin(), pending.end(), file), pending.end()) << file;
    ASSERT_TRUE(RememberForRestart(marked));
    ASSERT_TRUE(RememberForRestart({gone}));

    EXPECT_FALSE(CheckRestartList().Ran);
    EXPECT_TRUE(FileExists(RestartListPath()));
    EXPECT_FALSE(FileExists(LogFilePath()));

    // The restart: gone.log goes, and the system started after the marking.
    DeleteFileA(gone.c_str());
    RestartList list;
    ASSERT_TRUE(ReadRestartList(RestartListPath(), list));
    EXPECT_EQ(list.Files, marked);
    list.MarkedAt = 1;
    ASSERT_TRUE(WriteRestartList(RestartListPath(), list));
    const RestartOutcome outcome = CheckRestartList();
    EXPECT_TRUE(outcome.Ran);
    EXPECT_EQ(outcome.Total, 2);
    EXPECT_EQ(outcome.StillThere, std::vector<std::string>{stayed});
    const std::string log = ReadTextFile(LogFilePath());
    EXPECT_NE(log.find("Deleted at restart: 1 of 2"), std::string::npos) << log;
    EXPECT_NE(log.find(HtmlEscape(stayed)), std::string::npos) << log;
    EXPECT_NE(log.find("Still there after the restart"), std::string::npos);
    EXPECT_EQ(log.find(gone), std::string::npos);
    EXPECT_FALSE(FileExists(RestartListPath()));
    EXPECT_FALSE(CheckRestartList().Ran);
}
