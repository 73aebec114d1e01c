// Group Policy under the program's own key of the machine, seen by the real program: editing
// greyed in its window, the held options used by /wash.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/MainWindowRes.h"
#include "tests/support/PolicyKey.h"
#include "tests/support/StagedProgram.h"

using ProgramPolicy = StagedProgramTest;

TEST_F(ProgramPolicy, MachinePolicyGreysEditingAndHoldsTheLog) {
    const std::string junk = temp.Path() + "junk.tmp";
    WriteTextFile(junk, "x");
    WriteItems("[Common]\r\nTotal=2\r\nItem0=Junk\r\nItem1=Kept\r\n"
               "[Junk]\r\nIsActive=0\r\ntFolder.Total=1\r\ntFolder0.ChildItemName=Junk\r\ntFolder0.isactive=1\r\n"
               "tFolder0.bycategory=1\r\ntFolder0.deletepath=" + junk + "\r\n[Kept]\r\nIsActive=1\r\n");
    WriteSettings("[Log]\r\nWrite to Log=1\r\n");

    PolicyKey policy;  // Software\Policies\Varnolt itself
    policy.SetNumber(HKEY_LOCAL_MACHINE, "DisableEditing", 1);
    policy.SetNumber(HKEY_LOCAL_MACHINE, "WriteToLog", 0);
    policy.SetList(HKEY_LOCAL_MACHINE, "CheckedItems", {"Junk"});
    {
        RunningProgram program;
        HWND window = program.Open(dir);
        ASSERT_NE(window, nullptr);
        for (int id : {IDC_AddItem, IDC_EditItem, IDC_DeleteItem, IDC_AddFolderEntry, IDC_EditFolderEntry,
                       IDC_DeleteFolderEntry, IDC_AddRegistryEntry, IDC_EditRegistryEntry, IDC_DeleteRegistryEntry,
                       IDC_ImportPlugin})
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, id))) << id;
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, IDC_WashChecked)));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, IDC_ExportPlugin)));
        ASSERT_TRUE(program.Close(window));
        EXPECT_EQ(program.ExitCode(), 0u);
    }
    // /wash washes the item the policy checks, and keeps no log as the policy says.
    EXPECT_EQ(Run("/wash"), 0) << Console();
    EXPECT_FALSE(FileExists(junk));
    EXPECT_FALSE(FileExists(dir + "log.htm"));
    char own[8];
    GetPrivateProfileStringA("Log", "Write to Log", "", own, sizeof(own), (dir + "wildcard.ini").c_str());
    EXPECT_STREQ(own, "1") << "the user's own setting stays in the file";
    HKEY left;
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Policies\\Varnolt", 0, KEY_READ, &left), ERROR_SUCCESS)
        << "the program writes nothing under the policy key";
}
