// Wash and preview of all checked wash items, and the automatic wash built on it.
#include "app/AppTexts.h"
#include "app/MainWindow.h"
#include "app/WashEvent.h"
#include "dialogs/PreviewAllDialog.h"
#include "platform/DiskSpace.h"
#include "platform/Language.h"
#include "platform/ListUpdate.h"
#include "platform/Messages.h"

void MainWindow::GatherCheckedItems(PreviewAllDialog& dialog) {
    ListUpdate update(ItemList);
    for (int r = 0; r < ItemList.Count(); ++r) {
        if (!ItemList.Checked(r) || (washOnlyRow_ >= 0 && r != washOnlyRow_)) continue;
        ItemList.Select(r);
        OnItemSelected();
        // Selecting an ordinary item has enabled some of the wash buttons.
        SetWashControls(false);
        if (CurrentItem && CurrentItem->Property.IsSpecial) dialog.SpecialList.Add(ItemList.Text(r));
        const int first = dialog.FileList.Count(), keys = dialog.RegistryList.Count();
        const uint64_t space = dialog.FileList.Model().TotalSpace();
        AppendFolderRows(dialog.FileList);
        AppendRegistryRows(dialog.RegistryList);
        // Files only: the rows of folders removed when empty are no files.
        int files = 0;
        for (int i = first; i < dialog.FileList.Count(); ++i) files += !EndsWithFolderMarker(dialog.FileList.Text(i));
        dialog.Summary.Rows.push_back({TranslateUiText(ItemList.Text(r)), files, dialog.FileList.Model().TotalSpace() - space,
                                       dialog.RegistryList.Count() - keys});
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
