// The Cookies dialog of the toolbar and the tray menu.
#include "app/MainWindow.h"
#include "dialogs/CookiesDialog.h"
#include "settings/AppPaths.h"

void MainWindow::OnCookies() {
    if (washRunning_) return;
    RunningScope running(washRunning_);
    CookiesDialog dialog;
    dialog.SettingsFile = SettingsFilePath();
    dialog.Held = &Policy;
    dialog.FindProfiles = [] { return FindSiteDataProfiles(); };
    dialog.FileDialogChoice = FileDialogChoice;
    dialog.ShowModal(Handle());
}
