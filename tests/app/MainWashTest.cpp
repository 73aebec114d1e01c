// Wash and preview of the selected entry and of the current wash item from the main window.
#include "tests/app/MainWashFixture.h"

#include "dialogs/UnitDeleteFolderRegRes.h"
#include "dialogs/UnitPreviewregisterRes.h"

TEST_F(MainWashTest, FolderEntryWashAsksAboutItemAndEntryAndNoChangesNothing) {
    TFormMainVRNT& main = Open();
    main.Options.PromptBeforeClean = true;
    auto [text, states] = Answering([&] { main.btnWashFolderClick(); }, IDNO);
    EXPECT_EQ(text, "Do you want to clean 'Temp Files -> Logs'?");
    EXPECT_EQ(states, AllDisabled);
    EXPECT_TRUE(FileExists(Data("a.log")));
    EXPECT_EQ(Counters(), ",;,");
    EXPECT_FALSE(FileExists(LogFilePath()));
    EXPECT_EQ(WashControlStates(), AllEnabled);

    Answering([&] { main.btnWashFolderClick(); }, IDYES);
    EXPECT_FALSE(FileExists(Data("a.log")));
    EXPECT_FALSE(FileExists(Data("sub\\b.log")));
    EXPECT_TRUE(FileExists(Data("keep.txt")));
    EXPECT_EQ(Counters(), "2,0;,");
    EXPECT_EQ(LogBlocks().size(), 1u);
    EXPECT_EQ(WashControlStates(), AllEnabled);
}

TEST_F(MainWashTest, UncheckedEntryWashesNothingButSetsTheFileCounters) {
    TFormMainVRNT& main = Open();
    main.ChListBoxFolder.Select(1);
    Quietly([&] { main.btnWashFolderClick(); });
    EXPECT_TRUE(FileExists(Data("note.txt")));
    EXPECT_EQ(Counters(), "0,0;,");
    EXPECT_EQ(LogBlocks(), Blocks{{}});
}

TEST_F(MainWashTest, RegistryEntryWashAsksAndSetsOnlyTheRegistryCounters) {
    TFormMainVRNT& main = Open();
    main.Options.PromptBeforeClean = true;
    auto [text, states] = Answering([&] { main.btnWashRegisterClick(); }, IDYES);
    EXPECT_EQ(text, "Do you want to clean 'Temp Files -> Values'?");
    EXPECT_FALSE(key.Exists("Values", "v1"));
    EXPECT_FALSE(key.Exists("Values", "v2"));
    EXPECT_TRUE(FileExists(Data("a.log")));
    EXPECT_EQ(Counters(), ",;2,0");
}

TEST_F(MainWashTest, CurrentItemWashTakesCheckedEntriesAndWashesADuplicateOnce) {
    TFormMainVRNT& main = Open();
    main.Options.PromptBeforeClean = true;
    EXPECT_EQ(Answering([&] { main.btnWashSingleClick(); }, IDNO).first, "Do you want to clean 'Temp Files'?");
    EXPECT_TRUE(FileExists(Data("a.log")));
    EXPECT_EQ(Counters(), ",;,");

    Answering([&] { main.btnWashSingleClick(); }, IDYES);
    EXPECT_FALSE(FileExists(Data("a.log")));
    EXPECT_FALSE(FileExists(Data("sub\\b.log")));
    EXPECT_TRUE(FileExists(Data("note.txt")));  // its entry is unchecked
    EXPECT_FALSE(key.Exists("Values", "v1"));
    EXPECT_EQ(Counters(), "2,0;2,0");
    ASSERT_EQ(LogBlocks().size(), 1u);
    EXPECT_EQ(LogBlocks()[0].size(), 4u);
    EXPECT_EQ(main.ChListBoxItem.Selected(), 0);
    EXPECT_EQ(WashControlStates(), AllEnabled);
}

TEST_F(MainWashTest, CurrentItemWashOfAnUncheckedRowDeletesNothing) {
    TFormMainVRNT& main = Open();
    main.ChListBoxItem.SetChecked(0, false);
    Quietly([&] { main.btnWashSingleClick(); });
    EXPECT_TRUE(FileExists(Data("a.log")));
    EXPECT_TRUE(key.Exists("Values", "v1"));
    EXPECT_EQ(Counters(), "0,0;0,0");
}

