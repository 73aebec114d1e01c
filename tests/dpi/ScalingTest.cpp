// Every window at the display scalings people use: started at 100, 125, 150 and 200 %, each window's
// controls lie inside it, none overlaps another, every caption fits, and images are drawn at
// the size the scale asks for. A window moved to a monitor of another scale is laid out again.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

#include "dialogs/AboutDialog.h"
#include "dialogs/CookiesDialog.h"
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
#include "platform/Language.h"
#include "resources/icons.h"
#include "tests/support/Dialogs.h"
#include "tests/support/LanguageScope.h"
#include "tests/support/Layout.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/Program.h"
#include "tests/support/PseudoLanguage.h"
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
    bool started = StartWithRetry(exe, [&] {
        return CreateProcessA(exe, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info) != FALSE;
    });
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

// The main window's template as the dialog manager makes it, then spread over the window's size:
// where the main window's controls must lie, made in place.
class SpreadAfterwards : public Form {
public:
    SpreadAfterwards() : Form(IDD_MainWindow) {}

protected:
    void FormCreate() override { FitClientSize96(566, 421); }
};

// Each child of a window in z-order (the tab order): id, class, place, styles (but those its state
// or rows set), font.
std::string ChildPlaces(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    std::string text = "client " + std::to_string(client.right) + "x" + std::to_string(client.bottom) + "\n";
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[64], line[400];
        GetClassNameA(child, className, sizeof(className));
        RECT rc;
        GetWindowRect(child, &rc);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rc), 2);
        LOGFONTA font{};
        // The lists take a font of their own later.
        if (lstrcmpiA(className, WC_LISTVIEWA) != 0)
            GetObjectA(reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0)), sizeof(font), &font);
        snprintf(line, sizeof(line), "%d %s (%ld,%ld)-(%ld,%ld) style %lx ex %lx font %ld %s\n", GetDlgCtrlID(child),
                 className, rc.left, rc.top, rc.right, rc.bottom,
                 GetWindowLongA(child, GWL_STYLE) & ~(WS_DISABLED | WS_VSCROLL | WS_HSCROLL),
                 GetWindowLongA(child, GWL_EXSTYLE), font.lfHeight, font.lfFaceName);
        text += line;
    }
    return text;
}

// A main window over a copy of the staged program directory.
class MainWindowAtDpi : public MainWindowFixture {
protected:
    void AddFiles() override { CopyTree(StagedProgramDir(), dir.Path()); }
    void SetUp() override {
        MainWindowFixture::SetUp();
        ASSERT_NE(Open().Handle(), nullptr);
        ShowWindow(form->Handle(), SW_SHOWNOACTIVATE);
        HandlePending();
    }

    // Client area, controls and images as they must be at the form's dpi.
    void ExpectWholeAt(int dpi) {
        HWND window = form->Handle();
        RECT client;
        GetClientRect(window, &client);
        EXPECT_GE(client.right, ScaleForDpi(566, dpi) - 1);
        EXPECT_GE(client.bottom, ScaleForDpi(421, dpi) - 1);
        EXPECT_EQ(Joined(LayoutFaults(window)), "");
        std::vector<int> sizes = ButtonImageSizes(window);
        ASSERT_EQ(sizes.size(), 32u);
        EXPECT_EQ(sizes.front(), IconSizeFor(ScaleForDpi(22, dpi))) << "toolbar";
        EXPECT_EQ(sizes.back(), IconSizeFor(ScaleForDpi(16, dpi))) << "list buttons";
        // The list rows grow with the text.
        RECT row{};
        ListView_GetItemRect(form->Control(IDC_ItemList), 0, &row, LVIR_BOUNDS);
        EXPECT_GE(row.bottom - row.top, ScaleForDpi(14, dpi));
    }
};

