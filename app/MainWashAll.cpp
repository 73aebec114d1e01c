// Wash and preview of all checked wash items, and the automatic wash built on it.
#include "app/Unitmain.h"
#include "dialogs/UnitPreviewAll.h"
#include "platform/ListUpdate.h"
#include "platform/Messages.h"

void TFormMainVRNT::GatherCheckedItems(TFormPreviewAll& dialog) {
    ListUpdate update(ChListBoxItem);
    for (int r = 0; r < ChListBoxItem.Count(); ++r) {
        if (!ChListBoxItem.Checked(r)) continue;
        ChListBoxItem.Select(r);
        ChListBoxItemClick();
        // Selecting an ordinary item has enabled some of the wash buttons.
        SetWashControls(false);
        if (CurrentItem && CurrentItem->Property.IsSpecial) dialog.CheckListBoxSpecial.Add(ChListBoxItem.Text(r));
        AppendFolderRows(dialog.CheckListBoxPreviewFolder);
        AppendRegistryRows(dialog.CheckListBoxPreviewregister);
    }
    // Sorting once gives the order of inserting each later row after the rows equal to it.
    dialog.CheckListBoxPreviewFolder.Model().SetSorted(true);
    dialog.AllbtnSelectallClick();
    dialog.btnSelectallClick();
    dialog.NewbtnSelectallClick();
}

void TFormMainVRNT::WashOrPreviewChecked(bool preview) {
    if (washRunning_) return;
    {
        // The question belongs to the command: nothing else may start while it is open.
        RunningScope asking(washRunning_);
        if (!preview && Options.PromptBeforeClean &&
            !AskQuestion(Handle(), "Do you want to wash all the items selected?"))
            return;
    }
    RunWashCommand(
        [&] {
            SetWashControls(false);
            TFormPreviewAll dialog;
            dialog.Context = WashContext();
            GatherCheckedItems(dialog);
            if (preview) dialog.ShowModal(Handle());
            else dialog.btnWashAllClick();
        },
        true);
}

std::string TFormMainVRNT::AutomaticWash(bool quiet) {
    if (washRunning_) return {};
    bool prompt = Options.PromptBeforeClean;
    Options.PromptBeforeClean = false;
    std::string failure;
    if (quiet) quietFailure_ = &failure;
    btnWashAllClick();
    quietFailure_ = nullptr;
    Options.PromptBeforeClean = prompt;
    return failure;
}
