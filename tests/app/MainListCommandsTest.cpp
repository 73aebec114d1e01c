// The wash item and entry commands of the main window, driven through their real dialogs.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "dialogs/FolderEntryDialogRes.h"
#include "dialogs/RegistryEntryDialogRes.h"
#include "dialogs/WashItemDialogRes.h"
#include "platform/Profile.h"
#include "tests/support/DialogInput.h"
#include "tests/support/Dialogs.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/Wait.h"

namespace {
// const\system.txt lists Alpha (two folder/file entries, one registry entry), Beta and Gamma;
// const\user.txt lists Delta.
class MainListCommands : public MainWindowFixture {
protected:
    std::string SystemItems() const override {
        return "[Common]\r\nTotal=3\r\nItem0=Alpha\r\nItem1=Beta\r\nItem2=Gamma\r\n"
               "[Alpha]\r\nIsActive=1\r\ntFolder.Total=2\r\n"
               "tFolder0.ChildItemName=Temp\r\ntFolder0.isactive=1\r\ntFolder0.bycategory=2\r\n"
               "tFolder0.deletefilename=C:\\t.tmp\r\n"
               "tFolder1.ChildItemName=Logs\r\ntFolder1.isactive=0\r\ntFolder1.bycategory=0\r\n"
               "tFolder1.IsIncludeSubfolder=1\r\n"
               "tRegister.Total=1\r\ntRegister0.ChildItemName=Run\r\ntRegister0.isactive=1\r\n"
               "tRegister0.RegisterKeyName=HKEY_CURRENT_USER\\Software\\X\r\ntRegister0.CleanRegisterType=1\r\n"
               "[Beta]\r\nIsActive=0\r\n[Gamma]\r\nIsActive=1\r\n";
    }
    void AddFiles() override {
        WriteTextFile(user, "[Common]\r\nTotal=1\r\nItem0=Delta\r\n[Delta]\r\nIsActive=1\r\n");
    }
    void TearDown() override {
        SetFileAttributesA(system.c_str(), FILE_ATTRIBUTE_NORMAL);
        MainWindowFixture::TearDown();
    }

    // A click on a row's check box, as the list reports it.
    static void ClickCheckBox(CheckList& list, int row) {
        list.SetChecked(row, !list.Checked(row));
        list.OnClickCheck(row);
    }
    static std::string Key(const std::string& file, const std::string& section, const std::string& key) {
        return ProfileFile(file).ReadString(section, key, "(none)");
    }

    // Runs command; script fills the dialog with that caption; then the refusal it brings, if any.
    std::string WithDialog(const std::function<void()>& command, const char* caption,
                           const std::function<void(HWND)>& script) {
        std::string refusal;
        RunDialog(
            command, caption,
            [&](UiDriver&, HWND dialog) {
                EXPECT_TRUE(form->WashRunning());
                script(dialog);
            },
            [&](UiDriver& driver) {
                if (HWND box = driver.ShownBeforeIdle(true)) {
                    EXPECT_EQ(UiDriver::MessageBoxIcon(box), static_cast<UINT>(MB_ICONERROR));
                    refusal = UiDriver::MessageBoxText(box);
                    driver.Answer(box, IDOK);
                    driver.WaitGone(box);
                }
            });
        return refusal;
    }
    std::string Saving(const std::function<void()>& command, const char* caption, int nameId, const std::string& name) {
        return WithDialog(command, caption, [&](HWND dialog) {
            TypeText(dialog, nameId, name);
            UiDriver::Click(dialog, IDOK);
        });
    }
    // Runs a command that shows one message box, answers it and returns its text.
    std::string Answering(const std::function<void()>& command, int button) {
        std::string text;
        RunWithDriver(command, [&](UiDriver& driver) {
            HWND box = driver.WaitForMessageBox();
            ASSERT_NE(box, nullptr);
            text = UiDriver::MessageBoxText(box);
            driver.Answer(box, button);
            driver.WaitGone(box);
        });
        return text;
    }
};
}  // namespace

