// Schedule timer, hot keys, session end and minimise on the real main window.
#include "tests/app/MainWashFixture.h"

#include <thread>

#include "app/CloseBrowsers.h"
#include "dialogs/PreferencesDialogRes.h"
#include "dialogs/PreviewAllDialogRes.h"
#include "platform/Profile.h"
#include "settings/Schedule.h"
#include "settings/SettingsStore.h"
#include "tests/support/Dialogs.h"
#include "tests/support/Wait.h"

namespace {
// True when another window already holds the combination.
bool Taken(UINT modifiers, UINT key) {
    if (!RegisterHotKey(nullptr, 0x7001, modifiers, key)) return true;
    UnregisterHotKey(nullptr, 0x7001);
    return false;
}

class MainScheduleTest : public MainWashTest {
protected:
    // Sends a message to the main window from a driver thread while the UI thread pumps.
    LRESULT Send(UINT msg, WPARAM wParam, LPARAM lParam = 0) {
        LRESULT r = 0;
        Quietly([&] { r = SendMessageA(form->Handle(), msg, wParam, lParam); });
        return r;
    }
    std::string Ini() const { return dir.Path() + "wildcard.ini"; }
};
}  // namespace

TEST_F(MainScheduleTest, HotKeysAreRegisteredFromTheSettingsAndReleasedAtClose) {
    ProfileFile ini(Ini());
    ini.WriteInteger("Hot Key", "Control", 9);
    ini.WriteInteger("Hot Key", "Char", 40);
    ini.WriteInteger("Hot Key", "Control washer", -1);
    Open();
    EXPECT_FALSE(KillTimer(form->Handle(), ScheduleTimerId));  // no wash scheduled, no timer
    EXPECT_TRUE(Taken(MOD_CONTROL | MOD_SHIFT, 'Z'));
    EXPECT_FALSE(Taken(MOD_CONTROL, 'D'));  // no wash hot key
    EXPECT_FALSE(Taken(MOD_CONTROL | MOD_ALT, 'F'));
    SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(Taken(MOD_CONTROL | MOD_SHIFT, 'Z'));
}

TEST_F(MainScheduleTest, MissingNetscapeProfileIsAskedForBeforeTheStartUpWash) {
    WriteTextFile(Ini(), "[Run]\r\nAuto Run=1\r\n[Schedule]\r\nSchedule Option=byStart \r\n");
    struct NetscapeKey {
        NetscapeKey() { RegistryKey(HKEY_CURRENT_USER).OpenKey("Software\\Netscape", true); }
        ~NetscapeKey() { DeleteKeyTree(HKEY_CURRENT_USER, "Software\\Netscape"); }
    } netscape;
    MainWindow& main = Open();
    auto activate = [&] {
        ShowWindow(main.Handle(), SW_SHOW);
        SetForegroundWindow(main.Handle());
        WaitUntil([&] { return !FileExists(Data("a.log")); });  // the question, then the wash
    };
    RunDialog(activate, "Detect Netscape Directory", [&](UiDriver&, HWND dialog) {
        EXPECT_TRUE(FileExists(Data("a.log")));
        UiDriver::Click(dialog, IDCANCEL);
    });
    EXPECT_FALSE(FileExists(Data("a.log")));
}

