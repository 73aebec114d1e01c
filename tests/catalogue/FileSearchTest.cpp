#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "catalogue/FileSearch.h"
#include "tests/support/SymLink.h"
#include "tests/support/TempDir.h"

namespace {
using Texts = std::vector<std::string>;

Texts Sorted(Texts v) {
    std::sort(v.begin(), v.end());
    return v;
}

// Runs the search; returns the full paths reported and, in folders, the reported folders.
Texts RunSearch(FileSearch& search, Texts* folders = nullptr) {
    Texts paths;
    search.OnFound = [&](FileSearch&, const std::string& folder, const WIN32_FIND_DATAA& entry) {
        paths.push_back(folder + (folder.back() == '\\' ? "" : "\\") + entry.cFileName);
        if (folders) folders->push_back(folder);
    };
    search.Execute();
    return paths;
}

Texts Search(const std::string& spec, bool subfolders = true, Texts exclude = {}) {
    FileSearch search;
    search.IncludeFiles = {spec};
    search.Subfolders = subfolders;
    search.ExcludeFiles = std::move(exclude);
    return RunSearch(search);
}

void MakeDir(const std::string& path) { ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path; }

// root: a.txt b.log, and one, two, three, each with <name>.txt and deep\<name>-deep.txt, deep\skip.log.
struct Tree {
    TempDir dir;
    std::string root = dir.Path();
    Tree() {
        WriteTextFile(root + "a.txt", "");
        WriteTextFile(root + "b.log", "");
        for (std::string sub : {"one", "two", "three"}) {
            MakeDir(root + sub);
            MakeDir(root + sub + "\\deep");
            WriteTextFile(root + sub + "\\" + sub + ".txt", "");
            WriteTextFile(root + sub + "\\deep\\" + sub + "-deep.txt", "");
            WriteTextFile(root + sub + "\\deep\\skip.log", "");
        }
    }
};

// Subfolder names in the order the directory listing gives them.
Texts ListedFolders(const std::string& folder) {
    Texts names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "*").c_str(), &data);
    do
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && data.cFileName[0] != '.')
            names.push_back(data.cFileName);
    while (FindNextFileA(find, &data));
    FindClose(find);
    return names;
}
}  // namespace

TEST(ExclusionMatch, RuleAsWritten) {
    struct {
        const char* path;
        const char* mask;
        bool match;
    } cases[] = {
        // "*" and "*.*" stand for every name, with or without an extension.
        {"C:\\D\\NAME", "*", true},           {"C:\\D\\A.B", "*", true},
        {"C:\\D\\ABC", "*.*", true},          {"C:\\D\\A.B", "*.*", true},
        {"D:\\Keep\\README", "D:\\Keep\\*.*", true}, {"D:\\Keep\\Sub\\README", "D:\\Keep\\*.*", false},
        {"C:\\D\\A.TMP", "*.TMP", true},      {"C:\\D\\A.B.TMP", "*.TMP", false},
        {"c:\\d\\Letter.doc", "*.DOC", true}, {"C:\\D\\ABD.TXT", "*C.TXT", true},
        {"C:\\D\\AXB", "A?B", true},          {"C:\\D\\A.B", "A?B", false},
        {"C:\\D\\A.B", "A?.B", true},         {"C:\\D\\AB", "AB??", true},
        {"C:\\D\\A.TMP", "A.TM", false},      {"C:\\D\\READ.ME.TXT", "*.*.TXT", true},
        // A folder in the mask matches the end of the file's folder, on the mask's drive.
        {"C:\\Temp\\x.txt", "C:\\Temp\\*.*", true},      {"C:\\Old\\Temp\\x.txt", "C:\\Temp\\*.*", true},
        {"C:\\Temp\\Sub\\x.txt", "C:\\Temp\\*.*", false}, {"C:\\MyTemp\\x.txt", "C:\\Temp\\*.*", false},
        {"D:\\Temp\\x.txt", "C:\\Temp\\*.*", false},     {"d:\\temp\\x.txt", "?:\\Temp\\*.*", true},
        {"D:\\Old\\Keep\\a.txt", "D:\\Keep\\a.txt", true}, {"D:\\Keep\\b.txt", "D:\\Keep\\a.txt", false},
        {"C:\\Temp\\any.name", "C:\\Temp\\", true},      {"C:\\B\\C\\x", "\\A\\B\\C\\*", false},
    };
    for (const auto& c : cases) EXPECT_EQ(MatchesExclusion(c.path, c.mask), c.match) << c.path << " vs " << c.mask;
}

TEST(FileSearch, PropertiesRefuseFoldersAndWildcards) {
    FileSearch search;
    auto message = [](auto set) -> std::string {
        try {
            set();
        } catch (const FileSearchError& e) {
            return e.what();
        }
        return "no error";
    };
    EXPECT_EQ(message([&] { search.SetFilename("c:\\x\\*.txt"); }), "c:\\x\\*.txt\n\rInvalid filename specified");
    EXPECT_EQ(message([&] { search.SetLocation("c:\\te?p"); }),
              "c:\\te?p\n\rlocation cannot to be contained wildcards");
    EXPECT_EQ(search.Filename(), "*.*");
    EXPECT_EQ(search.Location(), "");
}

