#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <stdexcept>

#include "catalogue/FindFile.h"
#include "tests/support/SymLink.h"
#include "tests/support/TempDir.h"

namespace {
struct Found {
    std::string folder;
    std::string name;
    DWORD attributes;
    std::string Path() const { return folder + (folder.back() == '\\' ? "" : "\\") + name; }
};

std::vector<Found> RunSearch(TFindFile& search) {
    std::vector<Found> found;
    search.OnFound = [&](TFindFile&, const std::string& folder, const WIN32_FIND_DATAA& entry) {
        found.push_back({folder, entry.cFileName, entry.dwFileAttributes});
    };
    search.Execute();
    return found;
}

std::vector<std::string> Paths(const std::vector<Found>& found) {
    std::vector<std::string> paths;
    for (const auto& f : found) paths.push_back(f.Path());
    return paths;
}

std::vector<std::string> Sorted(std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
}

std::vector<std::string> Search(const std::string& spec, bool subfolders = true,
                                 std::vector<std::string> exclude = {}) {
    TFindFile search;
    search.IncludeFiles = {spec};
    search.Subfolders = subfolders;
    search.ExcludeFiles = std::move(exclude);
    return Paths(RunSearch(search));
}

void MakeDir(const std::string& path) { ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path; }

// A small tree: two levels, files with and without the mask's extension.
struct Tree {
    TempDir dir;
    std::string root = dir.Path();
    Tree() {
        WriteTextFile(root + "a.txt", "");
        WriteTextFile(root + "b.log", "");
        for (std::string sub : {"one", "two", "three"}) {
            MakeDir(root + sub);
            WriteTextFile(root + sub + "\\" + sub + ".txt", "");
            MakeDir(root + sub + "\\deep");
            WriteTextFile(root + sub + "\\deep\\" + sub + "-deep.txt", "");
            WriteTextFile(root + sub + "\\deep\\skip.log", "");
        }
    }
};

// Each folder's reports (its own and its subtree's) form one run: depth first.
void ExpectDepthFirst(const std::vector<Found>& found, const std::string& root) {
    std::map<std::string, std::pair<size_t, size_t>> span;  // folder -> first, last report
    std::map<std::string, size_t> count;
    for (size_t i = 0; i < found.size(); ++i) {
        std::string folder = found[i].folder + "\\";
        for (size_t at = root.size(); at <= folder.size(); at = folder.find('\\', at) + 1) {
            std::string prefix = folder.substr(0, at);
            auto [it, fresh] = span.try_emplace(prefix, i, i);
            it->second.second = i;
            ++count[prefix];
            if (at == folder.size()) break;
        }
    }
    for (const auto& [prefix, s] : span)
        EXPECT_EQ(s.second - s.first + 1, count[prefix]) << prefix << " is not reported in one run";
    // The root's own files come before anything below it.
    bool below = false;
    for (const auto& f : found) {
        bool inRoot = f.folder + "\\" == root;
        EXPECT_FALSE(inRoot && below) << f.name << " of the root came after a subfolder's file";
        below = below || !inRoot;
    }
}

// Subfolder order must follow the directory listing itself.
std::vector<std::string> ListedFolders(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && data.cFileName[0] != '.')
            names.push_back(data.cFileName);
    while (FindNextFileA(find, &data));
    FindClose(find);
    return names;
}
}  // namespace

TEST(ExclusionMatch, NameRules) {
    struct Case {
        const char* path;
        const char* mask;
        bool match;
    } cases[] = {
        {"C:\\D\\NAME", "*", true},          {"C:\\D\\A.B", "*", false},
        {"C:\\D\\ABC", "*.*", false},        {"C:\\D\\A.B", "*.*", true},
        {"C:\\D\\A.TMP", "*.TMP", true},     {"C:\\D\\A.B.TMP", "*.TMP", false},
        {"C:\\D\\x.tmp", "*.TMP", true},     {"c:\\d\\Letter.doc", "*.DOC", true},
        {"C:\\D\\AXB", "A?B", true},         {"C:\\D\\A.B", "A?B", false},
        {"C:\\D\\A.B", "A?.B", true},        {"C:\\D\\AB", "AB??", true},
        {"C:\\D\\A.TMP", "*.T?P", true},     {"C:\\D\\A.TMP", "A.TM", false},
        {"C:\\D\\A.TM", "A.TMP", false},     {"C:\\D\\ABC.TXT", "AB*.TXT", true},
        {"C:\\D\\ABD.TXT", "*C.TXT", true}, {"C:\\D\\READ.ME.TXT", "*.*.TXT", true},
    };
    for (const auto& c : cases) EXPECT_EQ(MatchesExclusion(c.path, c.mask), c.match) << c.path << " vs " << c.mask;
}

