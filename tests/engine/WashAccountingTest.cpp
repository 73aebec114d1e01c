// What a file wash reports: the space it freed, why a file stayed, the log's summary line.
#include <gtest/gtest.h>

#include "catalogue/WashItem.h"
#include "engine/WashEngine.h"
#include "platform/DiskSpace.h"
#include "tests/engine/EngineTestUtil.h"
#include "tests/support/HeldFile.h"
#include "tests/support/TempDir.h"

namespace {
class WashAccounting : public WashFolderTest {
protected:
    // A file of size bytes, added to the list with the space the listing would give it.
    std::string AddFile(CheckListModel& list, const std::string& name, size_t size) {
        std::string path = dir.Path() + name;
        WriteTextFile(path, std::string(size, 'x'));
        list.Add(path, true, SpaceOnDisk(size, ClusterSizeOf(path)));
        return path;
    }

};
}  // namespace

TEST(DiskSpace, SizesRoundUpToWholeClustersAndReadWell) {
    struct Case {
        uint64_t size, cluster, space;
    } cases[] = {{0, 4096, 0}, {1, 4096, 4096}, {4096, 4096, 4096}, {4097, 4096, 8192}, {4097, 0, 4097}};
    for (const auto& c : cases) EXPECT_EQ(SpaceOnDisk(c.size, c.cluster), c.space) << c.size << "/" << c.cluster;
    struct Text {
        uint64_t bytes;
        const char* text;
    } texts[] = {{0, "0 bytes"}, {1, "1 byte"}, {1023, "1023 bytes"}, {1024, "1.0 KB"},
                 {1503238554ull, "1.4 GB"}, {5ull << 20, "5.0 MB"}};
    for (const auto& t : texts) EXPECT_EQ(FormatSpace(t.bytes), t.text);
}

// Only what went counts: a file held open stays, adds nothing and says why.
TEST_F(WashAccounting, FreedSpaceCountsOnlyDeletedFilesAndTheLogEndsWithASummary) {
    const uint64_t cluster = ClusterSizeOf(dir.Path());
    ASSERT_GT(cluster, 0u);
    for (bool quick : {true, false}) {
        CheckListModel list;
        AddFile(list, "empty.txt", 0);
        AddFile(list, "one.txt", 1);
        std::string held = AddFile(list, "held.txt", 5000);
        AddFile(list, "cluster.txt", static_cast<size_t>(cluster));
        HeldFile holder(held, 0);
        ASSERT_TRUE(holder.Held());
        DeleteFileA(LogFilePath().c_str());
        OpenWashLog();
        WashSummary summary;
        WashFileList(list, quick, true, {}, summary.Files);
        CloseWashLog(summary);
        holder.Release();

        EXPECT_EQ(summary.Files.Washed, 3);
        EXPECT_EQ(summary.Files.Failed, 1);
        EXPECT_EQ(summary.Files.FreedBytes, 2 * cluster);
        ASSERT_EQ(summary.Files.Failures.size(), 1u);
        EXPECT_EQ(summary.Files.Failures[0].Path, held);
        // Wine's Restart Manager names no process; Windows names the test itself.
        const std::string& reason = summary.Files.Failures[0].Reason;
        EXPECT_TRUE(reason == "File Locked" || reason.rfind("In use by ", 0) == 0) << reason;
        std::string log = ReadTextFile(LogFilePath());
        EXPECT_NE(log.find(">" + reason + "</font>"), std::string::npos);
        std::string tail = log.substr(log.rfind("</table>"));
        EXPECT_NE(tail.find("Files washed: 3, space freed: " + FormatSpace(2 * cluster) + ", failures: 1"),
                  std::string::npos)
            << tail;
        EXPECT_EQ(ReadTextFile(held), std::string(5000, 'x')) << "nothing was written into the held file";
        DeleteFileA(held.c_str());
    }
}

TEST_F(WashAccounting, FailureReasonsNameTheCause) {
    std::string path = dir.Path() + "x.txt";
    EXPECT_EQ(FileFailureReason(path, ERROR_ACCESS_DENIED), "Access denied");
    EXPECT_EQ(FileFailureReason(path, ERROR_FILE_NOT_FOUND), "Not found");
    EXPECT_EQ(FileFailureReason(path, ERROR_PATH_NOT_FOUND), "Not found");
    EXPECT_EQ(FileFailureReason(path, ERROR_DISK_FULL), "File Locked");
    // A file nobody holds: the Restart Manager names nobody.
    WriteTextFile(path, "x");
    EXPECT_TRUE(ProcessesHoldingFile(path).empty());
}

// The folder row of an emptied folder is logged as the folder, never with its marker.
TEST_F(WashAccounting, FolderRowsShowAsFoldersAndNoMarkerReachesTheLog) {
    std::string folder = dir.Path() + "Cache";
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string row = folder + "\\" + RemoveFolderMarker;
    EXPECT_EQ(FileRowText(row), folder + " (folder, removed when empty)");
    EXPECT_EQ(FileRowText(folder + "\\a.txt"), folder + "\\a.txt");
    CheckListModel list;
    AddFile(list, "Cache\\a.txt", 10);
    list.Add(row, true);
    DeleteFileA(LogFilePath().c_str());
    OpenWashLog();
    WashSummary summary;
    WashFileList(list, true, true, {}, summary.Files);
    CloseWashLog(summary);
    EXPECT_EQ(summary.Files.Washed, 2);
    EXPECT_FALSE(FileExists(folder));
    std::string log = ReadTextFile(LogFilePath());
    EXPECT_EQ(log.find("&lt;|&gt;"), std::string::npos);
    EXPECT_EQ(log.find("<|>"), std::string::npos);
}
