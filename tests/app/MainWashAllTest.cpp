// Wash and preview of all checked wash items, the tray's wash entries, errors and the
// start-up wash.
#include "tests/app/MainWashFixture.h"

#include "dialogs/PreviewAllDialogRes.h"
#include "tests/support/Dialogs.h"
#include "tests/support/Wait.h"

TEST_F(MainWashTest, WashAllAsksAndNoLeavesSelectionCountersAndLogAlone) {
    MainWindow& main = Open();
    main.Options.PromptBeforeClean = true;
    SelectItem(1);
    auto [text, states] = Answering([&] { main.OnWashChecked(); }, IDNO);
    EXPECT_EQ(text, "Do you want to wash all the items selected?");
    EXPECT_EQ(states, AllEnabled);  // nothing happens before the answer
    EXPECT_EQ(main.ItemList.Selected(), 1);
    EXPECT_EQ(Counters(), ",;,");
    EXPECT_FALSE(FileExists(LogFilePath()));
    EXPECT_TRUE(FileExists(Data("a.log")));
}

TEST_F(MainWashTest, WashAllWashesCheckedItemsThenSpecialsAndSelectsTheLastChecked) {
    MainWindow& main = Open();
    main.Options.PromptBeforeClean = true;
    Answering([&] { main.OnWashAllMenu(); }, IDYES);
    EXPECT_FALSE(FileExists(Data("a.log")));
    EXPECT_FALSE(FileExists(Data("sub\\b.log")));
    EXPECT_TRUE(FileExists(Data("note.txt")));
    EXPECT_FALSE(key.Exists("Values", "v1"));
    EXPECT_TRUE(key.Exists("Whole\\Sub1"));  // its wash item is unchecked
    EXPECT_EQ(Counters(), "2,0;2,0");
    Blocks blocks = LogBlocks();
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[0], (Strings{Data("a.log"), Data("sub\\b.log"), key.Full("Values") + "\\v1",
                                  key.Full("Values") + "\\v2"}));
    EXPECT_EQ(blocks[1], Strings{"Custom Special"});
    EXPECT_EQ(main.ItemList.Selected(), 2);
    EXPECT_EQ(main.CurrentItem->Property.ItemName, "Custom Special");
    EXPECT_EQ(WashControlStates(), "+++----- ++++");
}

TEST_F(MainWashTest, WashAllWithNothingCheckedWritesAnEmptyBlockAndZeroCounters) {
    MainWindow& main = Open();
    for (int i = 0; i < main.ItemList.Count(); ++i) main.ItemList.SetChecked(i, false);
    SelectItem(1);
    Quietly([&] { main.OnWashChecked(); });
    EXPECT_EQ(Counters(), "0,0;0,0");
    EXPECT_EQ(LogBlocks(), Blocks{{}});
    EXPECT_EQ(main.ItemList.Selected(), 1);
    EXPECT_TRUE(FileExists(Data("a.log")));

    // With no row selected the current special item still keeps its entry buttons off.
    SelectItem(2);
    main.ItemList.Select(-1);
    Quietly([&] { main.OnWashChecked(); });
    EXPECT_EQ(WashControlStates(), "+++----- ++++");
}

TEST_F(MainWashTest, PreviewAllKeepsTheControlsOffAndWashesFromTheDialog) {
    MainWindow& main = Open();
    main.Options.PromptBeforeClean = true;
    // The last checked item is an ordinary one, whose selection enables entry buttons.
    main.ItemList.SetChecked(2, false);
    std::string states;
    RunDialog([&] { main.OnPreviewChecked(); }, "Preview All Wash Item Checked", [&](UiDriver&, HWND dialog) {
        states = WashControlStates();
        UiDriver::Click(dialog, IDC_PreviewAll_Wash);
    });
    EXPECT_EQ(states, AllDisabled);
    EXPECT_FALSE(FileExists(Data("a.log")));
    EXPECT_EQ(Counters(), "2,0;2,0");
    EXPECT_EQ(LogBlocks().size(), 1u);
    EXPECT_EQ(main.ItemList.Selected(), 0);
}

TEST_F(MainWashTest, TrayItemEntrySelectsTheRowAndWashesIt) {
    MainWindow& main = Open();
    SelectItem(2);
    Quietly([&] { main.OnWashMenuItem(100); });
    EXPECT_EQ(main.ItemList.Selected(), 0);
    EXPECT_FALSE(FileExists(Data("a.log")));
    EXPECT_EQ(Counters(), "2,0;2,0");
}

TEST_F(MainWashTest, ErrorEndsTheCommandShowsItAndEnablesTheControls) {
    CreateDirectoryA(LogFilePath().c_str(), nullptr);
    MainWindow& main = Open();
    SelectItem(1);
    EXPECT_EQ(AnswerBoxes([&] { main.OnWashChecked(); }, {IDOK}), Strings{"E:Unable to write to " + LogFilePath()});
    EXPECT_TRUE(FileExists(Data("a.log")));
    EXPECT_EQ(Counters(), ",;,");
    EXPECT_FALSE(main.WashRunning());
    EXPECT_FALSE(WashLogIsOpen());
    // The last checked item was made current while gathering, and is read again.
    EXPECT_EQ(main.ItemList.Selected(), 2);
    EXPECT_EQ(main.CurrentItem->Property.ItemName, "Custom Special");
    EXPECT_EQ(WashControlStates(), "+++----- ++++");
}

TEST_F(MainWashTest, StartUpWashRunsAtFirstActivationWithoutAskingWhenConfigured) {
    for (const char* autoRun : {"0", "1"}) {
        WriteTextFile(dir.Path() + "wildcard.ini", std::string("[Run]\r\nAuto Run=") + autoRun +
                                                       "\r\n[Schedule]\r\nSchedule Option=byStart \r\n"
                                                       "[Delete Option]\r\nprompt Before=1\r\n");
        MainWindow& main = Open();
        // The start-up check is posted at the first activation and handled before Quietly returns.
        Quietly([&] {
            ShowWindow(main.Handle(), SW_SHOW);
            SetForegroundWindow(main.Handle());
            WaitUntil([&] { return GetActiveWindow() == main.Handle(); }, 5000);
        });
        EXPECT_EQ(FileExists(Data("a.log")), autoRun[0] == '0') << "Auto Run=" << autoRun;
        EXPECT_TRUE(main.Options.PromptBeforeClean);
        SendMessageA(main.Handle(), WM_CLOSE, 0, 0);
    }
    EXPECT_EQ(LogBlocks().size(), 2u);
}
