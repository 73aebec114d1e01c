// Preferences' Apply and the two global hot keys: stored, then registered again once, as the
// main window does it (both released, then both registered from the settings file).
#include <gtest/gtest.h>

#include <windows.h>

#include "dialogs/PreferencesDialog.h"
#include "dialogs/PreferencesDialogRes.h"
#include "platform/Profile.h"
#include "settings/Schedule.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestKey.h"
#include "tests/support/UiDriver.h"

namespace {
class PreferencesHotKeyTest : public testing::Test {
protected:
    void SetUp() override {
        window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(window, nullptr);
        dialog.SettingsFile = dir.Path() + "wildcard.ini";
        dialog.RunKey = key.Path() + "\\Run";
        dialog.ClassesKey = key.Path() + "\\Classes";
        dialog.RegisterHotKeysAgain = [this] { RegisterBoth(); };
    }
    void TearDown() override {
        UnregisterHotKeys(window);
        DestroyWindow(window);
    }

    // Releases both keys, then registers each from the settings file; a refusal is recorded.
    void RegisterBoth() {
        UnregisterHotKeys(window);
        for (const HotKeySetting* hotKey : {&CloseBrowsersHotKey, &WashHotKey}) {
            const HotKeyRegistration r = ReadHotKey(dialog.SettingsFile, *hotKey);
            if (r.Register && !RegisterHotKey(window, hotKey->Id, r.Modifiers, r.Key))
                refused.push_back(hotKey->ControlKey);
        }
        ++registrations;
    }

    TempDir dir;
    TestKey key{"PreferencesHotKey"};
    PreferencesDialog dialog;
    HWND window = nullptr;
    std::vector<std::string> refused;
    int registrations = 0;
};
}  // namespace

TEST_F(PreferencesHotKeyTest, SwappedKeysAreRegisteredOnceWithoutAClash) {
    // The defaults held: CTRL+ALT+F closes the browsers, CTRL+D washes.
    RegisterBoth();
    ASSERT_EQ(refused, std::vector<std::string>{});
    RunWithDriver([&] { dialog.ShowModal(nullptr); },
                  [&](UiDriver& driver) {
                      HWND w = driver.WaitForWindow("#32770", "Preferences");
                      ASSERT_NE(w, nullptr);
                      const struct {
                          int id, position;
                      } picks[] = {{IDC_Preferences_CloseBrowsersModifier, 1},
                                   {IDC_Preferences_CloseBrowsersKey, 3},
                                   {IDC_Preferences_WashModifier, 3},
                                   {IDC_Preferences_WashKey, 5}};
                      for (const auto& pick : picks) SendDlgItemMessageA(w, pick.id, CB_SETCURSEL, pick.position, 0);
                      UiDriver::Click(w, IDC_Preferences_Apply);
                      EXPECT_TRUE(driver.WaitGone(w));
                  });
    EXPECT_EQ(registrations, 2);
    EXPECT_EQ(refused, std::vector<std::string>{});
    ProfileFile ini(dialog.SettingsFile);
    EXPECT_EQ(ini.ReadInteger("Hot Key", "Control", -1), 1);
    EXPECT_EQ(ini.ReadInteger("Hot Key", "Char", -1), 3);
    EXPECT_EQ(ini.ReadInteger("Hot Key", "Control washer", -1), 3);
    EXPECT_EQ(ini.ReadInteger("Hot Key", "Char washer", -1), 5);
}
