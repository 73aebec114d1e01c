// Exit commands of the toolbar and the tray menu, the close that waits for a running command,
// and the toolbar commands that do not wash.
#include "app/MainWindow.h"

#include "dialogs/ExclusionListDialog.h"
#include "dialogs/WipeFreeSpaceDialog.h"
#include "platform/Error.h"
#include "settings/AppPaths.h"

void MainWindow::OnExit() { CloseQuery(); }

void MainWindow::OnExitMenu() { CloseQuery(); }

// A wash or a modal command still uses the catalogue, the current wash item and the lists:
// the close is remembered and done when it has ended.
void MainWindow::CloseQuery() {
    if (closed_) return;
    if (washRunning_) {
        closeRequested_ = true;
        // A wipe ends at once: its dialog closes when the wipe's files are gone.
        if (wipeDialog_ && wipeDialog_->Handle()) PostMessageA(wipeDialog_->Handle(), WM_CLOSE, 0, 0);
        return;
    }
    closed_ = true;
    FormClose();
    Close();
}

MainWindow::RunningScope::~RunningScope() {
    flag_ = previous_;
    if (flag_) return;
    MainWindow* main = TheMainWindow;
    if (main && &main->washRunning_ == &flag_ && main->closeRequested_ && main->Handle())
        PostMessageA(main->Handle(), WM_CLOSE, 0, 0);
}

void MainWindow::OnExclusionList() {
    // The dialog counts as a running command: no automatic wash starts while it is open.
    if (washRunning_) return;
    RunningScope running(washRunning_);
    RunGuarded(Handle(), [this] {
        ExclusionListDialog form(SettingsFilePath());
        form.ShowModal(Handle());
    });
}
