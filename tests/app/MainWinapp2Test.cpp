// winapp2.ini beside the program: its detected entries in the main window after the user's
// items, their check marks and warnings, refused edits, the tray submenu and a real wash.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/CommandLine.h"
#include "dialogs/AboutDialogRes.h"
#include "tests/support/Dialogs.h"
#include "tests/support/EnvScope.h"
#include "tests/support/MainWindowFixture.h"

namespace {

class MainWinapp2Test : public MainWindowFixture {
protected:
    TestKey key{"MainWinapp2"};
    EnvScope env;
    std::string local = dir.Path() + "profile\\Local";
    std::string cache = local + "\\Browser\\User Data\\Default\\Cache\\";

    void AddFiles() override {
        for (const char* folder : {"profile", "profile\\Local", "profile\\Local\\Browser",
                                   "profile\\Local\\Browser\\User Data", "profile\\Local\\Browser\\User Data\\Default",
                                   "profile\\Local\\Browser\\User Data\\Default\\Cache"})
            CreateDirectoryA((dir.Path() + folder).c_str(), nullptr);
        WriteTextFile(cache + "data_1", "x");
        WriteTextFile(cache + "keep.bin", "x");
        env.Set("USERPROFILE", dir.Path() + "profile");
        env.Set("LOCALAPPDATA", local);
        key.Create("Browser");
        WriteTextFile(user, "[Common]\r\nTotal=1\r\nItem0=Mine\r\n[Mine]\r\nIsActive=1\r\n");
        WriteTextFile(Rules(), std::string("[Browser Cache *]\r\nLangSecRef=3022\r\n") +
                                   "Detect=HKCU\\" + key.Path() + "\\Browser\r\n"
                                   "FileKey1=%LocalAppData%\\Brow*\\User Data\\*\\Cache|*.*\r\n"
                                   "ExcludeKey1=FILE|%LocalAppData%\\Browser\\User Data\\Default\\Cache\\|keep.bin\r\n"
                                   "[Browser Session *]\r\nLangSecRef=3022\r\nWarning=Closes your open tabs.\r\n"
                                   "Detect=HKCU\\" + key.Path() + "\\Browser\r\n"
                                   "RegKey1=HKCU\\" + key.Path() + "\\Browser|Session\r\n"
                                   "[Absent *]\r\nLangSecRef=3021\r\nDetect=HKCU\\" + key.Path() + "\\Absent\r\n"
                                   "[Anywhere *]\r\nLangSecRef=3021\r\nFileKey1=%LocalAppData%|*.tmp\r\n"
                                   "not a key line\r\n");
    }

