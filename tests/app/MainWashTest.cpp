// Wash and preview of the selected entry and of the current wash item from the main window.
#include "tests/app/MainWashFixture.h"

#include "dialogs/PreviewItemDialogRes.h"
#include "dialogs/PreviewRegistryDialogRes.h"

TEST_F(MainWashTest, FolderEntryWashAsksAboutItemAndEntryAndNoChangesNothing) {
    MainWindow& main = Open();
    main.Options.PromptBeforeClean = true;
    auto [text, states] = Answering([&] { main.OnWashFolderEntry(); }, IDNO);
    EXPECT_EQ(text, "Do you want to clean 'Temp Files -> Logs'?");
    EXPECT_EQ(states, AllDisabled);
    EXPECT_TRUE(FileExists(Data("a.log")));
    EXPECT_EQ(Counters(), ",;,");
    EXPECT_FALSE(FileExists(LogFilePath()));
    EXPECT_EQ(WashControlStates(), AllEnabled);

    Answering([&] { main.OnWashFolderEntry(); }, IDYES);
    EXPECT_FALSE(FileExists(Data("a.log")));
    EXPECT_FALSE(FileExists(Data("sub\\b.log")));
    EXPECT_TRUE(FileExists(Data("keep.txt")));
    EXPECT_EQ(Counters(), "2,0;,");
    EXPECT_EQ(LogBlocks().size(), 1u);
    EXPECT_EQ(WashControlStates(), AllEnabled);
}

TEST_F(MainWashTest, UncheckedEntryWashesNothingButSetsTheFileCounters) {
    MainWindow& main = Open();
    main.FolderList.Select(1);
    Quietly([&] { main.OnWashFolderEntry(); });
    EXPECT_TRUE(FileExists(Data("note.txt")));
    EXPECT_EQ(Counters(), "0,0;,");
    EXPECT_EQ(LogBlocks(), Blocks{{}});
}

TEST_F(MainWashTest, RegistryEntryWashAsksAndSetsOnlyTheRegistryCounters) {
    MainWindow& main = Open();
    main.Options.PromptBeforeClean = true;
    auto [text, states] = Answering([&] { main.OnWashRegistryEntry(); }, IDYES);
    EXPECT_EQ(text, "Do you want to clean 'Temp Files -> Values'?");
    EXPECT_FALSE(key.Exists("Values", "v1"));
    EXPECT_FALSE(key.Exists("Values", "v2"));
    EXPECT_TRUE(FileExists(Data("a.log")));
    EXPECT_EQ(Counters(), ",;2,0");
}

TEST_F(MainWashTest, CurrentItemWashTakesCheckedEntriesAndWashesADuplicateOnce) {
    MainWindow& main = Open();
    main.Options.PromptBeforeClean = true;
    EXPECT_EQ(Answering([&] { main.OnWashCurrentItem(); }, IDNO).first, "Do you want to clean 'Temp Files'?");
    EXPECT_TRUE(FileExists(Data("a.log")));
    EXPECT_EQ(Counters(), ",;,");

    Answering([&] { main.OnWashCurrentItem(); }, IDYES);
    EXPECT_FALSE(FileExists(Data("a.log")));
    EXPECT_FALSE(FileExists(Data("sub\\b.log")));
    EXPECT_TRUE(FileExists(Data("note.txt")));  // its entry is unchecked
    EXPECT_FALSE(key.Exists("Values", "v1"));
    EXPECT_EQ(Counters(), "2,0;2,0");
    ASSERT_EQ(LogBlocks().size(), 1u);
    EXPECT_EQ(LogBlocks()[0].size(), 4u);
    EXPECT_EQ(main.ItemList.Selected(), 0);
    EXPECT_EQ(WashControlStates(), AllEnabled);
}

TEST_F(MainWashTest, CurrentItemWashOfAnUncheckedRowDeletesNothing) {
    MainWindow& main = Open();
    main.ItemList.SetChecked(0, false);
    Quietly([&] { main.OnWashCurrentItem(); });
    EXPECT_TRUE(FileExists(Data("a.log")));
    EXPECT_TRUE(key.Exists("Values", "v1"));
    EXPECT_EQ(Counters(), "0,0;0,0");
}

