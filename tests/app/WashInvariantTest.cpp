// What a wash deletes is exactly the set of checked file rows its preview showed, whichever way
// the rows come: the window's Preview All and its Wash, the automatic wash, /wash (the rows /list
// writes), /shred, a plug-in and a winapp2.ini entry. The tree holds a file link, a folder link, a
// junction, folders to remove when empty, and the items add an entry whose macro expands to
// nothing; none of them may take more than the rows.
#include <algorithm>
#include <set>

#include "app/CommandLine.h"
#include "dialogs/PreviewAllDialogRes.h"
#include "engine/ShredTargets.h"
#include "tests/engine/EngineTestUtil.h"
#include "tests/support/Dialogs.h"
#include "tests/support/ListCells.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/SymLink.h"
#include "tests/support/Wait.h"

namespace {
std::string Upper(std::string text) {
    CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

// Every file below folder, a link as itself (never followed), upper-cased.
void ListFilesBelow(const std::string& folder, std::set<std::string>& files) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = data.cFileName;
        if (name == "." || name == "..") continue;
        const bool folderEntry = data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
        if (folderEntry && !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            ListFilesBelow(folder + name + "\\", files);
        else if (!folderEntry) files.insert(Upper(folder + name));
    } while (FindNextFileA(find, &data));
    FindClose(find);
}

class WashInvariant : public MainWindowFixture {
protected:
    enum class Path { Window, Automatic, CommandLine, Shred, Plugin, Winapp2 };

    // Two entries: the tree with its subfolders (folders removed when empty), and one on a macro
    // with nothing behind it (no Netscape profile is set).
    std::string Item(const std::string& name) const {
        return "[" + name +
               "]\r\nIsActive=1\r\ntFolder.Total=2\r\n"
               "tFolder0.ChildItemName=Tree\r\ntFolder0.isactive=1\r\ntFolder0.bycategory=1\r\n"
               "tFolder0.deletepath=" +
               tree +
               "*.*\r\ntFolder0.IsIncludeSubfolder=1\r\ntFolder0.RemoveSelf=1\r\n"
               "tFolder1.ChildItemName=Nothing\r\ntFolder1.isactive=1\r\ntFolder1.bycategory=1\r\n"
               "tFolder1.deletepath={netscape}\\*.*\r\ntFolder1.IsIncludeSubfolder=1\r\n";
    }

    void MakeTree() {
        RemoveLinks();
        RemoveTree(tree);
        RemoveTree(outside);
        for (const std::string folder : {tree, tree + "sub\\", tree + "sub\\deep\\", tree + "empty\\", outside,
                                         outside + "dir\\", outside + "dir2\\"})
            CreateDirectoryA(folder.c_str(), nullptr);
        for (const std::string file :
             {tree + "a.tmp", tree + "b.log", tree + "sub\\c.tmp", tree + "sub\\deep\\d", outside + "target.txt",
              outside + "dir\\inner.tmp", outside + "dir2\\inner2.tmp"})
            WriteTextFile(file, "x");
        ASSERT_TRUE(MakeHostFileLink(HostPath(outside + "target.txt"), tree + "filelink.tmp"));
        ASSERT_TRUE(MakeFolderLink(outside + "dir", tree + "folderlink"));
        ASSERT_TRUE(MakeJunction(outside + "dir2", tree + "sub\\junction"));
    }
    void RemoveLinks() {
        for (const std::string link : {tree + "folderlink", tree + "sub\\junction"})
            if (GetFileAttributesA(link.c_str()) != INVALID_FILE_ATTRIBUTES) RemoveFolderLink(link);
        const std::string fileLink = tree + "filelink.tmp";
        if (GetFileAttributesA(fileLink.c_str()) != INVALID_FILE_ATTRIBUTES)
            StartHost("/bin/rm -f \"" + HostLinkPath(fileLink) + "\"") &&
                WaitUntil([&] { return GetFileAttributesA(fileLink.c_str()) == INVALID_FILE_ATTRIBUTES; }, 5000);
    }
    void TearDown() override {
        RemoveLinks();
        MainWindowFixture::TearDown();
    }

    // The item files of a path: the tree's item as a supplied item, a plug-in or a winapp2.ini entry.
    void WriteItems(Path path) {
        DeleteFileA((dir.Path() + "plugin\\tree.txt").c_str());
        DeleteFileA((dir.Path() + "winapp2.ini").c_str());
        DeleteFileA((dir.Path() + "order.ini").c_str());
        const bool supplied = path != Path::Plugin && path != Path::Winapp2;
        WriteTextFile(system,
                      supplied ? "[Common]\r\nTotal=1\r\nItem0=Tree\r\n" + Item("Tree") : "[Common]\r\nTotal=0\r\n");
        if (path == Path::Plugin)
            WriteTextFile(dir.Path() + "plugin\\tree.txt", "[Common]\r\nTotal=1\r\nItem0=Tree\r\n" + Item("Tree"));
        if (path == Path::Winapp2)
            WriteTextFile(dir.Path() + "winapp2.ini",
                          "[Tree *]\r\nLangSecRef=3025\r\nFileKey1=" + tree.substr(0, tree.size() - 1) +
                              "|*.*|RECURSE\r\nFileKey2=%Documents%|*.*\r\n");
    }

