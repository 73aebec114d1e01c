// Run by the tests language_de_DE and language_ja_JP, whose Wine user language is German or
// Japanese: the program started with nothing chosen shows its window in that language.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/MainWindowRes.h"
#include "platform/Language.h"
#include "platform/WideText.h"
#include "tests/support/StagedProgram.h"

using DISABLED_UserLanguage = StagedProgramTest;

TEST_F(DISABLED_UserLanguage, AStartShowsTheWindowInIt) {
    LANGID user = GetUserDefaultUILanguage();
    ASSERT_NE(PRIMARYLANGID(user), LANG_ENGLISH) << "LC_ALL names no other language";
    UseLanguage(MatchLanguage(user));
    const std::string label = TranslateUiText("Wash Item"), hint = Text(IDC_WashChecked);
    UseLanguage(EnglishLanguage);
    ASSERT_NE(label, "Wash Item");

    RunningProgram program;
    HWND window = program.Open(dir);
    ASSERT_NE(window, nullptr);
    wchar_t text[256] = {};
    GetDlgItemTextW(window, IDC_ItemListLabel, text, 256);
    EXPECT_TRUE(program.Close(window));
    EXPECT_EQ(program.ExitCode(), 0u);
    EXPECT_EQ(Narrow(text), label);
    EXPECT_NE(hint, Text(IDC_WashChecked)) << "the hints have the language too";
}