TEST_F(MainListCommands, AddTrimsTheNameAndRefusesDuplicatesOfTheUserFileAndReservedNames) {
    MainWindow& main = Open();
    std::string added = WithDialog([&] { main.OnAddItem(); }, "Add Wash Item", [&](HWND dialog) {
        EXPECT_EQ(ControlTextOf(dialog, IDC_WashItem_Name), "New Item");
        EXPECT_TRUE(CheckedOf(dialog, IDC_WashItem_Active));
        EXPECT_EQ(ControlTextOf(dialog, IDC_WashItem_File), user);
        TypeText(dialog, IDC_WashItem_Name, "  Mine  ");
        UiDriver::Click(dialog, IDOK);
    });
    EXPECT_EQ(added, "");
    EXPECT_EQ(Key(user, "Common", "Item1"), "Mine");
    EXPECT_EQ(main.ItemList.Selected(), 4);
    EXPECT_EQ(main.ItemList.Text(4), "Mine");
    EXPECT_EQ(GetMenuItemCount(main.WashMenu), 2 + 5);

    const std::string before = ReadTextFile(user);
    EXPECT_EQ(Saving([&] { main.OnAddItem(); }, "Add Wash Item", IDC_WashItem_Name, " delta "),
              "Item Name exists! Please retry.");
    EXPECT_EQ(Saving([&] { main.OnAddItem(); }, "Add Wash Item", IDC_WashItem_Name, "common"),
              "Item Name 'common' can not be used: a wash item can not be named Common nor hold <|>, [ or ]. "
              "Please retry.");
    WithDialog([&] { main.OnAddItem(); }, "Add Wash Item",
               [](HWND dialog) { UiDriver::Click(dialog, IDCANCEL); });
    EXPECT_EQ(ReadTextFile(user), before);

    // The name of an item of another file is no duplicate.
    EXPECT_EQ(Saving([&] { main.OnAddItem(); }, "Add Wash Item", IDC_WashItem_Name, "Alpha"), "");
    EXPECT_EQ(Key(user, "Common", "Item2"), "Alpha");
}

TEST_F(MainListCommands, ANewItemNeverTakesOverALeftOverNewItem) {
    WriteTextFile(user, "[Common]\r\nTotal=1\r\nItem0=New Item\r\n[New Item]\r\nIsActive=0\r\ntFolder.Total=1\r\n"
                        "tFolder0.ChildItemName=Old\r\n");
    MainWindow& main = Open();
    EXPECT_EQ(Saving([&] { main.OnAddItem(); }, "Add Wash Item", IDC_WashItem_Name, "New Item"),
              "Item Name exists! Please retry.");
    WithDialog([&] { main.OnAddItem(); }, "Add Wash Item", [](HWND dialog) {
        EXPECT_TRUE(CheckedOf(dialog, IDC_WashItem_Active));
        TypeText(dialog, IDC_WashItem_Name, "Fresh");
        UiDriver::Click(dialog, IDOK);
    });
    EXPECT_EQ(Key(user, "Fresh", "IsActive"), "1");
    EXPECT_EQ(Key(user, "Fresh", "tFolder.Total"), "0");
}

TEST_F(MainListCommands, RenameMovesTheItemToTheEndAndTheActiveBoxShowsTheRowsMark) {
    // The order file remembers Alpha unchecked although its wash item file says active.
    WriteTextFile(dir.Path() + "order.ini", "[Common]\r\nTotal=1\r\nItem0=Alpha<|>" + system + "\r\n[Alpha<|>" +
                                                system + "]\r\ntxtfilename=" + system + "\r\nIsActive=0\r\n");
    MainWindow& main = Open();
    EXPECT_EQ(Saving([&] { main.OnEditItem(); }, "Edit Wash Item", IDC_WashItem_Name, "GAMMA "),
              "Item Name exists! Please retry.");
    WithDialog([&] { main.OnEditItem(); }, "Edit Wash Item", [](HWND dialog) {
        EXPECT_EQ(ControlTextOf(dialog, IDC_WashItem_Name), "Alpha");
        EXPECT_FALSE(CheckedOf(dialog, IDC_WashItem_Active));
        TypeText(dialog, IDC_WashItem_Name, " Omega ");
        UiDriver::Click(dialog, IDOK);
    });
    EXPECT_EQ(Rows(main.ItemList), (Strings{"Beta [ ]", "Gamma [x]", "Delta [x]", "Omega [ ]"}));
    EXPECT_EQ(main.ItemList.Selected(), 0);
    EXPECT_EQ(main.CurrentItem->Property.ItemName, "Beta");
    EXPECT_EQ(Key(system, "Common", "Item0"), "Omega");
    EXPECT_EQ(Key(system, "Omega", "tFolder1.ChildItemName"), "Logs");
    EXPECT_EQ(Key(system, "Alpha", "IsActive"), "(none)");
}

