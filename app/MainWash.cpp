// Wash and preview of the selected entry and of the current wash item; the busy state.
#include <algorithm>
#include <functional>

#include "app/AppTexts.h"
#include "app/MainWindow.h"
#include "app/MainWindowRes.h"
#include "dialogs/PreviewFilesDialog.h"
#include "dialogs/PreviewItemDialog.h"
#include "dialogs/PreviewRegistryDialog.h"
#include "engine/RestartDelete.h"
#include "engine/DatabaseItems.h"
#include "engine/SpecialItems.h"
#include "platform/BusyCursor.h"
#include "platform/DiskSpace.h"
#include "platform/Error.h"
#include "platform/Language.h"
#include "platform/ListUpdate.h"
#include "platform/Messages.h"

namespace {
const int WashControlIds[] = {
    IDC_WashChecked,      IDC_PreviewChecked,          IDC_WashCurrentItem,
    IDC_PreviewCurrentItem, IDC_PreviewFolderEntry, IDC_WashFolderEntry,
    IDC_PreviewRegistryEntry, IDC_WashRegistryEntry,
};

// "'" + wash item name + " -> " + entry name + "'", the names from the selected rows.
std::string EntrySubject(const CheckList& items, const std::string& entry) {
    int i = items.Selected();
    return FormatText(IDS_EntrySubject, i >= 0 ? TranslateUiText(items.Text(i)) : std::string(), TranslateUiText(entry));
}
}  // namespace