TEST(ExclusionMatch, FolderRules) {
    struct Case {
        const char* path;
        const char* mask;
        bool match;
    } cases[] = {
        {"C:\\Temp\\x.txt", "C:\\Temp\\*.*", true},
        {"C:\\Old\\Temp\\x.txt", "C:\\Temp\\*.*", true},
        {"C:\\Temp\\Sub\\x.txt", "C:\\Temp\\*.*", false},
        {"C:\\MyTemp\\x.txt", "C:\\Temp\\*.*", false},
        {"D:\\Temp\\x.txt", "C:\\Temp\\*.*", false},
        {"d:\\temp\\x.txt", "?:\\Temp\\*.*", true},
        {"D:\\Keep\\a.txt", "D:\\Keep\\a.txt", true},
        {"D:\\Old\\Keep\\a.txt", "D:\\Keep\\a.txt", true},
        {"D:\\Keep\\b.txt", "D:\\Keep\\a.txt", false},
        {"E:\\Keep\\a.txt", "D:\\Keep\\a.txt", false},
        {"C:\\Temp\\any.name", "C:\\Temp\\", true},
        {"C:\\B\\C\\x", "\\A\\B\\C\\*", false},
        {"C:\\x", "C:\\*", true},
        {"C:\\Temp\\x.txt", "Temp\\x.txt", true},
    };
    for (const auto& c : cases) EXPECT_EQ(MatchesExclusion(c.path, c.mask), c.match) << c.path << " vs " << c.mask;
}

TEST(FindFile, PropertiesRefuseFoldersAndWildcards) {
    TFindFile search;
    EXPECT_EQ(search.Filename(), "*.*");
    EXPECT_TRUE(search.Subfolders);
    EXPECT_FALSE(search.ExactAttribute);
    EXPECT_EQ(search.Attributes, TFileAttributes(ffArchive | ffReadonly | ffHidden | ffSystem));
    try {
        search.SetFilename("c:\\x\\*.txt");
        FAIL() << "no error";
    } catch (const EFindFileError& e) {
        EXPECT_STREQ(e.what(), "c:\\x\\*.txt\n\rInvalid filename specified");
    }
    try {
        search.SetLocation("c:\\te?p");
        FAIL() << "no error";
    } catch (const EFindFileError& e) {
        EXPECT_STREQ(e.what(), "c:\\te?p\n\rlocation cannot to be contained wildcards");
    }
    EXPECT_THROW(search.SetLocation("c:\\*"), AppError);
    EXPECT_EQ(search.Filename(), "*.*");
    EXPECT_EQ(search.Location(), "");
}