TEST_F(MainWashTest, SpecialItemWashesAtOnceWithoutAskingOrDisabling) {
    MainWindow& main = Open();
    main.Options.PromptBeforeClean = true;
    SelectItem(2);
    Quietly([&] { main.OnWashCurrentItem(); });
    EXPECT_EQ(LogBlocks(), Blocks{{"Custom Special"}});
    EXPECT_EQ(Counters(), ",;,");
    // A special item keeps its entry buttons disabled.
    EXPECT_EQ(WashControlStates(), "+++----- ++++");
}

TEST_F(MainWashTest, PreviewsNeverAskShowSortedRowsAndKeepTheControlsOffMeanwhile) {
    MainWindow& main = Open();
    main.Options.PromptBeforeClean = true;
    std::vector<std::string> rows;
    std::string states;
    RunDialog([&] { main.OnPreviewCurrentItem(); }, "Preview Current Wash Item", [&](UiDriver&, HWND dialog) {
        states = WashControlStates();
        rows = ListRows(GetDlgItem(dialog, IDC_PreviewItem_Files));
        // A second command asked for meanwhile is skipped (its handler returns at
        // once, showing nothing).
        DWORD_PTR r = 0;
        EXPECT_NE(SendMessageTimeoutA(main.Handle(), WM_COMMAND, MAKEWPARAM(IDC_WashChecked, BN_CLICKED),
                                      reinterpret_cast<LPARAM>(main.Control(IDC_WashChecked)),
                                      SMTO_NORMAL, 5000, &r),
                  0);
        UiDriver::Click(dialog, IDC_PreviewItem_Close);
    });
    EXPECT_EQ(states, AllDisabled);
    EXPECT_EQ(rows, (Strings{Data("a.log"), Data("a.log"), Data("sub\\b.log")}));
    EXPECT_EQ(WashControlStates(), AllEnabled);
    EXPECT_TRUE(FileExists(Data("a.log")));
    EXPECT_TRUE(key.Exists("Values", "v1"));
    EXPECT_EQ(Counters(), ",;,");

    for (auto [command, caption] :
         {std::pair<std::function<void()>, const char*>{[&] { main.OnPreviewFolderEntry(); },
                                                        "Preview Files of Current Item"},
          {[&] { main.OnPreviewRegistryEntry(); }, "Preview Registry Entry of Current Item"}}) {
        RunDialog(command, caption, [&](UiDriver&, HWND dialog) {
            PostMessageA(dialog, WM_CLOSE, 0, 0);
        });
    }
    EXPECT_TRUE(FileExists(Data("a.log")));
    EXPECT_FALSE(FileExists(LogFilePath()));
}

// An entry whose root is no root key's name stays listed, names nothing (under
// HKEY_CURRENT_USER neither) and its preview says why.
TEST_F(MainWashTest, RegistryEntryWithAnUnknownRootPreviewsNothingAndSaysWhy) {
    WriteTextFile(dir.Path() + "const\\system.txt",
                  "[Common]\r\nTotal=1\r\nItem0=Typo\r\n[Typo]\r\nIsActive=1\r\ntRegister.Total=1\r\n"
                  "tRegister0.ChildItemName=Values\r\ntRegister0.isactive=1\r\ntRegister0.CleanRegisterType=1\r\n"
                  "tRegister0.RegisterKeyName=HKEY_FOO\\" + key.Path() + "\\Values\r\n");
    MainWindow& main = Open();
    ASSERT_EQ(main.RegistryList.Count(), 1);
    std::vector<std::string> rows{"not read"};
    std::string note;
    RunDialog([&] { main.OnPreviewRegistryEntry(); }, "Preview Registry Entry of Current Item",
              [&](UiDriver&, HWND dialog) {
                  rows = ListRows(GetDlgItem(dialog, IDC_PreviewRegistry_Rows));
                  note = UiDriver::Text(GetDlgItem(dialog, IDC_PreviewRegistry_Note));
                  UiDriver::Click(dialog, IDC_PreviewRegistry_Wash);
              });
    EXPECT_TRUE(rows.empty());
    EXPECT_EQ(note, "'HKEY_FOO' is not a registry root key such as HKEY_CURRENT_USER, so this entry lists nothing.");
    EXPECT_TRUE(key.Exists("Values", "v1") && key.Exists("Values", "v2"));
}
