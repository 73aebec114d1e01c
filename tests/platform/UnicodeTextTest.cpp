// Names outside the ANSI code page through the profile files and the registry, and the 8-bit
// files of earlier versions read as before.
#include <gtest/gtest.h>

#include <windows.h>

#include "platform/Profile.h"
#include "platform/Registry.h"
#include "platform/WideText.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestKey.h"

namespace {
const std::string Greek = "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC";  // Ελληνικά
const std::string Japanese = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E";                          // 日本語
const std::string Emoji = "\xF0\x9F\x98\x80";                                                  // U+1F600
const std::string Cafe = "caf\xC3\xA9";                                                        // café
}  // namespace

TEST(WideText, AnsiAndUtf8TextsDecodeToTheSameCharacters) {
    if (GetACP() != 1252) GTEST_SKIP() << "needs the Western code page";
    EXPECT_EQ(Widen("caf\xE9"), L"caf\u00E9");  // from an 8-bit call
    EXPECT_EQ(Widen(Cafe), L"caf\u00E9");
    EXPECT_EQ(Narrow(Widen(Emoji)), Emoji);
    EXPECT_EQ(Widen(Emoji).size(), 2u);
    EXPECT_FALSE(IsUtf8("\xC3"));             // cut short
    EXPECT_FALSE(IsUtf8("\xC0\xAF"));         // overlong
    EXPECT_FALSE(IsUtf8("\xED\xA0\x80"));     // a lone surrogate
    std::string ansi;
    EXPECT_TRUE(ToAnsi(L"caf\u00E9", ansi));
    EXPECT_EQ(ansi, "caf\xE9");
    EXPECT_FALSE(ToAnsi(Widen(Greek), ansi));  // never a lookalike
}

TEST(WideText, LongPathsGetThePrefixAndWork) {
    TempDir dir;
    std::string path = dir.Path();
    while (path.size() < 280) {
        path += std::string(40, 'd') + "\\";
        CreateDirectoryW(WidePath(path).c_str(), nullptr);
    }
    path += Greek + ".txt";
    EXPECT_EQ(WidePath(path).rfind(L"\\\\?\\", 0), 0u);
    EXPECT_EQ(WidePath("C:\\short.txt"), L"C:\\short.txt");
    WriteTextFile(path, "x");
    EXPECT_TRUE(FileExists(path));
    EXPECT_EQ(ReadTextFile(path), "x");
}

TEST(UnicodeProfile, EarlierAnsiFilesReadAndStayAnsiUntilANameNeedsMore) {
    if (GetACP() != 1252) GTEST_SKIP() << "needs the Western code page";
    TempDir dir;
    ProfileFile ini(dir.Path() + "user.txt");
    WriteTextFile(ini.Path(), "[Donn\xE9" "es]\r\nPath=C:\\Caf\xE9\\*.tmp\r\n");
    EXPECT_EQ(ini.ReadString("Donn\xC3\xA9" "es", "Path"), "C:\\Caf\xC3\xA9\\*.tmp");
    EXPECT_EQ(ini.ReadSection("Donn\xC3\xA9" "es"), std::vector<std::string>{"Path"});

    // A Western name keeps the file as earlier versions wrote it.
    ini.WriteString("Donn\xC3\xA9" "es", "Other", "r\xC3\xA9sum\xC3\xA9");
    std::string bytes = ReadTextFile(ini.Path());
    EXPECT_NE(bytes.find("Other=r\xE9sum\xE9"), std::string::npos);
    EXPECT_NE(static_cast<unsigned char>(bytes[0]), 0xFF);

    // A name the code page lacks turns the file to UTF-16; nothing becomes "?".
    ini.WriteString(Japanese, Greek, "C:\\" + Emoji + "\\" + Greek + ".tmp");
    bytes = ReadTextFile(ini.Path());
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(ini.ReadString(Japanese, Greek), "C:\\" + Emoji + "\\" + Greek + ".tmp");
    EXPECT_EQ(ini.ReadString("Donn\xC3\xA9" "es", "Path"), "C:\\Caf\xC3\xA9\\*.tmp");
    EXPECT_EQ(ini.ReadString("Donn\xC3\xA9" "es", "Other"), "r\xC3\xA9sum\xC3\xA9");
    EXPECT_TRUE(ini.DeleteKey(Japanese, Greek));
    EXPECT_EQ(ini.ReadString(Japanese, Greek, "gone"), "gone");
    EXPECT_EQ(ini.ReadString("Donn\xC3\xA9" "es", "Path"), "C:\\Caf\xC3\xA9\\*.tmp");
}

TEST(UnicodeRegistry, NamesAndDataOutsideTheCodePageRoundTrip) {
    TestKey test("UnicodeRegistry");
    RegistryKey key;
    ASSERT_TRUE(key.OpenKey(test.Path() + "\\" + Greek, true));
    key.WriteString(Japanese, Emoji + Cafe);
    EXPECT_EQ(key.ReadString(Japanese), Emoji + Cafe);
    EXPECT_EQ(key.GetValueNames(), std::vector<std::string>{Japanese});
    key.CloseKey();
    ASSERT_TRUE(key.OpenKey(test.Path()));
    EXPECT_EQ(key.GetKeyNames(), std::vector<std::string>{Greek});
    EXPECT_TRUE(key.KeyExists(test.Path() + "\\" + Greek));
    EXPECT_TRUE(key.DeleteKey("\\" + test.Path() + "\\" + Greek));
    EXPECT_FALSE(key.KeyExists(test.Path() + "\\" + Greek));
}
