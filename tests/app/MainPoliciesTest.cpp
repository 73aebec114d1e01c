// Group Policy in the real main window: editing greyed, check marks held with their note.
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/support/MainWindowFixture.h"
#include "tests/support/PolicyKey.h"

namespace {
const int EditingIds[] = {IDC_AddItem,          IDC_EditItem,          IDC_DeleteItem,        IDC_AddFolderEntry,
                          IDC_EditFolderEntry,  IDC_DeleteFolderEntry, IDC_AddRegistryEntry, IDC_EditRegistryEntry,
                          IDC_DeleteRegistryEntry, IDC_ImportPlugin};
const std::string UserItems = "[Common]\r\nTotal=1\r\nItem0=Gamma\r\n[Gamma]\r\nIsActive=1\r\n";

class MainPolicies : public MainWindowFixture {
protected:
    std::string SystemItems() const override {
        return "[Common]\r\nTotal=2\r\nItem0=Alpha\r\nItem1=Recycle Bin\r\n"
               "[Alpha]\r\nIsActive=1\r\ntFolder.Total=1\r\ntFolder0.ChildItemName=Temp files\r\n"
               "tFolder0.isactive=1\r\n[Recycle Bin]\r\nIsActive=0\r\nIsSpecial=1\r\n";
    }
    void AddFiles() override { WriteTextFile(user, UserItems); }
};
}  // namespace

TEST_F(MainPolicies, EditingOffAndHeldCheckMarksInTheWindow) {
    PolicyKey key("Software\\Policies\\VarnoltTests_Main" + std::to_string(GetCurrentProcessId()));
    key.SetNumber(HKEY_LOCAL_MACHINE, "DisableEditing", 1);
    key.SetNumber(HKEY_CURRENT_USER, "DisableEditing", 0);
    key.SetList(HKEY_LOCAL_MACHINE, "CheckedItems", {"recycle bin"});
    key.SetList(HKEY_CURRENT_USER, "UncheckedItems", {"Gamma"});

    MainWindow& main = Open([&](MainWindow& window) { window.PolicyKey = key.Path(); });
    ASSERT_NE(main.Handle(), nullptr);
    for (int id : EditingIds) EXPECT_FALSE(IsWindowEnabled(main.Control(id))) << id;
    EXPECT_TRUE(IsWindowEnabled(main.Control(IDC_WashChecked)));
    EXPECT_TRUE(IsWindowEnabled(main.Control(IDC_PreviewFolderEntry)));

    ASSERT_EQ(main.ItemList.Count(), 3);
    EXPECT_TRUE(main.ItemList.Checked(0));
    EXPECT_TRUE(main.ItemList.Checked(1)) << "forced on";
    EXPECT_FALSE(main.ItemList.Checked(2)) << "forced off";
    EXPECT_EQ(main.ItemList.DisplayText(0), "Alpha");
    EXPECT_EQ(main.ItemList.DisplayText(1), "Recycle Bin (Set by your administrator)");
    EXPECT_EQ(main.ItemList.DisplayText(2), "Gamma (Set by your administrator)");

    // The user's click on a held mark, and "Check all", leave it; nothing is written.
    main.ItemList.SetChecked(2, true);
    main.ItemList.OnClickCheck(2);
    EXPECT_FALSE(main.ItemList.Checked(2));
    SendMessageA(main.Handle(), WM_COMMAND, MAKEWPARAM(IDC_UncheckAllItems, BN_CLICKED),
                 reinterpret_cast<LPARAM>(main.Control(IDC_UncheckAllItems)));
    EXPECT_FALSE(main.ItemList.Checked(0));
    EXPECT_TRUE(main.ItemList.Checked(1));
    EXPECT_EQ(ReadTextFile(user), UserItems);

    // Selecting another row enables its entry commands, but not the editing ones.
    SelectItem(0);
    for (int id : EditingIds) EXPECT_FALSE(IsWindowEnabled(main.Control(id))) << id;
    SendMessageA(main.Handle(), WM_CLOSE, 0, 0);

    // order.ini keeps the user's own marks of the held rows, for when the policy ends.
    auto stored = [&](const std::string& name, const std::string& file) {
        char mark[8];
        GetPrivateProfileStringA((name + "<|>" + dir.Path() + file).c_str(), "IsActive", "?", mark, sizeof(mark),
                                 (dir.Path() + "order.ini").c_str());
        return std::string(mark);
    };
    EXPECT_EQ(stored("Gamma", "const\\user.txt"), "1");
    EXPECT_EQ(stored("Recycle Bin", "const\\system.txt"), "0");
    EXPECT_EQ(stored("Alpha", "const\\system.txt"), "0") << "a mark no policy holds is stored as shown";
}
