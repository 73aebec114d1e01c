// Exit commands of the toolbar and the tray menu, and the toolbar commands that do not wash.
#include "app/Unitmain.h"

#include "engine/UnitExcludeFile.h"
#include "platform/Error.h"
#include "settings/AppPaths.h"

void TFormMainVRNT::SpeedButton17Click() { CloseQuery(); }

void TFormMainVRNT::About1Click() { CloseQuery(); }

void TFormMainVRNT::btnExcludeClick() {
    // The dialog counts as a running command: no automatic wash starts while it is open.
    if (washRunning_) return;
    RunningScope running(washRunning_);
    RunGuarded(Handle(), [this] {
        TFormExcludeFile form(SettingsFilePath());
        form.ShowModal(Handle());
    });
}