    std::string Rules() const { return dir.Path() + "winapp2.ini"; }
    void SaveCheckedOrderRow(const std::string& name) const {
        Catalogue order;
        CatalogueRow row;
        row.ItemName = name;
        row.ItemFile = Rules();
        row.IsActive = true;
        order.Append(row);
        order.SaveToFile(OrderFilePath());
    }
    Strings MenuRows() const {
        Strings rows;
        char text[256];
        for (int i = 0; i < GetMenuItemCount(form->WashMenu); ++i)
            if (GetMenuStringA(form->WashMenu, i, text, sizeof(text), MF_BYPOSITION) > 0) rows.push_back(text);
        return rows;
    }
    // Clicks row's check box as the user does; answers a question with answer, when one comes.
    std::string CheckRow(int row, int answer) {
        std::string asked;
        RunWithDriver(
            [&] {
                form->ItemList.Select(row);
                form->OnItemSelected();
                form->ItemList.SetChecked(row, true);
                form->OnItemChecked();
            },
            [&](UiDriver& driver) {
                // No question expected: none may come before the click's handling ends.
                if (HWND box = answer ? driver.WaitForMessageBox() : driver.ShownBeforeIdle(true)) {
                    asked = UiDriver::MessageBoxText(box);
                    driver.Answer(box, answer ? answer : IDNO);
                }
            });
        return asked;
    }
};

TEST_F(MainWinapp2Test, DetectedEntriesFollowTheUsersItemsUncheckedAndTheCountsAreShown) {
    MainWindow& main = Open();
    EXPECT_EQ(Rows(), (Strings{"Mine [x]", "Applications: Anywhere [ ]", "Internet: Browser Cache [ ]",
                               "Internet: Browser Session [ ]"}));
    EXPECT_EQ(MenuRows(), (Strings{"Wash all checked item", "Mine"}));
    EXPECT_EQ(main.Winapp2Summary(), "winapp2.ini: 4 entries read, 3 detected, 1 lines skipped, 0 keys refused");
    SelectItem(2);
    ASSERT_EQ(main.FolderList.Count(), 1);
    EXPECT_EQ(main.FolderList.Text(0), "FileKey1: " + local + "\\Brow*\\User Data\\*\\Cache|*.*");
}

TEST_F(MainWinapp2Test, AWarningIsAskedAndTheMarkPersistsThroughOrderIniOnly) {
    const std::string rules = ReadTextFile(Rules());
    Open();
    EXPECT_NE(CheckRow(3, IDNO).find("Closes your open tabs."), std::string::npos);
    EXPECT_EQ(Rows()[3], "Internet: Browser Session [ ]");
    EXPECT_NE(CheckRow(3, IDYES).find("Closes your open tabs."), std::string::npos);
    EXPECT_EQ(CheckRow(2, 0), "");  // no warning, no question
    EXPECT_EQ(Rows()[2], "Internet: Browser Cache [x]");
    EXPECT_EQ(Rows()[3], "Internet: Browser Session [x]");
    EXPECT_EQ(MenuRows(),
              (Strings{"Wash all checked item", "Mine", "Internet: Browser Cache", "Internet: Browser Session"}));

    form.reset();  // order.ini is written at exit
    Open();
    EXPECT_EQ(Rows()[2], "Internet: Browser Cache [x]");
    EXPECT_EQ(Rows()[3], "Internet: Browser Session [x]");
    EXPECT_EQ(ReadTextFile(Rules()), rules);
}

TEST_F(MainWinapp2Test, CheckAllLeavesWarningsUncheckedAndALongSubmenuLeavesTheRulesOut) {
    MainWindow& main = Open();
    main.OnCheckAllItems();
    EXPECT_EQ(Rows(), (Strings{"Mine [x]", "Applications: Anywhere [x]", "Internet: Browser Cache [x]",
                               "Internet: Browser Session [ ]"}));
    EXPECT_EQ(MenuRows().size(), 4u);

    std::string many;
    for (int i = 0; i < MaxWashMenuEntries; ++i)
        many += "[Rule " + std::to_string(i) + " *]\r\nFileKey1=%LocalAppData%|*.tmp\r\n";
    WriteTextFile(Rules(), many);
    main.ReloadCatalogue();
    main.OnCheckAllItems();
    EXPECT_EQ(main.ItemList.Count(), MaxWashMenuEntries + 1);
    EXPECT_EQ(MenuRows(), (Strings{"Wash all checked item", "Mine"}));
}

TEST_F(MainWinapp2Test, EditsAreRefusedAndTheFileStaysAsItWas) {
    const std::string rules = ReadTextFile(Rules());
    MainWindow& main = Open();
    SelectItem(2);
    for (auto command : {&MainWindow::OnEditItem, &MainWindow::OnDeleteItem,
                         &MainWindow::OnEditFolderEntry, &MainWindow::OnDeleteFolderEntry}) {
        std::string text;
        RunWithDriver([&] { (main.*command)(); },
                      [&](UiDriver& driver) {
                          HWND box = driver.WaitForMessageBox();
                          ASSERT_NE(box, nullptr);
                          text = UiDriver::MessageBoxText(box);
                          driver.Answer(box, IDOK);
                      });
        EXPECT_EQ(text, "'Internet: Browser Cache' comes from " + Rules() +
                            " and can not be changed here. Edit that file to change it.");
    }
    EXPECT_EQ(main.ItemList.Count(), 4);
    EXPECT_EQ(ReadTextFile(Rules()), rules);
}

TEST_F(MainWinapp2Test, WashAllWashesACheckedEntryAndKeepsItsExclusion) {
    MainWindow& main = Open();
    CheckRow(2, 0);
    main.Options.PromptBeforeClean = false;
    main.OnWashChecked();
    EXPECT_FALSE(FileExists(cache + "data_1"));
    EXPECT_TRUE(FileExists(cache + "keep.bin"));
}

TEST_F(MainWinapp2Test, ImportReplacesTheRulesFileAfterAskingAndTheAboutBoxCountsIt) {
    MainWindow& main = Open();
    TempDir elsewhere;
    const std::string source = elsewhere.Path() + "winapp2.ini";
    WriteTextFile(source, "[Everywhere *]\r\nLangSecRef=3024\r\nFileKey1=%LocalAppData%|*.log\r\n");
    const std::string before = ReadTextFile(Rules());
    Strings texts;
    auto answering = [&](int answer) {
        return [&texts, answer](UiDriver& driver) {
            for (int button : {answer, IDOK}) {
                HWND box = button == IDOK ? driver.ShownBeforeIdle(true) : driver.WaitForMessageBox();
                if (!box) return;
                texts.push_back(UiDriver::MessageBoxText(box));
                driver.Answer(box, button);
                driver.WaitGone(box);
            }
        };
    };
    RunWithDriver([&] { main.ImportWinapp2(source); }, answering(IDNO));
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], "The file '" + Rules() + "' already exists! OverWrite?");
    EXPECT_EQ(ReadTextFile(Rules()), before);

    texts.clear();
    RunWithDriver([&] { main.ImportWinapp2(source); }, answering(IDYES));
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1], "winapp2.ini: 1 entries read, 1 detected, 0 lines skipped, 0 keys refused");
    EXPECT_EQ(ReadTextFile(Rules()), ReadTextFile(source));
    EXPECT_EQ(Rows(), (Strings{"Mine [x]", "Utilities: Everywhere [ ]"}));

    std::string shown;
    RunDialog([&] { main.OnAbout(); }, "About Varnolt", [&](UiDriver&, HWND about) {
        shown = UiDriver::Text(GetDlgItem(about, IDC_About_Rules));
        UiDriver::Click(about, IDOK);
    });
    EXPECT_EQ(shown, texts[1]);
}

