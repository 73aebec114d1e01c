// A journal never goes while its database stays: held by a running program, it stays too.
#include <gtest/gtest.h>

#include "tests/engine/EngineTestUtil.h"
#include "tests/support/HeldFile.h"

using JournalWash = WashFolderTest;

TEST_F(JournalWash, JournalStaysWhileItsDatabaseDoes) {
    const struct {
        bool quick, databaseHeld;
    } cases[] = {{true, false}, {true, true}, {false, false}, {false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.quick ? "quick" : "secure") + (c.databaseHeld ? ", held" : ""));
        const std::string database = dir.Path() + "Cookies", journal = database + "-journal";
        WriteTextFile(database, std::string(5000, 'd'));
        WriteTextFile(journal, std::string(5000, 'j'));
        WashTally tally;
        {
            HeldFile held(c.databaseHeld ? database : dir.Path() + "none");
            WashFileList(MakeList({{database, true}, {journal, true}}), c.quick, false, {}, tally);
        }
        EXPECT_EQ(FileExists(database), c.databaseHeld);
        EXPECT_EQ(FileExists(journal), c.databaseHeld);
        EXPECT_EQ(tally.Washed, c.databaseHeld ? 0 : 2);
        ASSERT_EQ(tally.Failures.size(), c.databaseHeld ? 2u : 0u);
        if (c.databaseHeld) EXPECT_EQ(tally.Failures.back().Code, "refused");
        DeleteFileA(database.c_str());
        DeleteFileA(journal.c_str());
    }
}
