// Folder scans that meet names outside the ANSI code page, paths over 260 characters, and a
// folder that goes while it is scanned.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "catalogue/FileSearch.h"
#include "catalogue/WashItem.h"
#include "platform/Profile.h"
#include "platform/WideText.h"
#include "settings/AppPaths.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestKey.h"

namespace {
using Texts = std::vector<std::string>;

const std::string Greek = "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC";
const std::string Japanese = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E";
const std::string Emoji = "\xF0\x9F\x98\x80";

void MakeFolder(const std::string& path) { CreateDirectoryW(WidePath(path).c_str(), nullptr); }

Texts Sorted(Texts v) {
    std::sort(v.begin(), v.end());
    return v;
}

// A program directory, and data\ holding names in three scripts, a Western one, and a file
// deep enough for a path of more than 300 characters.
struct Fixture {
    TempDir dir;
    ProgramDirScope programDir{dir.Path()};
    std::string data = dir.Path() + "data\\";
    std::string deep = data;
    Texts files;
    Fixture() {
        MakeFolder(data);
        MakeFolder(data + Greek);
        while (deep.size() < 280) {
            deep += std::string(30, 'n') + "\\";
            MakeFolder(deep);
        }
        for (const std::string& path : {data + Greek + ".tmp", data + Japanese + ".tmp", data + Emoji + " face.tmp",
                                        data + "caf\xC3\xA9.tmp", data + Greek + "\\" + Japanese + ".tmp",
                                        deep + Greek + std::string(20, 'x') + ".tmp"}) {
            WriteTextFile(path, "x");
            files.push_back(path);
        }
    }
    Texts List(const std::string& spec) const {
        FolderEntry entry;
        entry.Category = CategoryFolderMask;
        entry.FolderMask = spec;
        entry.IncludeSubfolders = true;
        Texts found;
        entry.ListFiles(found);
        return found;
    }
};
}  // namespace

TEST(UnicodeSearch, EveryNameIsFoundByItsRealNameAtAnyDepth) {
    Fixture f;
    ASSERT_GT(f.files.back().size(), 300u);
    ASSERT_TRUE(FileExists(f.files.back()));
    EXPECT_EQ(Sorted(f.List(f.data + "*.tmp")), Sorted(f.files));
    EXPECT_EQ(Sorted(f.List(f.data + "*.*")), Sorted(f.files));
    // A mask in another script selects only what it names.
    EXPECT_EQ(f.List(f.data + Japanese + ".*"), (Texts{f.data + Japanese + ".tmp", f.data + Greek + "\\" + Japanese + ".tmp"}));
    // A folder search that starts beyond 260 characters.
    EXPECT_EQ(f.List(f.deep + "*.tmp"), Texts{f.files.back()});
}

TEST(UnicodeSearch, ExclusionMasksMatchNamesInOtherScripts) {
    Fixture f;
    ProfileFile settings(SettingsFilePath());
    settings.WriteInteger("Exclude Files", "Count", 2);
    settings.WriteString("Exclude Files", "Record0", Greek + ".tmp");
    settings.WriteString("Exclude Files", "Record1", "\\" + Greek + "\\*.*");
    Texts expected;
    for (const auto& path : f.files)
        if (path != f.data + Greek + ".tmp" && path != f.data + Greek + "\\" + Japanese + ".tmp") expected.push_back(path);
    EXPECT_EQ(Sorted(f.List(f.data + "*.tmp")), Sorted(expected));
}

TEST(UnicodeSearch, ReportsTheWholeNameOfAnEntryWhateverItsLength) {
    Fixture f;
    // 85 Japanese characters: 255 bytes of UTF-8, the most a host file name takes under Wine
    // (Windows takes 255 characters, whose UTF-8 may not fit the entry's fixed name field).
    std::string longName;
    for (int i = 0; i < 28; ++i) longName += Japanese;
    longName += "\xE6\x97\xA5";
    WriteTextFile(f.data + longName, "x");
    ASSERT_TRUE(FileExists(f.data + longName));
    FileSearch search;
    search.IncludeFiles = {f.data + "*"};
    search.Subfolders = false;
    Texts names;
    search.OnFound = [&](FileSearch& sender, const std::string&, const WIN32_FIND_DATAA& entry) {
        names.push_back(sender.FoundName());
        // The fixed field holds the whole name or nothing, never a cut one.
        if (sender.FoundName() == longName && entry.cFileName[0]) {
            EXPECT_EQ(entry.cFileName, longName);
        }
    };
    search.Execute();
    EXPECT_NE(std::find(names.begin(), names.end(), longName), names.end());
}

TEST(UnicodeSearch, AFolderRemovedWhileItIsScannedEndsNothingElse) {
    Fixture f;
    MakeFolder(f.data + "zz");
    WriteTextFile(f.data + "zz\\gone.tmp", "x");
    FileSearch search;
    // With "*.*" the subfolders to enter are listed before the first is entered.
    search.IncludeFiles = {f.data + "*.*"};
    Texts found;
    search.OnFound = [&](FileSearch& sender, const std::string& folder, const WIN32_FIND_DATAA& entry) {
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return;
        found.push_back(folder + "\\" + sender.FoundName());
        // The folder goes while the scan is still in the one above it.
        DeleteFileW(WidePath(f.data + "zz\\gone.tmp").c_str());
        RemoveDirectoryW(WidePath(f.data + "zz").c_str());
    };
    search.Execute();
    EXPECT_FALSE(search.Aborted());
    EXPECT_FALSE(FileExists(f.data + "zz"));
    EXPECT_EQ(std::count(found.begin(), found.end(), f.data + "zz\\gone.tmp"), 0);
    EXPECT_EQ(Sorted(found), Sorted(f.files));
}

// Through an 8-bit call both names would read "?.tmp" and each would match the other.
TEST(UnicodeSearch, ASingleFileNeverMatchesANeighbourOfAnotherScript) {
    Fixture f;
    const std::string alpha = f.data + "\xCE\xB1.tmp", beta = f.data + "\xCE\xB2.tmp";
    WriteTextFile(alpha, "x");
    WriteTextFile(beta, "x");
    FolderEntry entry;
    entry.Category = CategorySingleFile;
    entry.FilePath = alpha;
    Texts found;
    entry.ListFiles(found);
    EXPECT_EQ(found, Texts{alpha});
    ProfileFile settings(SettingsFilePath());
    settings.WriteInteger("Exclude Files", "Count", 1);
    settings.WriteString("Exclude Files", "Record0", "\xCE\xB2.tmp");
    entry.FilePath = f.data + "?.tmp";
    entry.ListFiles(found);
    EXPECT_EQ(found, Texts{alpha});
}
