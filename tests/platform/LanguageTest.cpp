#include <gtest/gtest.h>

#include "platform/Language.h"

TEST(Language, PlaceholdersAreFilledInTurn) {
    struct Case {
        const char* format;
        std::vector<std::string> args;
        const char* expected;
    } cases[] = {
        {"Unable to write to %s", {"C:\\a.ini"}, "Unable to write to C:\\a.ini"},
        {"%d of %u: %ls", {"1", "2", "x"}, "1 of 2: x"},
        {"100%% done, %s", {"ok"}, "100% done, ok"},
        {"a lone % stays", {}, "a lone % stays"},
        {"%s and %s", {"one"}, "one and "},  // a missing argument is empty, never read past
    };
    for (const Case& c : cases) EXPECT_EQ(FillPlaceholders(c.format, c.args), c.expected) << c.format;
    EXPECT_EQ(PlaceholdersOf("%s: %d%% of %ls"), "%s%d%%%ls");
}

TEST(Language, WindowsLanguagesMatchATable) {
    struct Case {
        LANGID wanted;
        const char* tag;
    } cases[] = {
        {MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN_AUSTRIAN), "de"},
        {MAKELANGID(LANG_PORTUGUESE, SUBLANG_PORTUGUESE), "pt-BR"},
        {MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH_CANADIAN), "fr"},
        {MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SINGAPORE), "zh-CN"},
        {MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_TRADITIONAL), "en"},
        {MAKELANGID(LANG_SWEDISH, SUBLANG_SWEDISH), "en"},
        {MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN), "ja"},
    };
    for (const Case& c : cases) EXPECT_STREQ(LanguageOf(MatchLanguage(c.wanted)).Tag, c.tag) << c.wanted;
    EXPECT_STREQ(LanguageOf(ChooseLanguage("ru")).Tag, "ru");
    EXPECT_EQ(ChooseLanguage("Automatic"), MatchLanguage(GetUserDefaultUILanguage()));
}
