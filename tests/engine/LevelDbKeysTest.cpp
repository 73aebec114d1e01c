// Table blocks of Chromium's shared stores are Snappy-compressed: copies that overlap their own
// output are the common case, and a malformed block must be refused, never read past its end.
#include <gtest/gtest.h>

#include "engine/LevelDbKeys.h"

TEST(LevelDbKeysTest, SnappyBlocks) {
    struct Case {
        const char* name;
        std::string input;
        bool ok;
        std::string output;
    };
    const Case cases[] = {
        {"literal", "\3\10xyz", true, "xyz"},
        {"copy over itself", "\14\10abc\25\3", true, "abcabcabcabc"},
        {"copy before the start", "\14\10abc\25\4", false, ""},
        {"shorter than announced", "\15\10abc\25\3", false, ""},
        {"literal cut short", "\5\20ab", false, ""},
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