TEST_F(MainListCommands, DeleteAsksKeepsTheRowOrFallsBackToRowZeroAndEmptiesAllLists) {
    MainWindow& main = Open();
    SelectItem(3);
    EXPECT_EQ(Answering([&] { main.OnDeleteItem(); }, IDNO), "Do you want to delete 'Delta'?");
    EXPECT_EQ(main.ItemList.Count(), 4);
    Answering([&] { main.OnDeleteItem(); }, IDYES);
    EXPECT_EQ(Key(user, "Common", "Total"), "0");
    EXPECT_EQ(main.ItemList.Selected(), 0);
    SelectItem(1);
    Answering([&] { main.OnDeleteItem(); }, IDYES);
    EXPECT_EQ(Rows(main.ItemList), (Strings{"Alpha [x]", "Gamma [x]"}));
    EXPECT_EQ(main.ItemList.Selected(), 1);
    for (int i = 0; i < 2; ++i) Answering([&] { main.OnDeleteItem(); }, IDYES);
    EXPECT_EQ(main.ItemList.Count(), 0);
    EXPECT_EQ(main.FolderList.Count(), 0);
    EXPECT_EQ(main.RegistryList.Count(), 0);
    EXPECT_FALSE(main.HasCurrentItem());
    EXPECT_EQ(Key(system, "Common", "Total"), "0");
}

TEST_F(MainListCommands, CheckAllRewritesOnlyTheCurrentFileAndReachesEveryRowAfterARestart) {
    MainWindow& main = Open();
    main.OnUncheckAllItems();
    EXPECT_EQ(Key(system, "Alpha", "IsActive"), "0");
    main.OnCheckAllItems();
    EXPECT_EQ(Key(system, "Alpha", "IsActive"), "1");
    EXPECT_EQ(Key(system, "Beta", "IsActive"), "0");
    EXPECT_TRUE(GetMenuState(main.WashMenu, IDM_WashItemBase + 1, MF_BYCOMMAND) & MF_CHECKED);
    SendMessageA(main.Handle(), WM_CLOSE, 0, 0);
    MainWindow& again = Open();
    EXPECT_EQ(Rows(again.ItemList), (Strings{"Alpha [x]", "Beta [x]", "Gamma [x]", "Delta [x]"}));
}

TEST_F(MainListCommands, ACheckBoxClickSelectsItsRowFirstAndAMoveTakesTheMarkAlong) {
    MainWindow& main = Open();
    // A real mouse click on the check box of row 2.
    HWND list = main.ItemList.Handle();
    RECT row;
    ListView_GetItemRect(list, 2, &row, LVIR_BOUNDS);
    LVHITTESTINFO hit{};
    hit.pt.y = (row.top + row.bottom) / 2;
    for (hit.pt.x = row.left; hit.pt.x < row.left + 40; ++hit.pt.x)
        if (ListView_SubItemHitTest(list, &hit) == 2 && (hit.flags & LVHT_ONITEMSTATEICON)) break;
    ASSERT_TRUE(hit.flags & LVHT_ONITEMSTATEICON);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(hit.pt.x, hit.pt.y));
    PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(hit.pt.x, hit.pt.y));
    WaitUntil([&] { return main.ItemList.Selected() == 2 && !main.ItemList.Checked(2); }, 5000);
    EXPECT_FALSE(main.ItemList.Checked(2));
    EXPECT_EQ(main.ItemList.Selected(), 2);
    EXPECT_EQ(main.CurrentItem->Property.ItemName, "Gamma");
    EXPECT_EQ(Key(system, "Gamma", "IsActive"), "0");
    EXPECT_EQ(Key(system, "Alpha", "IsActive"), "1");
    main.OnMoveItemUp();
    EXPECT_EQ(Rows(main.ItemList), (Strings{"Alpha [x]", "Gamma [ ]", "Beta [ ]", "Delta [x]"}));
    EXPECT_EQ(main.ItemList.Selected(), 1);
}

