// Secure delete hides the name and the size of the file it deletes.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "engine/SecureDelete.h"
#include "engine/WashEngine.h"
#include "platform/Text.h"
#include "platform/WideText.h"
#include "tests/support/HeldFile.h"
#include "tests/support/TempDir.h"

namespace {

std::vector<std::pair<std::string, ULONGLONG>> FolderFiles(const std::string& folder) {
    std::vector<std::pair<std::string, ULONGLONG>> files;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return files;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            files.emplace_back(data.cFileName, (ULONGLONG(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return files;
}

// The names the folder's change records give for one action, collected until a removal shows.
std::vector<std::string> WatchedNames(HANDLE folder, OVERLAPPED& overlapped, std::vector<char>& buffer,
                                      DWORD action) {
    std::vector<std::string> names;
    bool removed = false;
    while (!removed) {
        DWORD bytes = 0;
        if (WaitForSingleObject(overlapped.hEvent, 5000) != WAIT_OBJECT_0 ||
            !GetOverlappedResult(folder, &overlapped, &bytes, FALSE) || bytes == 0)
            break;
        for (size_t offset = 0;;) {
            auto* info = reinterpret_cast<FILE_NOTIFY_INFORMATION*>(buffer.data() + offset);
            std::string name = Narrow(std::wstring(info->FileName, info->FileNameLength / sizeof(wchar_t)));
            if (info->Action == action) names.push_back(name);
            removed = removed || info->Action == FILE_ACTION_REMOVED;
            if (!info->NextEntryOffset) break;
            offset += info->NextEntryOffset;
        }
        if (!removed &&
            !ReadDirectoryChangesW(folder, buffer.data(), static_cast<DWORD>(buffer.size()), FALSE,
                                   FILE_NOTIFY_CHANGE_FILE_NAME, nullptr, &overlapped, nullptr))
            break;
    }
    return names;
}

}  // namespace

// The file is emptied and renamed in its folder before it goes: the name removed from the folder
// is a random one of the same length, never the user's.
TEST(SecureDelete, OnlyARandomNameOfTheSameLengthIsRemoved) {
    TempDir dir;
    for (std::string name : {"a.txt", "quarterly report 2024.docx", "abc", "x"}) {
        SCOPED_TRACE(name);
        std::string path = dir.Path() + name;
        WriteTextFile(path, std::string(5000, 's'));
        HANDLE folder = CreateFileA(dir.Path().c_str(), FILE_LIST_DIRECTORY,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
        ASSERT_NE(folder, INVALID_HANDLE_VALUE);
        OVERLAPPED overlapped{};
        overlapped.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        std::vector<char> buffer(64 * 1024);
        ASSERT_TRUE(ReadDirectoryChangesW(folder, buffer.data(), static_cast<DWORD>(buffer.size()), FALSE,
                                          FILE_NOTIFY_CHANGE_FILE_NAME, nullptr, &overlapped, nullptr));

        EXPECT_TRUE(SecureDeleteFile(path));
        std::vector<std::string> removed = WatchedNames(folder, overlapped, buffer, FILE_ACTION_REMOVED);
        CloseHandle(overlapped.hEvent);
        CloseHandle(folder);
        ASSERT_EQ(removed.size(), 1u);
        EXPECT_NE(removed[0], name);
        EXPECT_EQ(removed[0].size(), name.size());
        EXPECT_TRUE(FolderFiles(dir.Path()).empty());
    }
}

// After the overwrite the folder shows an empty file under another name of the same length.
TEST(SecureDelete, EmptyAndRenameLeavesNoNameNorSize) {
    TempDir dir;
    std::string path = dir.Path() + "salary-2024.xlsx";
    WriteTextFile(path, std::string(300000, 'z'));
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    std::string renamed;
    ASSERT_TRUE(EmptyAndRenameFile(file, path, renamed));
    auto files = FolderFiles(dir.Path());
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(dir.Path() + files[0].first, renamed);
    EXPECT_EQ(files[0].first.size(), std::string("salary-2024.xlsx").size());
    EXPECT_NE(files[0].first, "salary-2024.xlsx");
    EXPECT_EQ(files[0].second, 0u);
    CloseHandle(file);
    EXPECT_FALSE(FileExists(path));
}

// A step that fails leaves the file where it was and the other files of the folder alone.
TEST(SecureDelete, AFileHeldOpenStaysWithItsNeighbours) {
    TempDir dir;
    std::string held = dir.Path() + "held.txt", other = dir.Path() + "other.txt";
    WriteTextFile(held, "secret");
    WriteTextFile(other, "mine");
    HeldFile holder(held, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_TRUE(holder.Held());
    EXPECT_FALSE(SecureDeleteFile(held));
    holder.Release();
    EXPECT_EQ(ReadTextFile(held), "secret");
    EXPECT_EQ(ReadTextFile(other), "mine");
    EXPECT_EQ(FolderFiles(dir.Path()).size(), 2u);
}

TEST(SecureDelete, RandomNamesAreNoDeviceNames) {
    for (int i = 0; i < 20000; ++i) {
        std::wstring name = RandomFileName(3);
        ASSERT_EQ(name.size(), 3u);
        for (const wchar_t* device : {L"con", L"prn", L"aux", L"nul"}) ASSERT_NE(name, device);
    }
}

// A one-character name has 36 random names, its own among them: it must never come out again.
TEST(SecureDelete, AShortNameIsNeverRenamedToItself) {
    TempDir dir;
    const std::string path = dir.Path() + "x";
    for (int i = 0; i < 150; ++i) {
        WriteTextFile(path, "s");
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        std::string renamed;
        ASSERT_TRUE(EmptyAndRenameFile(file, path, renamed));
        CloseHandle(file);
        ASSERT_NE(ExtractFileName(renamed), "x") << "attempt " << i;
        ASSERT_TRUE(DeleteFileA(renamed.c_str()));
    }
}