// The program's folder can't be written (a per-machine installation): its winapp2.ini is read
// until the user imports one, which goes into the user's folder and is read from there on.
TEST_F(MainWinapp2Test, AnImportGoesToTheUsersFolderAndIsReadFromThere) {
    TempDir user, elsewhere;
    SetUserDir(user.Path());
    MainWindow& main = Open();
    EXPECT_EQ(main.Winapp2.Path(), Rules());
    const std::string before = ReadTextFile(Rules()), source = elsewhere.Path() + "winapp2.ini";
    WriteTextFile(source, "[Everywhere *]\r\nLangSecRef=3024\r\nFileKey1=%LocalAppData%|*.log\r\n");
    std::string note;
    RunWithDriver([&] { main.ImportWinapp2(source); },
                  [&](UiDriver& driver) {
                      HWND box = driver.WaitForMessageBox(10000);
                      ASSERT_NE(box, nullptr);
                      note = UiDriver::MessageBoxText(box);
                      driver.Answer(box, IDOK);
                      driver.WaitGone(box);
                  });
    EXPECT_EQ(note, "winapp2.ini: 1 entries read, 1 detected, 0 lines skipped, 0 keys refused");
    EXPECT_EQ(ReadTextFile(user.Path() + "winapp2.ini"), ReadTextFile(source));
    EXPECT_EQ(ReadTextFile(Rules()), before) << "the program's folder is left alone";
    EXPECT_EQ(main.Winapp2.Path(), user.Path() + "winapp2.ini");
    Winapp2Catalogue commandLine;
    LoadCatalogueFrom(dir.Path(), &commandLine, user.Path());
    EXPECT_EQ(commandLine.Path(), user.Path() + "winapp2.ini");
    form.reset();  // before the user's folder goes
}

// order.ini of an earlier version names the rows with the section's " *": the same rows.
TEST_F(MainWinapp2Test, ARowSavedUnderItsStarredNameKeepsItsCheckMark) {
    SaveCheckedOrderRow("Internet: Browser Cache *");
    Open();
    EXPECT_EQ(Rows()[0], "Internet: Browser Cache [x]");
    EXPECT_EQ(Rows().size(), 4u);
}

TEST_F(MainWinapp2Test, TheCommandLineWashCoversCheckedEntriesToo) {
    SaveCheckedOrderRow("Internet: Browser Cache *");
    Winapp2Catalogue winapp2;
    CoveredRows rows = CollectCheckedRows(LoadCatalogueFrom(dir.Path(), &winapp2), &winapp2);
    EXPECT_EQ(rows.Files, Strings{cache + "data_1"});
}

}  // namespace
