#include <gtest/gtest.h>

#include <map>
#include <set>

#include "platform/Language.h"

namespace {
// A hot-key letter: "&" not followed by "&".
bool HasHotKey(const std::string& text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] != '&') return true;
        ++i;
    }
    return false;
}
}  // namespace

// Every language has exactly English's ids, with the same placeholders in the same order and a
// hot key where English has one.
TEST(Language, EveryTableMatchesEnglish) {
    std::map<UINT, std::string> english;
    for (auto& [id, text] : TableOf(EnglishLanguage)) english[id] = text;
    ASSERT_GT(english.size(), 100u);
    for (const LanguageInfo& language : Languages()) {
        if (language.Id == EnglishLanguage) continue;
        SCOPED_TRACE(language.EnglishName);
        std::set<UINT> seen;
        for (auto& [id, text] : TableOf(language.Id)) {
            seen.insert(id);
            auto it = english.find(id);
            if (it == english.end()) {
                ADD_FAILURE() << "id " << id << " has no English text: " << text;
                continue;
            }
            EXPECT_FALSE(text.empty()) << id;
            EXPECT_EQ(PlaceholdersOf(text), PlaceholdersOf(it->second)) << id << ": " << text;
            EXPECT_EQ(HasHotKey(text), HasHotKey(it->second)) << id << ": " << text;
        }
        for (auto& [id, text] : english)
            if (!seen.count(id)) ADD_FAILURE() << "id " << id << " is missing: " << text;
    }
}

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
    // Every table is reached by its own id and by its stored tag, and names itself apart from
    // English; a region it has no table of leads to it too (Chinese aside, matched by script).
    for (const LanguageInfo& language : Languages()) {
        SCOPED_TRACE(language.EnglishName);
        EXPECT_EQ(MatchLanguage(language.Id), language.Id);
        EXPECT_EQ(ChooseLanguage(language.Tag), language.Id);
        EXPECT_FALSE(std::string(language.NativeName).empty());
        if (PRIMARYLANGID(language.Id) != LANG_CHINESE) {
            EXPECT_EQ(MatchLanguage(MAKELANGID(PRIMARYLANGID(language.Id), 0x3F)), language.Id);
        }
    }
    EXPECT_EQ(ChooseLanguage("Automatic"), MatchLanguage(GetUserDefaultUILanguage()));
}

// A template's English text shows in the language in use; text outside the tables stays.
TEST(Language, TemplateTextsFollowTheLanguageInUse) {
    auto english = TableOf(EnglishLanguage);
    ASSERT_FALSE(english.empty());
    const LANGID german = MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN);
    UseLanguage(german);
    std::string expected = Text(english.front().first);
    std::string shown = TranslateUiText(english.front().second);
    std::string other = TranslateUiText("C:\\not a text of the program");
    UseLanguage(EnglishLanguage);
    EXPECT_EQ(shown, expected);
    EXPECT_NE(shown, english.front().second);
    EXPECT_EQ(other, "C:\\not a text of the program");
    EXPECT_EQ(TranslateUiText(english.front().second), english.front().second);
}
