// The Preferences dialog of the toolbar and the Netscape profile check of the first activation.
#include "app/MainWindow.h"
#include "catalogue/Macros.h"
#include "dialogs/NetscapeDetectDialog.h"
#include "dialogs/PreferencesDialog.h"
#include "platform/Error.h"
#include "settings/AppPaths.h"
#include "settings/RunValue.h"

void MainWindow::OnPreferences() {
    if (washRunning_) return;
    RunningScope running(washRunning_);
    PreferencesDialog dialog;
    dialog.Options = &Options;
    dialog.SettingsFile = SettingsFilePath();
    dialog.Executable = ExecutablePath();
    dialog.Held = &Policy;
    dialog.SetScheduleTimer = [this](bool on) { SetScheduleTimer(on); };
    dialog.RegisterHotKeysAgain = [this] {
        RegisterHotKeys(false);
        RegisterHotKeys(true);
    };
    dialog.RedetectNetscape = [this, &dialog] { ShowNetscapeDetect(dialog.Handle()); };
    dialog.ShowModal(Handle());
    UpdateBrowserWatch();
}

void MainWindow::NetscapeProfileCheck() {
    if (washRunning_) return;
    bool needed = false;
    RunGuarded(Handle(), [&] { needed = NetscapeCheckNeeded(SettingsFilePath()); });
    if (!needed) return;
    RunningScope running(washRunning_);
    ShowNetscapeDetect(Handle());
}

void MainWindow::ShowNetscapeDetect(HWND owner) {
    if (!DetectDialog) DetectDialog = std::make_unique<NetscapeDetectDialog>();
    DetectDialog->SettingsFile = SettingsFilePath();
    RunGuarded(owner, [this] { DetectDialog->UserSection = ExpandMacros("{username}"); });
    DetectDialog->ShowModal(owner);
}