// A program folder with one wash item of its own: the window's texts, not the catalogue's.
class DISABLED_InEveryLanguage : public MainWindowFixture {
protected:
    std::string SystemItems() const override {
        return "[Common]\r\nTotal=1\r\nItem0=Temporary Files\r\n[Temporary Files]\r\nIsActive=1\r\nIsSpecial=0\r\n"
               "tFolder.Total=1\r\ntFolder0.ChildItemName=Temporary folder\r\ntFolder0.isactive=1\r\n"
               "tFolder0.deletepath=C:\\temp\\*.tmp\r\n";
    }
};

// More checks of a window (or one page of it), with a name for the messages.
using PageCheck = std::function<void(HWND window, const std::string& where)>;

// Shows a modal form and checks its layout from the driver thread while it is open.
void ExpectLaidOut(HWND window, bool strict, const std::string& where) {
    std::string faults = Joined(LayoutFaults(window));
    if (strict) {
        EXPECT_EQ(faults, "") << where;
    } else if (!faults.empty()) {
        printf("too tight (%s):\n%s", where.c_str(), faults.c_str());
    }
}

// Layout (strict false: printed, not failed — the pseudo-language's report), more checks and
// images of a dialog and of each page of its tabs, as a click on a tab shows it.
void ExpectPagesWhole(HWND dialog, int dpi, const PageCheck& check, bool strict) {
    EXPECT_EQ(WindowDpi(dialog), dpi);
    ExpectLaidOut(dialog, strict, "page 0");
    if (check) check(dialog, "page 0");
    HWND tab = FindWindowExA(dialog, nullptr, WC_TABCONTROLA, nullptr);
    int pages = tab ? static_cast<int>(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0)) : 0;
    for (int page = 1; page < pages; ++page) {
        SendMessageA(tab, TCM_SETCURSEL, page, 0);
        NMHDR change{tab, static_cast<UINT_PTR>(GetDlgCtrlID(tab)), static_cast<UINT>(TCN_SELCHANGE)};
        SendMessageA(dialog, WM_NOTIFY, change.idFrom, reinterpret_cast<LPARAM>(&change));
        ExpectLaidOut(dialog, strict, "page " + std::to_string(page));
        if (check) check(dialog, "page " + std::to_string(page));
    }
    for (int size : ButtonImageSizes(dialog)) EXPECT_EQ(size, IconSizeFor(ScaleForDpi(16, dpi)));
}

// Shows a modal form and checks it from the driver thread while it is open.
void ExpectDialogWhole(Form& form, int dpi) {
    RunDialog(form, nullptr, [&](UiDriver&, HWND dialog) {
        ExpectPagesWhole(dialog, dpi, nullptr, true);
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    });
}

// The same for a form shown modeless, on this thread: many languages in little time.
void ExpectModelessWhole(Form& form, int dpi, const PageCheck& check, bool strict) {
    HWND dialog = form.CreateModeless(nullptr);
    ASSERT_NE(dialog, nullptr);
    ShowWindow(dialog, SW_SHOWNOACTIVATE);
    ExpectPagesWhole(dialog, dpi, check, strict);
    DestroyWindow(dialog);
}

// Every dialog of the program, made for a settings file in dir.
std::vector<std::function<std::unique_ptr<Form>()>> DialogMakers(const std::string& dir) {
    std::string settings = dir + "wildcard.ini";
    return {
        [=] { return std::make_unique<ExclusionListDialog>(settings); },
        [=] { return std::make_unique<WildcardListDialog>(settings); },
        [=] { return std::make_unique<SelectByWildcardDialog>(settings); },
        [] { return std::make_unique<PreviewAllDialog>(); },
        [] { return std::make_unique<PreviewFilesDialog>(); },
        [] { return std::make_unique<PreviewRegistryDialog>(); },
        [] { return std::make_unique<PreviewItemDialog>(); },
        [] { return std::make_unique<WashItemDialog>(); },
        [] { return std::make_unique<FolderEntryDialog>(); },
        [] { return std::make_unique<RegistryEntryDialog>(); },
        [=] {
            auto form = std::make_unique<PreferencesDialog>();
            form->SettingsFile = settings;
            return form;
        },
        [=] {
            auto form = std::make_unique<NetscapeDetectDialog>();
            form->SettingsFile = settings;
            form->Candidates = {dir + "a rather long folder name\\of a profile\\abcdefgh.slt"};
            return form;
        },
        [] { return std::make_unique<AboutDialog>(); },
        [] { return std::make_unique<WipeFreeSpaceDialog>(); },
        [=] {
            auto form = std::make_unique<CookiesDialog>();
            form->SettingsFile = settings;
            return form;
        },
    };
}
}  // namespace

