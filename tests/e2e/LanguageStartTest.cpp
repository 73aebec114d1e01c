// A start in a chosen language: the command line speaks it, English stays as it was, and the
// choice is read from the settings file the program will use.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/AppTexts.h"
#include "platform/Language.h"
#include "tests/support/EnvScope.h"
#include "tests/support/ReadOnlyFolder.h"
#include "tests/support/StagedProgram.h"

namespace {
std::string TextIn(const char* tag, UINT id) {
    UseLanguage(ChooseLanguage(tag));
    std::string text = Text(id);
    UseLanguage(EnglishLanguage);
    return text;
}

std::string LanguageFile(const char* tag) {
    return std::string("[Language]\r\nLanguage=") + tag + "\r\n";
}

using LanguageStartTest = StagedProgramTest;
}  // namespace

TEST_F(LanguageStartTest, UsageInTheChosenLanguageAndEnglishUnchanged) {
    const std::string local = temp.Path() + "Local\\";
    CreateDirectoryA(local.c_str(), nullptr);
    EnvScope env;
    env.Set("LOCALAPPDATA", local.substr(0, local.size() - 1));
    // Redirected output is UTF-8; English is the text as the program always wrote it.
    const struct {
        const char* tag;
        const char* first;  // how the text starts
    } cases[] = {
        {"de", "Aufruf: varnolt.exe [/wash"},
        {"ja", "\xE4\xBD\xBF\xE7\x94\xA8\xE6\xB3\x95: varnolt.exe [/wash"},  // 使用法
        {"en", "Usage: varnolt.exe [/wash [/item NAME]... [/report FILE] |\r\n"
               "                    /list FILE [/item NAME]... | /wipe D: |\r\n"
               "                    /shred PATH... | /?]\r\n"},
    };
    for (const auto& c : cases) {
        WriteSettings(LanguageFile(c.tag));
        ASSERT_EQ(Run("/?"), 0) << c.tag;
        const std::string shown = Console();
        EXPECT_EQ(shown, TextIn(c.tag, IDS_Usage) + "\r\n") << c.tag;
        EXPECT_EQ(shown.rfind(c.first, 0), 0u) << c.tag << ": " << shown;
    }
    // A program folder nobody can write: the user's own choice in %LOCALAPPDATA%\Varnolt counts,
    // not the file the folder still holds.
    WriteSettings(LanguageFile("ja"));
    CreateDirectoryA((local + "Varnolt").c_str(), nullptr);
    WriteTextFile(local + "Varnolt\\wildcard.ini", LanguageFile("de"));
    ReadOnlyFolder lock(dir);
    if (!lock.Locked()) GTEST_SKIP() << "this host cannot make a folder read-only";
    ASSERT_EQ(Run("/wash everything"), 2);
    EXPECT_NE(Console().find("Varnolt: " + TextIn("de", IDS_TooManyArguments)), std::string::npos) << Console();
}
