// Wash and preview of all checked wash items, and the automatic wash built on it.
#include "app/AppTexts.h"
#include "app/MainWindow.h"
#include "app/WashEvent.h"
#include "dialogs/PreviewAllDialog.h"
#include "engine/DatabaseRows.h"
#include "engine/WashAhead.h"
#include "platform/DiskSpace.h"
#include "platform/Language.h"
#include "platform/Messages.h"
#include "platform/RowGuard.h"

void MainWindow::GatherCheckedItems(PreviewAllDialog& dialog, WashAhead* ahead) {
    // One checked item: its registry rows and its entries, listed once all items are read.
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
    // Each checked item is read again from its file, as selecting its row would, but the entry
    // lists are filled once, for the last: they show the current item, not the wash's progress.
    std::vector<ItemRows> items;
    std::vector<std::string> rows;
    std::vector<uint64_t> spaces;
    int last = -1;
    std::unique_ptr<WashItem> lastItem;
    for (int r = 0; r < ItemList.Count(); ++r) {
        if (!ItemList.Checked(r) || (washOnlyRow_ >= 0 && r != washOnlyRow_)) continue;
        std::unique_ptr<WashItem> read = ReadWashItem(WashItems.Items[r]);
        const bool special = read->Property.IsSpecial;
        if (special) dialog.SpecialList.Add(ItemList.Text(r));
        ItemRows item{r, special && IsDatabaseItem(ItemList.Text(r)), dialog.RegistryList.Count(), 0, {}};
        for (const FolderEntry& entry : read->FolderEntries.Items)
            if (entry.IsActive) item.Entries.emplace_back(entry, entry.PlanListing());
        for (RegistryEntry& entry : read->RegistryEntries.Items) {
            if (!entry.IsActive) continue;
            rows.clear();
            entry.ListRegistry(rows);
            AppendRows(dialog.RegistryList, std::move(rows));
        }
        item.KeyEnd = dialog.RegistryList.Count();
        items.push_back(std::move(item));
        last = r;
        lastItem = std::move(read);
    }
    std::function<void(const std::string&)> deleteAhead;
    if (ahead) deleteAhead = [ahead](const std::string& path) { ahead->Delete(path); };
    for (const ItemRows& item : items) {
        const int firstFile = dialog.FileList.Count();
        for (const auto& [entry, plan] : item.Entries) {
            rows.clear();
            entry.ListFiles(plan, rows, spaces, nullptr, deleteAhead);
            AppendRows(dialog.FileList, std::move(rows), &spaces);
        }
        summarise(item, firstFile);
    }
    // The last checked item ends as the current one.
    if (lastItem) {
        ItemList.Select(last);
        CurrentItem.reset();
        ShowItem(last, std::move(lastItem));
        // Showing an ordinary item has enabled some of the wash buttons.
        SetWashControls(false);
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
