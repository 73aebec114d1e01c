// Wash and preview of all checked wash items, and the automatic wash built on it.
#include "app/AppTexts.h"
#include "app/MainWindow.h"
#include "app/WashEvent.h"
#include "dialogs/PreviewAllDialog.h"
#include "engine/DatabaseRows.h"
#include "platform/DiskSpace.h"
#include "platform/Language.h"
#include "platform/ListUpdate.h"
#include "platform/Messages.h"
#include "platform/RowGuard.h"

void MainWindow::GatherCheckedItems(PreviewAllDialog& dialog) {
    ListUpdate update(ItemList);
    for (int r = 0; r < ItemList.Count(); ++r) {
        if (!ItemList.Checked(r) || (washOnlyRow_ >= 0 && r != washOnlyRow_)) continue;
        ItemList.Select(r);
        OnItemSelected();
        // Selecting an ordinary item has enabled some of the wash buttons.
        SetWashControls(false);
        if (CurrentItem && CurrentItem->Property.IsSpecial) dialog.SpecialList.Add(ItemList.Text(r));
        const int first = dialog.FileList.Count(), firstKey = dialog.RegistryList.Count();
        AppendFolderRows(dialog.FileList);
        AppendRegistryRows(dialog.RegistryList);
        // Files to wash only: the rows of folders removed when empty are no files, and a row in a
        // protected place is not washed unless the user checks it by hand.
        int files = 0, keys = 0;
        uint64_t space = 0;
        const CheckListModel& fileRows = dialog.FileList.Model();
        for (int i = first; i < fileRows.Count(); ++i) {
            if (EndsWithFolderMarker(fileRows.Text(i)) || GuardOf(fileRows.Text(i)) != RowGuard::None) continue;
            ++files;
            space += fileRows.Space(i);
        }
        for (int i = firstKey; i < dialog.RegistryList.Count(); ++i)
            keys += GuardOf(dialog.RegistryList.Text(i)) == RowGuard::None;
        ItemSummary summary{TranslateUiText(ItemList.Text(r)), files, space, keys};
        if (CurrentItem && CurrentItem->Property.IsSpecial && IsDatabaseItem(ItemList.Text(r))) {
            const std::vector<DatabaseRow> rows = PreviewDatabaseItem(ItemList.Text(r));
            summary.Databases = DatabaseTotalsText(rows);
            for (const DatabaseRow& row : rows) summary.Removed += row.Removed;
        }
        dialog.Summary.Rows.push_back(std::move(summary));
    }
    // Sorting once gives the order of inserting each later row after the rows equal to it.
    dialog.FileList.Model().SetSorted(true);
    dialog.OnSelectAllSpecials();
    dialog.OnSelectAllFiles();
    dialog.OnSelectAllRegistry();
}

void MainWindow::WashOrPreviewChecked(bool preview) {
    if (washRunning_) return;
    {
        // The question belongs to the command: nothing else may start while it is open.
        RunningScope asking(washRunning_);
        if (!preview && Options.PromptBeforeClean &&
            !AskQuestion(Handle(), Text(IDS_ConfirmWashAll)))
            return;
    }
    RunWashCommand(
        [&] {
            SetWashControls(false);
            PreviewAllDialog dialog;
            dialog.Context = MakeWashContext();
            GatherCheckedItems(dialog);
            if (preview) dialog.ShowModal(Handle());
            else dialog.OnWash();
        },
        true);
}

std::string MainWindow::AutomaticWash(const std::string& trigger, bool quiet) {
    if (washRunning_) {
        ReportWashEvent(MakeWashEvent(trigger, {}, "another command of Varnolt was running."));
        return {};
    }
    bool prompt = Options.PromptBeforeClean;
    Options.PromptBeforeClean = false;
    std::string failure;
    if (quiet) quietFailure_ = &failure;
    WashTotals totals;
    washTotals_ = &totals;
    lastWashFailure_.clear();
    LastWash = WashSummary();
    automaticWash_ = true;
    OnWashChecked();
    automaticWash_ = false;
    washTotals_ = nullptr;
    totals.BytesFreed = LastWash.Files.FreedBytes;
    quietFailure_ = nullptr;
    ShowTrayTip(FormatText(IDS_TrayFreed, FormatSpace(LastWash.Files.FreedBytes)));
    Options.PromptBeforeClean = prompt;
    ReportWashEvent(MakeWashEvent(trigger, totals, lastWashFailure_));
    return failure;
}
