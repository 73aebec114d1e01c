// Process start: the single-instance rule, the main window and the message loop.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "app/CommandLine.h"
#include "app/MainWindow.h"
#include "resources/icons.h"
#include "platform/Dpi.h"
#include "platform/Language.h"
#include "platform/WideText.h"
#include "settings/AppPaths.h"
#include "settings/SettingsStore.h"

bool ActivateRunningInstance() {
    HWND found = FindWindowA(MainWindowClass, nullptr);
    if (!found) return false;
    HWND top = found;
    for (HWND owner = GetWindow(top, GW_OWNER); owner; owner = GetWindow(owner, GW_OWNER)) top = owner;
    if (IsIconic(top)) {
        ShowWindow(top, SW_RESTORE);
    } else {
        ShowWindow(top, SW_SHOW);
        SetForegroundWindow(top);
    }
    HWND popup = GetLastActivePopup(top);
    if (popup != top && IsWindowVisible(popup) && IsWindowEnabled(popup)) {
        SetForegroundWindow(popup);
    } else if (popup != top) {
        ShowWindow(popup, SW_SHOW);
        SetForegroundWindow(popup);
    }
    return true;
}

std::string LanguageSettingsFile(const std::string& programDir, const std::string& localAppData) {
    const std::string beside = programDir + "wildcard.ini";
    if (localAppData.empty() || FolderCanBeWritten(programDir)) return beside;
    std::string user = localAppData;
    if (user.back() != '\\') user += '\\';
    user += "Varnolt\\wildcard.ini";
    // Until the first start has copied it there, the program directory's file holds the choice.
    return GetFileAttributesW(WidePath(user).c_str()) != INVALID_FILE_ATTRIBUTES ? user : beside;
}

// The language of every text, the command line's included, read before anything is shown.
void ApplyLanguageChoice() {
    wchar_t local[MAX_PATH];
    DWORD n = GetEnvironmentVariableW(L"LOCALAPPDATA", local, MAX_PATH);
    std::string localAppData = n > 0 && n < MAX_PATH ? Narrow(local, n) : std::string();
    UseLanguage(ChooseLanguage(ReadLanguageChoice(LanguageSettingsFile(ExecutableDir(), localAppData))));
}

int RunApplication() {
    ApplyLanguageChoice();
    CommandLine command = ParseCommandLine(ProcessArguments());
    if (command.Kind != CommandKind::None) return RunCommandLine(command);
    if (ActivateRunningInstance()) return 0;

    // The common controls load on a thread of their own while the window's frame is made.
    StartLoadingWindowResources();
    RegisterFormClass(MainWindowClass, LoadIconSized(ICO_APP, 32));
    SetProgramDir(ExecutableDir());
    UseWritableUserDir();

    int exitCode = 0;
    bool comStarted = false;
    {
        MainWindow form;
        form.StartComWhenShown = true;
        HWND window = form.CreateModeless(nullptr);
        if (!window) return 1;
        ShowWindow(window, form.Options.StartMinimized ? SW_SHOWMINIMIZED : SW_SHOW);
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            if (!IsDialogMessageW(window, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        exitCode = static_cast<int>(msg.wParam);
        comStarted = form.ComStarted;
    }
    if (comStarted) CoUninitialize();
    return exitCode;
}