// The start-up wash holds the window's thread until it ends: the window is drawn once the first
// files go, so that its labels show while the rest go (seen from another thread, mid-wash).
TEST_F(MainScheduleTest, TheWindowIsDrawnWhileTheStartUpWashRuns) {
    WriteTextFile(Ini(), "[Run]\r\nAuto Run=1\r\n[Schedule]\r\nSchedule Option=byStart \r\n");
    const int count = 2000;
    auto file = [&](int i) { return Data("sub\\f" + std::to_string(i) + ".log"); };
    for (int i = 0; i < count; ++i) WriteTextFile(file(i), "x");
    MainWindow& main = Open();
    bool drawn = false;
    int left = 0;
    std::thread watcher([&] {
        if (!WaitUntil([&] { return !FileExists(file(0)); }, 20000)) return;
        drawn = WaitUntil([&] {
            for (HWND child = GetWindow(main.Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                char name[16] = "";
                GetClassNameA(child, name, sizeof(name));
                if (lstrcmpiA(name, "Static") == 0 && GetUpdateRect(child, nullptr, FALSE)) return false;
            }
            return true;
        });
        for (int i = 0; i < count; ++i) left += FileExists(file(i));
    });
    ShowWindow(main.Handle(), SW_SHOW);
    SetForegroundWindow(main.Handle());
    WaitUntil([&] { return !FileExists(file(count - 1)); }, 60000);
    watcher.join();
    EXPECT_TRUE(drawn);
    EXPECT_GT(left, 0) << "drawn only once the wash had ended";
}

TEST_F(MainScheduleTest, WashHotKeyWashesWithoutAskingAndKeepsThePrompt) {
    MainWindow& main = Open();
    main.Options.PromptBeforeClean = true;
    Send(WM_HOTKEY, 12345);
    EXPECT_TRUE(FileExists(Data("a.log")));
    Send(WM_HOTKEY, WashHotKey.Id);
    EXPECT_FALSE(FileExists(Data("a.log")));
    EXPECT_TRUE(main.Options.PromptBeforeClean);
    EXPECT_EQ(LogBlocks().size(), 2u);  // the wash and its special item
}

TEST_F(MainScheduleTest, SessionEndWashesWhenChosenAlwaysAnswersYesAndClosesAsAnExit) {
    MainWindow& main = Open();
    EXPECT_EQ(Send(WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_TRUE(FileExists(Data("a.log")));
    main.Options.ScheduleSet = ScheduleAtShutdown;
    main.Options.PromptBeforeClean = true;
    EXPECT_EQ(Send(WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_FALSE(FileExists(Data("a.log")));
    std::string log = ReadTextFile(LogFilePath());
    // The last block is closed: its table ends, and only its summary line follows.
    std::string tail = log.substr(log.rfind("</table>"));
    EXPECT_EQ(tail.rfind("</table>\r\n<p><font size=\"2\">Files washed: ", 0), 0u) << tail;
    EXPECT_EQ(tail.find("\r\n", 10), tail.size() - 2) << tail;

    // The process ends without its window being destroyed: the exit's work is done now.
    main.Options.DeleteLogOnExit = true;
    Send(WM_ENDSESSION, TRUE);
    EXPECT_FALSE(FileExists(LogFilePath()));
    EXPECT_NE(ReadTextFile(OrderFilePath()).find("Temp Files"), std::string::npos);
    EXPECT_FALSE(Taken(MOD_CONTROL, 'D'));
}

TEST_F(MainScheduleTest, NoAutomaticWashStartsWhileAPreviewOrPreferencesIsOpen) {
    MainWindow& main = Open();
    main.Options.ScheduleSet = ScheduleAtShutdown | ScheduleEveryNMinutes;
    main.Options.LastAutoWashTime = 0;  // long due
    RunDialog([&] { main.OnPreviewChecked(); }, "Preview All Wash Item Checked", [&](UiDriver&, HWND dialog) {
        SendMessageA(main.Handle(), WM_TIMER, ScheduleTimerId, 0);
        SendMessageA(main.Handle(), WM_HOTKEY, WashHotKey.Id, 0);
        EXPECT_EQ(SendMessageA(main.Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
        EXPECT_TRUE(FileExists(Data("a.log")));
        UiDriver::Click(dialog, IDC_PreviewAll_Close);
    });
    RunDialog([&] { main.OnPreferences(); }, "Preferences", [&](UiDriver&, HWND dialog) {
        SendMessageA(main.Handle(), WM_TIMER, ScheduleTimerId, 0);
        EXPECT_TRUE(FileExists(Data("a.log")));
        UiDriver::Click(dialog, IDC_Preferences_Close);
    });
    EXPECT_TRUE(FileExists(Data("a.log")));
    EXPECT_FALSE(FileExists(LogFilePath()));
    EXPECT_EQ(main.Options.LastAutoWashTime, 0);
    EXPECT_FALSE(FileExists(Ini()));  // "Cl&ose" stored nothing

    // Once they are closed the next tick washes and moves the last wash time on.
    Send(WM_TIMER, ScheduleTimerId);
    EXPECT_FALSE(FileExists(Data("a.log")));
    EXPECT_GT(main.Options.LastAutoWashTime, NowAsDateTime() - 1.0 / 1440);
}

TEST_F(MainScheduleTest, AWashEveryNMinutesArmsTheScheduleTimer) {
    ProfileFile ini(Ini());
    ini.WriteString("Schedule", "Schedule Option", "byEveryHour ");
    ini.WriteInteger("Schedule", "Minuts", 0);
    Open();
    EXPECT_TRUE(KillTimer(form->Handle(), ScheduleTimerId));
}

TEST_F(MainScheduleTest, FailedTimedWashIsLoggedAndWaitsForTheNextInterval) {
    // "Test Keys" gets a folder entry whose registry value is no text: expanding it fails.
    ProfileFile items(dir.Path() + "const\\system.txt");
    items.WriteString("Test Keys", "IsActive", "1");
    items.WriteString("Test Keys", "tFolder.Total", "1");
    items.WriteString("Test Keys", "tFolder0.ChildItemName", "Broken");
    items.WriteString("Test Keys", "tFolder0.isactive", "1");
    items.WriteString("Test Keys", "tFolder0.bycategory", "0");
    items.WriteString("Test Keys", "tFolder0.RegisterName", key.Full());
    items.WriteString("Test Keys", "tFolder0.RegisterValueofName", "Number");
    DWORD number = 1;
    RegSetKeyValueA(HKEY_CURRENT_USER, key.Path().c_str(), "Number", REG_DWORD, &number, sizeof(number));
    MainWindow& main = Open();
    main.Options.IntervalMinutes = 2;
    const double now = NowAsDateTime(), minute = 1.0 / 1440;
    main.Options.LastAutoWashTime = now - 3 * minute;
    Quietly([&] { main.OnScheduleTick(now); });  // no error box
    EXPECT_GE(main.Options.LastAutoWashTime, now);
    EXPECT_LT(main.Options.LastAutoWashTime, now + minute);
    EXPECT_FALSE(main.WashRunning());
    Blocks blocks = LogBlocks();
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(blocks[0], Strings{"Timed wash"});
    EXPECT_NE(ReadTextFile(LogFilePath()).find("Invalid data type for 'Number'"), std::string::npos);

    // A minute later nothing is due; a clock set back restarts the interval.
    Quietly([&] { main.OnScheduleTick(now + minute); });
    EXPECT_EQ(LogBlocks().size(), 1u);
    Quietly([&] { main.OnScheduleTick(now - 60); });
    EXPECT_EQ(main.Options.LastAutoWashTime, now - 60);
    EXPECT_EQ(LogBlocks().size(), 1u);
}

TEST_F(MainScheduleTest, MinimiseHidesTheWindowAndTheTrayClickBringsItBack) {
    MainWindow& main = Open();
    main.Options.StartMinimized = true;
    ShowWindow(main.Handle(), SW_SHOWMINIMIZED);
    // Started minimised: the first minimise keeps the task-bar button and clears the flag.
    WaitUntil([&] { return !main.Options.StartMinimized; }, 5000);
    EXPECT_TRUE(IsWindowVisible(main.Handle()));
    EXPECT_FALSE(main.Options.StartMinimized);
    ShowWindow(main.Handle(), SW_RESTORE);
    ShowWindow(main.Handle(), SW_MINIMIZE);
    WaitUntil([&] { return !IsWindowVisible(main.Handle()); }, 5000);
    EXPECT_FALSE(IsWindowVisible(main.Handle()));
    SendMessageA(main.Handle(), TrayMessage, 1, WM_LBUTTONUP);
    WaitUntil([&] { return IsWindowVisible(main.Handle()) && !IsIconic(main.Handle()); }, 5000);
    EXPECT_TRUE(IsWindowVisible(main.Handle()));
    EXPECT_FALSE(IsIconic(main.Handle()));
}

TEST_F(MainScheduleTest, CloseBrowsersHotKeyShowsWhyTheWindowsCannotBeReached) {
    // Wine has no shell window collection to enumerate: the system's text is shown.
    CoInitialize(nullptr);
    Open();
    Strings boxes = AnswerBoxes([&] { SendMessageA(form->Handle(), WM_HOTKEY, CloseBrowsersHotKey.Id, 0); }, {IDOK});
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].substr(0, 2), "E:");
    EXPECT_GT(boxes[0].size(), 2u);
    CoUninitialize();
    // Folder windows share the collection on today's Windows; they are told by their host.
    EXPECT_TRUE(IsFileExplorerHost("C:\\Windows\\EXPLORER.EXE"));
    EXPECT_FALSE(IsFileExplorerHost("C:\\Program Files\\Internet Explorer\\iexplore.exe"));
    EXPECT_FALSE(IsFileExplorerHost("C:\\Tools\\notexplorer.exe"));
}