TEST_F(MainWashTest, SpecialItemWashesAtOnceWithoutAskingOrDisabling) {
    TFormMainVRNT& main = Open();
    main.Options.PromptBeforeClean = true;
    SelectItem(2);
    Quietly([&] { main.btnWashSingleClick(); });
    EXPECT_EQ(LogBlocks(), Blocks{{"Custom Special"}});
    EXPECT_EQ(Counters(), ",;,");
    // A special item keeps its entry buttons disabled.
    EXPECT_EQ(WashControlStates(), "+++----- ++++");
}

TEST_F(MainWashTest, PreviewsNeverAskShowSortedRowsAndKeepTheControlsOffMeanwhile) {
    TFormMainVRNT& main = Open();
    main.Options.PromptBeforeClean = true;
    std::vector<std::string> rows;
    std::string states;
    RunWithDriver([&] { main.btnPreviewCurrentItemClick(); },
                  [&](UiDriver& driver) {
                      HWND dialog = driver.WaitForWindow("#32770", "Preview Current Wash Item");
                      ASSERT_NE(dialog, nullptr);
                      states = WashControlStates();
                      rows = ListRows(GetDlgItem(dialog, IDC_PreviewFolderReg_CheckListBoxPreviewFolder));
                      // A second command asked for meanwhile is skipped.
                      PostMessageA(main.Handle(), WM_COMMAND, MAKEWPARAM(IDC_btnWashAll, BN_CLICKED),
                                   reinterpret_cast<LPARAM>(main.Control(IDC_btnWashAll)));
                      Sleep(200);
                      UiDriver::Click(dialog, IDC_PreviewFolderReg_SpeedButton1);
                      EXPECT_TRUE(driver.WaitGone(dialog));
                  });
    EXPECT_EQ(states, AllDisabled);
    EXPECT_EQ(rows, (Strings{Data("a.log"), Data("a.log"), Data("sub\\b.log")}));
    EXPECT_EQ(WashControlStates(), AllEnabled);
    EXPECT_TRUE(FileExists(Data("a.log")));
    EXPECT_TRUE(key.Exists("Values", "v1"));
    EXPECT_EQ(Counters(), ",;,");

    for (auto [command, caption] :
         {std::pair<std::function<void()>, const char*>{[&] { main.btnPreviewCurrentFolderClick(); },
                                                        "Preview Files of Current Item"},
          {[&] { main.btnPreviewCurrentRegisterClick(); }, "Preview Registry Entry of Current Item"}}) {
        RunWithDriver(command, [&](UiDriver& driver) {
            HWND dialog = driver.WaitForWindow("#32770", caption);
            ASSERT_NE(dialog, nullptr) << caption;
            PostMessageA(dialog, WM_CLOSE, 0, 0);
            EXPECT_TRUE(driver.WaitGone(dialog));
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
    TFormMainVRNT& main = Open();
    ASSERT_EQ(main.ChListBoxRegister.Count(), 1);
    std::vector<std::string> rows{"not read"};
    std::string note;
    RunWithDriver([&] { main.btnPreviewCurrentRegisterClick(); },
                  [&](UiDriver& driver) {
                      HWND dialog = driver.WaitForWindow("#32770", "Preview Registry Entry of Current Item");
                      ASSERT_NE(dialog, nullptr);
                      rows = ListRows(GetDlgItem(dialog, IDC_PreviewRegister_CheckListBoxPreviewregister));
                      note = UiDriver::Text(GetDlgItem(dialog, IDC_PreviewRegister_LabNote));
                      UiDriver::Click(dialog, IDC_PreviewRegister_btnwasher);
                      EXPECT_TRUE(driver.WaitGone(dialog));
                  });
    EXPECT_TRUE(rows.empty());
    EXPECT_EQ(note, "'HKEY_FOO' is not a registry root key such as HKEY_CURRENT_USER, so this entry lists nothing.");
    EXPECT_TRUE(key.Exists("Values", "v1") && key.Exists("Values", "v2"));
}
