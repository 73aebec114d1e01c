// The wash log (view, delete), the help file and the About box.
#include <windows.h>

#include "app/UnitAbout.h"
#include "app/Unitmain.h"
#include "platform/Messages.h"
#include "platform/Shell.h"
#include "settings/AppPaths.h"

void TFormMainVRNT::btnViewLogClick() {
    if (washRunning_) return;
    RunningScope running(washRunning_);
    if (!Options.WriteToLog)
        ShowNote(Handle(), "Note: The latest operation is not be written to the log files.\r"
                           "Because Write Operation to Log in Setting isn't to be checked!");
    const std::string log = ProgramDirectory + "log.htm";
    if (GetFileAttributesA(log.c_str()) != INVALID_FILE_ATTRIBUTES) ShellOpen(Handle(), log);
}

// No log to delete is no news; a log that is there and stays there is.
void TFormMainVRNT::btnDeleteLogClick() {
    if (washRunning_) return;
    RunningScope running(washRunning_);
    if (!AskQuestion(Handle(), "Do you want to delete log file?")) return;
    const std::string log = ProgramDirectory + "log.htm";
    if (DeleteFileA(log.c_str())) {
        ShowNote(Handle(), "Log file is cleaned successful!");
        return;
    }
    DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return;
    ShowRefusal(Handle(), "The log file '" + log + "' can't be deleted: it may be open in another program.");
}

void TFormMainVRNT::SpeedButton2Click() { ShellOpen(Handle(), ProgramDirectory + "help.chm"); }

void TFormMainVRNT::Help1Click() { ShellOpen(Handle(), ProgramDirectory + "help.chm"); }

void TFormMainVRNT::SpeedButton3Click() {
    if (washRunning_) return;
    RunningScope running(washRunning_);
    TFormAbout about;
    about.RulesSummary = Winapp2Summary();
    about.ShowModal(Handle());
}
