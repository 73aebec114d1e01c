// Exit commands of the toolbar and the tray menu, the close that waits for a running command,
// and the toolbar commands that do not wash.
#include "app/Unitmain.h"

#include "engine/UnitExcludeFile.h"
#include "platform/Error.h"
#include "settings/AppPaths.h"

void TFormMainVRNT::SpeedButton17Click() { CloseQuery(); }

void TFormMainVRNT::About1Click() { CloseQuery(); }

// A wash or a modal command still uses the catalogue, the current wash item and the lists:
// the close is remembered and done when it has ended.
void TFormMainVRNT::CloseQuery() {
    if (closed_) return;
    if (washRunning_) {
        closeRequested_ = true;
        return;
    }
    closed_ = true;
    FormClose();
    Close();
}

TFormMainVRNT::RunningScope::~RunningScope() {
    flag_ = previous_;
    if (flag_) return;
    TFormMainVRNT* main = FormMainVRNT;
    if (main && &main->washRunning_ == &flag_ && main->closeRequested_ && main->Handle())
        PostMessageA(main->Handle(), WM_CLOSE, 0, 0);
}

void TFormMainVRNT::btnExcludeClick() {
    // The dialog counts as a running command: no automatic wash starts while it is open.
    if (washRunning_) return;
    RunningScope running(washRunning_);
    RunGuarded(Handle(), [this] {
        TFormExcludeFile form(SettingsFilePath());
        form.ShowModal(Handle());
    });
}
