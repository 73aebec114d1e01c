// The wash operation of the four preview dialogs, run without showing them.
#include <gtest/gtest.h>

#include <knownfolders.h>
#include <shlobj.h>

#include "dialogs/PreviewAllDialog.h"
#include "dialogs/PreviewFilesDialog.h"
#include "dialogs/PreviewItemDialog.h"
#include "dialogs/PreviewRegistryDialog.h"
#include "platform/Error.h"
#include "platform/WideText.h"
#include "tests/dialogs/PreviewTestUtil.h"
#include "tests/support/BrowserFixtures.h"
#include "tests/support/HeldFile.h"

namespace {
class PreviewWash : public testing::Test {
protected:
    void TearDown() override { AbandonWashLog(); }
    std::string File(const std::string& name) {
        std::string path = dir.Path() + "data\\" + name;
        CreateDirectoryA((dir.Path() + "data").c_str(), nullptr);
        WriteTextFile(path, "x");
        return path;
    }

    TempDir dir;
    ProgramDirScope scope{dir.Path()};
    RecordedContext recorded;
};
}  // namespace

TEST_F(PreviewWash, FileDialogWashesCheckedExistingFilesAndSetsOnlyFileCounters) {
    std::string a = File("a.txt"), b = File("b.txt"), c = File("c.txt");
    std::string gone = dir.Path() + "data\\gone.txt";
    recorded.options.QuickDelete = false;
    PreviewFilesDialog dialog;
    dialog.Context = recorded.Make();
    AppendRows(dialog.FileList, {a, b, gone, c});
    dialog.OnSelectAll();
    dialog.FileList.SetChecked(1, false);
    dialog.OnWash();

    EXPECT_FALSE(FileExists(a));
    EXPECT_TRUE(FileExists(b));
    EXPECT_FALSE(FileExists(c));
    EXPECT_EQ(recorded.counters, Strings{"files 2/0"});
    EXPECT_EQ(LogBlocks(), (Blocks{{a, c}}));
    EXPECT_NE(ReadTextFile(LogFilePath()).find(">Secure<"), std::string::npos);
    EXPECT_EQ(dialog.ModalResultValue(), mrOK);
}

TEST_F(PreviewWash, RegistryDialogWashesCheckedRowsAndSetsOnlyRegistryCounters) {
    TestKey key("PreviewWash");
    key.Create("Whole\\Sub");
    key.Set("Values", "keep", "1");
    key.Set("Values", "drop", "2");
    std::string values = key.Full("Values") + "\\" + DeleteValueMarker;
    PreviewRegistryDialog dialog;
    dialog.Context = recorded.Make();
    AppendRows(dialog.RegistryList,
               {key.Full("Whole") + "\\Sub" + DeleteKeyMarker, values + "keep", values + "drop", values + "missing"});
    dialog.OnSelectAll();
    dialog.RegistryList.SetChecked(1, false);
    dialog.OnWash();

    EXPECT_FALSE(key.Exists("Whole\\Sub"));
    EXPECT_TRUE(key.Exists("Whole"));
    EXPECT_TRUE(key.Exists("Values", "keep"));
    EXPECT_FALSE(key.Exists("Values", "drop"));
    EXPECT_EQ(recorded.counters, Strings{"registry 2/1"});
    ASSERT_EQ(LogBlocks().size(), 1u);
    EXPECT_EQ(LogBlocks()[0].size(), 3u);
}

TEST_F(PreviewWash, CurrentItemDialogSetsBothCountersInOneBlockAndHonoursTheOptions) {
    TestKey key("PreviewWash");
    key.Set("Values", "v", "1");
    std::string a = File("a.txt"), locked = File("index.dat");
    HANDLE holder = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    recorded.specificFiles = {locked};
    PreviewItemDialog dialog;
    dialog.Context = recorded.Make();
    AppendRows(dialog.FileList, {a, locked});
    AppendRows(dialog.RegistryList, {key.Full("Values") + "\\" + DeleteValueMarker + "v"});
    dialog.OnSelectAllFiles();
    dialog.OnSelectAllRegistry();
    dialog.OnWash();
    CloseHandle(holder);

    EXPECT_FALSE(FileExists(a));
    EXPECT_FALSE(key.Exists("Values", "v"));
    EXPECT_EQ(recorded.counters, (Strings{"files 2/0", "registry 1/0"}));
    EXPECT_EQ(LogBlocks().size(), 1u);
    EXPECT_NE(ReadTextFile(LogFilePath()).find(">Specific File<"), std::string::npos);

    // With "Write to Log" off nothing more is written.
    std::string before = ReadTextFile(LogFilePath());
    recorded.options.WriteToLog = false;
    PreviewItemDialog quiet;
    quiet.Context = recorded.Make();
    AppendRows(quiet.FileList, {File("b.txt")});
    quiet.OnSelectAllFiles();
    quiet.OnWash();
    EXPECT_EQ(ReadTextFile(LogFilePath()), before);
    EXPECT_EQ(recorded.counters.back(), "registry 0/0");
}

