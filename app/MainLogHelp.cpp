// The wash log (view, delete), the help file and the About box.
#include <windows.h>

#include "app/AppTexts.h"
#include "app/MainWindow.h"
#include "dialogs/AboutDialog.h"
#include "platform/Language.h"
#include "platform/Messages.h"
#include "platform/Shell.h"
#include "platform/WideText.h"
#include "settings/AppPaths.h"

void MainWindow::OnViewLog() {
    if (washRunning_) return;
    RunningScope running(washRunning_);
    if (!Options.WriteToLog)
        ShowNote(Handle(), Text(IDS_LogNotWritten));
    const std::string log = LogFilePath();
    if (GetFileAttributesW(WidePath(log).c_str()) != INVALID_FILE_ATTRIBUTES) ShellOpen(Handle(), log);
}

// No log to delete is no news; a log that is there and stays there is.
void MainWindow::OnDeleteLog() {
    if (washRunning_) return;
    RunningScope running(washRunning_);
    if (!AskQuestion(Handle(), Text(IDS_ConfirmDeleteLog))) return;
    const std::string log = LogFilePath();
    if (DeleteFileW(WidePath(log).c_str())) {
        ShowNote(Handle(), Text(IDS_LogDeleted));
        return;
    }
    DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return;
    ShowRefusal(Handle(), FormatText(IDS_LogNotDeleted, log));
}

void MainWindow::OnHelp() { ShellOpen(Handle(), ProgramDirectory + "help.chm"); }

void MainWindow::OnHelpMenu() { ShellOpen(Handle(), ProgramDirectory + "help.chm"); }

void MainWindow::OnAbout() {
    if (washRunning_) return;
    RunningScope running(washRunning_);
    AboutDialog about;
    about.RulesSummary = Winapp2Summary();
    about.ShowModal(Handle());
}
