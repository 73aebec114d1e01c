// A queue of secure deletes that ends early (the wash raised) joins its threads and leaves every
// file it did not finish exactly as it was.
#include <gtest/gtest.h>

#include <string>

#include "engine/SecureDeleteQueue.h"
#include "tests/support/TempDir.h"

TEST(SecureDeleteQueue, EndingEarlyLeavesUnfinishedFilesWhole) {
    TempDir dir;
    const std::string content(300000, 'k');
    for (int i = 0; i < 30; ++i) WriteTextFile(dir.Path() + std::to_string(i) + ".bin", content);
    {
        SecureDeleteQueue queue(2);
        for (int i = 0; i < 30; ++i) queue.Add(i, dir.Path() + std::to_string(i) + ".bin");
        SecureDeleteQueue::Result first = queue.Next();
        EXPECT_EQ(first.Row, 0);
        EXPECT_EQ(first.What, SecureDeleteQueue::Outcome::Deleted);
    }
    int left = 0;
    for (int i = 0; i < 30; ++i) {
        std::string path = dir.Path() + std::to_string(i) + ".bin";
        if (!FileExists(path)) continue;
        ++left;
        EXPECT_EQ(ReadTextFile(path), content) << path;
    }
    EXPECT_GT(left, 0);
}
