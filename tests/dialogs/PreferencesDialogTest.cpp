// The Preferences dialog driven in its real window: load, Apply, Close and the Run value.
#include <gtest/gtest.h>

#include <windows.h>

#include "dialogs/PreferencesDialog.h"
#include "dialogs/PreferencesDialogRes.h"
#include "platform/Profile.h"
#include "platform/WideText.h"
#include "settings/SettingsStore.h"
#include "tests/support/Dialogs.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestKey.h"
#include "tests/support/UiDriver.h"

namespace {
class PreferencesTest : public testing::Test {
protected:
    void SetUp() override {
        dialog.Options = &options;
        dialog.SettingsFile = Ini();
        dialog.Executable = "C:\\Program Files\\Varnolt\\varnolt.exe";
        dialog.RunKey = key.Path() + "\\Run";
        dialog.ClassesKey = key.Path() + "\\Classes";
        dialog.SetScheduleTimer = [this](bool on) { timer.push_back(on ? '+' : '-'); };
        dialog.RegisterHotKeysAgain = [this] {
            ProfileFile ini(Ini());
            hotKeysSeen.push_back(ini.ReadString("Hot Key", "Control") + ini.ReadString("Hot Key", "Char") + "/" +
                                  ini.ReadString("Hot Key", "Control washer") +
                                  ini.ReadString("Hot Key", "Char washer"));
        };
    }
    std::string Ini() const { return dir.Path() + "wildcard.ini"; }
    std::string Read(const char* section, const char* name) const {
        return ProfileFile(Ini()).ReadString(section, name, "(none)");
    }