TEST_F(MainListCommands, ARefusedWriteShowsItsMessageAndLeavesFileAndMarksAsTheyWere) {
    MainWindow& main = Open();
    const std::string before = ReadTextFile(system);
    SetFileAttributesA(system.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(Answering([&] { ClickCheckBox(main.ItemList, 0); }, IDOK), "Unable to write to " + system);
    EXPECT_TRUE(main.ItemList.Checked(0));
    EXPECT_EQ(Saving([&] { main.OnEditItem(); }, "Edit Wash Item", IDC_WashItem_Name, "Renamed"),
              "Unable to write to " + system);
    EXPECT_EQ(ReadTextFile(system), before);
    EXPECT_EQ(main.ItemList.Text(0), "Alpha");
}

TEST_F(MainListCommands, ARefusedOrderFileAtExitIsKeptAsItWas) {
    const std::string order = dir.Path() + "order.ini", saved = "[Common]\r\nTotal=0\r\n";
    WriteTextFile(order, saved);
    SetFileAttributesA(order.c_str(), FILE_ATTRIBUTE_READONLY);
    MainWindow& main = Open();
    EXPECT_EQ(Answering([&] { SendMessageA(main.Handle(), WM_CLOSE, 0, 0); }, IDOK), "Unable to write to " + order);
    SetFileAttributesA(order.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadTextFile(order), saved);
}

TEST_F(MainListCommands, AnItemNoLongerListedIsNeverTakenForTheFirstOne) {
    MainWindow& main = Open();
    SelectItem(1);
    // Beta goes from the file behind the program's back.
    WriteTextFile(system, "[Common]\r\nTotal=2\r\nItem0=Alpha\r\nItem1=Gamma\r\n[Alpha]\r\nIsActive=1\r\n"
                          "[Gamma]\r\nIsActive=1\r\n");
    const std::string before = ReadTextFile(system);
    EXPECT_EQ(Answering([&] { ClickCheckBox(main.ItemList, 1); }, IDOK),
              "Item 'Beta' is no longer listed in " + system +
                  ". Nothing was changed; the wash item list is read again.");
    EXPECT_EQ(ReadTextFile(system), before);
    EXPECT_EQ(Rows(main.ItemList), (Strings{"Alpha [x]", "Gamma [x]", "Delta [x]"}));
}

TEST_F(MainListCommands, AnItemNamedCommonIsNeverRewrittenAndItsDeleteKeepsTheItemList) {
    WriteTextFile(user, "[Common]\r\nTotal=2\r\nItem0=Common\r\nItem1=Delta\r\n[Delta]\r\nIsActive=1\r\n");
    MainWindow& main = Open();
    SelectItem(3);
    const std::string before = ReadTextFile(user);
    EXPECT_NE(Answering([&] { ClickCheckBox(main.ItemList, 3); }, IDOK).find("can not be used"),
              std::string::npos);
    EXPECT_EQ(ReadTextFile(user), before);
    Answering([&] { main.OnDeleteItem(); }, IDYES);
    EXPECT_EQ(Key(user, "Common", "Total"), "1");
    EXPECT_EQ(Key(user, "Common", "Item0"), "Delta");
    EXPECT_EQ(Key(user, "Delta", "IsActive"), "1");
}

TEST_F(MainListCommands, FolderEntriesEditDeleteAndAnAddInheritsTheLeftOverKeys) {
    MainWindow& main = Open();
    const std::string before = ReadTextFile(system);
    EXPECT_EQ(Saving([&] { main.OnEditFolderEntry(); }, "Edit Folder/File Item", IDC_FolderEntry_Name, " logs"),
              "Item 'logs' exists. Please retry!");
    WithDialog([&] { main.OnEditFolderEntry(); }, "Edit Folder/File Item", [](HWND dialog) {
        TypeText(dialog, IDC_FolderEntry_Name, "Changed");
        UiDriver::Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(ReadTextFile(system), before);

    Saving([&] { main.OnEditFolderEntry(); }, "Edit Folder/File Item", IDC_FolderEntry_Name, " Temp2 ");
    EXPECT_EQ(Key(system, "Alpha", "tFolder0.ChildItemName"), "Temp2");
    EXPECT_EQ(Key(system, "Alpha", "tFolder0.deletefilename"), "C:\\t.tmp");
    EXPECT_EQ(Rows(main.FolderList), (Strings{"Temp2 [x]", "Logs [ ]"}));

    main.FolderList.Select(1);
    EXPECT_EQ(Answering([&] { main.OnDeleteFolderEntry(); }, IDYES), "Do you want to delete 'Alpha -> Logs'?");
    EXPECT_EQ(Key(system, "Alpha", "tFolder.Total"), "1");
    EXPECT_EQ(main.FolderList.Selected(), 0);

    WithDialog([&] { main.OnAddFolderEntry(); }, "Add Folder/File Item", [](HWND dialog) {
        EXPECT_EQ(ControlTextOf(dialog, IDC_FolderEntry_Name), "");
        EXPECT_TRUE(CheckedOf(dialog, IDC_FolderEntry_FromRegistry));
        EXPECT_TRUE(CheckedOf(dialog, IDC_FolderEntry_IncludeSubfolders));
        EXPECT_FALSE(CheckedOf(dialog, IDC_FolderEntry_Active));
        TypeText(dialog, IDC_FolderEntry_Name, "Again");
        UiDriver::Click(dialog, IDOK);
    });
    EXPECT_EQ(Key(system, "Alpha", "tFolder.Total"), "2");
    EXPECT_EQ(Key(system, "Alpha", "tFolder1.ChildItemName"), "Again");
    EXPECT_EQ(Key(system, "Alpha", "tFolder1.IsIncludeSubfolder"), "1");
    EXPECT_EQ(main.FolderList.Selected(), 1);

    ClickCheckBox(main.FolderList, 0);
    EXPECT_EQ(main.FolderList.Selected(), 0);
    EXPECT_EQ(Key(system, "Alpha", "tFolder0.isactive"), "0");
    EXPECT_EQ(Key(system, "Alpha", "tFolder1.isactive"), "0");
}

TEST_F(MainListCommands, RegistryEntriesAddAsWholeKeyAndRefuseADuplicateName) {
    MainWindow& main = Open();
    WithDialog([&] { main.OnAddRegistryEntry(); }, "Add Registry Entry Item", [](HWND dialog) {
        EXPECT_TRUE(CheckedOf(dialog, IDC_RegistryEntry_CleanWholeKey));
        TypeText(dialog, IDC_RegistryEntry_Name, "Second");
        TypeText(dialog, IDC_RegistryEntry_KeyName, "HKEY_CURRENT_USER\\Software\\Y");
        UiDriver::Click(dialog, IDOK);
    });
    EXPECT_EQ(Key(system, "Alpha", "tRegister1.RegisterKeyName"), "HKEY_CURRENT_USER\\Software\\Y");
    EXPECT_EQ(Key(system, "Alpha", "tRegister1.CleanRegisterType"), "0");
    EXPECT_EQ(Rows(main.RegistryList), (Strings{"Run [x]", "Second [ ]"}));
    main.RegistryList.Select(0);
    EXPECT_EQ(Saving([&] { main.OnEditRegistryEntry(); }, "Edit Current Registry Entry Item",
                     IDC_RegistryEntry_Name, "SECOND"),
              "Item 'SECOND' exists. Please retry!");
}
