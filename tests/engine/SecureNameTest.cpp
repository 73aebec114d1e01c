// The random name a secure delete gives an emptied file keeps the file's extension and its
// length: a wash killed before the deletion leaves a file the item's mask still takes.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "engine/SecureDelete.h"
#include "platform/Text.h"
#include "platform/WideText.h"
#include "tests/support/TempDir.h"

TEST(SecureName, TheRandomNameKeepsTheExtensionAndTheLength) {
    struct Case {
        const char* name;
        const char* extension;  // what the new name ends with
    };
    const Case cases[] = {
        {"report.tmp", ".tmp"},      {"a.tmp", ".tmp"},       {"cache.data.old", ".old"},
        {"no extension", ""},        {".hidden", ""},
        {"x.verylongextension", ".verylongextension"},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.Path() + c.name;
        WriteTextFile(path, "content");
        HANDLE file =
            CreateFileW(WidePath(path).c_str(), GENERIC_WRITE | DELETE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        std::string renamed;
        EXPECT_TRUE(EmptyAndRenameFile(file, path, renamed));
        CloseHandle(file);
        const std::string name = ExtractFileName(renamed);
        EXPECT_EQ(ExtractFilePath(renamed), dir.Path());
        EXPECT_EQ(name.size(), std::string(c.name).size());
        EXPECT_NE(AnsiCompareText(name, c.name), 0);
        const std::string extension = c.extension;
        EXPECT_EQ(name.substr(name.size() - extension.size()), extension);
        // No other dot: the file's own stem is gone whole.
        EXPECT_EQ(name.find('.'), extension.empty() ? std::string::npos : name.size() - extension.size());
        EXPECT_FALSE(FileExists(path));
        EXPECT_TRUE(FileExists(renamed));
        DeleteFileW(WidePath(renamed).c_str());
    }
}
