// Wiping the free space of a drive from the toolbar and the tray menu.
#include "app/MainWindow.h"

#include "dialogs/WipeFreeSpaceDialog.h"
#include "platform/Error.h"

void MainWindow::OnWipeFreeSpace() {
    // The dialog counts as a running command: no automatic wash starts while a drive is full.
    if (washRunning_) return;
    RunningScope running(washRunning_);
    RunGuarded(Handle(), [this] {
        WipeFreeSpaceDialog form;
        struct Showing {
            WipeFreeSpaceDialog*& shown;
            ~Showing() { shown = nullptr; }
        } showing{wipeDialog_ = &form};
        form.ShowModal(Handle());
    });
}