void MainWindow::SetWashControls(bool enabled) {
    for (int id : WashControlIds) EnableControl(id, enabled);
    if (WashMenu) {
        int count = GetMenuItemCount(WashMenu);
        for (int i = 0; i < count; ++i)
            EnableMenuItem(WashMenu, i, MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
    }
    // A special current item keeps its entry-level wash buttons disabled.
    if (!enabled) return;
    int row = ItemList.Selected();
    bool special = row >= 0 && row < WashItems.Count() ? WashItems.Items[row].IsSpecial
                                                       : CurrentItem && CurrentItem->Property.IsSpecial;
    // A database item's databases are previewed like an item's files.
    const bool database = special && row >= 0 && row < ItemList.Count() && IsDatabaseItem(ItemList.Text(row));
    if (special && !database) EnableControl(IDC_PreviewCurrentItem, false);
    if (special)
        for (int id : {IDC_PreviewFolderEntry, IDC_WashFolderEntry, IDC_PreviewRegistryEntry, IDC_WashRegistryEntry})
            EnableControl(id, false);
}

bool MainWindow::ConfirmClean(const std::string& subject) {
    if (!Options.PromptBeforeClean) return true;
    return AskQuestion(Handle(), FormatText(IDS_ConfirmClean, subject));
}

void MainWindow::ShowFileCounts(int success, int fails) {
    if (washTotals_) {
        washTotals_->FilesWashed += success;
        washTotals_->Failures += fails;
    }
    SetControlText(IDC_FileSuccessCount, std::to_string(success));
    SetControlText(IDC_FileFailsCount, std::to_string(fails));
}

void MainWindow::ShowRegistryCounts(int success, int fails) {
    if (washTotals_) {
        washTotals_->RegistryWashed += success;
        washTotals_->Failures += fails;
    }
    SetControlText(IDC_RegistrySuccessCount, std::to_string(success));
    SetControlText(IDC_RegistryFailsCount, std::to_string(fails));
}

void MainWindow::ShowWashSummary(const WashSummary& summary) {
    LastWash = summary;
    if (!automaticWash_)
        for (auto& file : RestartCandidates(summary.Files))
            if (std::find(leftInUse_.begin(), leftInUse_.end(), file) == leftInUse_.end()) leftInUse_.push_back(file);
    SetControlText(IDC_FreedSpace, FormatText(IDS_FreedSpace, FormatSpace(summary.Files.FreedBytes)));
}

WashContext MainWindow::MakeWashContext() {
    WashContext context;
    context.Options = &Options;
    context.SpecificFiles = &SpecificFiles;
    context.Owner = Handle();
    context.ShowFileCounts = [this](int success, int fails) { ShowFileCounts(success, fails); };
    context.ShowRegistryCounts = [this](int success, int fails) { ShowRegistryCounts(success, fails); };
    context.ShowSummary = [this](const WashSummary& summary) { ShowWashSummary(summary); };
    if (!automaticWash_)
        context.BeforeWash = [this](HWND owner, const CheckListModel& files, const std::vector<std::string>& items) {
            return CloseBrowsersHoldingFiles(owner, files, items);
        };
    return context;
}

void MainWindow::AppendFolderRows(CheckList& target, std::string* note) {
    if (!CurrentItem) return;
    ListUpdate update(FolderList);
    std::vector<std::string> rows;
    std::vector<uint64_t> spaces;
    int count = std::min(FolderList.Count(), CurrentItem->FolderEntries.Count());
    for (int r = 0; r < count; ++r) {
        if (!FolderList.Checked(r)) continue;
        rows.clear();
        const FolderEntry& entry = CurrentItem->FolderEntries.Items[r];
        size_t newerLeft = 0;
        entry.ListFiles(rows, spaces, &newerLeft);
        AppendRows(target, std::move(rows), &spaces);
        const std::string entryNote = entry.AgeLimitNote(newerLeft);
        if (note && !entryNote.empty())
            *note += (note->empty() ? "" : "\n") + TranslateUiText(entry.Name) + ": " + entryNote;
    }
}

void MainWindow::AppendRegistryRows(CheckList& target) {
    if (!CurrentItem) return;
    ListUpdate update(RegistryList);
    std::vector<std::string> rows;
    int count = std::min(RegistryList.Count(), CurrentItem->RegistryEntries.Count());
    for (int r = 0; r < count; ++r) {
        if (!RegistryList.Checked(r)) continue;
        rows.clear();
        CurrentItem->RegistryEntries.Items[r].ListRegistry(rows);
        AppendRows(target, std::move(rows));
    }
}

void MainWindow::RunWashCommand(const std::function<void()>& body, bool readItemAgain) {
    if (washRunning_) return;
    RunningScope running(washRunning_);
    bool finished = false;
    leftInUse_.clear();
    auto command = [&] {
        {
            BusyCursor busy;
            body();
        }
        std::vector<std::string> inUse;
        inUse.swap(leftInUse_);
        if (!automaticWash_ && !quietFailure_) OfferRestartDelete(inUse);
        SetWashControls(true);
        finished = true;
        if (readItemAgain) OnItemSelected();
    };
    auto cleanup = [&] {
        if (finished) return;
        SetWashControls(true);
        if (readItemAgain) RunGuarded(Handle(), [this] { OnItemSelected(); });
    };
    lastWashFailure_ = RunCaught(command, cleanup);
    if (quietFailure_) *quietFailure_ = lastWashFailure_;
    else if (!lastWashFailure_.empty()) ShowErrorBox(Handle(), lastWashFailure_);
}

template <class Dialog>
void MainWindow::RunEntryDialog(Dialog& dialog, CheckList& rows, std::vector<std::string>&& found,
                                   const CheckList& entries, int e, bool preview, const std::vector<uint64_t>* spaces) {
    dialog.Context = MakeWashContext();
    AppendRows(rows, std::move(found), spaces);
    if (entries.Checked(e)) dialog.OnSelectAll();
    else dialog.OnUnselectAll();
    if (preview) dialog.ShowModal(Handle());
    else if (ConfirmClean(EntrySubject(ItemList, entries.Text(e)))) dialog.OnWash();
}

void MainWindow::WashOrPreviewFolderEntry(bool preview) {
    RunWashCommand(
        [&] {
            int e = FolderList.Selected();
            if (e < 0 || !CurrentItem || e >= CurrentItem->FolderEntries.Count()) return;
            SetWashControls(false);
            PreviewFilesDialog dialog;
            std::vector<std::string> found;
            std::vector<uint64_t> spaces;
            size_t newerLeft = 0;
            const FolderEntry& entry = CurrentItem->FolderEntries.Items[e];
            entry.ListFiles(found, spaces, &newerLeft);
            dialog.Note = entry.AgeLimitNote(newerLeft);
            RunEntryDialog(dialog, dialog.FileList, std::move(found), FolderList, e, preview, &spaces);
        },
        false);
}

void MainWindow::WashOrPreviewRegistryEntry(bool preview) {
    RunWashCommand(
        [&] {
            int e = RegistryList.Selected();
            if (e < 0 || !CurrentItem || e >= CurrentItem->RegistryEntries.Count()) return;
            SetWashControls(false);
            PreviewRegistryDialog dialog;
            std::vector<std::string> found;
            CurrentItem->RegistryEntries.Items[e].ListRegistry(found);
            dialog.Note = CurrentItem->RegistryEntries.Items[e].NoRowsReason();
            RunEntryDialog(dialog, dialog.RegistryList, std::move(found), RegistryList, e,
                           preview);
        },
        false);
}

void MainWindow::WashOrPreviewCurrentItem(bool preview) {
    RunWashCommand(
        [&] {
            int i = ItemList.Selected();
            if (i < 0) return;
            SetWashControls(false);
            PreviewItemDialog dialog;
            dialog.Context = MakeWashContext();
            bool checked = ItemList.Checked(i);
            if (CurrentItem && CurrentItem->Property.IsSpecial && IsDatabaseItem(ItemList.Text(i))) {
                dialog.DatabaseItem = ItemList.Text(i);
                dialog.SetDatabaseRows(PreviewDatabaseItem(dialog.DatabaseItem));
                if (preview) dialog.ShowModal(Handle());
                else if (ConfirmClean(FormatText(IDS_ItemSubject, TranslateUiText(dialog.DatabaseItem))))
                    dialog.OnWash();
                return;
            }
            AppendFolderRows(dialog.FileList, &dialog.FileNote);
            dialog.FileList.Model().SetSorted(true);
            if (checked) dialog.OnSelectAllFiles();
            else dialog.OnUnselectAllFiles();
            AppendRegistryRows(dialog.RegistryList);
            if (checked) dialog.OnSelectAllRegistry();
            else dialog.OnUnselectAllRegistry();
            if (preview) dialog.ShowModal(Handle());
            else if (ConfirmClean(FormatText(IDS_ItemSubject, TranslateUiText(ItemList.Text(i))))) dialog.OnWash();
        },
        true);
}

void MainWindow::OnWashCurrentItem() {
    int i = ItemList.Selected();
    if (i < 0 || washRunning_) return;
    // A database item goes through its preview's wash, which asks about running browsers.
    if (CurrentItem && CurrentItem->Property.IsSpecial && !IsDatabaseItem(ItemList.Text(i))) {
        RunGuarded(Handle(), [&] { WashSpecialItem(ItemList.Text(i), Options.WriteToLog, Handle()); });
        return;
    }
    WashOrPreviewCurrentItem(false);
}