    // Runs the dialog while script drives it; returns its modal result.
    int Show(const std::function<void(UiDriver&, HWND)>& script) {
        return RunDialog(dialog, "Preferences", script);
    }
    static bool Checked(HWND window, int id) {
        return SendDlgItemMessageA(window, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    static void Check(HWND window, int id, bool on) {
        SendDlgItemMessageA(window, id, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    // Clicks a button whose handler shows nothing; returns once the handler has run.
    static void Press(HWND window, int id) {
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
    }
    static void Toggle(HWND window, int id) {
        Check(window, id, !Checked(window, id));
        Press(window, id);
    }
    static std::string Shown(HWND window, int id) { return UiDriver::Text(GetDlgItem(window, id)); }
    static void Pick(HWND window, int id, int position) {
        SendDlgItemMessageA(window, id, CB_SETCURSEL, position, 0);
    }
    static void Type(HWND window, int id, const char* text) {
        SendDlgItemMessageA(window, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    }
    std::string RunValue() const {
        RegistryKey run(HKEY_CURRENT_USER);
        if (!run.OpenKey(key.Path() + "\\Run") || !run.ValueExists("Varnolt")) return "(none)";
        return run.ReadString("Varnolt");
    }

    TempDir dir;
    TestKey key{"Preferences"};
    OptionsRecord options;
    PreferencesDialog dialog;
    std::string timer;
    std::vector<std::string> hotKeysSeen;
};
}  // namespace

TEST_F(PreferencesTest, DefaultsWithoutSettingsAndCloseStoresNothing) {
    int result = Show([&](UiDriver&, HWND w) {
        EXPECT_FALSE(Checked(w, IDC_Preferences_RunAtStartup));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(w, IDC_Preferences_RunMinimized)));
        EXPECT_FALSE(Checked(w, IDC_Preferences_RunMinimized));
        EXPECT_TRUE(Checked(w, IDC_Preferences_DetectNetscape));
        for (int id : {IDC_Preferences_WashAtStart, IDC_Preferences_WashAtShutdown, IDC_Preferences_WashEveryNMinutes,
                       IDC_Preferences_SecureDelete, IDC_Preferences_DeleteLogOnExit,
                       IDC_Preferences_PromptBeforeClean})
            EXPECT_FALSE(Checked(w, id)) << id;
        EXPECT_TRUE(Checked(w, IDC_Preferences_WriteToLog));
        EXPECT_EQ(Shown(w, IDC_Preferences_Minutes), "2");
        EXPECT_EQ(Shown(w, IDC_Preferences_CloseBrowsersModifier) + "+" + Shown(w, IDC_Preferences_CloseBrowsersKey), "CTRL+ALT+F");
        EXPECT_EQ(Shown(w, IDC_Preferences_WashModifier) + "+" + Shown(w, IDC_Preferences_WashKey), "CTRL+D");
        // Checking "Load at Windows startup" enables "Run Minimized".
        Toggle(w, IDC_Preferences_RunAtStartup);
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(w, IDC_Preferences_RunMinimized)));
        UiDriver::Click(w, IDC_Preferences_Close);
    });
    EXPECT_EQ(result, mrCancel);
    EXPECT_FALSE(FileExists(Ini()));
    EXPECT_EQ(RunValue(), "(none)");
    EXPECT_EQ(timer, "");
}

TEST_F(PreferencesTest, EqualHotKeysAreRefusedAndStoreNothing) {
    Show([&](UiDriver& driver, HWND w) {
        Pick(w, IDC_Preferences_WashModifier, 3);
        Pick(w, IDC_Preferences_WashKey, 5);
        UiDriver::Click(w, IDC_Preferences_Apply);
        HWND box = driver.WaitForMessageBox();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(UiDriver::MessageBoxText(box), "HotKey conflict,please setup again!");
        driver.Answer(box, IDOK);
        EXPECT_TRUE(driver.WaitGone(box));
        EXPECT_FALSE(FileExists(Ini()));
        EXPECT_TRUE(IsWindowVisible(w));
        // CTRL+ALT+F and CTRL+SHIFT+F differ.
        Pick(w, IDC_Preferences_WashModifier, 4);
        UiDriver::Click(w, IDC_Preferences_Apply);
    });
    EXPECT_EQ(Read("Hot Key", "Control washer") + Read("Hot Key", "Char washer"), "45");
    // Registered again once, after both pairs are stored.
    EXPECT_EQ(hotKeysSeen, (std::vector<std::string>{"35/45"}));
}

TEST_F(PreferencesTest, ApplyStoresScheduleMinutesAndOptions) {
    options.LastAutoWashTime = 1;
    // Minutes and the Recycle Bin's days, typed and stored.
    const struct {
        const char *typed, *stored, *typedDays, *storedDays;
    } rows[] = {{"5000", "1000", "9999", "3650"}, {"0", "2", "0", "1"}, {"", "2", "", "7"}, {"37", "37", "30", "30"}};
    for (auto [typed, stored, typedDays, storedDays] : rows) {
        Show([&](UiDriver&, HWND w) {
            Check(w, IDC_Preferences_RecycleBinByAge, true);
            Type(w, IDC_Preferences_RecycleBinDays, typedDays);
            Check(w, IDC_Preferences_WashAtShutdown, true);
            Check(w, IDC_Preferences_WashEveryNMinutes, true);
            Check(w, IDC_Preferences_SecureDelete, true);
            Check(w, IDC_Preferences_PromptBeforeClean, true);
            Type(w, IDC_Preferences_Minutes, typed);
            UiDriver::Click(w, IDC_Preferences_Apply);
        });
        EXPECT_EQ(Read("Schedule", "Minuts"), stored) << typed;
        EXPECT_EQ(options.IntervalMinutes, std::stoi(stored));
        EXPECT_EQ(Read("Delete Option", "Recycle Bin Days"), storedDays) << typedDays;
        EXPECT_EQ(ReadRecycleBinDays(Ini()), std::stoi(storedDays));
    }
    // The words as written (Wine's profile functions drop the last trailing blank).
    EXPECT_NE(ReadTextFile(Ini()).find("Schedule Option=byShutdown byEveryHour"), std::string::npos);
    EXPECT_EQ(options.ScheduleSet, static_cast<unsigned>(ScheduleAtShutdown | ScheduleEveryNMinutes));
    EXPECT_GT(options.LastAutoWashTime, 40000);
    EXPECT_EQ(timer, "++++");
    EXPECT_FALSE(options.QuickDelete);
    EXPECT_EQ(Read("Delete Option", "Use Quick"), "0");
    EXPECT_TRUE(options.PromptBeforeClean);
    EXPECT_EQ(Read("Detect", "Detect directory at load"), "1");

    // No trigger: an empty value and the timer off.
    Show([&](UiDriver&, HWND w) {
        EXPECT_EQ(Shown(w, IDC_Preferences_Minutes), "37");
        Check(w, IDC_Preferences_WashAtShutdown, false);
        Check(w, IDC_Preferences_WashEveryNMinutes, false);
        UiDriver::Click(w, IDC_Preferences_Apply);
    });
    EXPECT_EQ(Read("Schedule", "Schedule Option"), "");
    EXPECT_EQ(timer, "++++-");
    EXPECT_EQ(options.ScheduleSet, 0u);
}

TEST_F(PreferencesTest, LoadAtStartupWritesAndRemovesTheRunValue) {
    Show([&](UiDriver&, HWND w) {
        Toggle(w, IDC_Preferences_RunAtStartup);
        Check(w, IDC_Preferences_RunMinimized, true);
        UiDriver::Click(w, IDC_Preferences_Apply);
    });
    EXPECT_EQ(RunValue(), "\"C:\\Program Files\\Varnolt\\varnolt.exe\"");
    EXPECT_EQ(Read("Run", "Auto Run"), "1");
    EXPECT_EQ(Read("Run", "Is Minimized"), "1");

    Show([&](UiDriver&, HWND w) {
        EXPECT_TRUE(Checked(w, IDC_Preferences_RunMinimized));
        Toggle(w, IDC_Preferences_RunAtStartup);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(w, IDC_Preferences_RunMinimized)));
        UiDriver::Click(w, IDC_Preferences_Apply);
    });
    EXPECT_EQ(RunValue(), "(none)");
    EXPECT_EQ(Read("Run", "Auto Run"), "0");
    EXPECT_EQ(Read("Run", "Is Minimized"), "1");  // from the disabled box as it shows
}

