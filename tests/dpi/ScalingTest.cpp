// Every window at the display scalings people use: started at 100, 125, 150 and 200 %, each window's
// controls lie inside it, none overlaps another, every caption fits, and images are drawn at
// the size the scale asks for. A window moved to a monitor of another scale is laid out again.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <functional>
#include <memory>

#include "app/MainWindow.h"
#include "app/MainWindowRes.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/ExclusionListDialog.h"
#include "dialogs/FolderEntryDialog.h"
#include "dialogs/NetscapeDetectDialog.h"
#include "dialogs/PreferencesDialog.h"
#include "dialogs/PreviewAllDialog.h"
#include "dialogs/PreviewFilesDialog.h"
#include "dialogs/PreviewItemDialog.h"
#include "dialogs/PreviewRegistryDialog.h"
#include "dialogs/RegistryEntryDialog.h"
#include "dialogs/SelectByWildcardDialog.h"
#include "dialogs/WashItemDialog.h"
#include "dialogs/WildcardListDialog.h"
#include "dialogs/WipeFreeSpaceDialog.h"
#include "platform/Dpi.h"
#include "settings/AppPaths.h"
#include "tests/support/Layout.h"
#include "tests/support/Program.h"
#include "tests/support/TempDir.h"
#include "tests/support/UiDriver.h"

namespace {
const char* const DesktopKey = "Control Panel\\Desktop";

// The system dpi that processes started from now on run at; the old setting comes back after.
class SystemDpiScope {
public:
    explicit SystemDpiScope(DWORD dpi) {
        RegCreateKeyExA(HKEY_CURRENT_USER, DesktopKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key_, nullptr);
        DWORD size = sizeof(old_);
        had_ = RegQueryValueExA(key_, "LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&old_), &size) ==
               ERROR_SUCCESS;
        RegSetValueExA(key_, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof(dpi));
    }
    ~SystemDpiScope() {
        if (had_) RegSetValueExA(key_, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&old_), sizeof(old_));
        else RegDeleteValueA(key_, "LogPixels");
        RegCloseKey(key_);
    }
    SystemDpiScope(const SystemDpiScope&) = delete;
    SystemDpiScope& operator=(const SystemDpiScope&) = delete;

private:
    HKEY key_ = nullptr;
    DWORD old_ = 96;
    bool had_ = false;
};

// Runs this test program again with a filter, telling it the dpi it must find; its exit code.
// report receives its JSON report.
DWORD RunSelfAt(int dpi, const std::string& filter, const std::string& report) {
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string commandLine = std::string("\"") + exe + "\" --gtest_also_run_disabled_tests --gtest_filter=" +
                              filter + " --gtest_output=json:" + report;
    SetEnvironmentVariableA("VARNOLT_EXPECTED_DPI", std::to_string(dpi).c_str());
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    BOOL started = CreateProcessA(exe, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info);
    SetEnvironmentVariableA("VARNOLT_EXPECTED_DPI", nullptr);
    if (!started) return 0xFFFFFFFF;
    WaitForSingleObject(info.hProcess, 120000);
    DWORD code = 0xFFFFFFFF;
    GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
    return code;
}

int ExpectedDpi() {
    const char* value = getenv("VARNOLT_EXPECTED_DPI");
    return value ? atoi(value) : 96;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\n";
    return text;
}

// A main window over a copy of the staged program directory.
class MainWindowAtDpi : public testing::Test {
protected:
    void SetUp() override {
        CopyTree(StagedProgramDir(), dir.Path());
        SetProgramDir(dir.Path());
        RegisterFormClass(MainWindowClass, nullptr);
        form = std::make_unique<MainWindow>();
        form->QuitOnDestroy = false;
        ASSERT_NE(form->CreateModeless(nullptr), nullptr);
        ShowWindow(form->Handle(), SW_SHOWNOACTIVATE);
        PumpMessages();
    }
    void TearDown() override { form.reset(); }

    // Client area, controls and images as they must be at the form's dpi.
    void ExpectWholeAt(int dpi) {
        HWND window = form->Handle();
        RECT client;
        GetClientRect(window, &client);
        EXPECT_GE(client.right, ScaleForDpi(566, dpi) - 1);
        EXPECT_GE(client.bottom, ScaleForDpi(421, dpi) - 1);
        EXPECT_EQ(Joined(LayoutFaults(window)), "");
        std::vector<int> sizes = ButtonImageSizes(window);
        ASSERT_EQ(sizes.size(), 31u);
        EXPECT_EQ(sizes.front(), IconSizeFor(ScaleForDpi(22, dpi))) << "toolbar";
        EXPECT_EQ(sizes.back(), IconSizeFor(ScaleForDpi(16, dpi))) << "list buttons";
        // The list rows grow with the text.
        RECT row{};
        ListView_GetItemRect(form->Control(IDC_ItemList), 0, &row, LVIR_BOUNDS);
        EXPECT_GE(row.bottom - row.top, ScaleForDpi(14, dpi));
    }

