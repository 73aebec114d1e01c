// Rewriting a file through a copy beside it.
#include <gtest/gtest.h>

#include <windows.h>

#include "catalogue/FileReplace.h"
#include "platform/Error.h"
#include "platform/Profile.h"
#include "tests/support/TempDir.h"

TEST(FileReplace, WritesLandWholeOrNotAtAllAndNoCopyStays) {
    TempDir dir;
    const std::string path = dir.Path() + "user.txt", original = "[Common]\r\nTotal=1\r\nItem0=A\r\n";
    WriteTextFile(path, original);
    RewriteThroughCopy(path, [&](const std::string& copy) {
        ProfileFile(copy).WriteString("A", "IsActive", "0");
        EXPECT_EQ(ReadTextFile(path), original);
    });
    EXPECT_EQ(ProfileFile(path).ReadString("A", "IsActive"), "0");
    EXPECT_EQ(ProfileFile(path).ReadString("Common", "Item0"), "A");

    // A write refused halfway (a full disk) leaves the file as it was before the first one.
    const std::string written = ReadTextFile(path);
    std::string refusal;
    try {
        RewriteThroughCopy(path, [&](const std::string& copy) {
            ProfileFile(copy).WriteString("Common", "Total", "0");
            throw AppError("Unable to write to " + copy);
        });
    } catch (const AppError& e) {
        refusal = e.what();
    }
    EXPECT_EQ(refusal, "Unable to write to " + path);
    EXPECT_EQ(ReadTextFile(path), written);

    // A file that does not exist yet is made; no copy is left beside either file.
    RewriteThroughCopy(dir.Path() + "order.ini",
                       [](const std::string& copy) { ProfileFile(copy).WriteString("Common", "Total", "0"); });
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((dir.Path() + "*.tmp").c_str(), &data);
    EXPECT_EQ(find, INVALID_HANDLE_VALUE);
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
    EXPECT_TRUE(FileExists(dir.Path() + "order.ini"));
}