TEST(FindFile, FolderMatchesBeforeSubfoldersDepthFirst) {
    Tree tree;
    for (const char* mask : {"*.txt", "*.*", "*"}) {
        TFindFile search;
        search.IncludeFiles = {tree.root + mask};
        auto found = RunSearch(search);
        SCOPED_TRACE(mask);
        ExpectDepthFirst(found, tree.root);
        std::vector<std::string> folderOrder;
        for (const auto& f : found)
            if (f.folder + "\\" != tree.root) {
                std::string top = f.folder.substr(tree.root.size());
                top = top.substr(0, top.find('\\'));
                if (folderOrder.empty() || folderOrder.back() != top) folderOrder.push_back(top);
            }
        EXPECT_EQ(folderOrder, ListedFolders(tree.root));
    }
    EXPECT_EQ(Sorted(Search(tree.root + "*.txt")),
              Sorted({tree.root + "a.txt", tree.root + "one\\one.txt", tree.root + "one\\deep\\one-deep.txt",
                      tree.root + "two\\two.txt", tree.root + "two\\deep\\two-deep.txt",
                      tree.root + "three\\three.txt", tree.root + "three\\deep\\three-deep.txt"}));
    EXPECT_EQ(Search(tree.root + "*.txt", false), std::vector<std::string>{tree.root + "a.txt"});
    // "*.*" and "*" list everything; plain folders are not reported with the default attributes.
    EXPECT_EQ(Search(tree.root + "*.*").size(), 11u);
    EXPECT_EQ(Search(tree.root + "*").size(), 11u);
}

TEST(FindFile, DotNamesAreNeitherReportedNorEntered) {
    TempDir dir;
    WriteTextFile(dir.Path() + ".profile", "");
    WriteTextFile(dir.Path() + "seen.txt", "");
    MakeDir(dir.Path() + ".cache");
    WriteTextFile(dir.Path() + ".cache\\inside.txt", "");
    MakeDir(dir.Path() + "sub");
    WriteTextFile(dir.Path() + "sub\\.hidden.txt", "");
    for (const char* mask : {"*.*", "*", "*.txt", ".*"})
        EXPECT_EQ(Search(dir.Path() + mask),
                  std::string(mask) == ".*" ? std::vector<std::string>{}
                                            : std::vector<std::string>{dir.Path() + "seen.txt"})
            << mask;
}

TEST(FindFile, AttributeFilter) {
    TempDir dir;
    MakeDir(dir.Path() + "plain");
    MakeDir(dir.Path() + "secret");
    ASSERT_TRUE(SetFileAttributesA((dir.Path() + "secret").c_str(), FILE_ATTRIBUTE_HIDDEN));
    WriteTextFile(dir.Path() + "secret\\in.txt", "");
    WriteTextFile(dir.Path() + "normal.txt", "");
    WriteTextFile(dir.Path() + "ro.txt", "");
    ASSERT_TRUE(SetFileAttributesA((dir.Path() + "ro.txt").c_str(), FILE_ATTRIBUTE_READONLY));

    // Defaults: every file, a hidden folder, never a plain one; hidden folders are entered.
    EXPECT_EQ(Sorted(Search(dir.Path() + "*")),
              Sorted({dir.Path() + "secret", dir.Path() + "secret\\in.txt", dir.Path() + "normal.txt",
                      dir.Path() + "ro.txt"}));

    TFindFile folders;
    folders.IncludeFiles = {dir.Path() + "*"};
    folders.Attributes = ffDirectory;
    folders.ExactAttribute = true;
    EXPECT_EQ(Paths(RunSearch(folders)), std::vector<std::string>{dir.Path() + "plain"});

    TFindFile readOnly;
    readOnly.IncludeFiles = {dir.Path() + "*.txt"};
    readOnly.Attributes = ffReadonly;
    EXPECT_EQ(Paths(RunSearch(readOnly)), std::vector<std::string>{dir.Path() + "ro.txt"});
    SetFileAttributesA((dir.Path() + "ro.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(FindFile, ExclusionMasksDuringTheWalk) {
    TempDir dir;
    std::string root = dir.Path();
    for (std::string sub : {"keep", "old", "old\\keep", "other"}) MakeDir(root + sub);
    for (std::string sub : {"", "keep\\", "old\\", "old\\keep\\", "other\\"}) {
        WriteTextFile(root + sub + "a.txt", "");
        WriteTextFile(root + sub + "Letter.doc", "");
    }
    auto found = Search(root + "*.*", true, {"*.DOC", "C:\\KEEP\\A.TXT"});
    EXPECT_EQ(Sorted(found), Sorted({root + "a.txt", root + "old\\a.txt", root + "other\\a.txt"}));
    // The excluded file named directly is not reported either.
    EXPECT_TRUE(Search(root + "keep\\a.txt", false, {root + "keep\\a.txt"}).empty());
}

TEST(FindFile, TargetsAndRepeatedSearches) {
    Tree tree;
    TFindFile search;
    search.IncludeFiles = {tree.root + "one\\*.txt", tree.root + "one\\*.txt", "nofolder.txt",
                           tree.root + "missing\\*.*"};
    search.Subfolders = false;
    EXPECT_EQ(Paths(RunSearch(search)),
              (std::vector<std::string>{tree.root + "one\\one.txt", tree.root + "one\\one.txt"}));

    // Location: parts made absolute, the mask completed with ".*", a repeated folder searched once.
    TFindFile located;
    located.SetLocation(tree.root + "one;" + tree.root + "two\\;" + tree.root + "ONE\\");
    located.SetFilename("one");
    located.Subfolders = false;
    WriteTextFile(tree.root + "two\\one.dat", "");
    EXPECT_EQ(Sorted(Paths(RunSearch(located))), Sorted({tree.root + "one\\one.txt", tree.root + "two\\one.dat"}));

    // An empty part is the current folder.
    char current[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, current);
    SetCurrentDirectoryA((tree.root + "two").c_str());
    TFindFile here;
    here.SetFilename("*.txt");
    here.Subfolders = false;
    auto hereFound = Paths(RunSearch(here));
    SetCurrentDirectoryA(current);
    EXPECT_EQ(hereFound, std::vector<std::string>{tree.root + "two\\two.txt"});
}

TEST(FindFile, DriveRootIsReportedWithItsBackslash) {
    std::string name = "vt_root_" + std::to_string(GetCurrentProcessId()) + ".tmp";
    WriteTextFile("C:\\" + name, "");
    TFindFile search;
    search.IncludeFiles = {"C:\\" + name};
    search.Subfolders = false;
    auto found = RunSearch(search);
    DeleteFileA(("C:\\" + name).c_str());
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].folder, "C:\\");
}

