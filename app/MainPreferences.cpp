// The Preferences dialog of the toolbar and the Netscape profile check of the first activation.
#include "app/Unitmain.h"
#include "catalogue/UnitMacro.h"
#include "platform/Error.h"
#include "settings/AppPaths.h"
#include "settings/RunValue.h"
#include "settings/UnitPreference.h"
#include "settings/UnitSelectDirectory.h"

void TFormMainVRNT::btnsettingClick() {
    if (washRunning_) return;
    RunningScope running(washRunning_);
    TFormPreferences dialog;
    dialog.Options = &Options;
    dialog.SettingsFile = SettingsFilePath();
    dialog.Executable = ExecutablePath();
    dialog.SetScheduleTimer = [this](bool on) { SetTimer1(on); };
    dialog.RegisterHotKeysAgain = [this] {
        RegisterHotKeys(false);
        RegisterHotKeys(true);
    };
    dialog.RedetectNetscape = [this, &dialog] { ShowDetect(dialog.Handle()); };
    dialog.ShowModal(Handle());
}

void TFormMainVRNT::NetscapeProfileCheck() {
    if (washRunning_) return;
    bool needed = false;
    RunGuarded(Handle(), [&] { needed = NetscapeCheckNeeded(SettingsFilePath()); });
    if (!needed) return;
    RunningScope running(washRunning_);
    ShowDetect(Handle());
}

void TFormMainVRNT::ShowDetect(HWND owner) {
    if (!FormDetect) FormDetect = std::make_unique<TFormDetect>();
    FormDetect->SettingsFile = SettingsFilePath();
    RunGuarded(owner, [this] { FormDetect->UserSection = ExpandMacros("{username}"); });
    FormDetect->ShowModal(owner);
}
