// Chromium's shared stores are read to the last key: a kept site's key split across a shared
// prefix or compressed away must still be found, and a file that can't be read must say so.
#include <algorithm>

#include <gtest/gtest.h>

#include "engine/LevelDbKeys.h"
#include "tests/engine/LevelDbFiles.h"

TEST(LevelDbKeysTest, SnappyBlocks) {
    struct Case {
        const char* name;
        std::string input;
        bool ok;
        std::string output;
    };
    const Case cases[] = {
        {"literal", std::string("\x03\x08xyz", 5), true, "xyz"},
        {"copy over itself",
         std::string("\x0c\x08"
                     "abc\x15\x03",
                     7),
         true, "abcabcabcabc"},
        {"copy before the start",
         std::string("\x0c\x08"
                     "abc\x15\x04",
                     7),
         false, ""},
        {"shorter than announced",
         std::string("\x0d\x08"
                     "abc\x15\x03",
                     7),
         false, ""},
        {"literal cut short",
         std::string("\x05\x10"
                     "ab",
                     4),
         false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string output;
        EXPECT_EQ(c.ok, SnappyUncompress(c.input, output));
        if (c.ok) {
            EXPECT_EQ(c.output, output);
        }
    }
}

TEST(LevelDbKeysTest, ReadsTablesAndLogs) {
    using namespace std::string_literals;
    // Sorted keys: the second shares "_https://exa" with the first, so "example.com" is never
    // whole in the file's bytes.
    const std::vector<std::string> tableKeys = {"_https://exa.org\0\1k"s, "_https://example.com\0\1k"s};
    struct Case {
        const char* name;
        std::string table, log;
        bool complete;
        std::vector<std::string> keys;
    };
    const Case cases[] = {
        {"table and log",
         LevelDbTable(tableKeys),
         LevelDbLog({"META:https://b.localhost"}),
         true,
         {tableKeys[0], tableKeys[1], "META:https://b.localhost"}},
        {"empty log", "", LevelDbLog({}), true, {}},
        {"table of another form",
         std::string(100, 'x'),
         LevelDbLog({"META:https://b.localhost"}),
         false,
         {"META:https://b.localhost"}},
        {"no files", "", "", false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        if (!c.table.empty()) WriteTextFile(dir.Path() + "000005.ldb", c.table);
        if (!c.log.empty()) WriteTextFile(dir.Path() + "000006.log", c.log);
        WriteTextFile(dir.Path() + "CURRENT", "MANIFEST-000001\n");
        std::vector<std::string> keys;
        EXPECT_EQ(c.complete, ReadLevelDbKeys(dir.Path(), keys));
        std::vector<std::string> expected = c.keys;
        std::sort(keys.begin(), keys.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(expected, keys);
    }
}

TEST(LevelDbKeysTest, OriginsInKeys) {
    using namespace std::string_literals;
    struct Case {
        std::string key, scheme, host;
    };
    const Case cases[] = {
        {"_https://www.example.com\0\1key"s, "https", "www.example.com"},
        {"META:http://a.localhost:8080", "http", "a.localhost"},
        {"namespace-3f2a_91c4_4b1e-https://b.localhost/", "https", "b.localhost"},
        {"REG:chrome-extension://abcdefgh/\0"s, "chrome-extension", "abcdefgh"},
        {"map-12-no origin here", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        std::vector<KeyOrigin> origins = OriginsInText(c.key);
        if (c.scheme.empty()) {
            EXPECT_TRUE(origins.empty());
            continue;
        }
        ASSERT_EQ(1u, origins.size());
        EXPECT_EQ(c.scheme, origins[0].Scheme);
        EXPECT_EQ(c.host, origins[0].Host);
    }
}
