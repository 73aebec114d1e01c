// Deleting ahead, while the listing goes on, leaves the log and the counts as a wash without it.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "engine/WashAhead.h"
#include "engine/WashEngine.h"
#include "tests/engine/EngineTestUtil.h"
#include "tests/support/HeldFile.h"

namespace {
class WashAheadTest : public WashFolderTest {
protected:
    // What one wash of the rows leaves: the log from its table on (the heading holds the time),
    // the counts, and the number of files still there.
    struct Outcome {
        std::string log;
        int washed = 0, failed = 0, left = 0;
        uint64_t freed = 0;
    };

    Outcome Wash(const std::vector<std::string>& files, const std::vector<std::string>& rows, DWORD attributes,
                 bool held, bool ahead) {
        for (const auto& name : files) {
            SetFileAttributesA((dir.Path() + name).c_str(), FILE_ATTRIBUTE_NORMAL);
            WriteTextFile(dir.Path() + name, "data");
        }
        SetFileAttributesA((dir.Path() + files.front()).c_str(), attributes);
        std::unique_ptr<HeldFile> holder;
        if (held) holder = std::make_unique<HeldFile>(dir.Path() + files.front(), 0);
        CheckListModel list;
        list.SetSorted(true);
        for (const auto& name : rows) list.Add(dir.Path() + name, true, 4096);
        WashAhead early(false);
        // The listing finds files in its own order: the last row first.
        if (ahead)
            for (auto row = rows.rbegin(); row != rows.rend(); ++row) early.Delete(dir.Path() + *row);
        DeleteFileA(LogFilePath().c_str());
        OpenWashLog();
        WashSummary summary;
        WashFileList(list, true, true, {}, summary.Files, ahead ? &early : nullptr);
        CloseWashLog(summary);
        EXPECT_TRUE(early.Untaken().empty());
        holder.reset();
        Outcome outcome;
        const std::string log = ReadTextFile(LogFilePath());
        outcome.log = log.substr(std::min(log.size(), log.find("<table")));
        outcome.washed = summary.Files.Washed;
        outcome.failed = summary.Files.Failed;
        outcome.freed = summary.Files.FreedBytes;
        for (const auto& name : files) outcome.left += FileExists(dir.Path() + name);
        return outcome;
    }
};
}  // namespace

TEST_F(WashAheadTest, LogRowsAndCountsAreThoseOfAWashWithoutIt) {
    struct Case {
        const char* what;
        std::vector<std::string> files, rows;
        DWORD attributes;
        bool held;
        int washed, failed;
    } cases[] = {
        {"plain files", {"c.tmp", "a.tmp", "b.tmp"}, {"c.tmp", "a.tmp", "b.tmp"}, FILE_ATTRIBUTE_NORMAL, false, 3, 0},
        {"a read-only hidden file", {"r.tmp", "s.tmp"}, {"r.tmp", "s.tmp"},
         FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN, false, 2, 0},
        {"a file held open", {"h.tmp", "i.tmp"}, {"h.tmp", "i.tmp"}, FILE_ATTRIBUTE_NORMAL, true, 1, 1},
        // Two rows of one file: one washed row; the other finds it gone and is not logged.
        {"one file named twice", {"d.tmp"}, {"d.tmp", "D.TMP"}, FILE_ATTRIBUTE_NORMAL, false, 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Outcome plain = Wash(c.files, c.rows, c.attributes, c.held, false);
        const Outcome early = Wash(c.files, c.rows, c.attributes, c.held, true);
        EXPECT_EQ(plain.washed, c.washed);
        EXPECT_EQ(plain.failed, c.failed);
        EXPECT_EQ(early.log, plain.log);
        EXPECT_EQ(early.washed, plain.washed);
        EXPECT_EQ(early.failed, plain.failed);
        EXPECT_EQ(early.freed, plain.freed);
        EXPECT_EQ(early.left, plain.left);
    }
}

// The log opens before the first file goes; one that cannot be opened stops deleting ahead.
TEST_F(WashAheadTest, NothingGoesAheadOfALogThatCannotBeOpened) {
    for (bool openable : {true, false}) {
        SCOPED_TRACE(openable);
        DeleteFileA(LogFilePath().c_str());
        if (!openable) ASSERT_TRUE(CreateDirectoryA(LogFilePath().c_str(), nullptr));
        WriteTextFile(dir.Path() + "a.tmp", "data");
        WashAhead early(true);
        early.Delete(dir.Path() + "a.tmp");
        EXPECT_EQ(WashLogIsOpen(), openable);
        EXPECT_EQ(early.Take(dir.Path() + "A.TMP"), openable);
        EXPECT_EQ(FileExists(dir.Path() + "a.tmp"), !openable);
        AbandonWashLog();
    }
    RemoveDirectoryA(LogFilePath().c_str());
}
