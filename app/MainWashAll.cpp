// Wash and preview of all checked wash items, and the automatic wash built on it.
#include "app/AppTexts.h"
#include "app/MainWindow.h"
#include "app/WashEvent.h"
#include "dialogs/PreviewAllDialog.h"
#include "engine/DatabaseRows.h"
#include "engine/WashAhead.h"
#include "platform/DiskSpace.h"
#include "platform/Language.h"
#include "platform/ListUpdate.h"
#include "platform/Messages.h"
#include "platform/RowGuard.h"

std::vector<std::pair<FolderEntry, EntryListing>> MainWindow::PlanFolderRows() {
    std::vector<std::pair<FolderEntry, EntryListing>> plans;
    if (!CurrentItem) return plans;
    const int count = std::min(FolderList.Count(), CurrentItem->FolderEntries.Count());
    for (int r = 0; r < count; ++r) {
        if (!FolderList.Checked(r)) continue;
        const FolderEntry& entry = CurrentItem->FolderEntries.Items[r];
        plans.emplace_back(entry, entry.PlanListing());
    }
    return plans;
}

void MainWindow::GatherCheckedItems(PreviewAllDialog& dialog, WashAhead* ahead) {
    // One checked item: its registry rows, and with ahead its entries, listed once all are read.
    struct ItemRows {
        int Row;
        bool Database;
        int FirstKey, KeyEnd;
        std::vector<std::pair<FolderEntry, EntryListing>> Entries;
    };
    // Files to wash only: the rows of folders removed when empty are no files, and a row in a
    // protected place is not washed unless the user checks it by hand.
    auto summarise = [&](const ItemRows& item, int firstFile) {
        int files = 0, keys = 0;
        uint64_t space = 0;
        const CheckListModel& fileRows = dialog.FileList.Model();
        for (int i = firstFile; i < fileRows.Count(); ++i) {
            if (EndsWithFolderMarker(fileRows.Text(i)) || GuardOf(fileRows.Text(i)) != RowGuard::None) continue;
            ++files;
            space += fileRows.Space(i);
        }
        for (int i = item.FirstKey; i < item.KeyEnd; ++i) keys += GuardOf(dialog.RegistryList.Text(i)) == RowGuard::None;
        ItemSummary summary{TranslateUiText(ItemList.Text(item.Row)), files, space, keys};
        if (item.Database) {
            const std::vector<DatabaseRow> rows = PreviewDatabaseItem(ItemList.Text(item.Row));
            summary.Databases = DatabaseTotalsText(rows);
            for (const DatabaseRow& row : rows) summary.Removed += row.Removed;
        }
        dialog.Summary.Rows.push_back(std::move(summary));
    };
    std::vector<ItemRows> later;
    {
        ListUpdate update(ItemList);
        for (int r = 0; r < ItemList.Count(); ++r) {
            if (!ItemList.Checked(r) || (washOnlyRow_ >= 0 && r != washOnlyRow_)) continue;
            ItemList.Select(r);
            OnItemSelected();
            // Selecting an ordinary item has enabled some of the wash buttons.
            SetWashControls(false);
            const bool special = CurrentItem && CurrentItem->Property.IsSpecial;
            if (special) dialog.SpecialList.Add(ItemList.Text(r));
            ItemRows item{r, special && IsDatabaseItem(ItemList.Text(r)), dialog.RegistryList.Count(), 0, {}};
            const int firstFile = dialog.FileList.Count();
            if (ahead) item.Entries = PlanFolderRows();
            else AppendFolderRows(dialog.FileList);
            AppendRegistryRows(dialog.RegistryList);
            item.KeyEnd = dialog.RegistryList.Count();
            if (ahead) later.push_back(std::move(item));
            else summarise(item, firstFile);
        }
    }
    std::vector<std::string> rows;
    std::vector<uint64_t> spaces;
    for (const ItemRows& item : later) {
        const int firstFile = dialog.FileList.Count();
        for (const auto& [entry, plan] : item.Entries) {
            entry.ListFiles(plan, rows, spaces, nullptr, [ahead](const std::string& path) { ahead->Delete(path); });
            AppendRows(dialog.FileList, std::move(rows), &spaces);
        }
        summarise(item, firstFile);
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
            // An automatic quick wash deletes each file as the listing finds it, its row still
            // logged where it stands; the log opens before the first deletion, so that a log that
            // cannot be written stops the wash before anything goes.
            WashAhead ahead(Options.WriteToLog);
            const bool washAhead = !preview && automaticWash_ && Options.QuickDelete;
            // An automatic wash holds this thread until it ends: the window is drawn once the
            // first files go (or before, without deleting ahead), not left a frame of blank boxes.
            auto draw = [this] { RedrawWindow(Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); };
            if (washAhead) {
                dialog.Context.Ahead = &ahead;
                ahead.OnStarted = draw;
            } else if (automaticWash_) {
                draw();
            }
            try {
                GatherCheckedItems(dialog, washAhead ? &ahead : nullptr);
            } catch (...) {
                LogUntakenWashAhead(ahead);
                AbandonWashLog();
                throw;
            }
            if (automaticWash_) draw();  // nothing went ahead
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