// The same icon at two sizes is two icons: the toolbar's and the list buttons' (or the small and
// big window icon) must not be whichever size was loaded first.
TEST(Scaling, AnIconAtEachSizeItsOwn) {
    HICON small = LoadIconSized(ICO_APP, 16), big = LoadIconSized(ICO_APP, 32);
    EXPECT_EQ(IconWidth(small), 16);
    EXPECT_EQ(IconWidth(big), 32);
    EXPECT_EQ(LoadIconSized(ICO_APP, 16), small) << "loaded once per size";
}

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

// Every language at 100 and 150 %: laid out whole, hot keys unique in each window and page; at
// 100 % the pseudo-language finds texts that do not come from the tables.
TEST(Scaling, EveryWindowWholeInEveryLanguage) {
    TempDir dir;
    for (int dpi : {96, 144}) {
        SystemDpiScope scope(dpi);
        std::string report = dir.Path() + std::to_string(dpi) + ".json";
        EXPECT_EQ(RunSelfAt(dpi, "DISABLED_InEveryLanguage.*", report), 0u) << "at " << dpi << " dpi";
        EXPECT_NE(ReadTextFile(report).find("\"tests\": 1,"), std::string::npos) << ReadTextFile(report);
    }
}

// The cases below run in the process the tests above start at each scaling.
TEST_F(MainWindowAtDpi, DISABLED_AtSystemDpiMainWindow) {
    ASSERT_EQ(form->Dpi(), ExpectedDpi());
    ExpectWholeAt(ExpectedDpi());
    SpreadAfterwards reference;
    ASSERT_NE(reference.CreateModeless(nullptr), nullptr);
    EXPECT_EQ(ChildPlaces(form->Handle()), ChildPlaces(reference.Handle()));
}

TEST(DISABLED_AtSystemDpi, Dialogs) {
    TempDir dir;
    ProgramDirScope programDir(dir.Path());
    for (auto& make : DialogMakers(dir.Path())) {
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

TEST_F(DISABLED_InEveryLanguage, EveryWindow) {
    const int dpi = ExpectedDpi();
    struct Choice {
        LANGID id;
        std::string name;
        bool pseudo;
    };
    std::vector<Choice> choices;
    for (const LanguageInfo& language : Languages()) choices.push_back({language.Id, language.EnglishName, false});
    if (dpi == 96) choices.push_back({EnglishLanguage, "pseudo-language", true});
    for (const Choice& choice : choices) {
        SCOPED_TRACE(choice.name);
        LanguageScope language(choice.id);
        SetTextTransform(choice.pseudo ? PseudoText : nullptr);
        PageCheck check = [&](HWND window, const std::string& where) {
            EXPECT_EQ(Joined(HotKeyClashes(window)), "") << where;
            if (choice.pseudo) {
                EXPECT_EQ(Joined(HardCodedTexts(window)), "") << where;
            }
        };
        ASSERT_NE(Open().Handle(), nullptr);
        ShowWindow(form->Handle(), SW_SHOWNOACTIVATE);
        HandlePending();
        ExpectLaidOut(form->Handle(), !choice.pseudo, "main window");
        check(form->Handle(), "main window");
        form.reset();
        for (auto& make : DialogMakers(dir.Path())) ExpectModelessWhole(*make(), dpi, check, !choice.pseudo);
    }
    SetTextTransform(nullptr);
}
