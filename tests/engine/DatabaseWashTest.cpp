// Database items in a wash: a journal never goes while its database stays, and a database item
// logs and counts each database it washed or left alone.
#include <gtest/gtest.h>

#include "engine/DatabaseWash.h"
#include "engine/SpecialItems.h"
#include "tests/engine/EngineTestUtil.h"
#include "tests/support/DatabaseKind.h"
#include "tests/support/HeldFile.h"

using DatabaseWash = WashFolderTest;

TEST_F(DatabaseWash, JournalStaysWhileItsDatabaseDoes) {
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

TEST_F(DatabaseWash, EachDatabaseIsLoggedAndCounted) {
    TempDir data;
    const std::vector<TestDatabase> databases = {
        {"Chrome — Default", data.Path() + "History", data.Path() + "lockfile"},
        {"Chrome — Work (Profile 1)", data.Path() + "Profile 1 History", data.Path() + "lockfile1"},
    };
    for (const auto& database : databases) {
        MakeVisitsDatabase(database.Path, 40);
        WriteTextFile(database.LockFile, "");
    }
    AddVisitsKind("Test Browser History", databases);
    HeldFile running(databases[1].LockFile);

    WashSummary wash;
    WashSpecialItem("Test Browser History", true, nullptr, &wash);

    ASSERT_EQ(wash.Databases.size(), 2u);
    EXPECT_TRUE(wash.Databases[0].Washed);
    EXPECT_EQ(wash.Databases[0].Removed, 39);
    EXPECT_GT(wash.Databases[0].FreedBytes, 0u);
    EXPECT_EQ(wash.Files.FreedBytes, wash.Databases[0].FreedBytes);
    EXPECT_FALSE(wash.Databases[1].Washed);
    ASSERT_EQ(wash.Files.Failures.size(), 1u);
    EXPECT_EQ(wash.Files.Failures[0].Code, "browser_running");
    const std::string log = ReadTextFile(LogFilePath());
    EXPECT_NE(log.find("Default: " + databases[0].Path), std::string::npos);
    EXPECT_NE(log.find("(Profile 1): " + databases[1].Path), std::string::npos);
    EXPECT_NE(log.find("39 visits; "), std::string::npos);
    EXPECT_NE(log.find("Chrome is running"), std::string::npos);
}
