// Exit commands of the toolbar and the tray menu, and the close that waits for a running command.
#include "app/Unitmain.h"

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
    flag_ = false;
    TFormMainVRNT* main = FormMainVRNT;
    if (main && &main->washRunning_ == &flag_ && main->closeRequested_ && main->Handle())
        PostMessageA(main->Handle(), WM_CLOSE, 0, 0);
}
