// A queue of secure deletes that ends early (the wash raised) joins its threads and leaves every
// file it did not finish exactly as it was.
#include <gtest/gtest.h>

#include <string>

#include "engine/SecureDeleteQueue.h"
#include "tests/support/HeldFile.h"
#include "tests/support/TempDir.h"

TEST(SecureDeleteQueue, EndingEarlyLeavesUnfinishedFilesWhole) {
    TempDir dir;
    const std::string content(300000, 'k');
    auto path = [&](int i) { return dir.Path() + std::to_string(i) + ".bin"; };
    for (int i = 0; i < 30; ++i) WriteTextFile(path(i), content);
    // The second file is held: whatever the threads reach meanwhile, it stays.
    HeldFile held(path(1));
    ASSERT_TRUE(held.Held());
    {
        SecureDeleteQueue queue(2);
        for (int i = 0; i < 30; ++i) queue.Add(i, path(i));
        SecureDeleteQueue::Result first = queue.Next();
        EXPECT_EQ(first.Row, 0);
        EXPECT_EQ(first.What, SecureDeleteQueue::Outcome::Deleted);
        SecureDeleteQueue::Result second = queue.Next();
        EXPECT_EQ(second.Row, 1);
        EXPECT_EQ(second.What, SecureDeleteQueue::Outcome::Failed);
    }
    held.Release();
    int left = 0;
    for (int i = 0; i < 30; ++i) {
        if (!FileExists(path(i))) continue;
        ++left;
        EXPECT_EQ(ReadTextFile(path(i)), content) << path(i);
    }
    EXPECT_GT(left, 0);
    EXPECT_TRUE(FileExists(path(1)));
}