TEST(FindFile, ErrorInHandlerEndsTheSearchQuietly) {
    Tree tree;
    TFindFile search;
    search.IncludeFiles = {tree.root + "*.txt", tree.root + "*.log"};
    int reports = 0;
    bool busyInside = false;
    search.OnFound = [&](TFindFile& sender, const std::string&, const WIN32_FIND_DATAA&) {
        busyInside = sender.Busy();
        sender.Execute();  // a nested search of the same object returns at once
        if (++reports == 2) throw std::runtime_error("stop");
    };
    EXPECT_NO_THROW(search.Execute());
    EXPECT_EQ(reports, 2);
    EXPECT_TRUE(busyInside);
    EXPECT_TRUE(search.Aborted());
    EXPECT_FALSE(search.Busy());

    // The next search starts afresh.
    search.OnFound = [&](TFindFile&, const std::string&, const WIN32_FIND_DATAA&) { ++reports; };
    reports = 0;
    search.Execute();
    EXPECT_FALSE(search.Aborted());
    EXPECT_EQ(reports, 11);
}

TEST(FindFile, LinkedFoldersAreNotEntered) {
    TempDir dir;
    std::string root = dir.Path() + "tree\\";
    std::string outside = dir.Path() + "outside\\";
    MakeDir(root);
    MakeDir(root + "sub");
    MakeDir(outside);
    WriteTextFile(root + "top.txt", "");
    WriteTextFile(root + "sub\\inner.txt", "");
    WriteTextFile(outside + "secret.txt", "");
    FolderLink loop(root, root + "sub\\loop");
    FolderLink escape(outside, root + "escape");
    ASSERT_TRUE(loop.Made());
    ASSERT_TRUE(escape.Made());

    for (const char* mask : {"*.*", "*.txt"}) {
        auto found = Search(root + mask);
        EXPECT_EQ(Sorted(found), Sorted({root + "top.txt", root + "sub\\inner.txt"})) << mask;
    }
    // A link named as the search's own folder is searched: the user chose that folder.
    EXPECT_EQ(Search(root + "escape\\*.*"), std::vector<std::string>{root + "escape\\secret.txt"});
}