TEST_F(PreferencesTest, RefusedRunValueLeavesAutoRunOffAndStoresTheRest) {
    // A key name longer than the registry allows cannot be created.
    dialog.RunKey = key.Path() + "\\" + std::string(300, 'x');
    Show([&](UiDriver& driver, HWND w) {
        Toggle(w, IDC_Preferences_RunAtStartup);
        Type(w, IDC_Preferences_Minutes, "15");
        UiDriver::Click(w, IDC_Preferences_Apply);
        HWND box = driver.WaitForMessageBox();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(UiDriver::MessageBoxText(box), "Failed to set data for 'Varnolt'");
        driver.Answer(box, IDOK);
    });
    EXPECT_EQ(Read("Run", "Auto Run"), "0");
    EXPECT_EQ(Read("Schedule", "Minuts"), "15");
    EXPECT_EQ(Read("Hot Key", "Char washer"), "3");
}

TEST_F(PreferencesTest, StoredIndexesOutOfRangeAndRedetectReloadsTheDetectBox) {
    ProfileFile ini(Ini());
    ini.WriteInteger("Hot Key", "Control", 7);
    ini.WriteInteger("Hot Key", "Char", 30);
    ini.WriteInteger("Hot Key", "Char washer", -2);
    ini.WriteInteger("Schedule", "Minuts", 0);
    options.IntervalMinutes = 0;
    dialog.RedetectNetscape = [&] { ProfileFile(Ini()).WriteBool("Detect", "Detect directory at load", false); };
    Show([&](UiDriver&, HWND w) {
        EXPECT_EQ(Shown(w, IDC_Preferences_CloseBrowsersModifier) + "+" + Shown(w, IDC_Preferences_CloseBrowsersKey), "CTRL+ALT+F");
        EXPECT_EQ(Shown(w, IDC_Preferences_WashKey), "");
        EXPECT_EQ(Shown(w, IDC_Preferences_Minutes), "2");
        EXPECT_TRUE(Checked(w, IDC_Preferences_DetectNetscape));
        Press(w, IDC_Preferences_RedetectNetscape);
        EXPECT_FALSE(Checked(w, IDC_Preferences_DetectNetscape));
        UiDriver::Click(w, IDC_Preferences_Apply);
    });
    EXPECT_EQ(Read("Hot Key", "Control") + Read("Hot Key", "Char"), "35");
    EXPECT_EQ(Read("Detect", "Detect directory at load"), "0");
}

// Settings an administrator holds show greyed with the note, and Apply leaves their keys alone.
TEST_F(PreferencesTest, HeldSettingsAreGreyedAndNotStored) {
    Policies held;
    held.UseQuickDelete = true;
    held.ScheduleSet = ScheduleAtStart;
    dialog.Held = &held;
    options.ScheduleSet = ScheduleAtStart;
    int result = Show([&](UiDriver&, HWND w) {
        for (int id : {IDC_Preferences_SecureDelete, IDC_Preferences_WashAtStart, IDC_Preferences_WashAtShutdown,
                       IDC_Preferences_WashEveryNMinutes})
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(w, id))) << id;
        for (int id : {IDC_Preferences_WriteToLog, IDC_Preferences_Minutes, IDC_Preferences_PromptBeforeClean})
            EXPECT_TRUE(IsWindowEnabled(GetDlgItem(w, id))) << id;
        EXPECT_EQ(Shown(w, IDC_Preferences_OptionsHeld), "Set by your administrator");
        EXPECT_EQ(Shown(w, IDC_Preferences_ScheduleHeld), "Set by your administrator");
        Check(w, IDC_Preferences_SecureDelete, true);  // as if it could still be clicked
        Check(w, IDC_Preferences_PromptBeforeClean, true);
        UiDriver::Click(w, IDC_Preferences_Apply);
    });
    EXPECT_EQ(result, mrOK);
    EXPECT_EQ(Read("Delete Option", "Use Quick"), "(none)");
    EXPECT_EQ(Read("Schedule", "Schedule Option"), "(none)");
    EXPECT_EQ(Read("Delete Option", "prompt Before"), "1");
    EXPECT_EQ(Read("Log", "Write to Log"), "1");
    EXPECT_TRUE(options.QuickDelete);
    EXPECT_EQ(options.ScheduleSet, unsigned(ScheduleAtStart));
    EXPECT_EQ(timer, "") << "the held schedule's timer is left as it runs";
}

