#pragma once
// A main window over a program directory whose wash items clean a temp folder tree and a
// test registry key:
//   row 0 "Temp Files" (checked): Logs = data\*.log with subfolders (checked), Notes =
//     data\note.txt (unchecked), Same log = data\a.log (checked); Values = all values of
//     the key's "Values" (checked)
//   row 1 "Test Keys" (unchecked): Whole = the key's "Whole" with its subkeys (checked)
//   row 2 "Custom Special" (checked, special, no entries)
#include "tests/dialogs/PreviewTestUtil.h"
#include "tests/support/Dialogs.h"
#include "tests/support/MainWindowFixture.h"

class MainWashTest : public MainWindowFixture {
protected:
    std::string SystemItems() const override {
        return "[Common]\r\nTotal=3\r\nItem0=Temp Files\r\nItem1=Test Keys\r\nItem2=Custom Special\r\n"
               "[Temp Files]\r\nIsActive=1\r\ntFolder.Total=3\r\n"
               "tFolder0.ChildItemName=Logs\r\ntFolder0.isactive=1\r\ntFolder0.bycategory=1\r\n"
               "tFolder0.deletepath=" + Data("*.log") + "\r\ntFolder0.IsIncludeSubfolder=1\r\n"
               "tFolder1.ChildItemName=Notes\r\ntFolder1.isactive=0\r\ntFolder1.bycategory=2\r\n"
               "tFolder1.deletefilename=" + Data("note.txt") + "\r\n"
               "tFolder2.ChildItemName=Same log\r\ntFolder2.isactive=1\r\ntFolder2.bycategory=2\r\n"
               "tFolder2.deletefilename=" + Data("a.log") + "\r\n"
               "tRegister.Total=1\r\ntRegister0.ChildItemName=Values\r\ntRegister0.isactive=1\r\n"
               "tRegister0.RegisterKeyName=" + key.Full("Values") + "\r\ntRegister0.CleanRegisterType=1\r\n"
               "[Test Keys]\r\nIsActive=0\r\ntRegister.Total=1\r\ntRegister0.ChildItemName=Whole\r\n"
               "tRegister0.isactive=1\r\ntRegister0.RegisterKeyName=" + key.Full("Whole") +
               "\r\ntRegister0.CleanRegisterType=0\r\n"
               "[Custom Special]\r\nIsActive=1\r\nIsSpecial=1\r\n";
    }
    void AddFiles() override {
        for (const char* folder : {"data", "data\\sub"}) CreateDirectoryA((dir.Path() + folder).c_str(), nullptr);
        for (const char* file : {"a.log", "sub\\b.log", "note.txt", "keep.txt"}) WriteTextFile(Data(file), "x");
        key.Set("Values", "v1", "one");
        key.Set("Values", "v2", "two");
        key.Create("Whole\\Sub1");
    }

    std::string Data(const std::string& name) const { return dir.Path() + "data\\" + name; }
    // "files success,fails;registry success,fails" as the four labels show them.
    std::string Counters() const {
        return form->ControlText(IDC_FileSuccessCount) + "," + form->ControlText(IDC_FileFailsCount) + ";" +
               form->ControlText(IDC_RegistrySuccessCount) + "," + form->ControlText(IDC_RegistryFailsCount);
    }
    // The wash controls as the driver sees them: "+" enabled, "-" disabled; the buttons, then
    // the submenu's entries but its separator.
    std::string WashControlStates() const {
        std::string states;
        for (int id : {IDC_WashChecked, IDC_PreviewChecked, IDC_WashCurrentItem, IDC_PreviewCurrentItem,
                       IDC_PreviewFolderEntry, IDC_WashFolderEntry, IDC_PreviewRegistryEntry,
                       IDC_WashRegistryEntry})
            states += IsWindowEnabled(form->Control(id)) ? '+' : '-';
        states += ' ';
        for (int i = 0; i < GetMenuItemCount(form->WashMenu); ++i) {
            UINT state = GetMenuState(form->WashMenu, i, MF_BYPOSITION);
            if (!(state & MF_SEPARATOR)) states += (state & MF_GRAYED) ? '-' : '+';
        }
        return states;
    }
    // Runs a command that must answer the one question box with the given button; the text
    // it showed and the wash controls' states while it was open are returned.
    std::pair<std::string, std::string> Answering(const std::function<void()>& command, int button) {
        std::string text, states;
        RunWithDriver(command, [&](UiDriver& driver) {
            HWND box = driver.WaitForMessageBox();
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(UiDriver::MessageBoxIcon(box), static_cast<UINT>(MB_ICONWARNING));
            EXPECT_EQ(UiDriver::ButtonIds(box), (std::vector<int>{IDYES, IDNO}));
            text = UiDriver::MessageBoxText(box);
            states = WashControlStates();
            driver.Answer(box, button);
            EXPECT_TRUE(driver.WaitGone(box));
        });
        return {text, states};
    }
    // Runs a command that must not show any window.
    void Quietly(const std::function<void()>& command) {
        RunWithDriver(command, [&](UiDriver& driver) {
            if (HWND box = driver.ShownBeforeIdle(false)) {
                ADD_FAILURE() << "unexpected window: " << UiDriver::Text(box) << UiDriver::MessageBoxText(box);
                PostMessageA(box, WM_CLOSE, 0, 0);
            }
        });
    }

    TestKey key{"MainWash"};
};

inline const std::string AllEnabled = "++++++++ ++++";
inline const std::string AllDisabled = "-------- ----";
