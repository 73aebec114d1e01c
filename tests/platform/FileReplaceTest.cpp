#include <gtest/gtest.h>

#include <windows.h>

#include "platform/Error.h"
#include "platform/FileReplace.h"
#include "platform/Profile.h"
#include "tests/support/TempDir.h"

namespace {
std::string Message(const std::function<void()>& action) {
    try {
        action();
    } catch (const AppError& e) {
        return e.what();
    }
    return "no error";
}

void WriteOrder(const std::string& temp) { ProfileFile(temp).WriteInteger("Common", "Total", 2); }
}  // namespace

TEST(FileReplace, ARefusedRewriteKeepsTheOldFileAndNamesIt) {
    TempDir dir;
    const std::string path = dir.Path() + "order.ini";
    WriteTextFile(path, "[Common]\r\nTotal=1\r\n");

    // The writer fails part-way (here: its temporary name is taken by a folder).
    CreateDirectoryA((path + ".new").c_str(), nullptr);
    EXPECT_EQ(Message([&] { RewriteFile(path, WriteOrder); }), "Unable to write to " + path);
    EXPECT_EQ(ReadTextFile(path), "[Common]\r\nTotal=1\r\n");
    RemoveDirectoryA((path + ".new").c_str());

    // A read-only file stays as it is.
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(Message([&] { RewriteFile(path, WriteOrder); }), "Unable to write to " + path);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadTextFile(path), "[Common]\r\nTotal=1\r\n");
    EXPECT_FALSE(FileExists(path + ".new"));

    // A file where the program directory should be: nothing can be written at all.
    const std::string blocked = dir.Path() + "file\\order.ini";
    WriteTextFile(dir.Path() + "file", "x");
    EXPECT_EQ(Message([&] { RewriteFile(blocked, WriteOrder); }), "Unable to write to " + blocked);
}

TEST(FileReplace, ARewriteReplacesTheWholeFile) {
    TempDir dir;
    const std::string path = dir.Path() + "order.ini";
    WriteTextFile(path, "[Common]\r\nTotal=1\r\n[Old]\r\nKey=1\r\n");
    EXPECT_EQ(Message([&] { RewriteFile(path, WriteOrder); }), "no error");
    EXPECT_EQ(ProfileFile(path).ReadInteger("Common", "Total", 0), 2);
    EXPECT_FALSE(ProfileFile(path).SectionExists("Old"));
    EXPECT_FALSE(FileExists(path + ".new"));
    // Nothing written gives an empty file, not the old one.
    EXPECT_EQ(Message([&] { RewriteFile(path, [](const std::string&) {}); }), "no error");
    EXPECT_EQ(ReadTextFile(path), "");
}
