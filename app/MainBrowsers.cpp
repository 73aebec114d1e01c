// The question about running browsers before a wash the user starts.
#include <algorithm>

#include "app/AppTexts.h"
#include "app/MainWindow.h"
#include "engine/DatabaseRows.h"
#include "engine/RunningPrograms.h"
#include "platform/Language.h"
#include "platform/Messages.h"

namespace {
// How long a browser asked to close may take before the wash goes on without it.
constexpr DWORD BrowserCloseTimeoutMs = 10000;
}  // namespace

bool MainWindow::CloseBrowsersHoldingFiles(HWND owner, const CheckListModel& files,
                                           const std::vector<std::string>& databaseItems) {
    std::vector<std::string> asked;
    auto ask = [&](const RunningBrowser& browser, UINT question) {
        asked.push_back(browser.ImageName);
        int answer = AskYesNoCancel(owner, FormatText(question, browser.Name));
        if (answer == IDYES) CloseBrowser(browser, BrowserCloseTimeoutMs);
        return answer != IDCANCEL;
    };
    if (files.Count() > 0)
        for (const auto& browser : BrowsersHoldingFiles(files))
            if (!ask(browser, IDS_BrowserRunning)) return false;
    if (databaseItems.empty()) return true;
    // A running browser's databases are left alone: closing it lets the wash reach them.
    std::vector<std::string> wanted;
    for (const auto& item : databaseItems)
        for (const auto& image : DatabaseItemBrowsers(item)) wanted.push_back(image);
    for (const auto& browser : FindRunningBrowsers()) {
        const bool needed = std::find(wanted.begin(), wanted.end(), browser.ImageName) != wanted.end();
        const bool done = std::find(asked.begin(), asked.end(), browser.ImageName) != asked.end();
        if (needed && !done && !ask(browser, IDS_BrowserRunningDatabases)) return false;
    }
    return true;
}
