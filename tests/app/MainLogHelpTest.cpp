// The wash log, help, About box and exit commands of the main window.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <memory>

#include "dialogs/AboutDialog.h"
#include "dialogs/AboutDialogRes.h"
#include "platform/Help.h"
#include "platform/Shell.h"
#include "tests/support/Dialogs.h"
#include "tests/support/Layout.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/Wait.h"

namespace {

class MainLogHelpTest : public MainWindowFixture {
protected:
    std::string SystemItems() const override { return "[Common]\r\nTotal=1\r\nItem0=Alpha\r\n"; }
    void SetUp() override {
        MainWindowFixture::SetUp();
        ShellOpenHook = [this](const std::string& path) { opened.push_back(path); };
        HelpViewerHook = [this](const std::string& file, int context) {
            help.push_back(file + "#" + std::to_string(context));
            ++helpCalls;
        };
        Open();
    }
    void TearDown() override {
        MainWindowFixture::TearDown();
        ShellOpenHook = nullptr;
        HelpViewerHook = nullptr;
    }

    // Presses F1 on the keyboard: the system turns it into a help request of the focused window.
    static void PressF1() {
        INPUT keys[2] = {};
        keys[0].type = keys[1].type = INPUT_KEYBOARD;
        keys[0].ki.wVk = keys[1].ki.wVk = VK_F1;
        keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, keys, sizeof(INPUT));
    }

    std::string log = dir.Path() + "log.htm";
    std::vector<std::string> opened, help;
    std::atomic<int> helpCalls{0};
};

const std::string LogOffNote = "I:Note: The latest operation is not be written to the log files.\r"
                               "Because Write Operation to Log in Setting isn't to be checked!";

}  // namespace

TEST_F(MainLogHelpTest, ViewLogNotesThatLoggingIsOffThenOpensTheOldLog) {
    form->Options.WriteToLog = false;
    EXPECT_EQ(AnswerBoxes([&] { form->OnViewLog(); }, {IDOK}), Strings{LogOffNote});
    EXPECT_TRUE(opened.empty());  // no log yet: nothing more
    WriteTextFile(log, "<html></html>");
    EXPECT_EQ(AnswerBoxes([&] { form->OnViewLog(); }, {IDOK}), Strings{LogOffNote});
    EXPECT_EQ(opened, Strings{log});
    form->Options.WriteToLog = true;
    EXPECT_EQ(AnswerBoxes([&] { form->OnViewLog(); }), Strings{});
    EXPECT_EQ(opened, (Strings{log, log}));
}

TEST_F(MainLogHelpTest, DeleteLogAsksAndReportsOnlyWhatHappened) {
    const std::string question = "W:Do you want to delete log file?";
    EXPECT_EQ(AnswerBoxes([&] { form->OnDeleteLog(); }, {IDYES}), Strings{question});  // no log: no message
    WriteTextFile(log, "old");
    EXPECT_EQ(AnswerBoxes([&] { form->OnDeleteLog(); }, {IDNO}), Strings{question});
    EXPECT_TRUE(FileExists(log));

    HANDLE holder = CreateFileA(log.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_EQ(AnswerBoxes([&] { form->OnDeleteLog(); }, {IDYES, IDOK}),
              (Strings{question, "E:The log file '" + log + "' can't be deleted: it may be open in another program."}));
    CloseHandle(holder);
    EXPECT_TRUE(FileExists(log));

    EXPECT_EQ(AnswerBoxes([&] { form->OnDeleteLog(); }, {IDYES, IDOK}),
              (Strings{question, "I:Log file is cleaned successful!"}));
    EXPECT_FALSE(FileExists(log));
}

TEST_F(MainLogHelpTest, HelpCommandsOpenTheHelpFileAndF1ItsContext) {
    ShowWindow(form->Handle(), SW_SHOW);
    SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(IDC_Help, BN_CLICKED),
                 reinterpret_cast<LPARAM>(form->Control(IDC_Help)));
    SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(IDM_Help, 0), 0);
    EXPECT_EQ(opened, (Strings{dir.Path() + "help.chm", dir.Path() + "help.chm"}));
    EXPECT_TRUE(help.empty());

    SetForegroundWindow(form->Handle());
    SetFocus(form->Control(IDC_ItemList));
    PressF1();
    WaitUntil([&] { return helpCalls > 0; }, 5000);
    EXPECT_EQ(help, Strings{dir.Path() + "help.chm#58"});
}

TEST_F(MainLogHelpTest, AboutBoxShowsNameAndVersionAndItsHelp) {
    ShowWindow(form->Handle(), SW_SHOW);
    RunDialog([&] { form->OnAbout(); }, "About Varnolt", [&](UiDriver&, HWND about) {
        EXPECT_EQ(UiDriver::Text(GetDlgItem(about, IDC_About_ProductName)), "Varnolt");
        EXPECT_EQ(UiDriver::Text(GetDlgItem(about, IDC_About_Version)), "Version 1.02");
        EXPECT_NE(SendMessageA(GetDlgItem(about, IDC_About_Icon), STM_GETICON, 0, 0), 0);
        EXPECT_EQ(LayoutFaults(about), std::vector<std::string>{});
        EXPECT_TRUE(GetWindowLongA(GetDlgItem(about, IDOK), GWL_STYLE) & BS_DEFPUSHBUTTON);
        SetForegroundWindow(about);
        PressF1();
        EXPECT_TRUE(WaitUntil([&] { return helpCalls >= 1; }, 5000));
        PostMessageA(about, WM_COMMAND, IDCANCEL, 0);  // Escape
    });
    EXPECT_EQ(help, Strings{dir.Path() + "help.chm#60"});
}

// The tray's exit stays reachable while a preview is open: the program ends after it.
TEST_F(MainLogHelpTest, ExitDuringAPreviewWaitsForItsEnd) {
    ShowWindow(form->Handle(), SW_SHOW);
    HWND main = form->Handle();
    RunDialog([&] { form->OnPreviewChecked(); }, "Preview All Wash Item Checked", [&](UiDriver& driver, HWND preview) {
        DWORD_PTR r = 0;
        EXPECT_NE(SendMessageTimeoutA(main, WM_COMMAND, MAKEWPARAM(IDM_Exit, 0), 0, SMTO_NORMAL, 5000, &r), 0);
        EXPECT_TRUE(IsWindow(preview) && IsWindow(main));
        PostMessageA(preview, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(driver.WaitGone(main));
    });
    EXPECT_TRUE(form->CloseRequested());
    EXPECT_EQ(form->Handle(), nullptr);
    EXPECT_TRUE(FileExists(dir.Path() + "order.ini"));
}