    // The file rows the window's Preview All shows checked; it is closed, or washed with its Wash.
    std::set<std::string> PreviewAll(MainWindow& main, bool wash) {
        std::set<std::string> rows;
        RunDialog([&] { main.OnPreviewChecked(); }, "Preview All Wash Item Checked",
                  [&](UiDriver&, HWND dialog) {
                      for (const auto& row : ListRows(GetDlgItem(dialog, IDC_PreviewAll_Files), 3))
                          if (row.find("|Protected") == std::string::npos)
                              rows.insert(Upper(row.substr(0, row.find('|'))));
                      UiDriver::Click(dialog, wash ? IDC_PreviewAll_Wash : IDC_PreviewAll_Close);
                  });
        return rows;
    }

    // The checked file rows of a list and its wash, as /wash and /shred run them; failed gets the
    // rows that stayed.
    static std::set<std::string> WashRows(std::vector<std::string> found, bool quick, WashTally& tally) {
        CheckListModel list;
        list.AddRows(std::move(found), true);
        std::set<std::string> rows;
        for (int i = 0; i < list.Count(); ++i)
            if (list.Checked(i) && !EndsWithFolderMarker(list.Text(i))) rows.insert(Upper(Unguarded(list.Text(i))));
        WashFileList(list, quick, false, {}, tally);
        return rows;
    }

    std::string tree = dir.Path() + "tree\\", outside = dir.Path() + "outside\\";
};
}  // namespace

TEST_F(WashInvariant, EachPathDeletesExactlyThePreviewsCheckedRows) {
    struct Case {
        const char* name;
        Path path;
    } cases[] = {{"window", Path::Window}, {"automatic wash", Path::Automatic}, {"/wash", Path::CommandLine},
                 {"/shred", Path::Shred},  {"plug-in", Path::Plugin},           {"winapp2.ini", Path::Winapp2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MakeTree();
        if (HasFatalFailure()) return;
        WriteItems(c.path);
        std::set<std::string> before, after, previewed, failed;
        WashTally tally;
        ListFilesBelow(tree, before);
        ListFilesBelow(outside, before);
        if (c.path == Path::Window || c.path == Path::Automatic) {
            MainWindow& main = Open();
            previewed = PreviewAll(main, c.path == Path::Window);
            if (c.path == Path::Automatic) main.AutomaticWash("Timed wash", true);
            tally = main.LastWash.Files;
            form.reset();
        } else if (c.path == Path::Shred) {
            ShredRows rows;
            CollectShredRows({tree}, rows);
            previewed = WashRows(std::move(rows.Rows), false, tally);
        } else {
            Winapp2Catalogue winapp2;
            Catalogue catalogue = LoadCatalogueFrom(dir.Path(), &winapp2);
            for (auto& row : catalogue.Items) row.IsActive = true;
            previewed = WashRows(CollectCheckedRows(catalogue, &winapp2).Files, true, tally);
        }
        ListFilesBelow(tree, after);
        ListFilesBelow(outside, after);
        std::set<std::string> deleted;
        std::set_difference(before.begin(), before.end(), after.begin(), after.end(),
                            std::inserter(deleted, deleted.end()));
        std::set<std::string> previewedFiles;
        std::set_intersection(previewed.begin(), previewed.end(), before.begin(), before.end(),
                              std::inserter(previewedFiles, previewedFiles.end()));
        // Deleted: the previewed rows but those that stayed, each with its reason.
        for (const auto& failure : tally.Failures) failed.insert(Upper(failure.Path));
        std::set<std::string> expected;
        std::set_difference(previewedFiles.begin(), previewedFiles.end(), failed.begin(), failed.end(),
                            std::inserter(expected, expected.end()));
        EXPECT_FALSE(deleted.empty());
        EXPECT_EQ(deleted, expected);
        EXPECT_TRUE(std::includes(previewedFiles.begin(), previewedFiles.end(), failed.begin(), failed.end()));
        for (const auto& file : {outside + "target.txt", outside + "dir\\inner.tmp", outside + "dir2\\inner2.tmp"})
            EXPECT_EQ(ReadTextFile(file), "x") << file;
    }
}
