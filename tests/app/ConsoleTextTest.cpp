// Lines of the command line: a console shows their characters whatever its code page; a file or
// a pipe gets them as UTF-8.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/CommandLine.h"
#include "platform/WideText.h"
#include "tests/support/TempDir.h"

namespace {
// Russian, Japanese and plain English.
const char* const Lines[] = {
    "\xD0\x9E\xD1\x87\xD0\xB8\xD1\x81\xD1\x82\xD0\xB8\xD1\x82\xD1\x8C: 3",  // Очистить: 3
    "\xE6\xB6\x88\xE5\x8E\xBB\xE3\x81\x97\xE3\x81\xBE\xE3\x81\x99",           // 消去します
    "Files: 2 washed, 0 failed.",
};

// Writes through the standard output handle set to handle for the call.
void WriteThrough(HANDLE handle, const std::string& line) {
    HANDLE saved = GetStdHandle(STD_OUTPUT_HANDLE);
    SetStdHandle(STD_OUTPUT_HANDLE, handle);
    WriteConsoleLine(STD_OUTPUT_HANDLE, line);
    SetStdHandle(STD_OUTPUT_HANDLE, saved);
}
}  // namespace

TEST(ConsoleText, FileGetsUtf8AndConsoleGetsTheCharacters) {
    TempDir temp;
    const std::string file = temp.Path() + "out.txt";
    HANDLE out = CreateFileA(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(out, INVALID_HANDLE_VALUE);
    std::string expected;
    for (const char* line : Lines) {
        WriteThrough(out, line);
        expected += std::string(line) + "\r\n";
    }
    CloseHandle(out);
    EXPECT_EQ(ReadTextFile(file), expected);

    auto newScreen = [] {
        return CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                         CONSOLE_TEXTMODE_BUFFER, nullptr);
    };
    HANDLE screen = newScreen();
    // Run without a console of its own (output to a pipe), the test makes one.
    if (screen == INVALID_HANDLE_VALUE && (AllocConsole() || (FreeConsole() && AllocConsole()))) screen = newScreen();
    ASSERT_NE(screen, INVALID_HANDLE_VALUE) << GetLastError();
    // Not UTF-8: bytes written as they are would show as other characters.
    UINT codePage = GetConsoleOutputCP();
    SetConsoleOutputCP(437);
    for (SHORT row = 0; row < static_cast<SHORT>(std::size(Lines)); ++row) {
        WriteThrough(screen, Lines[row]);
        std::wstring wanted = Widen(Lines[row]);
        std::wstring shown(wanted.size(), L'\0');
        DWORD read = 0;
        ASSERT_TRUE(ReadConsoleOutputCharacterW(screen, shown.data(), static_cast<DWORD>(shown.size()), {0, row},
                                                &read));
        EXPECT_EQ(shown.substr(0, read), wanted) << row;
    }
    SetConsoleOutputCP(codePage);
    CloseHandle(screen);
}
