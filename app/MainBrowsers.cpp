// The question about running browsers before a wash the user starts.
#include "app/AppTexts.h"
#include "app/MainWindow.h"
#include "engine/RunningPrograms.h"
#include "platform/Language.h"
#include "platform/Messages.h"

namespace {
// How long a browser asked to close may take before the wash goes on without it.
constexpr DWORD BrowserCloseTimeoutMs = 10000;
}  // namespace

bool MainWindow::CloseBrowsersHoldingFiles(HWND owner, const CheckListModel& files) {
    for (const auto& browser : BrowsersHoldingFiles(files)) {
        int answer = AskYesNoCancel(owner, FormatText(IDS_BrowserRunning, browser.Name));
        if (answer == IDCANCEL) return false;
        if (answer == IDYES) CloseBrowser(browser, BrowserCloseTimeoutMs);
    }
    return true;
}