TEST_F(PreviewWash, AllDialogRunsCheckedSpecialItemsAfterTheSharedBlock) {
    std::string a = File("a.txt");
    PreviewAllDialog dialog;
    dialog.Context = recorded.Make();
    for (const char* name : {"First special", "Second special", "Third special"})
        dialog.SpecialList.Add(name);
    AppendRows(dialog.FileList, {a});
    dialog.OnSelectAllSpecials();
    dialog.OnSelectAllFiles();
    dialog.SpecialList.SetChecked(1, false);
    dialog.OnWash();

    EXPECT_FALSE(FileExists(a));
    EXPECT_EQ(recorded.counters, (Strings{"files 1/0", "registry 0/0"}));
    EXPECT_EQ(LogBlocks(), (Blocks{{a}, {"First special"}, {"Third special"}}));
}

TEST_F(PreviewWash, FileFoundTwiceInASortedListIsWashedAndCountedOnce) {
    std::string a = File("a.txt"), b = File("b.txt");
    PreviewAllDialog dialog;
    dialog.Context = recorded.Make();
    AppendRows(dialog.FileList, {b, a});
    dialog.FileList.Model().SetSorted(true);
    AppendRows(dialog.FileList, {a});
    dialog.OnSelectAllFiles();
    ASSERT_EQ(dialog.FileList.Count(), 3);
    EXPECT_EQ(dialog.FileList.Text(1), a);
    dialog.OnWash();
    EXPECT_EQ(recorded.counters.front(), "files 2/0");
    EXPECT_EQ(LogBlocks(), (Blocks{{a, b}}));
}

TEST_F(PreviewWash, UnwritableLogEndsTheWashBeforeAnyDeletionAndClosesTheLog) {
    CreateDirectoryA(LogFilePath().c_str(), nullptr);
    std::string a = File("a.txt");
    PreviewItemDialog dialog;
    dialog.Context = recorded.Make();
    AppendRows(dialog.FileList, {a});
    dialog.OnSelectAllFiles();
    try {
        dialog.OnWash();
        ADD_FAILURE() << "the wash went on";
    } catch (const AppError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + LogFilePath());
    }
    EXPECT_TRUE(FileExists(a));
    EXPECT_TRUE(recorded.counters.empty());
    EXPECT_FALSE(WashLogIsOpen());
    EXPECT_EQ(dialog.ModalResultValue(), mrNone);
}

// A database item's preview has a row per database, checked when the wash would change it; its
// wash runs the item after the running-browser question, logs each database and counts the space.
TEST_F(PreviewWash, DatabaseItemShowsEachDatabaseAndWashesTheItem) {
    wchar_t* found = nullptr;
    SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &found);
    const std::string roaming = Narrow(found);
    CoTaskMemFree(found);
    TempDir profiles;
    struct Seeded {
        std::string tree;
        ~Seeded() { RemoveTree(tree); }
    } seeded{roaming + "\\Mozilla"};
    const std::string home = profiles.Path() + "a1.home\\", work = profiles.Path() + "b2.work\\";
    SeedFirefoxProfile(roaming + "\\Mozilla\\Firefox\\profiles.ini", home, false);
    SeedFirefoxProfile(roaming + "\\Mozilla\\Firefox\\profiles.ini", work, false);
    WriteTextFile(work + "parent.lock", "");
    HeldFile running(work + "parent.lock");
    const std::string workBefore = ReadTextFile(work + "places.sqlite");

    PreviewItemDialog dialog;
    dialog.Context = recorded.Make();
    std::vector<std::string> asked;
    dialog.Context.BeforeWash = [&](HWND, const CheckListModel& files, const std::vector<std::string>& items) {
        EXPECT_EQ(files.Count(), 0);
        asked = items;
        return true;
    };
    dialog.DatabaseItem = "Firefox History";
    const std::vector<DatabaseRow> rows = PreviewDatabaseItem(dialog.DatabaseItem);
    dialog.SetDatabaseRows(rows);
    ASSERT_EQ(dialog.DatabaseList.Count(), static_cast<int>(rows.size()));
    size_t leftAlone = 0;
    for (int i = 0; i < dialog.DatabaseList.Count(); ++i) {
        const bool atHome = rows[i].Path.rfind(home, 0) == 0;
        EXPECT_EQ(rows[i].State, atHome ? DatabaseState::Ready : DatabaseState::BrowserRunning) << rows[i].Path;
        EXPECT_EQ(dialog.DatabaseList.Checked(i), atHome);
        EXPECT_EQ(dialog.DatabaseList.NoteText(i), atHome ? rows[i].Text : "Firefox is running");
        leftAlone += !atHome;
    }
    ASSERT_GT(leftAlone, 0u);
    ASSERT_LT(leftAlone, rows.size());
    // A database is not chosen one by one: its mark follows the item.
    dialog.DatabaseList.SetChecked(0, false);
    dialog.DatabaseList.OnClickCheck(0);
    EXPECT_TRUE(dialog.DatabaseList.Checked(0));

    dialog.OnWash();
    EXPECT_EQ(asked, Strings{"Firefox History"});
    EXPECT_EQ(dialog.Result.Databases.size(), rows.size());
    EXPECT_FALSE(FileHasBytes(home + "places.sqlite", FixtureMarker));
    EXPECT_EQ(ReadTextFile(work + "places.sqlite"), workBefore);
    ASSERT_EQ(dialog.Result.Files.Failures.size(), leftAlone);
    EXPECT_EQ(dialog.Result.Files.Failures[0].Code, "browser_running");
    const Blocks blocks = LogBlocks();
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(blocks[0].size(), rows.size());
}