// "Shred with Varnolt" follows its check box: both verbs with their command, and gone again.
TEST_F(PreferencesTest, ShredVerbFollowsItsCheckBox) {
    const std::string classes = key.Path() + "\\Classes";
    auto value = [](const std::string& path, const char* name) {
        RegistryKey verb(HKEY_CURRENT_USER);
        return verb.OpenKey(path) && verb.ValueExists(name) ? verb.ReadString(name) : "(none)";
    };
    for (bool on : {true, false}) {
        SCOPED_TRACE(on);
        Show([&](UiDriver&, HWND w) {
            EXPECT_EQ(Checked(w, IDC_Preferences_ShredVerb), !on);
            Toggle(w, IDC_Preferences_ShredVerb);
            UiDriver::Click(w, IDC_Preferences_Apply);
        });
        for (const std::string& verb : {classes + "\\*\\shell\\VarnoltShred", classes + "\\Directory\\shell\\VarnoltShred"}) {
            EXPECT_EQ(value(verb, ""), on ? "Shred with Varnolt" : "(none)");
            EXPECT_EQ(value(verb, "MultiSelectModel"), on ? "Player" : "(none)");
            EXPECT_EQ(value(verb + "\\command", ""),
                      on ? "\"C:\\Program Files\\Varnolt\\varnolt.exe\" /shred \"%1\"" : "(none)");
        }
    }
}

// A verb a per-machine installation wrote shows checked and can't be changed; Apply writes no
// verb of the user's beside it.
TEST_F(PreferencesTest, MachinesShredVerbShowsCheckedAndStays) {
    const std::string verb = key.Path() + "\\Classes\\*\\shell\\VarnoltShred";
    RegistryKey machine(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(machine.OpenKey(verb + "\\command", true));
    machine.WriteString("", "varnolt.exe /shred \"%1\"");
    Show([&](UiDriver&, HWND w) {
        EXPECT_TRUE(Checked(w, IDC_Preferences_ShredVerb));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(w, IDC_Preferences_ShredVerb)));
        UiDriver::Click(w, IDC_Preferences_Apply);
    });
    EXPECT_FALSE(RegistryKey(HKEY_CURRENT_USER).KeyExists(verb)) << "no second verb for the user";
    EXPECT_TRUE(machine.KeyExists(verb + "\\command"));
    machine.CloseKey();
    machine.DeleteKey(key.Path());
}

// The language list: "Automatic" unless a language is stored; only a changed choice is written,
// with the note that it applies at the next start.
TEST_F(PreferencesTest, LanguageChoiceIsStoredAndReadBack) {
    auto choose = [](HWND w, const char* name) {
        HWND list = GetDlgItem(w, IDC_Preferences_Language);
        LRESULT position = SendMessageA(list, CB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(name));
        ASSERT_NE(position, CB_ERR) << name;
        SendMessageA(list, CB_SETCURSEL, position, 0);
        SendMessageA(w, WM_COMMAND, MAKEWPARAM(IDC_Preferences_Language, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    };
    auto shownName = [](HWND w) {
        wchar_t text[64] = {};
        SendDlgItemMessageW(w, IDC_Preferences_Language, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text));
        return Narrow(text, wcslen(text));
    };
    const std::string note = "The new language applies the next time Varnolt starts.";
    struct Case {
        const char* stored;  // nullptr: none
        const char* shown;
        const char* picked;  // nullptr: left as shown
        const char* written;
    };
    for (const Case& c : {Case{nullptr, "Automatic", nullptr, "(none)"}, Case{nullptr, "Automatic", "Deutsch", "de"},
                          Case{"de", "Deutsch", "Automatic", "Automatic"}, Case{"xx", "Automatic", nullptr, "xx"},
                          Case{"pt-BR", "Portugu\xC3\xAAs (Brasil)", "English", "en"}}) {
        SCOPED_TRACE(c.written);
        DeleteFileA(Ini().c_str());
        if (c.stored) WriteLanguageChoice(Ini(), c.stored);
        Show([&](UiDriver&, HWND w) {
            EXPECT_EQ(shownName(w), c.shown);
            EXPECT_EQ(Shown(w, IDC_Preferences_LanguageNote), "");
            if (c.picked) {
                choose(w, c.picked);
                EXPECT_EQ(Shown(w, IDC_Preferences_LanguageNote), note);
            }
            UiDriver::Click(w, IDC_Preferences_Apply);
        });
        EXPECT_EQ(Read("Language", "Language"), c.written);
    }
    EXPECT_EQ(ReadLanguageChoice(dir.Path() + "none.ini"), "Automatic");
}
