// Files a wash the user started left in use: offered for deletion when Windows restarts, and the
// log block of those a restart was to delete, at the first start after it.
#include "app/AppTexts.h"
#include "app/MainWindow.h"
#include "engine/RestartDelete.h"
#include "platform/Error.h"
#include "platform/Language.h"
#include "platform/Messages.h"
#include "platform/PlatformTexts.h"

void MainWindow::OfferRestartDelete(const std::vector<std::string>& files) {
    if (files.empty()) return;
    const int count = static_cast<int>(files.size());
    if (!AskQuestion(Handle(), count == 1 ? Text(IDS_RestartDeleteOne) : FormatText(IDS_RestartDeleteMany, count)))
        return;
    std::vector<std::string> marked;
    if (MarkForRestart(files, marked) == RestartMarking::NeedsAdministrator) {
        ShowRefusal(Handle(), Text(IDS_RestartNeedsAdministrator));
        return;
    }
    if (!RememberForRestart(marked)) throw AppError(FormatText(IDS_UnableToWriteTo, RestartListPath()));
}

void MainWindow::CheckRestartDeletes() {
    RunGuarded(Handle(), [] { CheckRestartList(); });
}
