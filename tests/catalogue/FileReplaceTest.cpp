// Rewriting a file through a copy, and the lookups of item names in a wash item file.
#include <gtest/gtest.h>

#include <windows.h>

#include "catalogue/FileReplace.h"
#include "catalogue/ItemNames.h"
#include "platform/Error.h"
#include "platform/Profile.h"
#include "tests/support/TempDir.h"

namespace {
const std::string Original = "[Common]\r\nTotal=1\r\nItem0=A\r\n[A]\r\nIsActive=1\r\n";

// The folder's file names, to see that no copy is left behind.
int FilesIn(const std::string& folder) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "*").c_str(), &data);
    int n = 0;
    if (find == INVALID_HANDLE_VALUE) return 0;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++n;
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return n;
}

std::string Refusal(const std::function<void()>& call) {
    try {
        call();
    } catch (const AppError& e) {
        return e.what();
    }
    return "no error";
}
}  // namespace

TEST(FileReplace, WritesLandInTheFileAndTheFileItselfIsNeverTouchedBeforehand) {
    TempDir dir;
    std::string path = dir.Path() + "user.txt";
    WriteTextFile(path, Original);
    RewriteThroughCopy(path, [&](const std::string& copy) {
        EXPECT_NE(copy, path);
        ProfileFile(copy).WriteString("A", "IsActive", "0");
        EXPECT_EQ(ReadTextFile(path), Original);
    });
    EXPECT_EQ(ProfileFile(path).ReadString("A", "IsActive"), "0");
    EXPECT_EQ(ProfileFile(path).ReadString("Common", "Item0"), "A");
    EXPECT_EQ(FilesIn(dir.Path()), 1);

    // A file that does not exist yet is made by the first write.
    std::string fresh = dir.Path() + "order.ini";
    RewriteThroughCopy(fresh, [](const std::string& copy) { ProfileFile(copy).WriteString("Common", "Total", "0"); });
    EXPECT_EQ(ProfileFile(fresh).ReadString("Common", "Total"), "0");
    EXPECT_EQ(FilesIn(dir.Path()), 2);
}

TEST(FileReplace, AFailureHalfwayOrAReadOnlyFileLeavesTheFileAsItWas) {
    TempDir dir;
    std::string path = dir.Path() + "user.txt";
    WriteTextFile(path, Original);
    std::string refused = Refusal([&] {
        RewriteThroughCopy(path, [&](const std::string& copy) {
            ProfileFile(copy).WriteString("Common", "Total", "0");
            throw AppError("Unable to write to " + copy);
        });
    });
    EXPECT_EQ(refused, "Unable to write to " + path);
    EXPECT_EQ(ReadTextFile(path), Original);
    EXPECT_EQ(FilesIn(dir.Path()), 1);

    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    bool wrote = false;
    refused = Refusal([&] { RewriteThroughCopy(path, [&](const std::string&) { wrote = true; }); });
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(refused, "Unable to write to " + path);
    EXPECT_FALSE(wrote);
    EXPECT_EQ(ReadTextFile(path), Original);
    EXPECT_EQ(FilesIn(dir.Path()), 1);
}

TEST(ItemNames, LookupsByExactOrLooseNameAndReservedNames) {
    TempDir dir;
    std::string path = dir.Path() + "user.txt";
    WriteTextFile(path, "[Common]\r\nTotal=3\r\nItem0=Alpha\r\nItem1=Beta\r\nItem2=Beta\r\nItem3=Gone\r\n");
    EXPECT_EQ(FindItemIndex(path, "Beta"), 1);
    // No match is no position: 0 would name another item.
    EXPECT_EQ(FindItemIndex(path, "beta"), -1);
    EXPECT_EQ(FindItemIndex(path, "Gone"), -1);
    EXPECT_EQ(FindItemIndex(dir.Path() + "missing.txt", "Alpha"), -1);

    EXPECT_TRUE(ItemNameExists(path, "  ALPHA "));
    EXPECT_FALSE(ItemNameExists(path, "Gone"));
    EXPECT_FALSE(ItemNameExistsElsewhere(path, "alpha", 0));
    EXPECT_TRUE(ItemNameExistsElsewhere(path, "Beta", 1));

    for (const char* name : {"Common", " common ", "a<|>b", "[x", "x]"}) EXPECT_TRUE(IsReservedItemName(name)) << name;
    for (const char* name : {"Commons", "a<b>", "Recycle Bin"}) EXPECT_FALSE(IsReservedItemName(name)) << name;
}