    TempDir dir;
    std::unique_ptr<MainWindow> form;
};

// Shows a modal form and checks its layout from the driver thread while it is open.
void ExpectDialogWhole(Form& form, int dpi) {
    RunWithDriver([&] { form.ShowModal(nullptr); },
                  [&](UiDriver& driver) {
                      HWND dialog = driver.WaitForWindow("#32770", nullptr);
                      ASSERT_NE(dialog, nullptr);
                      EXPECT_EQ(WindowDpi(dialog), dpi);
                      EXPECT_EQ(Joined(LayoutFaults(dialog)), "");
                      // Every page of a tabbed dialog, as a click on its tab shows it.
                      HWND tab = FindWindowExA(dialog, nullptr, WC_TABCONTROLA, nullptr);
                      int pages = tab ? static_cast<int>(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0)) : 0;
                      for (int page = 1; page < pages; ++page) {
                          SendMessageA(tab, TCM_SETCURSEL, page, 0);
                          NMHDR change{tab, static_cast<UINT_PTR>(GetDlgCtrlID(tab)), static_cast<UINT>(TCN_SELCHANGE)};
                          SendMessageA(dialog, WM_NOTIFY, change.idFrom, reinterpret_cast<LPARAM>(&change));
                          EXPECT_EQ(Joined(LayoutFaults(dialog)), "") << "page " << page;
                      }
                      for (int size : ButtonImageSizes(dialog)) EXPECT_EQ(size, IconSizeFor(ScaleForDpi(16, dpi)));
                      PostMessageA(dialog, WM_CLOSE, 0, 0);
                      EXPECT_TRUE(driver.WaitGone(dialog));
                  });
}
}  // namespace

TEST(Scaling, EveryWindowWholeAt100To200Percent) {
    TempDir dir;
    for (int dpi : {96, 120, 144, 192}) {
        SystemDpiScope scope(dpi);
        std::string report = dir.Path() + std::to_string(dpi) + ".json";
        EXPECT_EQ(RunSelfAt(dpi, "*AtSystemDpi*", report), 0u) << "at " << dpi << " dpi";
        // Both cases ran: a filter that matches nothing passes too.
        EXPECT_NE(ReadTextFile(report).find("\"tests\": 2,"), std::string::npos) << ReadTextFile(report);
    }
}

// The cases below run in the process the test above starts at each scaling.
TEST_F(MainWindowAtDpi, DISABLED_AtSystemDpiMainWindow) {
    ASSERT_EQ(form->Dpi(), ExpectedDpi());
    ExpectWholeAt(ExpectedDpi());
}

TEST(DISABLED_AtSystemDpi, Dialogs) {
    TempDir dir;
    SetProgramDir(dir.Path());
    std::string settings = dir.Path() + "wildcard.ini";
    std::vector<std::function<std::unique_ptr<Form>()>> makers = {
        [&] { return std::make_unique<ExclusionListDialog>(settings); },
        [&] { return std::make_unique<WildcardListDialog>(settings); },
        [&] { return std::make_unique<SelectByWildcardDialog>(settings); },
        [] { return std::make_unique<PreviewAllDialog>(); },
        [] { return std::make_unique<PreviewFilesDialog>(); },
        [] { return std::make_unique<PreviewRegistryDialog>(); },
        [] { return std::make_unique<PreviewItemDialog>(); },
        [] { return std::make_unique<WashItemDialog>(); },
        [] { return std::make_unique<FolderEntryDialog>(); },
        [] { return std::make_unique<RegistryEntryDialog>(); },
        [&] {
            auto form = std::make_unique<PreferencesDialog>();
            form->SettingsFile = settings;
            return form;
        },
        [&] {
            auto form = std::make_unique<NetscapeDetectDialog>();
            form->SettingsFile = settings;
            form->Candidates = {dir.Path() + "a rather long folder name\\of a profile\\abcdefgh.slt"};
            return form;
        },
        [] { return std::make_unique<AboutDialog>(); },
        [] { return std::make_unique<WipeFreeSpaceDialog>(); },
    };
    for (auto& make : makers) {
        auto form = make();
        ExpectDialogWhole(*form, ExpectedDpi());
    }
}

TEST_F(MainWindowAtDpi, MovedToAnotherScaleLaidOutAgain) {
    int from = form->Dpi();
    for (int dpi : {from * 2, from * 5 / 4, from}) {
        RECT window;
        GetWindowRect(form->Handle(), &window);
        SendMessageA(form->Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&window));
        ASSERT_EQ(form->Dpi(), dpi);
        ExpectWholeAt(dpi);
    }
}