TEST(FileSearch, FolderMatchesBeforeSubfoldersDepthFirst) {
    Tree tree;
    Texts expected{tree.root.substr(0, tree.root.size() - 1)};
    for (const auto& sub : ListedFolders(tree.root)) {
        expected.push_back(tree.root + sub);
        expected.push_back(tree.root + sub + "\\deep");
    }
    // "*.*" lists each folder once; other masks list it twice: both must keep the order.
    for (auto [mask, count] : {std::pair{"*.txt", 7u}, std::pair{"*.*", 11u}}) {
        FileSearch search;
        search.IncludeFiles = {tree.root + mask};
        Texts folders;
        EXPECT_EQ(RunSearch(search, &folders).size(), count) << mask;
        folders.erase(std::unique(folders.begin(), folders.end()), folders.end());
        EXPECT_EQ(folders, expected) << mask;
    }
    EXPECT_EQ(Search(tree.root + "*.txt", false), Texts{tree.root + "a.txt"});
}

TEST(FileSearch, DotNamesHiddenFoldersAndAttributes) {
    TempDir dir;
    const std::string root = dir.Path();
    WriteTextFile(root + ".profile", "");
    MakeDir(root + ".cache");
    WriteTextFile(root + ".cache\\inside.txt", "");
    MakeDir(root + "plain");
    MakeDir(root + "secret");
    ASSERT_TRUE(SetFileAttributesA((root + "secret").c_str(), FILE_ATTRIBUTE_HIDDEN));
    WriteTextFile(root + "secret\\in.txt", "");
    WriteTextFile(root + "ro.txt", "");
    ASSERT_TRUE(SetFileAttributesA((root + "ro.txt").c_str(), FILE_ATTRIBUTE_READONLY));

    // Every file and a hidden folder, never a plain folder nor a "." name; hidden folders are entered.
    EXPECT_EQ(Sorted(Search(root + "*")), Sorted({root + "secret", root + "secret\\in.txt", root + "ro.txt"}));
    EXPECT_EQ(Search(root + ".*"), Texts{});

    FileSearch folders;
    folders.IncludeFiles = {root + "*"};
    folders.Attributes = AttrDirectory;
    folders.ExactAttribute = true;
    EXPECT_EQ(RunSearch(folders), Texts{root + "plain"});
    folders.ExactAttribute = false;
    folders.Attributes = AttrReadOnly;
    EXPECT_EQ(RunSearch(folders), Texts{root + "ro.txt"});
    SetFileAttributesA((root + "ro.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(FileSearch, Targets) {
    Tree tree;
    FileSearch search;
    search.IncludeFiles = {tree.root + "one\\*.txt", tree.root + "one\\*.txt", "nofolder.txt",
                           tree.root + "missing\\*.*"};
    search.Subfolders = false;
    EXPECT_EQ(RunSearch(search), (Texts{tree.root + "one\\one.txt", tree.root + "one\\one.txt"}));

    // Location: a repeated folder is searched once; a mask without "." gets ".*".
    WriteTextFile(tree.root + "two\\one.dat", "");
    FileSearch located;
    located.SetLocation(tree.root + "one;" + tree.root + "two\\;" + tree.root + "ONE\\");
    located.SetFilename("one");
    located.Subfolders = false;
    EXPECT_EQ(Sorted(RunSearch(located)), Sorted({tree.root + "one\\one.txt", tree.root + "two\\one.dat"}));

    // A drive root is reported as "C:\".
    const std::string name = "C:\\vt_root_" + std::to_string(GetCurrentProcessId()) + ".tmp";
    WriteTextFile(name, "");
    Texts folders;
    FileSearch root;
    root.IncludeFiles = {name};
    root.Subfolders = false;
    RunSearch(root, &folders);
    DeleteFileA(name.c_str());
    EXPECT_EQ(folders, Texts{"C:\\"});
}

TEST(FileSearch, ErrorInHandlerEndsTheSearchQuietly) {
    Tree tree;
    FileSearch search;
    search.IncludeFiles = {tree.root + "*.txt", tree.root + "*.log"};
    int reports = 0;
    search.OnFound = [&](FileSearch& sender, const std::string&, const WIN32_FIND_DATAA&) {
        EXPECT_TRUE(sender.Busy());
        sender.Execute();  // returns at once while the search runs
        if (++reports == 2) throw std::runtime_error("stop");
    };
    EXPECT_NO_THROW(search.Execute());
    EXPECT_EQ(reports, 2);
    EXPECT_TRUE(search.Aborted());
    EXPECT_FALSE(search.Busy());

    search.OnFound = [&](FileSearch&, const std::string&, const WIN32_FIND_DATAA&) { ++reports; };
    search.Execute();
    EXPECT_FALSE(search.Aborted());
    EXPECT_EQ(reports, 2 + 11);
}

TEST(FileSearch, LinkedFoldersAreNotEntered) {
    TempDir dir;
    const std::string root = dir.Path() + "tree\\", outside = dir.Path() + "outside\\";
    MakeDir(root);
    MakeDir(root + "sub");
    MakeDir(outside);
    WriteTextFile(root + "sub\\inner.txt", "");
    WriteTextFile(outside + "secret.txt", "");
    FolderLink loop(root, root + "sub\\loop");
    FolderLink escape(outside, root + "escape");
    ASSERT_TRUE(loop.Made() && escape.Made());

    for (const char* mask : {"*.*", "*.txt"}) EXPECT_EQ(Search(root + mask), Texts{root + "sub\\inner.txt"}) << mask;
    // A link named as the search's own folder is searched: the user chose it.
    EXPECT_EQ(Search(root + "escape\\*.*"), Texts{root + "escape\\secret.txt"});
}
