// The wash operation of the four preview dialogs, run without showing them.
#include <gtest/gtest.h>

#include "dialogs/UnitDeleteFolderReg.h"
#include "dialogs/UnitPreviewAll.h"
#include "dialogs/UnitPreviewregister.h"
#include "dialogs/unitPreviewFolder.h"
#include "platform/Error.h"
#include "tests/dialogs/PreviewTestUtil.h"

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
    TFormPreviewFolder dialog;
    dialog.Context = recorded.Make();
    AppendRows(dialog.CheckListBoxPreviewFolder, {a, b, gone, c});
    dialog.btnSelectallClick();
    dialog.CheckListBoxPreviewFolder.SetChecked(1, false);
    dialog.btnwasherClick();

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
    TFormPreviewregister dialog;
    dialog.Context = recorded.Make();
    AppendRows(dialog.CheckListBoxPreviewregister,
               {key.Full("Whole") + "\\Sub" + DeleteKeyMarker, values + "keep", values + "drop", values + "missing"});
    dialog.btnSelectallClick();
    dialog.CheckListBoxPreviewregister.SetChecked(1, false);
    dialog.btnwasherClick();

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
    TFormPreviewFolderRegister dialog;
    dialog.Context = recorded.Make();
    AppendRows(dialog.CheckListBoxPreviewFolder, {a, locked});
    AppendRows(dialog.CheckListBoxPreviewregister, {key.Full("Values") + "\\" + DeleteValueMarker + "v"});
    dialog.btnSelectallClick();
    dialog.NewbtnSelectallClick();
    dialog.btnwasherClick();
    CloseHandle(holder);

    EXPECT_FALSE(FileExists(a));
    EXPECT_FALSE(key.Exists("Values", "v"));
    EXPECT_EQ(recorded.counters, (Strings{"files 2/0", "registry 1/0"}));
    EXPECT_EQ(LogBlocks().size(), 1u);
    EXPECT_NE(ReadTextFile(LogFilePath()).find(">Specific File<"), std::string::npos);

    // With "Write to Log" off nothing more is written.
    std::string before = ReadTextFile(LogFilePath());
    recorded.options.WriteToLog = false;
    TFormPreviewFolderRegister quiet;
    quiet.Context = recorded.Make();
    AppendRows(quiet.CheckListBoxPreviewFolder, {File("b.txt")});
    quiet.btnSelectallClick();
    quiet.btnwasherClick();
    EXPECT_EQ(ReadTextFile(LogFilePath()), before);
    EXPECT_EQ(recorded.counters.back(), "registry 0/0");
}

TEST_F(PreviewWash, AllDialogRunsCheckedSpecialItemsAfterTheSharedBlock) {
    std::string a = File("a.txt");
    TFormPreviewAll dialog;
    dialog.Context = recorded.Make();
    for (const char* name : {"First special", "Second special", "Third special"})
        dialog.CheckListBoxSpecial.Add(name);
    AppendRows(dialog.CheckListBoxPreviewFolder, {a});
    dialog.AllbtnSelectallClick();
    dialog.btnSelectallClick();
    dialog.CheckListBoxSpecial.SetChecked(1, false);
    dialog.btnWashAllClick();

    EXPECT_FALSE(FileExists(a));
    EXPECT_EQ(recorded.counters, (Strings{"files 1/0", "registry 0/0"}));
    EXPECT_EQ(LogBlocks(), (Blocks{{a}, {"First special"}, {"Third special"}}));
}

TEST_F(PreviewWash, FileFoundTwiceInASortedListIsWashedAndCountedOnce) {
    std::string a = File("a.txt"), b = File("b.txt");
    TFormPreviewAll dialog;
    dialog.Context = recorded.Make();
    AppendRows(dialog.CheckListBoxPreviewFolder, {b, a});
    dialog.CheckListBoxPreviewFolder.Model().SetSorted(true);
    AppendRows(dialog.CheckListBoxPreviewFolder, {a});
    dialog.btnSelectallClick();
    ASSERT_EQ(dialog.CheckListBoxPreviewFolder.Count(), 3);
    EXPECT_EQ(dialog.CheckListBoxPreviewFolder.Text(1), a);
    dialog.btnWashAllClick();
    EXPECT_EQ(recorded.counters.front(), "files 2/0");
    EXPECT_EQ(LogBlocks(), (Blocks{{a, b}}));
}

TEST_F(PreviewWash, UnwritableLogEndsTheWashBeforeAnyDeletionAndClosesTheLog) {
    CreateDirectoryA(LogFilePath().c_str(), nullptr);
    std::string a = File("a.txt");
    TFormPreviewFolderRegister dialog;
    dialog.Context = recorded.Make();
    AppendRows(dialog.CheckListBoxPreviewFolder, {a});
    dialog.btnSelectallClick();
    try {
        dialog.btnwasherClick();
        ADD_FAILURE() << "the wash went on";
    } catch (const AppError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + LogFilePath());
    }
    EXPECT_TRUE(FileExists(a));
    EXPECT_TRUE(recorded.counters.empty());
    EXPECT_FALSE(WashLogIsOpen());
    EXPECT_EQ(dialog.ModalResultValue(), mrNone);
}
