#pragma once
// PreferencesDialog: every option of the settings file on four pages ("Run", with the language,
// "Schedule", "HotKey", "Options"). Loaded from the settings file and the options record when it
// opens; "&Apply" stores them and closes, "Cl&ose" stores nothing.
#include <functional>
#include <string>

#include "dialogs/PreviewCommon.h"
#include "platform/Form.h"
#include "settings/Options.h"
#include "settings/Policies.h"
#include "settings/RunValue.h"
#include "settings/ShredVerb.h"

class PreferencesDialog : public Form {
public:
    PreferencesDialog();

    // Inputs, set before the dialog is shown.
    OptionsRecord* Options = nullptr;  // the options record: shown, and written by Apply (none: defaults)
    std::string SettingsFile;
    std::string Executable;       // the path the Run value starts
    std::string RunKey = RunKeyPath;
    // Settings the administrator holds: shown greyed, never stored (none: nothing held).
    const Policies* Held = nullptr;
    std::string ClassesKey = ClassesKeyPath;  // where "Shred with Varnolt" is added
    // Switches the schedule timer; releases both hot keys and registers them again from the
    // settings file (called once, after both are stored); shows the Netscape detection dialog.
    std::function<void(bool)> SetScheduleTimer;
    std::function<void()> RegisterHotKeysAgain;
    std::function<void()> RedetectNetscape;

    void LoadSettings();
    void OnRunAtStartup();
    // Apply: checks the hot keys, stores and closes; a conflict or a failed write keeps it open.
    void OnApply();
    void OnClose() { Close(mrCancel); }
    void OnHelp() { ShowHelp(); }
    void OnRedetectNetscape();

    // The minutes box as stored: a number brought into 2..1000, anything else 2.
    int MinutesShown() const;
    // A number box as stored: a number brought into low..high, anything else fallback.
    int NumberShown(int editId, int low, int high, int fallback) const;

protected:
    void FormCreate() override;
    bool Notify(NMHDR* header, LRESULT& result) override;
    bool Message(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Store();
    // The schedule set of the check boxes into options, and the schedule timer switched to it.
    void TakeSchedule(OptionsRecord& options);
    // Greys the held settings' controls and shows the note on their pages.
    void ShowHeldSettings();
    // The note that a new language applies at the next start, while the list shows another.
    void ShowLanguageNote();
    int Position(int comboId) const;
    void SelectPosition(int comboId, int position);

    OptionsRecord& Record() { return Options ? *Options : defaults_; }

    PreviewPages Pages;
    OptionsRecord defaults_;
    int loadedLanguage_ = 0;  // position of the stored language choice in its list
    bool machineShredVerb_ = false;  // the verb is the machine's (HKEY_LOCAL_MACHINE)
};
